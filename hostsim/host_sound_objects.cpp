#include "hostsim/host_sound_objects.h"

#include <string>

#include "hostsim/call_trace.h"
#include "hostsim/fields.h"
#include "hostsim/host_words.h"

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))

constexpr int kSlots = 28;
constexpr std::uint32_t kFirstRecord = 124, kRecordSize = 216;

struct Sound {
  void** table;
  std::int32_t slot;
  std::uint32_t flags;
};
Sound sounds[kSlots];

std::string name(const Sound* s) { return "host sound " + std::to_string(s->slot); }

std::uint8_t THISCALL hasFlag(Sound* s, std::uint32_t mask) { return (s->flags & mask) != 0 ? 1 : 0; }
void THISCALL update(Sound* s) { trace(name(s) + " update"); }
void THISCALL setMode(Sound* s, std::int32_t mode) { trace(name(s) + " mode " + std::to_string(mode)); }
void THISCALL stop(Sound* s) { trace(name(s) + " stop"); }
void THISCALL setLevel(Sound* s, std::int32_t level) { trace(name(s) + " level " + std::to_string(level)); }
void THISCALL unexpected(Sound* s) { trace(name(s) + " unexpected slot"); }

void* soundTable[32];

std::uint8_t THISCALL managerContains(void*, const Sound* s) {
  return s >= sounds && s < sounds + kSlots && s->slot != 2 ? 1 : 0;
}

}  // namespace

void attachLevelSounds(unsigned char* soundSystem) {
  for (void*& entry : soundTable) entry = reinterpret_cast<void*>(&unexpected);
  soundTable[52 / 4] = reinterpret_cast<void*>(&hasFlag);
  soundTable[84 / 4] = reinterpret_cast<void*>(&update);
  soundTable[88 / 4] = reinterpret_cast<void*>(&setMode);
  soundTable[92 / 4] = reinterpret_cast<void*>(&stop);
  soundTable[96 / 4] = reinterpret_cast<void*>(&setLevel);
  for (int k = 0; k < kSlots; ++k) {
    Sound& s = sounds[k];
    s.table = soundTable;
    s.slot = k;
    s.flags = (k == 1 ? 0u : 2u) | (k == 0 || k == 13 ? 128u : 0u);
    put(soundSystem, kFirstRecord + kRecordSize * static_cast<std::uint32_t>(k), wordOf(&s));
  }
}

void* managerContainsEntry() { return reinterpret_cast<void*>(&managerContains); }

}  // namespace hostsim
