#pragma once
#include <cstdint>
#include <string>

#include "daemons/sound/fmod_api.h"

namespace kvl {

// One sound event of the current car: its description, its instance and the state the server
// keeps for it.
struct SoundSlot {
  std::string path;  // "event:/engine_int", empty until the first load
  FMOD_STUDIO_EVENTDESCRIPTION* description = nullptr;
  FMOD_STUDIO_EVENTINSTANCE* instance = nullptr;
  float fluctuationLevel = 0.0f;   // engine_int, engine_ext, transmission only
  float fluctuationLength = 0.0f;  // seconds, user property "fluctuation_length"
  uint8_t paused = 0;              // the paused state last applied to the instance
};

}  // namespace kvl
