// Cleaver on a generated LBS file of about 200 MB against copying the same file, and Animscan on
// a DLS file of about 200 MB against reading it whole. Each program is started as a process,
// as a player would run it.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "tests/generators/dls_generator.h"
#include "tests/generators/lbs_generator.h"
#include "tests/support/run_program.h"
#include "tests/support/work_dir.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr uint64_t kTargetBytes = 200ull << 20;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// The baseline for Cleaver: one read and one write of every byte.
bool copyFile(const char* from, const char* to) {
  std::FILE* in = std::fopen(from, "rb");
  std::FILE* out = std::fopen(to, "wb");
  bool ok = in && out;
  std::vector<char> buffer(1 << 16);
  while (ok) {
    const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), in);
    if (got == 0) break;
    ok = std::fwrite(buffer.data(), 1, got, out) == got;
  }
  if (in) std::fclose(in);
  if (out) ok = std::fclose(out) == 0 && ok;
  return ok;
}

// The baseline for Animscan: the whole file read into memory in one piece.
std::size_t readWhole(const char* path) {
  std::FILE* in = std::fopen(path, "rb");
  if (!in) return 0;
  std::fseek(in, 0, SEEK_END);
  const long size = std::ftell(in);
  std::rewind(in);
  const std::size_t length = size > 0 ? static_cast<std::size_t>(size) : 0;
  std::unique_ptr<char[]> data(new char[length + 1]);
  const std::size_t got = std::fread(data.get(), 1, length, in);
  std::fclose(in);
  return got;
}

// Each measure is taken five times, in turn with its baseline; the best time of each counts
// (a busy machine only ever makes a run slower).
constexpr int kRounds = 5;

// The time a program takes to start and end with nothing to do (its usage text), best of ten
// runs: under Wine a process start alone costs about as much as copying 200 MB in the page
// cache, and it says nothing about how fast a tool splits or reads a file.
double startSeconds(const char* program) {
  double best = 0;
  for (int round = 0; round < 2 * kRounds; ++round) {
    const auto start = Clock::now();
    kvl::testing::runProgram(program, {});
    const double s = secondsSince(start);
    best = round == 0 ? s : std::min(best, s);
  }
  return best;
}

// The tool's time without its start, against the baseline; and with it.
void printRatio(const char* what, double toolSeconds, double startup, double baseSeconds) {
  if (baseSeconds <= 0) return;
  const double work = toolSeconds > startup ? toolSeconds - startup : 0.0;
  std::printf("ratio %s: %.2f (start-up %.3f s left out; %.2f with it)\n", what, work / baseSeconds, startup,
              toolSeconds / baseSeconds);
}

void benchCleaver() {
  const uint64_t size = kvl::testdata::writeLargeLbs("stage.lbs", kTargetBytes);
  if (size == 0) {
    std::printf("cleaver: could not write the generated LBS file\n");
    return;
  }
  double copySeconds = 0, cleaverSeconds = 0;
  bool copied = true;
  int exitCode = 0;
  for (int round = 0; round < kRounds; ++round) {
    auto start = Clock::now();
    copied = copyFile("stage.lbs", "copy.lbs") && copied;
    const double c = secondsSince(start);
    std::remove("copy.lbs");
    start = Clock::now();
    const auto run = kvl::testing::runProgram(CLEAVER_PROGRAM, {"stage.lbs"});
    const double t = secondsSince(start);
    exitCode = run.exitCode;
    // Back to the original file for the next round.
    std::remove("stage.lbs");
    std::remove("stage.lb2");
    std::rename("stage.lbs.orig", "stage.lbs");
    copySeconds = round == 0 ? c : std::min(copySeconds, c);
    cleaverSeconds = round == 0 ? t : std::min(cleaverSeconds, t);
  }
  std::printf("cleaver: %.1f MB, copy %.3f s%s, Cleaver %.3f s (exit %d), best of %d\n", size / 1048576.0,
              copySeconds, copied ? "" : " (failed)", cleaverSeconds, exitCode, kRounds);
  printRatio("Cleaver / copy", cleaverSeconds, startSeconds(CLEAVER_PROGRAM), copySeconds);
  for (const char* f : {"stage.lbs", "stage.lb2", "stage.lbs.orig", "copy.lbs"}) std::remove(f);
}

void benchAnimscan() {
  if (kvl::testdata::writeLargeDls("big.dls", kTargetBytes) == 0) {
    std::printf("animscan: could not write the generated DLS file\n");
    return;
  }
  double readSeconds = 0, animscanSeconds = 0;
  std::size_t size = 0;
  bool ok = true;
  for (int round = 0; round < kRounds; ++round) {
    auto start = Clock::now();
    size = readWhole("big.dls");
    const double r = secondsSince(start);
    start = Clock::now();
    const auto run = kvl::testing::runProgram(ANIMSCAN_PROGRAM, {"big.dls"});
    const double a = secondsSince(start);
    ok = ok && run.output.find("): OK") != std::string::npos;
    readSeconds = round == 0 ? r : std::min(readSeconds, r);
    animscanSeconds = round == 0 ? a : std::min(animscanSeconds, a);
  }
  std::printf("animscan: %.1f MB, read %.3f s, Animscan %.3f s (%s), best of %d\n", size / 1048576.0, readSeconds,
              animscanSeconds, ok ? "OK" : "unexpected verdict", kRounds);
  printRatio("Animscan / read", animscanSeconds, startSeconds(ANIMSCAN_PROGRAM), readSeconds);
  std::remove("big.dls");
  std::remove("dlserrors.log");
}

}  // namespace

int main() {
  try {
    kvl::testing::ScopedWorkDir dir("bench-track-tools");
#ifdef __SANITIZE_ADDRESS__
    std::printf("(native build with sanitizers: the tools run instrumented)\n");
#endif
    benchCleaver();
    benchAnimscan();
  } catch (const std::exception& e) {
    std::printf("benchmark ended early: %s\n", e.what());
  }
  return 0;
}
