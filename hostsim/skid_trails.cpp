#include "hostsim/skid_trails.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "hostsim/call_trace.h"
#include "hostsim/host_words.h"

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))

constexpr std::uint32_t kEndSite = 0x5E2FCD, kMoveSite = 0x5E33D5, kAddSite = 0x5E344D;

struct Point {
  float first[4];
  float second[4];
  std::uint8_t attributes[16];
  std::int32_t endsTrail;
  std::int32_t value;
  float opacity;
  float texture;
};
static_assert(sizeof(Point) == 64, "trail point");

struct Ring {
  Point slots[256];
  Point* head;
  Point* tail;
};
static_assert(sizeof(Ring) == 16392, "trail ring");

// A ring that earlier trails have run through and that is empty again: its slots keep what they
// held.
Ring ring = [] {
  Ring r{};
  for (Point& p : r.slots) p = Point{{9, 9, 9, 0}, {9, 9.5f, 9, 0}, {0xA5, 0xA5}, 0, 3, 0.5f, 7.25f};
  r.head = r.tail = r.slots + 100;
  return r;
}();

Point* previousOf(Point* p) { return p == ring.slots ? ring.slots + 255 : p - 1; }
Point* nextOf(Point* p) { return p == ring.slots + 255 ? ring.slots : p + 1; }

// The host's own operations: no spacing, no texture coordinate, no fade.
void THISCALL hostAdd(Ring* r, const float* first, const float* second, const std::uint8_t* attributes, std::int32_t value) {
  Point* p = r->head;
  std::memcpy(p->first, first, 16);
  std::memcpy(p->second, second, 16);
  std::memcpy(p->attributes, attributes, 16);
  p->endsTrail = 0;
  p->value = value;
  p->opacity = 1.0f;
  p->texture = 0.0f;
  r->head = nextOf(r->head);
  if (r->head == r->tail) r->tail = nextOf(r->tail);
}
std::int32_t THISCALL hostEnd(Ring* r) {
  Point* p = previousOf(r->head);
  const std::int32_t was = p->endsTrail;
  p->endsTrail = 1;
  return was;
}
void THISCALL hostMove(Ring* r, const float* first, const float* second) {
  Point* p = previousOf(r->head);
  std::memcpy(p->first, first, 16);
  std::memcpy(p->second, second, 16);
}

int pointCount() {
  const int n = static_cast<int>(ring.head - ring.tail);
  return n < 0 ? n + 256 : n;
}

}  // namespace

std::vector<AddressEntry> skidTrailEntries() {
  return {{EntryKind::callSite, kEndSite, "skidTrailEndSite", addressOf(&hostEnd)},
          {EntryKind::callSite, kMoveSite, "skidTrailMoveSite", addressOf(&hostMove)},
          {EntryKind::callSite, kAddSite, "skidTrailAddSite", addressOf(&hostAdd)}};
}

bool runSkidTrailStep(std::istream& in) {
  std::string what;
  in >> what;
  static float first[4], second[4];
  static const std::uint8_t attributes[16] = {9, 8, 7, 6};
  if (what == "add" || what == "move") {
    float x = 0, width = 0;
    in >> x >> width;
    const float a[4] = {x, 0, 0, 0}, b[4] = {x, width, 0, 0};
    std::memcpy(first, a, 16);
    std::memcpy(second, b, 16);
    if (what == "add") {
      runCallSite(kAddSite, {wordOf(first), wordOf(second), wordOf(attributes), 5}, wordOf(&ring));
    } else {
      runCallSite(kMoveSite, {wordOf(first), wordOf(second)}, wordOf(&ring));
    }
  } else if (what == "end") {
    trace("skid end returned " + std::to_string(runCallSite(kEndSite, {}, wordOf(&ring))));
  } else if (what == "show") {
    char text[160];
    const Point* newest = previousOf(ring.head);
    std::snprintf(text, sizeof text, "skid points %d newest texture %.3f opacity oldest %.5f newest %.3f", pointCount(),
                  newest->texture, ring.tail->opacity, newest->opacity);
    trace(text);
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
