#include <gtest/gtest.h>

#include "plugin/physics/surface_grip_sets.h"

namespace kvl::physics {
namespace {

// Column index of GripValues::f by byte offset.
std::size_t col(std::uint32_t offset) {
  for (std::size_t i = 0; i < kGripFloatOffsets.size(); ++i) {
    if (kGripFloatOffsets[i] == offset) return i;
  }
  ADD_FAILURE() << offset;
  return 0;
}

TEST(SurfaceGripSets, BothSetsWriteThe144ListedEntriesOnly) {
  EXPECT_EQ(gripEntriesWritten().size(), 144u);
  for (int k : {4, 8, 12, 16, 20, 36, 40, 44, 48, 52, 68, 95, 96, 100, 104, 108, 112, 122, 128, 132, 136, 140, 144,
                152, 156, 158, 160, 164, 169, 176, 180, 196, 200, 253}) {
    EXPECT_FALSE(gripValues(778, k)) << k;
    EXPECT_FALSE(gripValues(0, k)) << k;
  }
  for (int k : gripEntriesWritten()) {
    EXPECT_TRUE(gripValues(778, k)) << k;
    EXPECT_TRUE(gripValues(777, k)) << k;
  }
}

TEST(SurfaceGripSets, RevisionRule) {
  // Only exactly 778 picks the detailed set: entry 0's +72 tells them apart.
  for (std::int32_t revision : {0, 777, 779, -778}) EXPECT_FLOAT_EQ(gripValues(revision, 0)->f[col(72)], 0.3f);
  EXPECT_FLOAT_EQ(gripValues(778, 0)->f[col(72)], 0.95f);
}

TEST(SurfaceGripSets, UniformRows) {
  struct Case {
    int entry;
    std::uint32_t offset;
    float value;
  } cases[] = {
      {0, 216, 0.5f},    {2, 40, 0.25f},    {3, 232, 1},       {3, 264, 0.9f},     {6, 216, 0.6f},
      {35, 216, 0.4f},   {154, 216, 0.7f},  {28, 312, 0.01f},  {58, 264, 0.8f},    {55, 216, 0.7f},
      {82, 216, 0.525f}, {87, 200, 0.001f}, {117, 264, 0.8f},  {99, 264, 1.2f},    {114, 280, 0.2f},
      {56, 312, 500000}, {120, 296, 15000}, {121, 264, 5},     {138, 232, 1},      {162, 216, 0.55f},
      {157, 40, 1},      {64, 72, 0},       {255, 104, 0},     {1, 136, 2e-07f},   {254, 152, 1000},
  };
  for (const Case& c : cases) EXPECT_FLOAT_EQ(gripValues(0, c.entry)->f[col(c.offset)], c.value) << c.entry << " +" << c.offset;
  struct Ints {
    int entry, cls, kind;
  } ints[] = {{0, 0, 5}, {1, 1, 5}, {37, 2, 5}, {62, 3, 5}, {133, 4, 5}, {97, 5, 5}, {56, 4, 13}, {121, 4, 13},
              {157, 0, 1}, {255, 0, 1}, {64, 0, 0}};
  for (const Ints& c : ints) {
    EXPECT_EQ(gripValues(0, c.entry)->surfaceClass, c.cls) << c.entry;
    EXPECT_EQ(gripValues(0, c.entry)->kind, c.kind) << c.entry;
  }
}

TEST(SurfaceGripSets, DetailedTellingRowsAndStructure) {
  const GripValues r62 = *gripValues(778, 62);
  const float expect62[17] = {-0.0285f, 1, 0.87f, 0.87f, 0.8265f, 0.8265f, 0, 22000, 0.03f, 0.0003f, 1, 1, 2.5f, 0.9f, 0.3f, 0.05f, 0.02f};
  for (std::size_t i = 0; i < 17; ++i) EXPECT_FLOAT_EQ(r62.f[i], expect62[i]) << i;
  EXPECT_EQ(r62.surfaceClass, 3);
  EXPECT_FLOAT_EQ(gripValues(778, 120)->f[col(296)], 15000);
  EXPECT_FLOAT_EQ(gripValues(778, 56)->f[col(24)], -0.015f);
  EXPECT_FLOAT_EQ(gripValues(778, 121)->f[col(248)], 0.16f);
  EXPECT_FLOAT_EQ(gripValues(778, 30)->f[col(88)], 0.63875f);
  EXPECT_FLOAT_EQ(gripValues(778, 30)->f[col(152)], 0);
  EXPECT_FLOAT_EQ(gripValues(778, 166)->f[col(248)], 0);
  EXPECT_EQ(gripValues(778, 255)->kind, 1);
  EXPECT_FLOAT_EQ(gripValues(778, 255)->f[col(264)], 0);
  // Within a triple +40 steps 0 / 0.5 / 1 and the grip falls; +24 stays in its band.
  for (int first : {9, 65, 105, 133, 177}) {
    EXPECT_FLOAT_EQ(gripValues(778, first + 1)->f[col(40)], 0.5f) << first;
    EXPECT_FLOAT_EQ(gripValues(778, first + 2)->f[col(232)], 1) << first;
    EXPECT_GT(gripValues(778, first)->f[col(72)], gripValues(778, first + 2)->f[col(72)]) << first;
  }
  EXPECT_FLOAT_EQ(gripValues(778, 130)->f[col(40)], 1);  // 129-131: the last two swapped
  EXPECT_FLOAT_EQ(gripValues(778, 118)->f[col(232)], 1);
  for (int k : gripEntriesWritten()) {
    const float c24 = gripValues(778, k)->f[0];
    EXPECT_TRUE(c24 == 0 || (c24 >= -0.0285f && c24 <= -0.006f)) << k;
  }
}

}  // namespace
}  // namespace kvl::physics
