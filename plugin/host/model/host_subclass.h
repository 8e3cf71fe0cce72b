#pragma once
#include <new>

#include "plugin/host/binding/abi.h"
#include "plugin/host/binding/host_mirror.h"

namespace kvl::host {

// The base part of a plugin object that takes the place of a host object: the mirror base,
// then its second word cleared.
struct HostSubclass : HostMirror {
  const void* table = nullptr;
  HostWord second = 0;

  HostSubclass() noexcept : HostMirror() { second = 0; }

  // Builds the base part on an object's first two words, before its host constructor runs.
  static void* initialise(void* object) noexcept {
    new (object) HostSubclass();
    return object;
  }
};

}  // namespace kvl::host
