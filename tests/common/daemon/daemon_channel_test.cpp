#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <set>
#include <thread>
#include <vector>

#include "common/daemon/channel_exchange.h"
#include "common/daemon/daemon_channel.h"
#include "common/daemon/daemon_launcher.h"
#include "common/daemon/inherited_channel.h"
#include "tests/daemons/channel_client/channel_client_runner.h"

namespace {

using kvl::ExchangeResult;
using kvl::testing::buildTreePath;
using kvl::testing::splitLines;

const kvl::ChannelLayout kEchoLayout{64, {0, 32}, {{32, 32}}};

std::string echoDaemon() { return buildTreePath("tests/common/daemon/echo_daemon.exe"); }

bool inheritable(HANDLE h) {
  DWORD flags = 0;
  return h && GetHandleInformation(h, &flags) && (flags & HANDLE_FLAG_INHERIT);
}

TEST(DaemonChannel, CreatesInheritableUnsignalledObjects) {
  kvl::DaemonChannel channel(720);
  ASSERT_NE(channel.view(), nullptr);
  EXPECT_TRUE(inheritable(channel.mapping()));
  EXPECT_TRUE(inheritable(channel.requestEvent().handle));
  EXPECT_TRUE(inheritable(channel.replyEvent().handle));
  EXPECT_TRUE(inheritable(channel.mutex()));
  EXPECT_EQ(WaitForSingleObject(channel.requestEvent().handle, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_EQ(WaitForSingleObject(channel.replyEvent().handle, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  // Manual reset: a set event stays set until it is reset.
  SetEvent(channel.replyEvent().handle);
  EXPECT_EQ(WaitForSingleObject(channel.replyEvent().handle, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(channel.replyEvent().handle, 0), WAIT_OBJECT_0);
  // The whole block is there, zero-filled, and writable.
  EXPECT_TRUE(std::all_of(channel.view(), channel.view() + 720, [](unsigned char b) { return b == 0; }));
  channel.view()[719] = 1;
  channel.close();
  EXPECT_EQ(channel.view(), nullptr);
  EXPECT_EQ(channel.mapping(), nullptr);
  EXPECT_EQ(channel.mutex(), nullptr);
  channel.close();
}

TEST(DaemonLauncher, CommandLineForm) {
  struct Case {
    intptr_t values[5];
    const char* expected;
  };
  const Case cases[] = {
      {{4, 8, 12, 16, 20}, "\"C:\\bin\\D.exe\" 4 8 12 16 20"},
      {{-1, 0, 1000, 0x7fffffff, 65536}, "\"C:\\bin\\D.exe\" -1 0 1000 2147483647 65536"},
      {{-2, -2147483647 - 1, 255, 256, 4096}, "\"C:\\bin\\D.exe\" -2 -2147483648 255 256 4096"},
  };
  for (const Case& c : cases) {
    HANDLE h[5];
    for (int i = 0; i < 5; ++i) h[i] = reinterpret_cast<HANDLE>(c.values[i]);
    EXPECT_EQ(kvl::daemonCommandLine("C:\\bin\\D.exe", h[0], h[1], h[2], h[3], h[4]), c.expected);
  }
}

struct EchoRecord {
  unsigned char bytes[64] = {};
};

// The daemon's wait wakes for the object itself, never for its time-out: every case but the
// failing one waits without one, and the plugin's end comes first when both are signalled.
TEST(InheritedChannel, WaitForRequestWakesForTheObjectItself) {
  kvl::DaemonChannel plugin(64);
  kvl::InheritedChannel channel(plugin.mapping(), plugin.requestEvent().handle, plugin.replyEvent().handle,
                                plugin.mutex(), 64);
  HANDLE ended = CreateEventA(nullptr, TRUE, FALSE, nullptr);  // stands for the plugin's process
  struct Case {
    bool pluginEnded, request;
    kvl::RequestWait expected;
  };
  const Case cases[] = {{true, false, kvl::RequestWait::PluginEnded},
                        {false, true, kvl::RequestWait::Request},
                        {true, true, kvl::RequestWait::PluginEnded}};
  for (const Case& c : cases) {
    (c.pluginEnded ? SetEvent : ResetEvent)(ended);
    (c.request ? SetEvent : ResetEvent)(plugin.requestEvent().handle);
    EXPECT_EQ(channel.waitForRequest(ended, INFINITE), c.expected) << c.pluginEnded << c.request;
  }
  ResetEvent(plugin.requestEvent().handle);
  EXPECT_EQ(channel.waitForRequest(ended, 0), kvl::RequestWait::PluginEnded);
  ResetEvent(ended);
  EXPECT_EQ(channel.waitForRequest(ended, 0), kvl::RequestWait::Timeout);
  EXPECT_EQ(channel.waitForRequest(kvl::handleFromValue(0x7FFC), INFINITE), kvl::RequestWait::Failed);
  CloseHandle(ended);
  plugin.close();
}

TEST(ChannelExchange, EchoRoundTripCopiesOnlyTheRanges) {
  kvl::DaemonLauncher launcher(echoDaemon(), "", 64);
  ASSERT_NE(launcher.process(), nullptr);
  // The command line holds the quoted path and five numbers.
  EXPECT_EQ(launcher.commandLine().rfind("\"" + echoDaemon() + "\" ", 0), 0u);
  EchoRecord r;
  r.bytes[0] = 1;
  for (int i = 1; i < 32; ++i) r.bytes[i] = static_cast<unsigned char>(10 + i);
  kvl::ChannelLayout layout{64, {0, 32}, {{32, 8}, {48, 8}}};
  ASSERT_EQ(kvl::exchangeWithDaemon(&launcher, r.bytes, layout), ExchangeResult::Replied);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(r.bytes[32 + i], r.bytes[i] + 1) << i;
    EXPECT_EQ(r.bytes[48 + i], r.bytes[16 + i] + 1) << i;
    EXPECT_EQ(r.bytes[40 + i], 0) << "outside the reply ranges";
  }
  // The reply event is reset after the copy.
  EXPECT_EQ(WaitForSingleObject(launcher.channel().replyEvent().handle, 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

TEST(ChannelExchange, ThreadsAreServedOneAtATime) {
  kvl::DaemonLauncher launcher(echoDaemon(), "", 64);
  ASSERT_NE(launcher.process(), nullptr);
  constexpr int kThreads = 3, kRounds = 60;
  std::vector<std::vector<int>> counters(kThreads);
  std::vector<int> wrong(kThreads, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < kRounds; ++round) {
        EchoRecord r;
        r.bytes[0] = 1;
        std::fill(r.bytes + 1, r.bytes + 32, static_cast<unsigned char>(t * 50 + round % 50));
        if (kvl::exchangeWithDaemon(&launcher, r.bytes, kEchoLayout) != ExchangeResult::Replied) ++wrong[t];
        for (int i = 1; i < 31; ++i) {
          if (r.bytes[32 + i] != static_cast<unsigned char>(r.bytes[i] + 1)) ++wrong[t];
        }
        counters[t].push_back(r.bytes[63]);
      }
    });
  }
  for (auto& th : threads) th.join();
  std::multiset<int> all;
  for (int t = 0; t < kThreads; ++t) {
    EXPECT_EQ(wrong[t], 0) << "thread " << t;
    all.insert(counters[t].begin(), counters[t].end());
  }
  // The daemon counted every request once (its counter is a byte: 180 requests fit).
  EXPECT_EQ(all.size(), static_cast<size_t>(kThreads * kRounds));
  EXPECT_EQ(std::set<int>(all.begin(), all.end()).size(), all.size());
}

TEST(ChannelExchange, NoDaemonMeansNoRequest) {
  // A launcher whose program does not exist holds no process: exchanges return at once and
  // leave the record as it was.
  kvl::DaemonLauncher launcher(buildTreePath("no-such-daemon.exe"), "", 64);
  EXPECT_EQ(launcher.process(), nullptr);
  EchoRecord r;
  r.bytes[0] = 1;
  r.bytes[40] = 77;
  EXPECT_EQ(kvl::exchangeWithDaemon(&launcher, r.bytes, kEchoLayout), ExchangeResult::DaemonGone);
  EXPECT_EQ(r.bytes[40], 77);
  EXPECT_EQ(WaitForSingleObject(launcher.channel().requestEvent().handle, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_EQ(kvl::exchangeWithDaemon(nullptr, r.bytes, kEchoLayout), ExchangeResult::NoLauncher);
}

TEST(ChannelExchange, DeadDaemonKeepsTheLastReply) {
  kvl::DaemonLauncher launcher(echoDaemon(), "", 64);
  ASSERT_NE(launcher.process(), nullptr);
  EchoRecord r;
  r.bytes[0] = 1;
  r.bytes[5] = 5;
  ASSERT_EQ(kvl::exchangeWithDaemon(&launcher, r.bytes, kEchoLayout), ExchangeResult::Replied);
  EXPECT_EQ(r.bytes[37], 6);
  TerminateProcess(launcher.process(), 3);
  ASSERT_EQ(WaitForSingleObject(launcher.process(), INFINITE), WAIT_OBJECT_0);
  r.bytes[5] = 50;
  // An ended daemon gets no request.
  EXPECT_EQ(kvl::exchangeWithDaemon(&launcher, r.bytes, kEchoLayout), ExchangeResult::DaemonGone);
  EXPECT_EQ(r.bytes[37], 6);
  // No request was signalled and the mutex was left free.
  EXPECT_EQ(WaitForSingleObject(launcher.channel().requestEvent().handle, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  std::thread([&] {
    EXPECT_EQ(WaitForSingleObject(launcher.channel().mutex(), 0), WAIT_OBJECT_0);
    ReleaseMutex(launcher.channel().mutex());
  }).join();
}

TEST(ChannelExchange, PreparationRunsOnlyWhileTheDaemonRunsAndBeforeTheMutexIsTaken) {
  kvl::DaemonLauncher launcher(echoDaemon(), "", 64);
  ASSERT_NE(launcher.process(), nullptr);
  HANDLE mutex = launcher.channel().mutex();
  int runs = 0;
  DWORD mutexWait = 0;
  // Another thread tries the mutex while the preparation runs.
  auto prepare = [&] {
    ++runs;
    std::thread([&] {
      mutexWait = WaitForSingleObject(mutex, 0);
      if (mutexWait == WAIT_OBJECT_0) ReleaseMutex(mutex);
    }).join();
  };
  EchoRecord r;
  r.bytes[0] = 1;
  EXPECT_EQ(kvl::exchangeWithDaemon(&launcher, r.bytes, kEchoLayout, prepare), ExchangeResult::Replied);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(mutexWait, WAIT_OBJECT_0) << "the mutex was held during the preparation";
  TerminateProcess(launcher.process(), 3);
  ASSERT_EQ(WaitForSingleObject(launcher.process(), INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(kvl::exchangeWithDaemon(&launcher, r.bytes, kEchoLayout, prepare), ExchangeResult::DaemonGone);
  EXPECT_EQ(runs, 1);
}

TEST(ChannelExchange, DaemonEndingWhileAnExchangeWaitsForTheMutexSendsNothing) {
  kvl::DaemonLauncher launcher(echoDaemon(), "", 64);
  ASSERT_NE(launcher.process(), nullptr);
  HANDLE mutex = launcher.channel().mutex();
  ASSERT_EQ(WaitForSingleObject(mutex, 0), WAIT_OBJECT_0);  // another exchange holds the channel
  EchoRecord r;
  r.bytes[0] = 1;
  r.bytes[40] = 7;
  std::promise<ExchangeResult> result;
  std::future<ExchangeResult> done = result.get_future();
  std::thread waiter([&] { result.set_value(kvl::exchangeWithDaemon(&launcher, r.bytes, kEchoLayout)); });
  EXPECT_EQ(done.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout);
  TerminateProcess(launcher.process(), 3);
  // The waiter returns while the mutex is still held: it neither hangs nor sends a request.
  const bool returned = done.wait_for(std::chrono::seconds(60)) == std::future_status::ready;
  ReleaseMutex(mutex);
  waiter.join();
  ASSERT_TRUE(returned);
  EXPECT_EQ(done.get(), ExchangeResult::DaemonGone);
  EXPECT_EQ(r.bytes[40], 7);
  EXPECT_EQ(WaitForSingleObject(launcher.channel().requestEvent().handle, 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

TEST(ChannelExchange, DaemonEndingBeforeItRepliesDoesNotBlock) {
  kvl::DaemonLauncher launcher(echoDaemon(), "", 64);
  ASSERT_NE(launcher.process(), nullptr);
  EchoRecord r;
  r.bytes[0] = 2;  // the daemon ends without replying
  r.bytes[40] = 99;
  EXPECT_EQ(kvl::exchangeWithDaemon(&launcher, r.bytes, kEchoLayout), ExchangeResult::NoReply);
  EXPECT_EQ(r.bytes[40], 99);
  EXPECT_EQ(kvl::exchangeWithDaemon(&launcher, r.bytes, kEchoLayout), ExchangeResult::DaemonGone);
  // The mutex was released: it can be taken at once.
  ASSERT_EQ(WaitForSingleObject(launcher.channel().mutex(), 0), WAIT_OBJECT_0);
  ReleaseMutex(launcher.channel().mutex());
}

TEST(ChannelExchange, ReplyGivenJustBeforeTheDaemonEndsCounts) {
  kvl::DaemonLauncher launcher(echoDaemon(), "", 64);
  ASSERT_NE(launcher.process(), nullptr);
  EchoRecord r;
  r.bytes[0] = 3;  // reply, then end
  r.bytes[1] = 41;
  EXPECT_EQ(kvl::exchangeWithDaemon(&launcher, r.bytes, kEchoLayout), ExchangeResult::Replied);
  EXPECT_EQ(r.bytes[33], 42);
  EXPECT_EQ(WaitForSingleObject(launcher.process(), INFINITE), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(launcher.process(), &code);
  EXPECT_EQ(code, 0u);
}

TEST(ChannelExchange, NoMappingSendsNothingButReleasesTheMutex) {
  // A block of 0 bytes cannot be mapped: the daemon gets a mapping value of 0 and no view.
  kvl::DaemonLauncher launcher(echoDaemon(), "", 0);
  ASSERT_NE(launcher.process(), nullptr);
  EXPECT_EQ(launcher.channel().view(), nullptr);
  EchoRecord r;
  r.bytes[40] = 5;
  EXPECT_EQ(kvl::exchangeWithDaemon(&launcher, r.bytes, kEchoLayout), ExchangeResult::NoView);
  EXPECT_EQ(r.bytes[40], 5);
  EXPECT_EQ(WaitForSingleObject(launcher.channel().requestEvent().handle, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  ASSERT_EQ(WaitForSingleObject(launcher.channel().mutex(), 0), WAIT_OBJECT_0);
  ReleaseMutex(launcher.channel().mutex());
}

TEST(DaemonLauncher, ReleasingALauncherNeverEndsThisProcess) {
  // This process joins the launcher's kill-on-close job; closing that job would end it. The
  // launcher therefore leaves such a job open until the process ends.
  DWORD daemonId = 0;
  {
    kvl::DaemonLauncher launcher(echoDaemon(), "", 64);
    ASSERT_NE(launcher.process(), nullptr);
    daemonId = launcher.processId();
    BOOL inJob = FALSE;
    ASSERT_TRUE(IsProcessInJob(GetCurrentProcess(), launcher.job(), &inJob));
    EXPECT_TRUE(inJob);
    ASSERT_TRUE(IsProcessInJob(launcher.process(), launcher.job(), &inJob));
    EXPECT_TRUE(inJob);
  }
  // Still here, and the daemon still runs (it leaves when this process ends).
  HANDLE daemon = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, daemonId);
  ASSERT_NE(daemon, nullptr);
  EXPECT_EQ(WaitForSingleObject(daemon, 200), static_cast<DWORD>(WAIT_TIMEOUT));
  TerminateProcess(daemon, 0);
  CloseHandle(daemon);
}

// While shared, the daemon holds a handle to the job (which keeps the job open after this
// process ends); taken back, the handle is closed in the daemon.
TEST(DaemonLauncher, SharesItsJobWithTheDaemonAndTakesItBack) {
  kvl::DaemonLauncher launcher(echoDaemon(), "", 64);
  ASSERT_NE(launcher.process(), nullptr);
  ASSERT_TRUE(launcher.shareJobWithDaemon());
  const HANDLE remote = launcher.sharedJob();
  HANDLE copy = nullptr;
  ASSERT_TRUE(DuplicateHandle(launcher.process(), remote, GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS));
  BOOL inJob = FALSE;
  EXPECT_TRUE(IsProcessInJob(launcher.process(), copy, &inJob));
  EXPECT_TRUE(inJob) << "the daemon's handle names its job";
  CloseHandle(copy);
  launcher.unshareJob();
  EXPECT_EQ(launcher.sharedJob(), nullptr);
  // The daemon may have reused the value for a handle of its own meanwhile: it no longer names the job.
  if (DuplicateHandle(launcher.process(), remote, GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS)) {
    inJob = FALSE;
    EXPECT_FALSE(IsProcessInJob(launcher.process(), copy, &inJob) && inJob);
    CloseHandle(copy);
  }
  TerminateProcess(launcher.process(), 0);
}

TEST(DaemonLauncher, TwoDaemonsAtOnce) {
  // The plugin runs two daemons, each with its own channel and job.
  kvl::DaemonLauncher first(echoDaemon(), "", 64);
  kvl::DaemonLauncher second(echoDaemon(), "", 64);
  ASSERT_NE(first.process(), nullptr);
  ASSERT_NE(second.process(), nullptr);
  for (int round = 0; round < 3; ++round) {
    for (kvl::DaemonLauncher* launcher : {&first, &second}) {
      EchoRecord r;
      r.bytes[0] = 1;
      r.bytes[1] = static_cast<unsigned char>(round);
      ASSERT_EQ(kvl::exchangeWithDaemon(launcher, r.bytes, kEchoLayout), ExchangeResult::Replied);
      EXPECT_EQ(r.bytes[33], round + 1);
      EXPECT_EQ(r.bytes[63], round + 1) << "each daemon counts only its own requests";
    }
  }
}

// Starts the echo daemon by hand with the given argument text.
kvl::testing::ProcessResult runEcho(const std::string& arguments, DWORD timeoutMs = 20000) {
  return kvl::testing::runProgram(echoDaemon(), arguments, timeoutMs);
}

TEST(DaemonStartup, BannerAndExit42WithoutHandles) {
  for (const char* arguments : {"", "1 2 3 4"}) {
    auto result = runEcho(arguments);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 42u) << arguments;
    auto lines = splitLines(result.output);
    ASSERT_EQ(lines.size(), 11u) << result.output;
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "  " + echoDaemon());
    EXPECT_EQ(lines[3], "  Version 7.4.778.7 (2024-09-15)");
    EXPECT_EQ(lines[6], std::string("  Running ") + (sizeof(void*) == 8 ? "64-bit" : "32-bit") +
                            " build on platform 'x64'.");
    EXPECT_EQ(lines[8], "  This program can't be run standalone.");
    EXPECT_EQ(lines[9], "  Anyway, all dependencies seem to be satisfied.");
  }
}

}  // namespace
