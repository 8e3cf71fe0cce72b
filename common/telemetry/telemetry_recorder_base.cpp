#include "common/telemetry/telemetry_recorder_base.h"

#include <chrono>
#include <new>

#include "common/platform/started_thread.h"
#include "common/telemetry/record_set.h"

#ifdef _WIN32
#include <objbase.h>
#endif

namespace kvl {

TelemetryRecorderBase::TelemetryRecorderBase(JobThread jobs, std::chrono::milliseconds slice)
    : slice_(slice),
      io_(std::make_unique<boost::asio::io_context>()),
      workGuard_(std::make_unique<boost::asio::executor_work_guard<boost::asio::io_context::executor_type>>(
          io_->get_executor())) {
  if (jobs == JobThread::Own) worker_ = std::make_shared<std::thread>(startedThread([this] { run(); }));
}

TelemetryRecorderBase::~TelemetryRecorderBase() {
  if (!io_) return;  // let go of at process exit
  if (worker_) {
    try {
      TelemetryRecorderBase::stop();
    } catch (...) {
      // A join that fails leaves nothing to do here.
    }
  }
  if (worker_ && worker_->joinable()) worker_->detach();
  worker_.reset();
  workGuard_.reset();
}

void TelemetryRecorderBase::run() {
#ifdef _WIN32
  CoInitialize(nullptr);
#endif
  while (!io_->stopped()) {
    try {
      io_->run_for(slice_);
    } catch (...) {
      // A failing job is dropped; the next one still runs.
    }
  }
#ifdef _WIN32
  CoUninitialize();
#endif
}

namespace {

HostObjects objectsOf(const TelemetryRecorderBase& recorder) {
  const void* theCar = recorder.car();
#if UINTPTR_MAX == 0xFFFFFFFFu
  return theCar ? hostObjectsOfCar(theCar, recorder.replay(), recorder.race(), recorder.game()) : HostObjects{};
#else
  // Host records are laid out for the 32-bit build only: a 64-bit build binds stand-ins.
  (void)theCar;
  return HostObjects{};
#endif
}

}  // namespace

void TelemetryRecorderBase::setActive(bool on) {
  if (on) {
    table_.build(objectsOf(*this));
    table_.select(readRecordSet());
  }
  active_.exchange(on);
}

void TelemetryRecorderBase::rebindTable() {
  std::vector<std::string> names;
  for (const auto& channel : table_.active()) names.push_back(channel->name());
  table_.build(objectsOf(*this));
  table_.select(names);
}

void TelemetryRecorderBase::clear() {
  if (active_.load()) return;
  table_.clear();
}

void TelemetryRecorderBase::setRecordSet(const std::string& name) {
  if (name != recordSetName_) clear();
  recordSetName_ = name;
}

std::string TelemetryRecorderBase::recordSetName() const { return recordSetName_; }

void TelemetryRecorderBase::stop() {
  // Releasing the guard (instead of stopping the io_context) lets the worker run every job
  // already queued; with the STOP event set they end early, so none stays queued forever.
  workGuard_.reset();
  stopEvent_.set();
  if (worker_) {
    worker_->join();
    worker_.reset();
  } else {
    for (;;) {
      try {
        io_->run();
        break;
      } catch (...) {
        // A failing job is dropped; the next one still runs.
      }
    }
  }
  io_->stop();
}

void TelemetryRecorderBase::finishJobs() {
  workGuard_.reset();
  if (worker_) {
    worker_->join();
    worker_.reset();
  }
  stop();
}

void TelemetryRecorderBase::abandonAtProcessExit() noexcept {
  // A copy of the thread's pointer kept in static storage: neither a join nor a detach runs, and
  // nothing is allocated.
  using Thread = std::shared_ptr<std::thread>;
  alignas(Thread) static unsigned char kept[4][sizeof(Thread)];
  static std::atomic<int> used{0};
  if (worker_) {
    const int slot = used.fetch_add(1);
    if (slot < 4) {
      new (kept[slot]) Thread(std::move(worker_));
    } else {
      new Thread(std::move(worker_));
    }
  }
  (void)workGuard_.release();
  (void)io_.release();
}

const void* TelemetryRecorderBase::car() const { return table_.boundCar(); }
const void* TelemetryRecorderBase::replay() const { return nullptr; }
const void* TelemetryRecorderBase::race() const { return nullptr; }
const void* TelemetryRecorderBase::game() const { return nullptr; }

std::vector<std::string> TelemetryRecorderBase::readRecordSet() const {
  return kvl::readRecordSet(iniPath_, recordSetName_);
}

#if defined(_WIN32)
std::vector<std::string> TelemetryRecorderBase::listRecordSets() const { return kvl::listRecordSets(iniPath_); }
#endif

void TelemetryRecorderBase::addJob(const std::shared_ptr<RecorderJob>& job) {
  if (job) jobs_.emplace(job->name(), job);
}

std::shared_ptr<RecorderJob> TelemetryRecorderBase::findJob(const std::string& name) const {
  auto found = jobs_.find(name);
  return found == jobs_.end() ? nullptr : found->second;
}

}  // namespace kvl
