#pragma once
// The sound client's tick: a timer of its own on the event loop it is given (the 720-per-second
// worker's), so the tick runs on that worker's thread at the worker's rate in every host state,
// whether or not the worker is stepping the host's physics. The timer re-arms on absolute
// deadlines; a tick that falls more than a period behind skips the ticks it missed rather than
// running them in a burst.
#include <cstdint>

#include <boost/asio/io_context.hpp>

namespace kvl {

using SoundTick = void (*)(float seconds) noexcept;

// Starts ticking rate times per second (period 1,000,000 / rate microseconds); nothing for a
// rate of 0 or less. The timer lives as long as its pending wait: until the loop is destroyed.
void startSoundTicks(boost::asio::io_context& loop, std::int32_t rate, SoundTick tick);

}  // namespace kvl
