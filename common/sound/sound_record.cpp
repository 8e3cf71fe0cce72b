#include "common/sound/sound_record.h"

#include <cstdio>
#include <cstring>

namespace kvl {

void SoundResults::clear() { std::memset(this, 0, sizeof(*this)); }

std::string SoundResults::describe() const {
  char buffer[1000] = {};
  std::snprintf(buffer, sizeof(buffer),
                " engineInt=%d engineExt=%d backfireInt=%d backfireExt=%d gearInt=%d gearExt=%d"
                " ignition=%d blowoffInt=%d transmission=%d blowoffExt=%d turbo=%d wind=%d"
                " wheels[0]=%d wheels[1]=%d wheels[2]=%d wheels[3]=%d\n",
                engineInt, engineExt, backfireInt, backfireExt, gearInt, gearExt, ignition,
                blowoffInt, transmission, blowoffExt, turbo, wind, wheels[0], wheels[1], wheels[2],
                wheels[3]);
  return buffer;
}

void clearSoundBlock(SoundBlock3D& block) { std::memset(&block, 0, sizeof(block)); }

SoundRecord::SoundRecord() {
  std::memset(this, 0, offsetof(SoundRecord, results));
  results.clear();
}

}  // namespace kvl
