#include "plugin/physics/models/skid_trail_ring.h"

#include <cmath>
#include <cstring>

namespace kvl::physics {

namespace {

float distance(const TrailVector& a, const TrailVector& b) {
  const float dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

}  // namespace

void SkidTrailRing::textureAfter(TrailPoint* p) {
  // The oldest point has none before it in the ring: the slot there is stale.
  const TrailPoint* before = previous(p);
  if (p == tail || before->endsTrail != 0) {
    p->texture = 0.0f;
    return;
  }
  const float width = distance(p->first, p->second);
  // A trail without width has no texture length; its coordinate stays where it was.
  p->texture = width > 0.0f ? before->texture + 2.0f * distance(p->first, before->first) / width : before->texture;
}

void SkidTrailRing::addPoint(const TrailVector& first, const TrailVector& second, const uint8_t attributes[16],
                             int32_t value) {
  if (head != tail && distance(first, previous(head)->first) < 0.001f) return;
  TrailPoint* p = head;
  p->first = first;
  p->second = second;
  std::memcpy(p->attributes, attributes, sizeof p->attributes);
  p->opacity = 1.0f;
  p->endsTrail = 0;
  p->value = value;
  textureAfter(p);
  head = next(head);
  if (head == tail) tail = next(tail);
  TrailPoint* fade = tail;
  for (int i = 1; i <= kFadeSlots; ++i) {
    fade->opacity = 0.03125f * static_cast<float>(i);
    fade = next(fade);
  }
}

int32_t SkidTrailRing::endTrail() {
  if (head == tail) return 0;
  TrailPoint* last = previous(head);
  const int32_t was = last->endsTrail;
  if (was == 0) last->endsTrail = 1;
  return was;
}

void SkidTrailRing::moveLast(const TrailVector& first, const TrailVector& second) {
  if (head == tail) return;
  TrailPoint* last = previous(head);
  last->first = first;
  last->second = second;
  if (last != tail && previous(last)->endsTrail == 0) textureAfter(last);
}

}  // namespace kvl::physics
