// One request of the command loop, and the pause after a quiet period.
#include <cstring>

#include "daemons/sound/sound_server.h"

namespace kvl {

bool SoundServer::serveRequest(uint8_t* block) {
  commandSinceQuiet_ = true;
  if (!block) return false;
  std::memcpy(static_cast<void*>(record_.get()), block, SoundRecord::kRequestSize);

  bool quit = false;
  switch (static_cast<SoundCommand>(record_->command)) {
    case SoundCommand::Load:
      loadCar();
      break;
    case SoundCommand::Start:
      start();
      break;
    case SoundCommand::StopUnload:
      stopAll();
      break;
    case SoundCommand::PauseResume:
      if (record_->paused == 0) {
        applyMasterVolume();
        setPaused(false);
      } else {
        setPaused(true);
      }
      break;
    case SoundCommand::Frame:
      // Once per host frame: no extra Studio update and the result words stay as they are.
      update();
      return false;
    case SoundCommand::Quit:
      quit = true;
      break;
    default:
      return false;
  }
  if (system_) FMOD_Studio_System_Update(system_);
  std::memcpy(block + SoundRecord::kResultsOffset, &record_->results, SoundRecord::kResultsSize);
  return quit;
}

void SoundServer::onQuietPeriod() {
  if (!commandSinceQuiet_) return;
  commandSinceQuiet_ = false;
  setPaused(true);
  if (system_) FMOD_Studio_System_Update(system_);
}

}  // namespace kvl
