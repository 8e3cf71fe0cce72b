#include "plugin/host/model/race_event_list.h"

#include <cstring>
#include <deque>

namespace kvl::host {

std::uint32_t RaceEventFields::flags(const std::uint8_t* event) noexcept {
  std::uint32_t f;
  std::memcpy(&f, event + 4, 4);
  return f;
}

std::uint32_t RaceEventFields::kind(const std::uint8_t* event) noexcept {
  const std::uint32_t f = flags(event);
  if ((f & kKindInFlags) != 0) return (f >> 19) & 0xFFFu;
  std::uint16_t k;
  std::memcpy(&k, event, 2);
  return k;
}

std::uint32_t RaceEventFields::kindGroup(std::uint32_t kind) noexcept {
  if (kind >= 21 && kind <= 24) return 1;
  return kind & ~0xFFu;
}

namespace {

void storeFlags(std::uint8_t* event, std::uint32_t f) noexcept { std::memcpy(event + 4, &f, 4); }
void storeKind(std::uint8_t* event, std::uint32_t kind) noexcept {
  const auto k = static_cast<std::uint16_t>(kind);
  std::memcpy(event, &k, 2);
}

}  // namespace

void RaceEventFields::setFlag(std::uint8_t* event, std::uint32_t flag) noexcept {
  std::uint32_t f = flags(event);
  if (flag == kKindInFlags) {
    // Already there: moving the +0 word again would overwrite the kind the flags hold.
    if ((f & kKindInFlags) != 0) return;
    std::uint16_t k;
    std::memcpy(&k, event, 2);
    f = (f & ~kKindField) | ((static_cast<std::uint32_t>(k) & 0xFFFu) << 19) | kKindInFlags;
  } else if ((flag & kExclusiveBits) != 0) {
    f = (f & ~kExclusiveBits) | flag;
  } else {
    f |= flag;
  }
  storeFlags(event, f);
}

void RaceEventFields::clearFlag(std::uint8_t* event, std::uint32_t flag) noexcept {
  std::uint32_t f = flags(event);
  if (flag == kKindInFlags) {
    // Not there: bits 19..30 hold no kind, and moving them would wipe the +0 word.
    if ((f & kKindInFlags) == 0) return;
    storeKind(event, (f & kKindField) >> 19);
    f &= ~(kKindInFlags | kKindField);
  } else {
    f &= ~flag;
  }
  storeFlags(event, f);
}

float RaceEventFields::dueTime(const std::uint8_t* event) noexcept {
  float t;
  std::memcpy(&t, event + 8, 4);
  return t;
}

void RaceEventFields::markHandled(std::uint8_t* event) noexcept {
  const std::uint32_t f = flags(event) | kHandled;
  std::memcpy(event + 4, &f, 4);
}

std::vector<std::int32_t> pendingRaceEvents(const std::uint8_t* events, std::int32_t count, float now) {
  std::deque<std::int32_t> collected;
  bool pivotFound = false;
  for (std::int32_t i = count - 1; i >= 0; --i) {
    const std::uint8_t* event = events + RaceEventFields::kSize * static_cast<std::size_t>(i);
    if (!pivotFound) {
      pivotFound = RaceEventFields::dueTime(event) < now;
      continue;
    }
    const std::uint32_t group = RaceEventFields::kindGroup(RaceEventFields::kind(event));
    if ((group & 0xFFu) != 0 && (RaceEventFields::flags(event) & RaceEventFields::kHandled) == 0) {
      collected.push_front(i);
    }
  }
  return {collected.begin(), collected.end()};
}

}  // namespace kvl::host
