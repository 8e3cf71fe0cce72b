#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <stdexcept>
#include <vector>

#include "plugin/physics/car_load_pass.h"
#include "plugin/physics/car_part_setups.h"
#include "plugin/physics/host_car.h"
#include "plugin/physics/setup_parameter_check.h"
#include "tests/support/host_fixture.h"
#include "tests/support/scratch_folder.h"

namespace kvl::physics {
namespace {

// A part's set-up that throws (a torque curve whose speeds do not rise) ends that set-up only:
// the cause is logged, the other set-ups and the remaining steps run for the new car (the values
// written into host code and the derived floats are its own), and the pass reports the failure.
TEST(CarLoadPass, AFailingPartSetUpIsLoggedAndTheRemainingStepsRun) {
  kvl::testing::HostFixture host;
  ASSERT_TRUE(host.loaded());
  kvl::testing::ScratchFolder scratch;
  const std::string folder = kvl::testing::currentDirectory() + "\\";
  SetEnvironmentVariableA("TMP", folder.c_str());
  auto word = [](const void* p) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p)); };
  auto put = [](void* object, std::size_t offset, auto value) {
    std::memcpy(static_cast<std::uint8_t*>(object) + offset, &value, sizeof value);
  };
  std::vector<std::uint8_t> car(7520, 0), block(17604, 0), wheels(4 * 5152, 0), bodies(4 * 2432, 0);
  put(car.data(), 52, word(block.data()));
  put(block.data(), 364, 0.001428f);  // time factor 0.5
  put(block.data(), 17568, 4.0f);
  for (int w = 0; w < 4; ++w) {
    put(wheels.data() + 5152 * w, 52, word(bodies.data() + 2432 * w));
    put(car.data(), 1136 + 4 * w, word(wheels.data() + 5152 * w));
  }
  static std::uint8_t snapshot[4][788] = {};
  put(snapshot[1], 124, 0.4f);
  put(snapshot[1], 140, 0.02f);
  static int ran = 0;
  carPartSetups().engine = [](void*) { throw std::runtime_error("torque curve speeds do not rise"); };
  carPartSetups().differential = [](void*) { ran |= 1; };
  carPartSetups().drivetrain = [](void*) { ran |= 2; };
  carPartSetups().wheel = [](void*, std::int32_t w, const std::uint8_t*) { ran |= 4 << w; };

  EXPECT_FALSE(loadCarParametersLogged(car.data(), snapshot));
  carPartSetups() = CarPartSetups{};
  EXPECT_FALSE(carParametersLoaded);
  EXPECT_EQ(ran, 0x3F);
  float codeC = 0, codeTime = 0;
  std::memcpy(&codeC, host.at(0x53DAA6), 4);
  std::memcpy(&codeTime, host.at(0x4F13A7), 4);
  // t + o = 0.42 of wheel 1: the deviation 0.105 moves B and C; A is 0.42 + 0.085.
  EXPECT_FLOAT_EQ(tyreDerivedA, 0.505f);
  EXPECT_FLOAT_EQ(tyreDerivedC, 0.305f);
  EXPECT_FLOAT_EQ(codeC, 0.305f);
  EXPECT_FLOAT_EQ(codeTime, 5500.0f);
  EXPECT_FLOAT_EQ(timeScaled500, 250.0f);
  EXPECT_FLOAT_EQ(timeScaled4000, 2000.0f);
  float sum = 0;
  std::memcpy(&sum, block.data() + 588, 4);
  EXPECT_FLOAT_EQ(sum, 0.42f);
  const std::string log = kvl::testing::readWholeFile(folder + kSetupErrorLogName);
  EXPECT_NE(log.find(" car parameters not loaded: torque curve speeds do not rise\r\n"), std::string::npos) << log;
}

// A callback holder's reset takes its node out of the host list it is in: the list keeps the
// other node, one fewer, and the holder's three words are cleared.
TEST(CarLoadPass, CallbackHolderResetDetachesItsNode) {
  std::uint32_t list[3] = {}, holder[3] = {}, other[3] = {};
  auto word = [](const void* p) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p)); };
  list[0] = word(holder), list[1] = word(other), list[2] = 2;
  holder[0] = word(other), holder[2] = word(list);
  other[1] = word(holder), other[2] = word(list);
  CallbackHolder::reset(holder);
  EXPECT_EQ(list[0], word(other));
  EXPECT_EQ(list[2], 1u);
  EXPECT_EQ(other[1], 0u);
  EXPECT_EQ(holder[0] | holder[1] | holder[2], 0u);
}

}  // namespace
}  // namespace kvl::physics
