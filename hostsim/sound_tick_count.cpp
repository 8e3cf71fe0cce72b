#include "hostsim/sound_tick_count.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <cstdio>
#include <mutex>
#include <vector>

#include "hostsim/address_table.h"
#include "hostsim/audio_host.h"
#include "hostsim/call_trace.h"
#include "hostsim/frame_pacing.h"
#include "hostsim/runtime_host.h"

namespace hostsim {
namespace {

// The sound code's instruction that reads the alternating value.
constexpr std::uint32_t kToggleOperand = 0x4D2778;
// A daemon pauses by itself after this long without a request; a gap close to it may hold one.
constexpr double kQuietGapSeconds = 0.19;

struct StepCount {
  std::mutex lock;
  std::atomic<bool> counting{false};
  int hostSteps = 0, workerSteps = 0, pairs = 0, changed = 0;
  bool havePrevious = false;
  float previous = 0.0f;
};
StepCount& count() {
  static StepCount c;
  return c;
}

std::string fmodTracePath() {
  char path[MAX_PATH];
  const DWORD n = GetEnvironmentVariableA("FMODSIM_TRACE", path, sizeof path);
  return n == 0 || n >= sizeof path ? std::string() : std::string(path, n);
}

long fileSize(const std::string& path) {
  FILE* f = path.empty() ? nullptr : std::fopen(path.c_str(), "rb");
  if (f == nullptr) return 0;
  std::fseek(f, 0, SEEK_END);
  const long size = std::ftell(f);
  std::fclose(f);
  return size;
}

// The Studio updates the stand-in traced from byte `from` on.
int studioUpdatesSince(const std::string& path, long from) {
  FILE* f = path.empty() ? nullptr : std::fopen(path.c_str(), "rb");
  if (f == nullptr) return 0;
  std::fseek(f, from, SEEK_SET);
  int updates = 0;
  char line[1024];
  static const char kUpdate[] = "FMOD_Studio_System_Update ";
  while (std::fgets(line, sizeof line, f) != nullptr) {
    if (std::strncmp(line, kUpdate, sizeof kUpdate - 1) == 0) ++updates;
  }
  std::fclose(f);
  return updates;
}

double now() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void runFrame(bool drive, int frame) {
  if (drive) driveFrameEvents(frame, true);
  runFrameCalls(1.0f / 60.0f);
}

}  // namespace

void noteSoundTickStep() {
  StepCount& c = count();
  if (!c.counting) return;
  const float value = runFloatOperandSite(kToggleOperand);
  std::lock_guard<std::mutex> hold(c.lock);
  if (!c.counting) return;
  ++(threadRole()[0] == 'h' ? c.hostSteps : c.workerSteps);
  if (c.havePrevious) {
    ++c.pairs;
    if (value != c.previous) ++c.changed;
  }
  c.previous = value;
  c.havePrevious = true;
}

bool runSoundTickStep(const std::string& step, std::istream& in) {
  if (step != "soundticks") return false;
  int frames = 0;
  std::string mode;
  in >> frames >> mode;
  const bool drive = mode == "drive";
  FramePacer pacer(60.0);
  int frame = pacer.nextFrame() + 1;
  double lastStart = now();
  runFrame(drive, frame);

  const std::string tracePath = fmodTracePath();
  const long traceStart = fileSize(tracePath);
  StepCount& c = count();
  {
    std::lock_guard<std::mutex> hold(c.lock);
    c.hostSteps = c.workerSteps = c.pairs = c.changed = 0;
    c.havePrevious = false;
    c.counting = true;
  }
  int quietGaps = 0;
  for (int k = 0; k < frames; ++k) {
    frame = pacer.nextFrame() + 1;
    const double start = now();
    runFrame(drive, frame);
    if (now() - lastStart >= kQuietGapSeconds) ++quietGaps;
    lastStart = start;
  }
  int hostSteps, workerSteps, pairs, changed;
  {
    std::lock_guard<std::mutex> hold(c.lock);
    c.counting = false;
    hostSteps = c.hostSteps, workerSteps = c.workerSteps, pairs = c.pairs, changed = c.changed;
  }
  const int updates = studioUpdatesSince(tracePath, traceStart);
  const int requests = updates <= frames ? updates : std::max(frames, updates - quietGaps);
  char text[160];
  std::snprintf(text, sizeof text, "host sound ticks %d frames, %d steps: %d on the host, %d on the worker", frames,
                hostSteps + workerSteps, hostSteps, workerSteps);
  trace(text);
  std::snprintf(text, sizeof text, "host sound toggle changed between %d of %d step pairs", changed, pairs);
  trace(text);
  std::snprintf(text, sizeof text, "host sound daemon requests %d in %d frames", requests, frames);
  trace(text);
  return true;
}

}  // namespace hostsim
