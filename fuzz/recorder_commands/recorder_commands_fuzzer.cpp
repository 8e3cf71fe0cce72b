// The recorder daemon's command handling on arbitrary command sequences. Each command is a code
// byte, a length byte and that many payload bytes. File names are confined to a scratch folder:
// Start always names the same record-set file, Save and Cancel one of eight output files.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "daemons/recorder/recorder_server.h"

namespace {

std::string& scratchPath() {
  static std::string path;
  return path;
}

// Each process has its folder (fork mode starts many), removed when the process exits.
void removeScratch() {
  std::error_code ignored;
  std::filesystem::remove_all(scratchPath(), ignored);
}

std::string scratch() {
  static const std::string dir = [] {
    std::string d = "/tmp/qzr-recorder-fuzz-" + std::to_string(getpid());
    mkdir(d.c_str(), 0700);
    scratchPath() = d;
    std::atexit(removeScratch);
    std::ofstream ini(d + "/telemetry.ini", std::ios::binary);
    ini << "[A]\nspeed=1\nLF.wear[7]=1\nposition=1\n[B]\ngear=1\n[C]\nutcSystemTime=1\nroll=1\n[]\n";
    return d;
  }();
  return dir;
}

// Commands read from one input: enough for every sequence that matters (start, rows, save,
// cancel, clear ...); longer inputs only repeated work and made the harness slow.
constexpr size_t kMaxInputBytes = 128;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string dir = scratch();
  if (size > kMaxInputBytes) size = kMaxInputBytes;
  // Save jobs run on this thread after each command: no thread per input, and every run of an
  // input takes the same steps.
  // A cap of 120 KiB: one chunk of the sets' short rows, small enough to come from the
  // sanitizer's fast allocator rather than a mapping of its own per input; rows beyond it are
  // refused, which the harness reaches as well.
  kvl::RecorderServer server(120 * 1024, kvl::JobThread::Caller);
  // One record for the whole run (64 KiB), emptied for each input.
  static const std::shared_ptr<kvl::RecorderCommandRecord> record = kvl::makeCommandRecord();
  std::memset(static_cast<void*>(record.get()), 0, sizeof(kvl::RecorderCommandRecord));
  size_t pos = 0;
  while (pos + 2 <= size) {
    const int32_t code = static_cast<int32_t>(data[pos] % 11) - 1;  // -1 .. 9
    size_t length = data[pos + 1];
    pos += 2;
    if (length > size - pos) length = size - pos;
    const std::string bytes(reinterpret_cast<const char*>(data + pos), length);
    pos += length;

    record->setCommand(code);
    switch (code) {
      case 2:
        record->setPayloadText(dir + "/telemetry.ini");
        break;
      case 4:
      case 8:
        record->setPayloadText(dir + "/job" + std::to_string(length ? bytes[0] & 7 : 0) + ".tsv");
        break;
      default:
        std::memcpy(record->payload, bytes.data(), bytes.size());
        break;
    }
    const bool goOn = server.handleCommand(*record);
    try {
      server.ioContext().poll();
    } catch (...) {
      // As on the worker: a failing job is dropped.
    }
    if (record->found < 0 || record->found > 1 || record->progress < 0 || record->progress > 100 ||
        record->jobState < 0 || record->jobState > 5 || record->bufferedBytes < 0 ||
        (record->bufferedBytes >> 32) != 0) {
      std::abort();
    }
    if (!goOn) break;
  }
  return 0;
}
