// The force-feedback and input workers read their rates from Korvala.ini as they are built
// (on the host stand-in, whose globals are empty): limited to 0..1000, no thread at 0.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "plugin/host/workers/input_workers.h"
#include "tests/support/host_fixture.h"
#include "tests/support/scratch_folder.h"

TEST(WorkerRates, TheWorkersTakeTheirOptionsLimitedTo0To1000) {
  kvl::testing::HostFixture host;
  ASSERT_TRUE(host.loaded());
  kvl::testing::ScratchFolder scratch;
  const struct {
    const char* ffbRate;  // null: no key
    const char* inputRate;
    std::int32_t ffb;
    std::int32_t input;
  } cases[] = {
      {nullptr, nullptr, 1000, 1000}, {"1500", "-5", 1000, 0}, {"720", "1", 720, 1},
      {"0", "1000", 0, 1000},         {"abc", "1001", 0, 1000},
  };
  for (const auto& c : cases) {
    std::string ini = "[QZR]\r\n";
    if (c.ffbRate != nullptr) ini += std::string("ffbRate=") + c.ffbRate + "\r\n";
    if (c.inputRate != nullptr) ini += std::string("inputRate=") + c.inputRate + "\r\n";
    kvl::testing::writeWholeFile("Korvala.ini", ini);
    kvl::host::ForceFeedbackWorker ffb;
    kvl::host::InputWorker input;
    const std::string what = std::string(c.ffbRate ? c.ffbRate : "none") + "/" + (c.inputRate ? c.inputRate : "none");
    EXPECT_EQ(ffb.rate(), c.ffb) << what;
    EXPECT_EQ(input.rate(), c.input) << what;
    EXPECT_EQ(ffb.hasThread(), c.ffb > 0) << what;
    EXPECT_EQ(input.hasThread(), c.input > 0) << what;
  }
}
