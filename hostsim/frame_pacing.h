#pragma once
// Frames at a game's frame rate (30, 60, 144 per second): each frame is due at a fixed time from
// the first one, so one late frame does not push back the frames after it.
#include <windows.h>

namespace hostsim {

class FramePacer {
 public:
  explicit FramePacer(double framesPerSecond);
  // Waits until the next frame is due (the first at once) and returns its number, from 0.
  int nextFrame();
  // Seconds since the first frame was due.
  double elapsed() const;

 private:
  double period_;
  LARGE_INTEGER frequency_{};
  LARGE_INTEGER start_{};
  int frame_ = 0;
};

}  // namespace hostsim
