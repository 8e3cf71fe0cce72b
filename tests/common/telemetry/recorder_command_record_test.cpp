#include <gtest/gtest.h>

#include <algorithm>

#include "common/telemetry/recorder_command_record.h"

namespace {

using kvl::RecorderCommandRecord;

TEST(RecorderCommandRecord, StartsAllZero) {
  auto record = kvl::makeCommandRecord();
  const auto* bytes = reinterpret_cast<const unsigned char*>(record.get());
  EXPECT_TRUE(std::all_of(bytes, bytes + RecorderCommandRecord::kSize, [](unsigned char b) { return b == 0; }));
}

TEST(RecorderCommandRecord, PayloadTextLimits) {
  struct Case {
    size_t length;
    size_t copied;
  };
  const Case cases[] = {{0, 0}, {1, 1}, {65534, 65534}, {65535, 65535}, {65536, 65535}, {70000, 65535}};
  auto record = kvl::makeCommandRecord();
  for (const Case& c : cases) {
    std::fill(record->payload, record->payload + sizeof record->payload, 0xAB);
    record->padding[0] = 0x11;
    const std::string text(c.length, 'x');
    EXPECT_EQ(record->setPayloadText(text), c.copied) << c.length;
    EXPECT_EQ(record->payload[c.copied], 0) << "NUL behind the text";
    EXPECT_EQ(record->payloadText(), std::string(c.copied, 'x'));
    EXPECT_EQ(record->padding[0], 0x11) << "the padding is never touched";
  }
}

TEST(RecorderCommandRecord, SetCommandClearsThePayloadOnly) {
  auto record = kvl::makeCommandRecord();
  record->setPayloadText("previous");
  record->found = 1;
  record->jobState = 4;
  record->setCommand(kvl::RecorderCommand::Save);
  EXPECT_EQ(record->commandCode(), 4);
  EXPECT_EQ(record->payloadText(), "");
  EXPECT_TRUE(std::all_of(record->payload, record->payload + sizeof record->payload,
                          [](unsigned char b) { return b == 0; }));
  EXPECT_EQ(record->found, 1) << "the reply area is the daemon's";
  record->clearReply();
  EXPECT_EQ(record->found, 0);
  EXPECT_EQ(record->jobState, 0);
}

TEST(RecorderCommandRecord, Words) {
  const char* commands[] = {"None", "SetRecordSet", "Start", "AddData", "Save",
                            "Stop", "Clear",        "Shutdown", "Cancel"};
  for (int code = 0; code <= 8; ++code) EXPECT_STREQ(kvl::recorderCommandWord(code), commands[code]);
  EXPECT_STREQ(kvl::recorderCommandWord(9), "Unknown");
  EXPECT_STREQ(kvl::recorderCommandWord(-1), "Unknown");
  const char* states[] = {"None", "New", "Running", "Canceled", "Finished", "Failed"};
  for (int s = 0; s <= 5; ++s) EXPECT_STREQ(kvl::jobStateWord(s), states[s]);
  EXPECT_STREQ(kvl::jobStateWord(6), "Unknown");
}

}  // namespace
