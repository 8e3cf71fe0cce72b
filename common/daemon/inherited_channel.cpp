#include "common/daemon/inherited_channel.h"

namespace kvl {

InheritedChannel::InheritedChannel(HANDLE mapping, HANDLE requestEvent, HANDLE replyEvent, HANDLE mutex,
                                   size_t recordSize)
    : mapping_(mapping), mutex_(mutex), recordSize_(recordSize) {
  request_.handle = requestEvent;
  reply_.handle = replyEvent;
  if (mapping_) view_ = MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, recordSize);
}

InheritedChannel::~InheritedChannel() {
  if (view_) UnmapViewOfFile(view_);
  view_ = nullptr;
}

RequestWait InheritedChannel::waitForRequest(HANDLE pluginProcess, DWORD timeoutMs) {
  HANDLE handles[2] = {pluginProcess, request_.handle};
  DWORD result = WaitForMultipleObjects(2, handles, FALSE, timeoutMs);
  switch (result) {
    case WAIT_OBJECT_0:
    case WAIT_ABANDONED_0:
      return RequestWait::PluginEnded;
    case WAIT_OBJECT_0 + 1:
      return RequestWait::Request;
    case WAIT_TIMEOUT:
      return RequestWait::Timeout;
    default:
      return RequestWait::Failed;
  }
}

void InheritedChannel::resetRequest() {
  ResetEvent(request_.handle);
  request_.lastError = GetLastError();
}

void InheritedChannel::setReply() {
  SetEvent(reply_.handle);
  reply_.lastError = GetLastError();
}

}  // namespace kvl
