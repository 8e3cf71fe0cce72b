// One AddData exchange through the real channel and recorder daemon, against a bare event
// ping-pong between two processes started the same way and against the same ping-pong with the
// channel's mutex around each exchange (the floor of the channel's design), measured in turns,
// with several sets of processes; and rows ingested per second.
//
// Every far side runs on one processor and this process on another. Left to the system, where it
// happens to wake each process weighs more than the exchange's own work: under Wine on a virtual
// machine two processes making the very same calls differed by up to a fifth in their round
// trips, the same way in every set of a run and by a different amount in the next run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/daemon/channel_exchange.h"
#include "common/daemon/daemon_launcher.h"
#include "common/daemon/daemon_startup.h"
#include "common/telemetry/recorder_channel_layout.h"
#include "common/telemetry/recorder_command_record.h"

namespace {

// Round trips per measure: kSets sets of processes, each measured for kRounds / kSets.
constexpr int kRounds = 4200;
// Two processes that do the same thing differ by up to a seventh in their round trips when the
// machine is busy (where the system happens to run each one): one set of processes would weigh
// that on the ratios, so each set gets a ratio of its own and the run reports their median.
constexpr int kSets = 7;

// The processors the measures run on: this process on the first, every far side on the second
// (none chosen when the process may use only one).
struct Placement {
  DWORD_PTR client = 0;
  DWORD_PTR farSide = 0;
};

Placement choosePlacement() {
  DWORD_PTR own = 0, system = 0;
  Placement p;
  if (!GetProcessAffinityMask(GetCurrentProcess(), &own, &system)) return p;
  for (DWORD_PTR bit = 1; bit != 0; bit <<= 1) {
    if (!(own & bit)) continue;
    if (!p.client) {
      p.client = bit;
    } else {
      p.farSide = bit;
      break;
    }
  }
  if (!p.farSide) return {};
  return p;
}

const Placement& placement() {
  static const Placement p = choosePlacement();
  return p;
}

void placeFarSide(HANDLE process) {
  if (process && placement().farSide) SetProcessAffinityMask(process, placement().farSide);
}

double nowMicros() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

std::string ownPath() {
  char buffer[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  return buffer;
}

std::string folderOf(const std::string& path) { return path.substr(0, path.find_last_of("\\/")); }

struct Stats {
  double median;
  double p99;
  double total;
};

Stats stats(std::vector<double> samples) {
  double total = 0;
  for (double s : samples) total += s;
  std::sort(samples.begin(), samples.end());
  return {samples[samples.size() / 2], samples[samples.size() * 99 / 100], total};
}

// The far side of the bare ping-pong: answer every request event at once.
void pong(HANDLE plugin, std::shared_ptr<kvl::InheritedChannel> channel) {
  for (;;) {
    kvl::RequestWait wait = channel->waitForRequest(plugin, 60000);
    if (wait != kvl::RequestWait::Request) return;
    channel->resetRequest();
    channel->setReply();
  }
}

// The two events alone (the bare ping-pong), or with the channel's mutex taken before and
// released after (the floor of the channel's design), between this process and a copy of it.
struct EventRoundTrip {
  kvl::DaemonLauncher launcher{ownPath(), "", 64};
  bool withMutex;

  explicit EventRoundTrip(bool mutex) : withMutex(mutex) { placeFarSide(launcher.process()); }
  ~EventRoundTrip() {
    if (launcher.process()) TerminateProcess(launcher.process(), 0);
  }
  bool ready() const { return launcher.process() != nullptr; }
  void operator()() {
    kvl::DaemonChannel& channel = launcher.channel();
    if (withMutex) WaitForSingleObject(channel.mutex(), INFINITE);
    SetEvent(channel.requestEvent().handle);
    WaitForSingleObject(channel.replyEvent().handle, INFINITE);
    ResetEvent(channel.replyEvent().handle);
    if (withMutex) ReleaseMutex(channel.mutex());
  }
};

// One AddData through the real channel and recorder daemon, recording the "All" set.
struct AddDataRoundTrip {
  kvl::DaemonLauncher launcher;
  std::shared_ptr<kvl::RecorderCommandRecord> record = kvl::makeCommandRecord();
  int row = 0;

  AddDataRoundTrip(const std::string& daemon, const std::string& ini)
      : launcher(daemon, "", kvl::RecorderCommandRecord::kSize) {
    placeFarSide(launcher.process());
    command(kvl::RecorderCommand::SetRecordSet, "All");
    command(kvl::RecorderCommand::Start, ini);
    record->setCommand(kvl::RecorderCommand::AddData);
  }
  ~AddDataRoundTrip() {
    if (record->bufferedBytes <= 0) std::printf("  (the daemon buffered nothing: is the record set read?)\n");
    command(kvl::RecorderCommand::Stop, "");
    command(kvl::RecorderCommand::Clear, "");
    command(kvl::RecorderCommand::Shutdown, "");
    WaitForSingleObject(launcher.process(), 5000);
  }
  bool ready() const { return launcher.process() != nullptr; }
  void command(kvl::RecorderCommand code, const std::string& text) {
    record->setCommand(code);
    record->setPayloadText(text);
    kvl::exchangeWithDaemon(&launcher, record.get(), kvl::recorderChannelLayout());
  }
  void operator()() {
    ++row;
    std::memcpy(record->payload + 8, &row, 4);
    kvl::exchangeWithDaemon(&launcher, record.get(), kvl::recorderChannelLayout());
  }
};

// Runs the measures in turns of a few round trips each, the first of each turn rotating, so a
// machine whose load changes during the run weighs on every measure alike; the samples of each
// measure are appended to its list.
template <typename... Measures>
void interleaved(std::vector<std::vector<double>>& samples, Measures&... measures) {
  constexpr int kTurn = 20;
  constexpr size_t kCount = sizeof...(Measures);
  std::vector<std::function<void()>> rounds = {[&measures] { measures(); }...};
  samples.resize(kCount);
  for (auto& round : rounds) {
    for (int i = 0; i < 100; ++i) round();  // warm-up
  }
  for (int turn = 0; turn < kRounds / kSets / kTurn; ++turn) {
    for (size_t k = 0; k < kCount; ++k) {
      const size_t m = (turn + k) % kCount;
      for (int i = 0; i < kTurn; ++i) {
        const double start = nowMicros();
        rounds[m]();
        samples[m].push_back(nowMicros() - start);
      }
    }
  }
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 6) return kvl::runDaemon(argc, argv, "64-bit", 64, pong);

  if (placement().client) SetProcessAffinityMask(GetCurrentProcess(), placement().client);
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string ini = std::string(temp) + "qzr-bench-telemetry.ini";
  {
    std::ofstream out(ini, std::ios::binary);
    out << "[All]\n";
    for (const char* n : {"utcSystemTime", "totalSteps", "speed", "engineRotation", "gear", "position", "roll",
                          "vecLinearVelocityCar"}) {
      out << n << "=1\n";
    }
    for (const char* w : {"LF", "RF", "LB", "RB"}) {
      for (int i = 0; i < 8; ++i) out << w << ".wear[" << i << "]=1\n" << w << ".segmentData[" << i << "].temperature=1\n";
    }
  }
  const std::string daemon = folderOf(folderOf(folderOf(ownPath()))) + "\\daemons\\recorder\\QzrTelemetryDaemon.exe";

  std::vector<std::vector<double>> all;  // every sample of the three measures
  std::vector<double> overBare, overFloor;  // each set's ratios of the medians
  for (int set = 0; set < kSets; ++set) {
    EventRoundTrip bareRound(false);
    EventRoundTrip floorRound(true);
    AddDataRoundTrip addData(daemon, ini);
    if (!bareRound.ready() || !floorRound.ready() || !addData.ready()) break;
    std::vector<std::vector<double>> samples;
    interleaved(samples, bareRound, floorRound, addData);
    const double bare = median(samples[0]), floor = median(samples[1]), channel = median(samples[2]);
    if (bare <= 0 || floor <= 0) break;
    overBare.push_back(channel / bare);
    overFloor.push_back(channel / floor);
    all.resize(samples.size());
    for (size_t m = 0; m < samples.size(); ++m) all[m].insert(all[m].end(), samples[m].begin(), samples[m].end());
  }
  DeleteFileA(ini.c_str());
  if (overFloor.size() != static_cast<size_t>(kSets)) {
    std::printf("recorder channel bench: could not start the processes\n");
    return 0;
  }
  std::vector<Stats> measured;
  for (auto& s : all) measured.push_back(stats(s));
  const Stats& bare = measured[0];
  const Stats& floor = measured[1];
  const Stats& channel = measured[2];
  std::printf("recorder channel: %d round trips each in %d sets of processes (row of 308 bytes)\n", kRounds, kSets);
  if (placement().client) {
    std::printf("  this process on processor mask %#llx, the far sides on %#llx\n",
                static_cast<unsigned long long>(placement().client), static_cast<unsigned long long>(placement().farSide));
  } else {
    std::printf("  one processor: the processes are not placed\n");
  }
  std::printf("  bare event ping-pong   median %8.1f us   p99 %8.1f us\n", bare.median, bare.p99);
  std::printf("  events and mutex       median %8.1f us   p99 %8.1f us\n", floor.median, floor.p99);
  std::printf("  AddData exchange       median %8.1f us   p99 %8.1f us\n", channel.median, channel.p99);
  // The median ratio is the median of the sets' own ratios; the p99 ratio is over all samples.
  std::printf("  ratio AddData / ping-pong: median %.2f   p99 %.2f\n", median(overBare), channel.p99 / bare.p99);
  std::printf("  ratio AddData / events and mutex: median %.2f   p99 %.2f\n", median(overFloor),
              channel.p99 / floor.p99);
  std::printf("  the sets' median ratios to events and mutex:");
  for (double r : overFloor) std::printf(" %.2f", r);
  std::printf("\n");
  std::printf("  rows ingested per second: %.0f (ping-pongs per second: %.0f, ratio %.2f)\n",
              kRounds * 1e6 / channel.total, kRounds * 1e6 / bare.total, bare.total / channel.total);
  return 0;
}
