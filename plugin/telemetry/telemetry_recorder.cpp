#include "plugin/telemetry/telemetry_recorder.h"

#include <direct.h>
#include <io.h>

#include <algorithm>
#include <new>

#include <boost/asio/post.hpp>

#include "common/daemon/channel_exchange.h"
#include "common/daemon/daemon_executable_path.h"
#include "common/daemon/daemon_launcher.h"
#include "common/text/date_time_text.h"
#include "plugin/foundation/settings/ini_files.h"
#include "plugin/foundation/logging/log_record.h"
#include "plugin/foundation/settings/settings_catalogue.h"
#include "plugin/foundation/settings/settings_defaults.h"
#include "plugin/foundation/settings/settings_readers.h"
#include "plugin/host/events/event_records.h"
#include "plugin/host/events/host_event_hub.h"
#include "plugin/host/model/host_audio.h"
#include "plugin/host/model/host_game.h"
#include "plugin/host/model/host_replay.h"
#include "plugin/host/model/race_events.h"
#include "plugin/host/workers/periodic_worker.h"
#include "plugin/telemetry/car_frame_transform.h"
#include "plugin/telemetry/telemetry_file_name.h"
#include "plugin/telemetry/udp_telemetry_sender.h"

namespace kvl {
namespace {

constexpr std::int32_t kInit = 0;
constexpr std::int32_t kFrontEnd = 6;
constexpr std::int32_t kInitializeTrack = 13;

const ChannelLayout& recorderLayout() {
  using R = RecorderCommandRecord;
  static const ChannelLayout layout{
      R::kSize, {R::kRequestOffset, R::kRequestLength}, {{R::kReplyOffset, R::kReplyLength}, {R::kJobReplyOffset, R::kJobReplyLength}}};
  return layout;
}

}  // namespace

TelemetryRecorder& TelemetryRecorder::instance() {
  static TelemetryRecorder recorder;
  return recorder;
}

TelemetryRecorder::TelemetryRecorder() : TelemetryRecorder(std::string()) {}

TelemetryRecorder::TelemetryRecorder(std::string daemonPath)
    : daemonPath_(std::move(daemonPath)),
      addData_(makeCommandRecord()),
      gameStateNode_(this, host::HostListenerNode::member<TelemetryRecorder, &TelemetryRecorder::onGameState>()),
      frameNode_(this, host::HostListenerNode::member<TelemetryRecorder, &TelemetryRecorder::onFrame>()),
      shutdownNode_(this, host::HostListenerNode::member<TelemetryRecorder, &TelemetryRecorder::onShutdown>()) {
  setIniPath(telemetryIniPath());
  table().setCarFrameTransform(&carFrameTransform);
  if (host::HostEventHub* hub = host::HostEventHub::instance()) {
    host::appendListener(hub->gameStateChanged()->catchAll(), gameStateNode_);
    // The tick is on per-id list 1: the host's raises of the frame source reach it only while
    // the source's selector reads 1, not on every raise as a catch-all listener would be.
    host::appendListener(*hub->replayFrame()->perId(1), frameNode_);
    host::appendListener(hub->shutdown()->catchAll(), shutdownNode_);
  }
}

TelemetryRecorder::~TelemetryRecorder() {
  host::unlinkListener(shutdownNode_);
  host::unlinkListener(frameNode_);
  host::unlinkListener(gameStateNode_);
  if (host::PeriodicWorker::isProcessExiting()) {
    // The system has ended the recorder's threads and the UDP sender's, perhaps in the middle of
    // a job or while they held a lock: nothing they used is joined, locked or destroyed. A save
    // still being written is the daemon's to finish (it holds the job while saves are unfinished).
    using Sender = std::shared_ptr<UdpTelemetrySender>;
    alignas(Sender) static unsigned char keptSender[sizeof(Sender)];
    new (keptSender) Sender(std::move(udp_));
    abandonAtProcessExit();
  }
}

const void* TelemetryRecorder::car() const { return host::HostSoundCar::current(); }
const void* TelemetryRecorder::replay() const { return host::HostReplay::instance(); }
const void* TelemetryRecorder::race() const { return host::HostRace::instance(); }
const void* TelemetryRecorder::game() const { return host::HostGame::instance(); }

bool TelemetryRecorder::daemonRunning() const {
  return launcher_ != nullptr && launcher_->process() != nullptr &&
         WaitForSingleObject(launcher_->process(), 0) == WAIT_TIMEOUT;
}

bool TelemetryRecorder::exchange(RecorderCommandRecord& record) {
  if (exchangeWithDaemon(launcher_.get(), &record, recorderLayout()) != ExchangeResult::Replied) return false;
  lastBufferedBytes_.store(record.bufferedBytes);
  return true;
}

void TelemetryRecorder::sendCommand(RecorderCommand command, const std::string& payload) {
  std::shared_ptr<RecorderCommandRecord> record = makeCommandRecord();
  record->setCommand(command);
  if (!payload.empty()) record->setPayloadText(payload);
  exchange(*record);
}

// One launcher per process: replacing it would close a kill-on-close job that holds the host.
void TelemetryRecorder::startDaemon() {
  const std::string path = daemonPath_.empty() ? daemonExecutablePath("QzrTelemetryDaemon.exe") : daemonPath_;
  launcher_ = std::make_shared<DaemonLauncher>(path, "", RecorderCommandRecord::kSize);
}

void TelemetryRecorder::setActive(bool on) {
  std::lock_guard<std::mutex> lock(rowMutex_);
  // Rebuilding the table while rows are packed would read freed channels: a second start is
  // ignored.
  if (on && isActive()) return;
  TelemetryRecorderBase::setActive(on);
  if (on) {
    tics_ = static_cast<std::uint32_t>(readTelemetryTics());
    sendCommand(RecorderCommand::Start, iniPath());
  } else {
    sendCommand(RecorderCommand::Stop);
  }
}

void TelemetryRecorder::clear() {
  TelemetryRecorderBase::clear();
  if (!isActive()) sendCommand(RecorderCommand::Clear);
}

void TelemetryRecorder::setRecordSet(const std::string& name) {
  TelemetryRecorderBase::setRecordSet(name);
  sendCommand(RecorderCommand::SetRecordSet, name);
}

void TelemetryRecorder::stop() {
  TelemetryRecorderBase::stop();
  const bool stillWriting = waitForUnfinishedSaves();
  sendCommand(RecorderCommand::Shutdown);
  std::atomic_store(&udp_, std::shared_ptr<UdpTelemetrySender>());
  // A daemon still writing a save ends by itself once the file is whole; waiting for it here
  // would hold the game's exit for as long as the write takes.
  if (!stillWriting && launcher_ != nullptr && launcher_->process() != nullptr) {
    waitForDaemonExit(launcher_->process(), kDaemonExitWaitMs);
  }
}

void TelemetryRecorder::onGameState(const void* event) {
  const std::int32_t current = host::HostGame::gameState();
  const std::int32_t next = static_cast<const host::GameStateEvent*>(event)->state;
  if (current == kInit && launcher_ == nullptr) {
    startDaemon();
    setRecordSet("QZR");
  }
  if (next == kInitializeTrack) {
    std::atomic_store(&udp_, std::shared_ptr<UdpTelemetrySender>());
    if (UdpTelemetryOption(defaults::udpTelemetry).read()) {
      std::atomic_store(&udp_, std::make_shared<UdpTelemetrySender>());
    }
  } else if (next == kFrontEnd) {
    std::atomic_store(&udp_, std::shared_ptr<UdpTelemetrySender>());
  }
}

void TelemetryRecorder::onFrame(const void*) {
  if (std::shared_ptr<UdpTelemetrySender> sender = std::atomic_load(&udp_)) sender->sendPacket();
  if (!isActive()) return;
  std::lock_guard<std::mutex> lock(rowMutex_);
  const void* replay = host::HostReplay::instance();
  if (replay == nullptr || !isActive()) return;
  if (host::HostReplay::tickCount(replay) % tics_ != 0) return;
  const void* current = car();
  if (current == nullptr) return;
  // A table built before the car existed, or for another car, is bound to this one with the same
  // channels, so the row keeps the size the daemon expects.
  if (current != table().boundCar()) rebindTable();
  addData_->setCommand(RecorderCommand::AddData);
  table().packRow(addData_->payload);
  exchange(*addData_);
}

void TelemetryRecorder::onShutdown(const void*) { stop(); }

std::string TelemetryRecorder::outputFileName() {
  if (_access(kTelemetryFolder, 0) != 0) _mkdir(kTelemetryFolder);
  SYSTEMTIME now;
  GetLocalTime(&now);
  const void* game = host::HostGame::instance();
  const std::int32_t carIndex = game == nullptr ? 0 : host::HostGame::carId(game);
  const std::int32_t stage = game == nullptr ? 0 : host::HostGame::stageId(game);
  const std::string name = telemetryFileName(recordSetName(), carIndex, CarNameOption(carIndex, "").read(), stage,
                                             localDateTimeText(now));
  // Two saves within one displayed second would share a name, and the second would never be written.
  return uniqueTelemetryFileName(name, [this](const std::string& candidate) {
    return findJob(candidate) != nullptr || GetFileAttributesA(candidate.c_str()) != INVALID_FILE_ATTRIBUTES;
  });
}

std::shared_ptr<SaveJob> TelemetryRecorder::saveRecording() {
  if (isActive()) return nullptr;
  auto job = std::make_shared<SaveJob>(outputFileName());
  addJob(job);
  // The first Save goes out before this returns: the daemon then holds the rows and the job even
  // when the game ends right after, and writes the file before it leaves.
  if (askAboutSave(*job)) {
    keepUnfinished(job);
    boost::asio::post(ioContext(), [this, job] { pollSaveJob(job); });
  }
  return job;
}

bool TelemetryRecorder::askAboutSave(SaveJob& job) {
  std::shared_ptr<RecorderCommandRecord> record = makeCommandRecord();
  record->setCommand(RecorderCommand::Save);
  record->setPayloadText(job.fileName());
  const char* failure = nullptr;
  if (!exchange(*record)) {
    // The daemon is gone (or ended before it replied): the rows it held are lost.
    job.setState(JobState::Failed);
    failure = "the recorder is not running";
  } else {
    job.setState(static_cast<JobState>(record->jobState));
    job.setProgress(record->progress);
    if (job.state() == JobState::Failed) failure = "the recorder could not write it";
  }
  if (failure != nullptr) {
    const std::string text = "Telemetry save failed: " + job.fileName() + " (" + failure + ")";
    LogRecord() << text << endRecord;
    OutputDebugStringA((text + "\n").c_str());
    return false;
  }
  return job.state() == JobState::New || job.state() == JobState::Running;
}

void TelemetryRecorder::pollSaveJob(const std::shared_ptr<SaveJob>& job) {
  for (;;) {
    // Set at shutdown, which then follows the save itself.
    if (stopEvent().handle() == nullptr) {
      if (stopEvent().isSet()) return;
      Sleep(1000);
    } else if (WaitForSingleObject(stopEvent().handle(), 1000) == WAIT_OBJECT_0) {
      return;
    }
    if (!askAboutSave(*job)) {
      forgetEnded(job);
      return;
    }
  }
}

// While a save is unfinished the daemon holds the job, so the end of the game does not end it.
void TelemetryRecorder::keepUnfinished(const std::shared_ptr<SaveJob>& job) {
  std::lock_guard<std::mutex> lock(savesMutex_);
  if (saves_.empty() && launcher_ != nullptr) launcher_->shareJobWithDaemon();
  saves_.push_back(job);
}

void TelemetryRecorder::forgetEnded(const std::shared_ptr<SaveJob>& job) {
  std::lock_guard<std::mutex> lock(savesMutex_);
  saves_.erase(std::remove(saves_.begin(), saves_.end(), job), saves_.end());
  if (saves_.empty() && launcher_ != nullptr) launcher_->unshareJob();
}

std::size_t TelemetryRecorder::unfinishedSaves() {
  std::lock_guard<std::mutex> lock(savesMutex_);
  return saves_.size();
}

bool TelemetryRecorder::waitForUnfinishedSaves() {
  std::vector<std::shared_ptr<SaveJob>> saves;
  {
    std::lock_guard<std::mutex> lock(savesMutex_);
    saves = saves_;
  }
  const DWORD start = shutdownClock();
  DWORD lastChange = start;
  for (;;) {
    for (auto it = saves.begin(); it != saves.end();) {
      const SaveJob& job = **it;
      const JobState state = job.state();
      const std::int32_t progress = job.progress();
      const bool unfinished = askAboutSave(**it);
      if (job.state() != state || job.progress() != progress) lastChange = shutdownClock();
      if (unfinished) {
        ++it;
      } else {
        forgetEnded(*it);
        it = saves.erase(it);
      }
    }
    const DWORD now = shutdownClock();
    if (saves.empty() || now - start >= kSaveWaitLimitMs || now - lastChange >= kSaveStallLimitMs) break;
    shutdownPause(kSaveWaitStepMs);
  }
  return !saves.empty();
}

bool TelemetryRecorder::cancelSaveJob(const SaveJob& job) {
  std::shared_ptr<RecorderCommandRecord> record = makeCommandRecord();
  record->setCommand(RecorderCommand::Cancel);
  record->setPayloadText(job.fileName());
  return exchange(*record) && record->found != 0;
}

void stopAndSaveTelemetry() noexcept {
  try {
    TelemetryRecorder& recorder = TelemetryRecorder::instance();
    if (!recorder.isActive()) return;
    recorder.setActive(false);
    recorder.saveRecording();
  } catch (...) {
  }
}

}  // namespace kvl
