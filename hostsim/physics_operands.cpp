#include "hostsim/physics_operands.h"

#include <cstdint>

#include "hostsim/host_words.h"

namespace hostsim {
namespace {

const float hostConstant = -1.0f;

constexpr std::uint32_t kSites[] = {
    // engine, driveline, atmosphere, tyre heat flow, damage limit, downforce, idle band
    0x50A333, 0x50926D, 0x509303, 0x50E488, 0x50E4A3, 0x50E4AB, 0x536F11, 0x518560, 0x50ECFE, 0x5185AE,
    0x517EAE, 0x517EBC, 0x517D3A, 0x517ED9, 0x5181FD, 0x517E5A, 0x517F59, 0x517F96, 0x51821A, 0x518227,
    0x518237, 0x5183EA, 0x5345CD, 0x5395AE, 0x4E7E62, 0x53761E, 0x53763C, 0x537652,
    // differentials
    0x537B5B, 0x53728B, 0x537351, 0x5373E9, 0x5374EB, 0x537545, 0x5373CA, 0x53742A,
    // engine sound limits, springs, suspension damage, idle band in rpm
    0x4AE597, 0x4AE5B9, 0x52E2CB, 0x52E2E4, 0x53EA21, 0x53EA2D, 0x53EA45, 0x4B0860, 0x4B08DE,
    // the car setup group's constant
    0x48F3B2,
};

}  // namespace

std::vector<AddressEntry> physicsOperandEntries() {
  std::vector<AddressEntry> rows;
  for (std::uint32_t site : kSites) rows.push_back({EntryKind::operand, site, "physicsOperand", wordOf(&hostConstant), {0xD9, 0x05}, 2});
  return rows;
}

}  // namespace hostsim
