#pragma once
#include <cstdint>

namespace kvl::physics {

struct TrailVector {
  float x, y, z, w;
};

// One point of a skid trail: its two edges, the host's attributes and value, and how it is drawn.
struct TrailPoint {
  TrailVector first;
  TrailVector second;
  uint8_t attributes[16];
  int32_t endsTrail;
  int32_t value;
  float opacity;
  float texture;
};

// The host's ring of skid trail points: head is the slot the next point goes to, tail the
// oldest point; head == tail means empty.
struct SkidTrailRing {
  static constexpr int kSlots = 256;
  static constexpr int kFadeSlots = 32;
  TrailPoint slots[kSlots];
  TrailPoint* head;
  TrailPoint* tail;

  // Adds a point unless it lies within 0.001 of the newest one; drops the oldest point of a full
  // ring; fades in the 32 oldest.
  void addPoint(const TrailVector& first, const TrailVector& second, const uint8_t attributes[16], int32_t value);
  // Marks the newest point as the end of its trail; returns the mark it had. An empty ring
  // has no newest point and returns 0.
  int32_t endTrail();
  // Moves the newest point's edges (nothing on an empty ring).
  void moveLast(const TrailVector& first, const TrailVector& second);

 private:
  TrailPoint* next(TrailPoint* p) { return p == slots + kSlots - 1 ? slots : p + 1; }
  TrailPoint* previous(TrailPoint* p) { return p == slots ? slots + kSlots - 1 : p - 1; }
  // The texture coordinate of point p after the point before it.
  void textureAfter(TrailPoint* p);
};

}  // namespace kvl::physics
