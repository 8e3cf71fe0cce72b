// One AddData exchange through the real channel and recorder daemon, against a bare event
// ping-pong between two processes started the same way and against the same ping-pong with the
// channel's mutex around each exchange (the floor of the channel's design); and rows ingested
// per second.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "common/daemon/channel_exchange.h"
#include "common/daemon/daemon_launcher.h"
#include "common/daemon/daemon_startup.h"
#include "common/telemetry/recorder_channel_layout.h"
#include "common/telemetry/recorder_command_record.h"

namespace {

constexpr int kRounds = 3000;

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

// Round trips of the two events alone (the bare ping-pong), or with the channel's mutex taken
// before and released after each (the floor of the channel's design), between two processes.
Stats eventRoundTrips(bool withMutex) {
  kvl::DaemonLauncher launcher(ownPath(), "", 64);
  std::vector<double> samples;
  if (!launcher.process()) return {0, 0, 0};
  HANDLE request = launcher.channel().requestEvent().handle;
  HANDLE reply = launcher.channel().replyEvent().handle;
  HANDLE mutex = launcher.channel().mutex();
  for (int i = 0; i < kRounds + 100; ++i) {
    const double start = nowMicros();
    if (withMutex) WaitForSingleObject(mutex, INFINITE);
    SetEvent(request);
    WaitForSingleObject(reply, INFINITE);
    ResetEvent(reply);
    if (withMutex) ReleaseMutex(mutex);
    if (i >= 100) samples.push_back(nowMicros() - start);
  }
  TerminateProcess(launcher.process(), 0);
  return stats(samples);
}

Stats addDataRoundTrips(const std::string& daemon, const std::string& ini) {
  kvl::DaemonLauncher launcher(daemon, "", kvl::RecorderCommandRecord::kSize);
  std::vector<double> samples;
  if (!launcher.process()) return {0, 0, 0};
  auto record = kvl::makeCommandRecord();
  auto command = [&](kvl::RecorderCommand code, const std::string& text) {
    record->setCommand(code);
    record->setPayloadText(text);
    kvl::exchangeWithDaemon(&launcher, record.get(), kvl::recorderChannelLayout());
  };
  command(kvl::RecorderCommand::SetRecordSet, "All");
  command(kvl::RecorderCommand::Start, ini);
  record->setCommand(kvl::RecorderCommand::AddData);
  for (int i = 0; i < kRounds + 100; ++i) {
    std::memcpy(record->payload + 8, &i, 4);
    const double start = nowMicros();
    kvl::exchangeWithDaemon(&launcher, record.get(), kvl::recorderChannelLayout());
    if (i >= 100) samples.push_back(nowMicros() - start);
  }
  if (record->bufferedBytes <= 0) std::printf("  (the daemon buffered nothing: is the record set read?)\n");
  command(kvl::RecorderCommand::Stop, "");
  command(kvl::RecorderCommand::Clear, "");
  command(kvl::RecorderCommand::Shutdown, "");
  WaitForSingleObject(launcher.process(), 5000);
  return stats(samples);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 6) return kvl::runDaemon(argc, argv, "64-bit", 64, pong);

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

  const Stats bare = eventRoundTrips(false);
  const Stats floor = eventRoundTrips(true);
  const Stats channel = addDataRoundTrips(daemon, ini);
  DeleteFileA(ini.c_str());
  if (bare.median <= 0 || floor.median <= 0 || channel.median <= 0) {
    std::printf("recorder channel bench: could not start the processes\n");
    return 0;
  }
  std::printf("recorder channel: %d round trips each (row of 308 bytes)\n", kRounds);
  std::printf("  bare event ping-pong   median %8.1f us   p99 %8.1f us\n", bare.median, bare.p99);
  std::printf("  events and mutex       median %8.1f us   p99 %8.1f us\n", floor.median, floor.p99);
  std::printf("  AddData exchange       median %8.1f us   p99 %8.1f us\n", channel.median, channel.p99);
  std::printf("  ratio AddData / ping-pong: median %.2f   p99 %.2f\n", channel.median / bare.median,
              channel.p99 / bare.p99);
  std::printf("  ratio AddData / events and mutex: median %.2f   p99 %.2f\n", channel.median / floor.median,
              channel.p99 / floor.p99);
  std::printf("  rows ingested per second: %.0f (ping-pongs per second: %.0f, ratio %.2f)\n",
              kRounds * 1e6 / channel.total, kRounds * 1e6 / bare.total, bare.total / channel.total);
  return 0;
}
