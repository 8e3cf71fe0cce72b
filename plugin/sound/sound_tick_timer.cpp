#include "plugin/sound/sound_tick_timer.h"

#include <chrono>
#include <memory>

#include <boost/asio/post.hpp>
#include <boost/asio/steady_timer.hpp>

namespace kvl {
namespace {

class SoundTicker : public std::enable_shared_from_this<SoundTicker> {
 public:
  SoundTicker(boost::asio::io_context& loop, std::chrono::microseconds period, SoundTick tick)
      : timer_(loop), period_(period), tick_(tick) {}

  void arm(boost::asio::steady_timer::time_point deadline) {
    timer_.expires_at(deadline);
    // The wait holds the ticker: destroying the loop drops the wait and with it the ticker.
    timer_.async_wait([self = shared_from_this()](const boost::system::error_code& error) {
      if (error != boost::asio::error::operation_aborted) self->fire();
    });
  }

 private:
  void fire() {
    tick_(std::chrono::duration<float>(period_).count());
    auto next = timer_.expiry() + period_;
    const auto now = boost::asio::steady_timer::clock_type::now();
    if (next < now) next = now;
    arm(next);
  }

  boost::asio::steady_timer timer_;
  const std::chrono::microseconds period_;
  const SoundTick tick_;
};

}  // namespace

void startSoundTicks(boost::asio::io_context& loop, std::int32_t rate, SoundTick tick) {
  if (rate <= 0 || tick == nullptr) return;
  auto ticker = std::make_shared<SoundTicker>(loop, std::chrono::microseconds(1000000 / rate), tick);
  // The timer is touched only on the loop's thread, from the first deadline on.
  boost::asio::post(loop, [ticker, period = std::chrono::microseconds(1000000 / rate)] {
    ticker->arm(boost::asio::steady_timer::clock_type::now() + period);
  });
}

}  // namespace kvl
