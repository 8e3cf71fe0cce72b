// The vehicle-state node, the host's file path object and the control flag, on the host stand-in
// whose functions are painted as jumps to the handlers below (i686).
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "plugin/host/model/host_control_flag.h"
#include "plugin/host/model/host_file_path.h"
#include "plugin/host/model/host_vehicle_state.h"
#include "tests/support/host_fixture.h"

using namespace kvl::host;

namespace {

#define THISCALL __attribute__((thiscall))

constexpr std::uint32_t kHubGlobal = 0x893600;
constexpr std::size_t kSourceSize = 536;
constexpr std::size_t kCatchAll = 520;

std::uint32_t wordAt(const void* p, std::size_t offset) {
  std::uint32_t w;
  std::memcpy(&w, static_cast<const std::uint8_t*>(p) + offset, 4);
  return w;
}
std::uint32_t wordOf(const void* p) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p)); }

// The host's path object: built from a source whose +8 text it keeps, under the folder "Maps\".
int pathsFreed = 0;
void THISCALL pathConstruct(std::uint8_t* path, const std::uint8_t* source) {
  static const char kFolder[] = "Maps\\";
  const std::uint32_t folder = wordOf(kFolder);
  std::memcpy(path + 4, &folder, 4);
  std::memcpy(path + 8, source + 8, 4);
}
void THISCALL pathDestroy(std::uint8_t* path) {
  ++pathsFreed;
  std::memset(path + 4, 0, 8);
}

std::vector<std::int32_t> flagQueries;
std::int32_t __cdecl controlFlag(std::int32_t which) {
  flagQueries.push_back(which);
  return which == 11 ? 1 : 0;
}

class HostBindings : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    host = new kvl::testing::HostFixture;
    ASSERT_TRUE(host->loaded());
    host->paintFunction(0x406690, &pathConstruct);
    host->paintFunction(0x4066E0, &pathDestroy);
    host->paintFunction(0x5403E0, &controlFlag);
  }
  static kvl::testing::HostFixture* host;
};
kvl::testing::HostFixture* HostBindings::host = nullptr;

TEST_F(HostBindings, VehicleStateNodeFollowsSubscription) {
  std::vector<std::uint8_t> hub(100 * kSourceSize);
  alignas(4) std::uint8_t a[256] = {}, b[256] = {};
  const std::uint8_t* list = hub.data() + HostVehicleState::kSource * kSourceSize + kCatchAll;

  host->setGlobal(kHubGlobal, nullptr);
  HostVehicleState::subscribe(a);  // no hub: nothing linked
  EXPECT_TRUE(HostVehicleState::isFlagClear(a));

  host->setGlobal(kHubGlobal, hub.data());
  HostVehicleState::subscribe(a);
  HostVehicleState::subscribe(b);
  EXPECT_FALSE(HostVehicleState::isFlagClear(a));
  EXPECT_EQ(wordAt(a, 192), wordOf(list));  // the owner-list word the host tests
  EXPECT_EQ(wordAt(list, 0), wordOf(a + 180));
  EXPECT_EQ(wordAt(list, 4), wordOf(b + 180));
  EXPECT_EQ(wordAt(list, 8), 2u);

  HostVehicleState::unsubscribe(a);
  EXPECT_TRUE(HostVehicleState::isFlagClear(a));
  EXPECT_FALSE(HostVehicleState::isFlagClear(b));
  EXPECT_EQ(wordAt(list, 0), wordOf(b + 180));
  EXPECT_EQ(wordAt(list, 8), 1u);
  HostVehicleState::unsubscribe(b);
  EXPECT_EQ(wordAt(list, 8), 0u);
  EXPECT_EQ(wordAt(list, 0), 0u);
  host->setGlobal(kHubGlobal, nullptr);
}

TEST_F(HostBindings, FilePathTextsThroughTheHostObject) {
  static const char kName[] = "stage01.lbs";
  alignas(4) std::uint8_t source[16] = {}, path[16] = {};
  const std::uint32_t name = wordOf(kName);
  std::memcpy(source + 8, &name, 4);

  HostFilePath::construct(path, source);
  EXPECT_STREQ(HostFilePath::directory(path), "Maps\\");
  EXPECT_STREQ(HostFilePath::fileName(path), "stage01.lbs");
  HostFilePath::destroy(path);
  EXPECT_EQ(pathsFreed, 1);
  EXPECT_STREQ(HostFilePath::directory(path), "");  // null texts read as empty
  EXPECT_STREQ(HostFilePath::fileName(path), "");
}

TEST_F(HostBindings, ControlFlagAsksTheHost) {
  EXPECT_NE(hostControlFlag(11), 0);
  EXPECT_EQ(hostControlFlag(3), 0);
  EXPECT_EQ(flagQueries, (std::vector<std::int32_t>{11, 3}));
}

}  // namespace
