#include "daemons/recorder/save_job.h"

#include <chrono>
#include <fstream>
#include <locale>
#include <memory>
#include <vector>

namespace kvl {

bool SaveJob::cancel() {
  int32_t current = state_.load();
  while (current == static_cast<int32_t>(JobState::New) || current == static_cast<int32_t>(JobState::Running)) {
    if (state_.compare_exchange_weak(current, static_cast<int32_t>(JobState::Canceled))) return true;
  }
  return false;
}

bool SaveJob::transition(JobState from, JobState to) {
  int32_t expected = static_cast<int32_t>(from);
  return state_.compare_exchange_strong(expected, static_cast<int32_t>(to));
}

namespace {

using Clock = std::chrono::steady_clock;
// How often the STOP event is looked at while rows are written (a system call each time).
constexpr auto kStopPollInterval = std::chrono::milliseconds(10);
constexpr uint64_t kClockCheckRows = 256;
// Rows are printed into a block of text that goes to the file in one write when it is full.
constexpr size_t kTextBlockBytes = 1 << 20;

// One active channel: where its value sits in a packed row.
struct Column {
  const TelemetryChannel* channel;
  size_t offset;
};

}  // namespace

void writeSaveJob(SaveJob& job, const std::shared_ptr<RowBuffer>& rows, const ChannelList& channels,
                  const StopEvent& stop) {
  if (!rows) {
    job.transition(JobState::New, JobState::Failed);
    return;
  }
  // A job cancelled while it waited in the queue is not started.
  if (!job.transition(JobState::New, JobState::Running)) return;

  std::ofstream out(job.name(), std::ios::out | std::ios::binary | std::ios::trunc);
  out.imbue(std::locale::classic());

  const uint64_t rowCount = rows->rowCount();
  writeHeaderOf(channels, out, '\t');
  out << "\r\n";

  std::vector<Column> columns;
  size_t rowTextMax = 2;  // the line break
  size_t offset = 0;
  for (const auto& c : channels) {
    columns.push_back({c.get(), offset});
    offset += c->size();
    rowTextMax += c->maxTextSize();
  }
  // No larger than the rows need, and not zero-filled: every byte is printed before it is
  // written out.
  const uint64_t rowsText = rowCount * rowTextMax;
  const size_t blockBytes = rowsText < kTextBlockBytes ? static_cast<size_t>(rowsText) : kTextBlockBytes;
  const std::unique_ptr<char[]> block(new char[blockBytes + rowTextMax]);
  char* const blockStart = block.get();
  char* text = blockStart;
  // Hands the printed rows to the stream; false when the stream has failed.
  auto writeText = [&] {
    out.write(blockStart, text - blockStart);
    text = blockStart;
    return static_cast<bool>(out);
  };

  uint64_t step = rowCount / 100;
  if (step < 100) step = 100;
  auto lastPoll = Clock::now();

  for (uint64_t i = 0; i < rowCount && out; ++i) {
    const unsigned char* row = rows->row(i);
    for (const Column& column : columns) text = column.channel->printValue(row + column.offset, text, '\t');
    *text++ = '\r';
    *text++ = '\n';
    if (text - blockStart >= static_cast<std::ptrdiff_t>(blockBytes) && !writeText()) break;
    if (job.state() == JobState::Canceled) {
      writeText();  // the rows printed so far stay in the file
      return;
    }
    if (i % step == 0) job.setProgress(static_cast<int32_t>(i * 100 / rowCount));
    if (i == 0 || i % kClockCheckRows == 0) {
      const auto now = Clock::now();
      if (i == 0 || now - lastPoll >= kStopPollInterval) {
        lastPoll = now;
        if (stop.isSet()) {
          writeText();
          job.transition(JobState::Running, JobState::Canceled);
          return;
        }
      }
    }
  }

  writeText();
  out.flush();
  // Rows the buffer had to refuse (its cap, or no memory) are missing from the file: it is
  // written with what was kept, but the job does not claim to be complete.
  if (out.good() && rows->refusedRows() == 0) {
    job.setProgress(100);
    job.transition(JobState::Running, JobState::Finished);
  } else {
    job.transition(JobState::Running, JobState::Failed);
  }
}

}  // namespace kvl
