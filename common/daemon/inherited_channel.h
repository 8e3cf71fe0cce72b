#pragma once
// The daemon's side of a shared-memory channel: the plugin's objects, reached through the
// handle values inherited on the command line. The daemon owns none of them; it only maps the
// block and unmaps it again.
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "common/daemon/daemon_channel.h"

namespace kvl {

enum class RequestWait {
  Request,      // the request event is signalled
  PluginEnded,  // the plugin's process has ended (or its wait was abandoned)
  Timeout,      // nothing within the time-out
  Failed,       // the wait failed, e.g. a handle value that names no object
};

class InheritedChannel {
 public:
  // Maps `recordSize` bytes of the mapping with write access when the mapping value is not 0.
  InheritedChannel(HANDLE mapping, HANDLE requestEvent, HANDLE replyEvent, HANDLE mutex, size_t recordSize);
  ~InheritedChannel();  // unmaps the view; closes no handle
  InheritedChannel(const InheritedChannel&) = delete;
  InheritedChannel& operator=(const InheritedChannel&) = delete;

  unsigned char* view() const { return static_cast<unsigned char*>(view_); }
  size_t recordSize() const { return recordSize_; }
  HANDLE mapping() const { return mapping_; }
  ChannelEvent& requestEvent() { return request_; }
  ChannelEvent& replyEvent() { return reply_; }
  HANDLE mutex() const { return mutex_; }

  // Waits for the plugin's process (first) or the request event (second).
  RequestWait waitForRequest(HANDLE pluginProcess, DWORD timeoutMs);
  // Both events are manual-reset: the request is reset before it is handled.
  void resetRequest();
  void setReply();

 private:
  HANDLE mapping_ = nullptr;
  void* view_ = nullptr;
  uint32_t mappingOwned_ = 0;
  ChannelEvent request_;
  ChannelEvent reply_;
  HANDLE mutex_ = nullptr;
  uint32_t mutexOwned_ = 0;
  size_t recordSize_ = 0;
};

}  // namespace kvl
