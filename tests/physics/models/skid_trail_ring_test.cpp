#include "plugin/physics/models/skid_trail_ring.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace kvl::physics;

struct Ring {
  std::unique_ptr<SkidTrailRing> ring = std::make_unique<SkidTrailRing>();
  const uint8_t attributes[16] = {1, 2, 3};
  Ring() { ring->head = ring->tail = ring->slots; }
  void add(float x, float width = 0.5f) { ring->addPoint({x, 0, 0, 0}, {x, width, 0, 0}, attributes, 7); }
  int count() const {
    const int n = static_cast<int>(ring->head - ring->tail);
    return n < 0 ? n + SkidTrailRing::kSlots : n;
  }
  const TrailPoint& newest() const { return ring->head == ring->slots ? ring->slots[255] : ring->head[-1]; }
};

TEST(SkidTrail, SpacingTextureAndTrailEnds) {
  Ring r;
  r.add(0.0f);
  r.add(0.0009f);
  EXPECT_EQ(r.count(), 1);
  r.add(0.001f);
  EXPECT_EQ(r.count(), 2);
  r.add(0.251f);
  EXPECT_FLOAT_EQ(r.newest().texture, r.ring->slots[1].texture + 2 * 0.25f / 0.5f);
  EXPECT_EQ(r.newest().value, 7);
  EXPECT_EQ(r.newest().attributes[2], 3);
  EXPECT_EQ(r.ring->endTrail(), 0);
  EXPECT_EQ(r.ring->endTrail(), 1);
  r.add(1.0f);
  EXPECT_EQ(r.newest().texture, 0.0f);
  r.add(2.0f);
  r.ring->moveLast({1.5f, 0, 0, 0}, {1.5f, 0.25f, 0, 0});
  EXPECT_FLOAT_EQ(r.newest().texture, 2 * 0.5f / 0.25f);
  // A trail without width keeps its coordinate instead of dividing by 0.
  r.add(3.0f, 0.0f);
  EXPECT_FLOAT_EQ(r.newest().texture, 4.0f);
}

TEST(SkidTrail, FullRingDropsTheOldestAndFadesFromTheTail) {
  Ring r;
  for (int i = 0; i < 300; ++i) r.add(static_cast<float>(i));
  EXPECT_EQ(r.count(), 255);
  EXPECT_EQ(r.ring->tail->first.x, 45.0f);
  const TrailPoint* p = r.ring->tail;
  for (int i = 1; i <= 32; ++i, p = p == r.ring->slots + 255 ? r.ring->slots : p + 1) {
    EXPECT_FLOAT_EQ(p->opacity, i / 32.0f) << i;
  }
  EXPECT_EQ(r.newest().opacity, 1.0f);
}

// A ring emptied after earlier trails keeps their slots: the first point has none before it and
// starts at texture coordinate 0, also when moved.
TEST(SkidTrail, FirstPointOfAnEmptyRingStartsAtZero) {
  Ring r;
  for (TrailPoint& slot : r.ring->slots) slot = TrailPoint{{9, 9, 9, 0}, {9, 9.5f, 9, 0}, {}, 0, 3, 0.5f, 7.25f};
  r.ring->head = r.ring->tail = r.ring->slots + 100;
  r.add(1.0f);
  EXPECT_EQ(r.newest().texture, 0.0f);
  r.ring->moveLast({2, 0, 0, 0}, {2, 0.5f, 0, 0});
  EXPECT_EQ(r.newest().texture, 0.0f);
  r.add(2.25f);
  EXPECT_FLOAT_EQ(r.newest().texture, 2 * 0.25f / 0.5f);
}

TEST(SkidTrail, EmptyRingOperationsDoNothing) {
  Ring r;
  EXPECT_EQ(r.ring->endTrail(), 0);
  r.ring->moveLast({1, 1, 1, 0}, {2, 2, 2, 0});
  EXPECT_EQ(r.count(), 0);
}

}  // namespace
