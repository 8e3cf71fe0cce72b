#include <gtest/gtest.h>

#include <boost/asio/post.hpp>
#include <chrono>
#include <fstream>
#include <future>
#include <memory>
#include <thread>
#include <stdexcept>

#include "common/telemetry/telemetry_recorder_base.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

class CountingRecorder : public kvl::TelemetryRecorderBase {
 public:
  void clear() override {
    ++clears;
    TelemetryRecorderBase::clear();
  }
  int clears = 0;
};

TEST(TelemetryRecorderBase, DestroyedWithoutWaitingOutItsSlice) {
  // A loop whose slice is a day: its end must come from the destruction, not from the slice.
  { kvl::TelemetryRecorderBase recorder(kvl::JobThread::Own, std::chrono::hours(24)); }
  SUCCEED();
}

TEST(TelemetryRecorderBase, AThrowingJobIsDroppedAndTheNextRuns) {
  // The promise outlives the recorder, whose end still runs the queued jobs.
  std::promise<int> done;
  kvl::TelemetryRecorderBase recorder;
  boost::asio::post(recorder.ioContext(), [] { throw std::runtime_error("job failed"); });
  boost::asio::post(recorder.ioContext(), [] { throw 42; });
  boost::asio::post(recorder.ioContext(), [&] { done.set_value(7); });
  auto result = done.get_future();
  // The job thread's first start of COM can take many seconds where 32-bit code is emulated.
  ASSERT_EQ(result.wait_for(std::chrono::seconds(120)), std::future_status::ready);
  EXPECT_EQ(result.get(), 7);
}

TEST(TelemetryRecorderBase, StopRunsQueuedWorkAndSignals) {
  kvl::TelemetryRecorderBase recorder;
  int ran = 0;
  bool stopSeen = false;
  boost::asio::post(recorder.ioContext(), [&] { std::this_thread::sleep_for(std::chrono::milliseconds(100)); });
  boost::asio::post(recorder.ioContext(), [&] {
    ++ran;
    stopSeen = recorder.stopEvent().isSet();
  });
  recorder.stop();
  EXPECT_EQ(ran, 1) << "queued work is not left behind";
  EXPECT_TRUE(stopSeen);
  EXPECT_TRUE(recorder.stopEvent().isSet());
}

TEST(TelemetryRecorderBase, RecordSetNameAndClear) {
  {
    std::ofstream ini("recorder_base_test.ini", std::ios::binary);
    ini << "[A]\nspeed=1\ngear=1\n[B]\nposition=1\n";
  }
  CountingRecorder recorder;
  recorder.setIniPath("recorder_base_test.ini");
  recorder.setRecordSet("A");
  EXPECT_EQ(recorder.clears, 1) << "from the empty name to A";
  recorder.setRecordSet("A");
  EXPECT_EQ(recorder.clears, 1) << "same name: no clear";
  recorder.setActive(true);
  EXPECT_TRUE(recorder.isActive());
  ASSERT_EQ(recorder.activeChannels().size(), 2u);
  auto speed = recorder.activeChannels()[0];

  recorder.clear();  // while active: nothing changes
  EXPECT_EQ(recorder.activeChannels().size(), 2u);
  recorder.setRecordSet("B");  // clear runs, but the recorder is active
  EXPECT_EQ(recorder.clears, 3) << "the explicit clear and the one of the new name";
  EXPECT_EQ(recorder.activeChannels().size(), 2u);
  EXPECT_EQ(recorder.recordSetName(), "B");

  recorder.setActive(false);
  EXPECT_EQ(recorder.activeChannels().size(), 2u) << "switching off keeps the selection";
  recorder.setActive(true);
  ASSERT_EQ(recorder.activeChannels().size(), 1u);
  EXPECT_EQ(recorder.activeChannels()[0]->name(), "position");
  recorder.setRecordSet("A");
  recorder.setActive(true);
  EXPECT_EQ(recorder.activeChannels()[0], speed) << "same (no) car: the table is kept, only reselected";

  recorder.setActive(false);
  recorder.clear();
  EXPECT_TRUE(recorder.activeChannels().empty());
  EXPECT_TRUE(recorder.table().channels().empty());
}

class NamedJob : public kvl::RecorderJob {
 public:
  explicit NamedJob(std::string n) : name_(std::move(n)) {}
  const std::string& name() const override { return name_; }

 private:
  std::string name_;
};

TEST(TelemetryRecorderBase, JobMapKeepsTheFirstJobOfAName) {
  kvl::TelemetryRecorderBase recorder;
  auto first = std::make_shared<NamedJob>("a.tsv");
  recorder.addJob(first);
  recorder.addJob(std::make_shared<NamedJob>("a.tsv"));
  EXPECT_EQ(recorder.findJob("a.tsv"), first);
  EXPECT_EQ(recorder.findJob("A.tsv"), nullptr);
}

#ifdef _WIN32
// The process is ending and the system has ended the worker in the middle of a job: the recorder
// lets go of its thread and loop, and its destruction returns at once instead of waiting forever
// for the job the loop still counts.
TEST(TelemetryRecorderBase, LetGoOfAtProcessExitAfterTheWorkerWasEndedMidJob) {
  auto recorder = std::make_unique<kvl::TelemetryRecorderBase>();
  HANDLE worker = nullptr;
  HANDLE running = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  boost::asio::post(recorder->ioContext(), [&worker, running] {
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &worker, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    SetEvent(running);
    Sleep(INFINITE);
  });
  ASSERT_EQ(WaitForSingleObject(running, 120000), WAIT_OBJECT_0);
  TerminateThread(worker, 9);
  WaitForSingleObject(worker, INFINITE);
  recorder->abandonAtProcessExit();
  std::promise<void> destroyed;
  auto gone = destroyed.get_future();
  // Destroyed on a thread of its own, which a wrong end leaves waiting.
  std::thread([&recorder, &destroyed] {
    recorder.reset();
    destroyed.set_value();
  }).detach();
  EXPECT_EQ(gone.wait_for(std::chrono::seconds(120)), std::future_status::ready);  // hang guard
  CloseHandle(worker);
  CloseHandle(running);
}
#endif

}  // namespace
