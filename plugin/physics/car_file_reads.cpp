#include "plugin/physics/car_file_reads.h"

#include <atomic>

namespace kvl::physics {

namespace {
std::atomic<std::uint32_t> reads{0};
}  // namespace

void noteCarFileRead() noexcept { reads.fetch_add(1, std::memory_order_relaxed); }

std::uint32_t carFileReads() noexcept { return reads.load(std::memory_order_relaxed); }

}  // namespace kvl::physics
