#pragma once
// The host's call that creates its differentials setup page (at 0x560F79) gets the plugin's page.
#include "plugin/host/binding/abi.h"

namespace kvl::host {

// What builds the plugin's page: a new host menu page, or null when the host allocation fails.
using DifferentialsPageFactory = void* (*)();
void setDifferentialsPageFactory(DifferentialsPageFactory factory) noexcept;

// Returns the factory's page in place of the host's (null while no factory is set or when it
// fails or throws).
void* QZR_CDECL differentialsPageHook() noexcept;

}  // namespace kvl::host
