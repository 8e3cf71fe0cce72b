#include "common/telemetry/recorder_command_record.h"

#include <cstring>

namespace kvl {

void RecorderCommandRecord::setCommand(int32_t code) {
  command = code;
  clearPayload();
}

void RecorderCommandRecord::clearPayload() {
  std::memset(payload, 0, sizeof payload);
}

size_t RecorderCommandRecord::setPayloadText(const std::string& text) {
  const size_t length = text.size() < kMaxTextLength ? text.size() : kMaxTextLength;
  std::memcpy(payload, text.data(), length);
  payload[length] = 0;
  return length;
}

std::string RecorderCommandRecord::payloadText() const {
  const void* nul = std::memchr(payload, 0, sizeof payload);
  const size_t length = nul ? static_cast<size_t>(static_cast<const unsigned char*>(nul) - payload) : sizeof payload;
  return std::string(reinterpret_cast<const char*>(payload), length);
}

void RecorderCommandRecord::clearReply() {
  found = 0;
  std::memset(replyPadding, 0, sizeof replyPadding);
  bufferedBytes = 0;
  progress = 0;
  jobState = 0;
}

std::shared_ptr<RecorderCommandRecord> makeCommandRecord() {
  auto record = std::make_shared<RecorderCommandRecord>();
  std::memset(record.get(), 0, sizeof(RecorderCommandRecord));
  return record;
}

const char* recorderCommandWord(int32_t code) {
  static const char* const words[] = {"None", "SetRecordSet", "Start", "AddData", "Save",
                                      "Stop", "Clear",        "Shutdown", "Cancel"};
  return code >= 0 && code <= 8 ? words[code] : "Unknown";
}

const char* jobStateWord(int32_t state) {
  static const char* const words[] = {"None", "New", "Running", "Canceled", "Finished", "Failed"};
  return state >= 0 && state <= 5 ? words[state] : "Unknown";
}

}  // namespace kvl
