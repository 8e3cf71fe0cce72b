#pragma once
// The car files the host has read. Every car file goes through the chassis ranges' read routine
// (a setup file does not: it carries no ranges), whose replacement counts it; the load pass
// converts each block in place once per read, whatever is written into the block meanwhile.
#include <cstdint>

namespace kvl::physics {

void noteCarFileRead() noexcept;
std::uint32_t carFileReads() noexcept;

}  // namespace kvl::physics
