// The save-job writer's tab-separated output against a plain buffered write of the same bytes.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/telemetry/stop_event.h"
#include "common/telemetry/telemetry_channel_table.h"
#include "daemons/recorder/save_job.h"

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

}  // namespace

int main() {
  constexpr uint32_t kRows = 20000;
  kvl::TelemetryChannelTable table;
  table.build(kvl::HostObjects{});
  table.select(table.registrationOrder());  // every channel: 764 bytes, 190 columns
  auto rows = std::make_shared<kvl::RowBuffer>(static_cast<uint32_t>(table.rowSize()));
  std::vector<unsigned char> row(table.rowSize());
  for (uint32_t i = 0; i < kRows; ++i) {
    // Varied values: a time, then floats and integers that print with several digits.
    const uint64_t time = 133000000000000000ull + i * 13888ull;
    std::memcpy(row.data(), &time, 8);
    for (size_t off = 8; off + 4 <= row.size(); off += 4) {
      const float v = static_cast<float>((i * 7919u + off * 104729u) % 100000) / 37.0f;
      std::memcpy(row.data() + off, &v, 4);
    }
    rows->append(row.data());
  }

  const std::string tsvPath = "qzr-bench-writer.tsv";
  const std::string plainPath = "qzr-bench-plain.tsv";
  kvl::StopEvent stop;
  // The writer, then the plain write of the bytes it wrote, three times in turn; the best time of
  // each counts (a busy machine only ever makes a run slower).
  double writerSeconds = 0;
  double plainSeconds = 0;
  std::string text;
  const char* state = "";
  for (int round = 0; round < 3; ++round) {
    kvl::SaveJob job(tsvPath);
    auto start = Clock::now();
    kvl::writeSaveJob(job, rows, table.active(), stop);
    const double w = seconds(start);
    writerSeconds = round == 0 ? w : std::min(writerSeconds, w);
    state = kvl::jobStateWord(static_cast<int32_t>(job.state()));
    if (round == 0) {
      std::ifstream in(tsvPath, std::ios::binary);
      std::ostringstream s;
      s << in.rdbuf();
      text = s.str();
    }
    std::remove(tsvPath.c_str());

    start = Clock::now();
    {
      std::vector<char> buffer(1 << 20);
      std::ofstream out;
      out.rdbuf()->pubsetbuf(buffer.data(), static_cast<std::streamsize>(buffer.size()));
      out.open(plainPath, std::ios::binary | std::ios::trunc);
      // The same bytes, written line by line as a writer produces them.
      size_t pos = 0;
      while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        end = end == std::string::npos ? text.size() : end + 1;
        out.write(text.data() + pos, static_cast<std::streamsize>(end - pos));
        pos = end;
      }
    }
    const double p = seconds(start);
    plainSeconds = round == 0 ? p : std::min(plainSeconds, p);
    std::remove(plainPath.c_str());
  }

  const double mb = static_cast<double>(text.size()) / 1e6;
  std::printf("tsv writer: %u rows x 190 columns, %.1f MB, job %s (best of 3)\n", kRows, mb, state);
  std::printf("  writer        %8.1f MB/s  (%.0f rows/s)\n", mb / writerSeconds, kRows / writerSeconds);
  std::printf("  plain write   %8.1f MB/s\n", mb / plainSeconds);
  std::printf("  ratio writer / plain write: %.3f\n", plainSeconds / writerSeconds);
  return 0;
}
