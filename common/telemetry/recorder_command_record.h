#pragma once
// The 65568-byte block exchanged with the telemetry recorder daemon: a command code and its
// payload from the plugin, and a reply area at the end written by the daemon.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace kvl {

enum class RecorderCommand : int32_t {
  None = 0,
  SetRecordSet = 1,
  Start = 2,
  AddData = 3,
  Save = 4,
  Stop = 5,
  Clear = 6,
  Shutdown = 7,
  Cancel = 8,
};

enum class JobState : int32_t {
  None = 0,
  New = 1,
  Running = 2,
  Canceled = 3,
  Finished = 4,
  Failed = 5,
};

struct RecorderCommandRecord {
  static constexpr size_t kSize = 65568;
  static constexpr size_t kPayloadSize = 65536;
  static constexpr size_t kMaxTextLength = kPayloadSize - 1;
  // What travels: the request from the start, the reply as two pieces behind it.
  static constexpr size_t kRequestOffset = 0;
  static constexpr size_t kRequestLength = 65540;
  static constexpr size_t kReplyOffset = 65544;
  static constexpr size_t kReplyLength = 16;
  static constexpr size_t kJobReplyOffset = 65560;
  static constexpr size_t kJobReplyLength = 8;

  int32_t command;               // RecorderCommand
  unsigned char payload[kPayloadSize];
  unsigned char padding[4];      // never transferred
  int32_t found;                 // 1 when a Save found or started its job, or a Cancel found its job
  unsigned char replyPadding[4];
  int64_t bufferedBytes;         // the daemon's row buffer in whole chunks
  int32_t progress;              // percent
  int32_t jobState;              // JobState

  // Stores the code and zeroes the whole payload.
  void setCommand(int32_t code);
  void setCommand(RecorderCommand code) { setCommand(static_cast<int32_t>(code)); }
  void clearPayload();
  // Copies at most 65535 bytes of the text and a NUL behind them; returns the bytes copied.
  size_t setPayloadText(const std::string& text);
  // The payload up to its first NUL (the whole payload when it holds none).
  std::string payloadText() const;
  int32_t commandCode() const { return command; }
  // Zeroes the 24 bytes of the reply area (the daemon does this before each command).
  void clearReply();
};

static_assert(sizeof(RecorderCommandRecord) == RecorderCommandRecord::kSize, "record size");
static_assert(offsetof(RecorderCommandRecord, payload) == 4, "payload offset");
static_assert(offsetof(RecorderCommandRecord, padding) == 65540, "padding offset");
static_assert(offsetof(RecorderCommandRecord, found) == RecorderCommandRecord::kReplyOffset, "found offset");
static_assert(offsetof(RecorderCommandRecord, bufferedBytes) == 65552, "buffered bytes offset");
static_assert(offsetof(RecorderCommandRecord, progress) == RecorderCommandRecord::kJobReplyOffset, "progress offset");
static_assert(offsetof(RecorderCommandRecord, jobState) == 65564, "job state offset");

// A new record, every byte zero.
std::shared_ptr<RecorderCommandRecord> makeCommandRecord();

// "None", "SetRecordSet", ... "Cancel"; "Unknown" for any other code.
const char* recorderCommandWord(int32_t code);
// "None", "New", "Running", "Canceled", "Finished", "Failed"; "Unknown" for any other value.
const char* jobStateWord(int32_t state);

}  // namespace kvl
