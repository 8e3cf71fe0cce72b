#include "daemons/recorder/recorder_server.h"

#include <boost/asio/post.hpp>

namespace kvl {

RecorderServer::RecorderServer(uint64_t rowBufferCapBytes, JobThread jobs)
    : TelemetryRecorderBase(jobs), rowBufferCapBytes_(rowBufferCapBytes) {}

RecorderServer::~RecorderServer() {
  rows_.reset();
  // The worker may still hold jobs that call back into this object: stop it while the
  // derived part still exists.
  try {
    TelemetryRecorderBase::stop();
  } catch (...) {
  }
}

void RecorderServer::setActive(bool on) {
  TelemetryRecorderBase::setActive(on);
  if (on) prepareRowBuffer();
}

void RecorderServer::clear() {
  if (isActive()) return;
  TelemetryRecorderBase::clear();
  rows_.reset();
}

void RecorderServer::prepareRowBuffer() {
  const uint32_t rowSize = static_cast<uint32_t>(rowSizeOf(activeChannels()));
  if (rows_ && rows_->rowSize() != rowSize) rows_.reset();
  if (!rows_) rows_ = std::make_shared<RowBuffer>(rowSize, rowBufferCapBytes_);
}

void RecorderServer::appendRow(const unsigned char* row) {
  if (rows_) rows_->append(row);
}

uint64_t RecorderServer::bufferedBytes() const { return rows_ ? rows_->allocatedBytes() : 0; }

bool RecorderServer::handleCommand(RecorderCommandRecord& record) {
  record.clearReply();
  bool goOn = true;
  switch (static_cast<RecorderCommand>(record.command)) {
    case RecorderCommand::SetRecordSet:
      setRecordSet(record.payloadText());
      break;
    case RecorderCommand::Start:
      setIniPath(record.payloadText());
      setActive(true);
      break;
    case RecorderCommand::AddData:
      appendRow(record.payload);
      break;
    case RecorderCommand::Save:
      save(record);
      break;
    case RecorderCommand::Stop:
      setActive(false);
      break;
    case RecorderCommand::Clear:
      clear();
      break;
    case RecorderCommand::Shutdown:
      goOn = false;
      break;
    case RecorderCommand::Cancel:
      cancel(record);
      break;
    default:
      break;
  }
  record.bufferedBytes = static_cast<int64_t>(bufferedBytes());
  return goOn;
}

void RecorderServer::save(RecorderCommandRecord& record) {
  const std::string name = record.payloadText();
  auto job = std::dynamic_pointer_cast<SaveJob>(findJob(name));
  if (!job) {
    std::shared_ptr<RowBuffer> rows = std::move(rows_);
    rows_.reset();
    job = std::make_shared<SaveJob>(name);
    addJob(job);
    // The job keeps its own copy of the channel list: a later Start or Clear rebuilds the
    // server's list while the file is being written.
    ChannelList channels = activeChannels();
    boost::asio::post(ioContext(), [this, job, rows, channels] { writeJob(job, rows, channels); });
  }
  record.found = 1;
  record.progress = job->progress();
  record.jobState = static_cast<int32_t>(job->state());
}

void RecorderServer::cancel(RecorderCommandRecord& record) {
  auto job = std::dynamic_pointer_cast<SaveJob>(findJob(record.payloadText()));
  if (!job) return;
  job->cancel();
  record.found = 1;
}

void RecorderServer::writeJob(const std::shared_ptr<SaveJob>& job, const std::shared_ptr<RowBuffer>& rows,
                              const ChannelList& channels) {
  writeSaveJob(*job, rows, channels, stopEvent());
}

}  // namespace kvl
