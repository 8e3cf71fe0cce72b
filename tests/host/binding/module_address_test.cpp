#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "plugin/host/binding/call_through.h"
#include "plugin/host/binding/module_address.h"

using namespace kvl::host;

namespace {

// The fixture module is named like the host and built for base 0x500000.
struct LoadedFixture {
  HMODULE module = LoadLibraryA("Korvala_SSE.exe");
  unsigned char* region = nullptr;
  std::size_t size = 0;
  LoadedFixture() {
    if (module == nullptr) return;
    using RegionFn = void (*)(unsigned char**, std::size_t*);
    auto fn = reinterpret_cast<RegionFn>(reinterpret_cast<void*>(GetProcAddress(module, "fixtureRegion")));
    if (fn != nullptr) fn(&region, &size);
  }
  std::uintptr_t base() const { return reinterpret_cast<std::uintptr_t>(module); }
  // A pointer to the byte that host virtual address va maps to, when it lies in the region.
  unsigned char* at(std::uint32_t va) const {
    auto* p = reinterpret_cast<unsigned char*>(base() + (va - 0x400000u));
    if (p < region || p + 4 > region + size) return nullptr;
    return p;
  }
};

LoadedFixture& fixture() {
  static LoadedFixture f;
  return f;
}

class OtherModuleAddress : public ModuleAddress {
 public:
  OtherModuleAddress(std::uint32_t va, std::string name)
      : ModuleAddress(va, 0x400000u), name_(std::move(name)) {}
  std::string moduleName() const override { return name_; }

 private:
  std::string name_;
};

}  // namespace

TEST(HostAddress, ResolvesAgainstTheLoadedHostBase) {
  ASSERT_NE(fixture().module, nullptr) << "fixture module did not load: " << GetLastError();
  // Built for 0x500000; the loader may move it. Either way it is not the host's preferred base.
  const std::uintptr_t base = fixture().base();
  ASSERT_NE(base, 0x400000u);
  struct Case {
    std::uint32_t va;
    std::uintptr_t offset;
  } cases[] = {
      {0x5610E9, 0x1610E9},  // at 0x500000 this is 0x6610E9
      {0x400000, 0},
      {0x893600, 0x493600},
      {0x1710000, 0x1310000},
  };
  for (const auto& c : cases) {
    HostAddress address(c.va);
    EXPECT_EQ(address.offset(), c.offset);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(address.resolve()), base + c.offset) << std::hex << c.va;
    EXPECT_EQ(address.moduleName(), "Korvala_SSE.exe");
  }
  EXPECT_EQ(hostModuleHandle().get(), base);
}

TEST(ModuleAddress, BaseClassAsksTheSystemAndFallsBackToTheOffset) {
  ASSERT_NE(fixture().module, nullptr);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(OtherModuleAddress(0x401234, "Korvala_SSE.exe").resolve()),
            fixture().base() + 0x1234u);
  // A module that is not loaded: the bare offset.
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(OtherModuleAddress(0x401234, "NotLoaded.dll").resolve()),
            0x1234u);
}

TEST(ModuleAddress, ModulesResolveThroughTheHostGraphicsObject) {
  ASSERT_NE(fixture().module, nullptr);
  unsigned char* global = fixture().at(HostModuleTable::kGraphicsGlobal);
  ASSERT_NE(global, nullptr) << "graphics global outside the fixture region";
  // A graphics object in the region (32-bit addressable), recording the two module bases.
  unsigned char* graphics = fixture().region + fixture().size - 256;
  const std::uint32_t graphicsWord = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(graphics));
  ASSERT_EQ(reinterpret_cast<std::uintptr_t>(graphics), graphicsWord);

  std::uint32_t zero = 0;
  std::memcpy(global, &zero, 4);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(Spindle3DAddress(0x60001000).resolve()), 0x1000u)
      << "no graphics object: the bare offset";

  std::memcpy(global, &graphicsWord, 4);
  const std::uint32_t spindle = 0x70000000, railwise = 0x72000000;
  std::memcpy(graphics + 20, &spindle, 4);
  std::memcpy(graphics + 28, &railwise, 4);
  struct Case {
    std::uintptr_t resolved;
    std::uintptr_t expected;
    std::string name;
    std::string expectedName;
  } cases[] = {
      {reinterpret_cast<std::uintptr_t>(Spindle3DAddress(0x60012345).resolve()), 0x70012345,
       Spindle3DAddress(0x60012345).moduleName(), "Spindle3D.DLL"},
      {reinterpret_cast<std::uintptr_t>(RailwiseAddress(0x6106C484).resolve()), 0x7206C484,
       RailwiseAddress(0x6106C484).moduleName(), "Railwise.DLL"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.resolved, c.expected);
    EXPECT_EQ(c.name, c.expectedName);
  }
  // The graphics object is read afresh on each resolve.
  const std::uint32_t moved = 0x74000000;
  std::memcpy(graphics + 20, &moved, 4);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(Spindle3DAddress(0x60000010).resolve()), 0x74000010u);
}

TEST(CallThrough, GlobalGetterReadsTheCurrentValue) {
  ASSERT_NE(fixture().module, nullptr);
  unsigned char* global = fixture().at(0x893600);
  ASSERT_NE(global, nullptr);
  std::uint32_t value = 0x1234;
  std::memcpy(global, &value, 4);
  EXPECT_EQ((hostGlobal<0x893600, std::uint32_t>()), 0x1234u);
  value = 0;
  std::memcpy(global, &value, 4);
  EXPECT_EQ((hostGlobal<0x893600, std::uint32_t>()), 0u);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(hostGlobalAddress<0x893600, std::uint32_t>()),
            fixture().base() + 0x493600u);
}
