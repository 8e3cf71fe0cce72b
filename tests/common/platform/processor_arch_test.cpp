#include "common/platform/processor_arch.h"

#include <gtest/gtest.h>

namespace {

TEST(ProcessorArch, MachineTable) {
  struct Case {
    uint16_t machine;
    const char* name;
  };
  const Case cases[] = {
      {0x014C, "x86"}, {0x0200, "ia64"}, {0x8664, "x64"}, {0x01C0, "arm"},
      {0xAA64, "arm64"}, {0x0000, ""},   {0x01C4, ""},    {0xFFFF, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(kvl::architectureNameForMachine(c.machine), c.name) << std::hex << c.machine;
  }
}

TEST(ProcessorArch, ThisMachineIsX64) {
  // Test machines are x86-64; a 32-bit process on them must still say "x64".
  EXPECT_EQ(kvl::processorArchitectureName(), "x64");
}

}  // namespace
