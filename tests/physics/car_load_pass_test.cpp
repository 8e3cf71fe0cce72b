#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>
#include <vector>

#include "plugin/physics/car_load_pass.h"
#include "plugin/physics/car_part_setups.h"
#include "plugin/physics/host_car.h"
#include "plugin/physics/setup_parameter_check.h"
#include "tests/support/scratch_folder.h"

namespace kvl::physics {
namespace {

// A torque curve whose speeds do not rise makes the engine set-up throw: the pass ends, the
// cause is logged and the car keeps the host's engine.
TEST(CarLoadPass, AFailingPartSetUpIsLoggedAndReported) {
  kvl::testing::ScratchFolder scratch;
  const std::string folder = kvl::testing::currentDirectory() + "\\";
  SetEnvironmentVariableA("TMP", folder.c_str());
  std::vector<std::uint8_t> car(7520, 0);
  static const std::uint8_t snapshot[4][788] = {};
  carPartSetups().engine = [](void*) { throw std::runtime_error("torque curve speeds do not rise"); };
  EXPECT_FALSE(loadCarParametersLogged(car.data(), snapshot));
  EXPECT_FALSE(carParametersLoaded);
  carPartSetups().engine = nullptr;
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
