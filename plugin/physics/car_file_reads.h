#pragma once
// Our count of the car files the host has read. The load pass runs at every track start and
// converts some of the car's blocks in place; we chose to convert a block once per car-file read,
// so that a track started again on the same read does not scale it twice, and a new read of the
// same car, into the same blocks, is converted again. We count a read where our replacement of the
// chassis ranges' read routine runs, as ranges come with a car file and not with a saved setup.
#include <cstdint>

namespace kvl::physics {

void noteCarFileRead() noexcept;
std::uint32_t carFileReads() noexcept;

}  // namespace kvl::physics
