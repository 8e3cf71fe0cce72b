#include "hostsim/frame_pacing.h"

namespace hostsim {

FramePacer::FramePacer(double framesPerSecond) : period_(framesPerSecond > 0 ? 1.0 / framesPerSecond : 0.0) {
  QueryPerformanceFrequency(&frequency_);
  QueryPerformanceCounter(&start_);
}

double FramePacer::elapsed() const {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart - start_.QuadPart) / static_cast<double>(frequency_.QuadPart);
}

int FramePacer::nextFrame() {
  const double due = period_ * frame_;
  // Sleep while more than two milliseconds remain (a sleep may last a millisecond or two more
  // than asked), then yield until the frame is due.
  for (double left = due - elapsed(); left > 0; left = due - elapsed()) {
    if (left > 0.002) {
      Sleep(1);
    } else {
      SwitchToThread();
    }
  }
  return frame_++;
}

}  // namespace hostsim
