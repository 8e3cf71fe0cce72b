#include "hostsim/host_sound_objects.h"

#include "hostsim/call_trace.h"
#include "hostsim/fields.h"
#include "hostsim/host_words.h"

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))

constexpr std::uint32_t kMembers[2] = {4012, 4228};

struct Sound {
  void** table;
  std::uint32_t member;
  std::uint32_t flags;
};
Sound sounds[2];

std::string name(const Sound* s) { return "host sound " + std::to_string(s->member); }

// Both answer with a nonzero word, not a bool: here one whose low byte is 0.
std::uint32_t THISCALL hasFlag(Sound* s, std::uint32_t mask) { return (s->flags & mask) << 8; }
void THISCALL update(Sound* s) { trace(name(s) + " update"); }
void THISCALL setMode(Sound* s, std::int32_t mode) { trace(name(s) + " mode " + std::to_string(mode)); }
void THISCALL stop(Sound* s) { trace(name(s) + " stop"); }
void THISCALL setLevel(Sound* s, std::int32_t level) { trace(name(s) + " level " + std::to_string(level)); }
void THISCALL unexpected(Sound* s) { trace(name(s) + " unexpected slot"); }

void* soundTable[32];

std::uint32_t THISCALL managerContains(void*, const Sound* s) { return s >= sounds && s < sounds + 2 ? 0x100u : 0u; }

}  // namespace

void attachSystemSounds(unsigned char* soundSystem) {
  for (void*& entry : soundTable) entry = reinterpret_cast<void*>(&unexpected);
  soundTable[52 / 4] = reinterpret_cast<void*>(&hasFlag);
  soundTable[84 / 4] = reinterpret_cast<void*>(&update);
  soundTable[88 / 4] = reinterpret_cast<void*>(&setMode);
  soundTable[92 / 4] = reinterpret_cast<void*>(&stop);
  soundTable[96 / 4] = reinterpret_cast<void*>(&setLevel);
  for (int i = 0; i < 2; ++i) {
    sounds[i] = {soundTable, kMembers[i], i == 0 ? 2u | 128u : 2u};
    put(soundSystem, kMembers[i], wordOf(&sounds[i]));
  }
}

void* managerContainsEntry() { return reinterpret_cast<void*>(&managerContains); }

std::string systemSoundsLine(const unsigned char* soundSystem) {
  std::string line = "host sound objects";
  for (std::uint32_t member : kMembers) {
    line += " +" + std::to_string(member) + (get(soundSystem, member) == 0 ? " cleared" : " kept");
  }
  return line;
}

}  // namespace hostsim
