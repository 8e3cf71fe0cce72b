#pragma once
// Which bytes of a recorder command record travel in each direction over the channel.
#include "common/daemon/channel_exchange.h"
#include "common/telemetry/recorder_command_record.h"

namespace kvl {

inline const ChannelLayout& recorderChannelLayout() {
  using R = RecorderCommandRecord;
  static const ChannelLayout layout{R::kSize,
                                    {R::kRequestOffset, R::kRequestLength},
                                    {{R::kReplyOffset, R::kReplyLength}, {R::kJobReplyOffset, R::kJobReplyLength}}};
  return layout;
}

}  // namespace kvl
