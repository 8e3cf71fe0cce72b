#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "plugin/physics/tyre_compounds.h"

namespace kvl::physics {
namespace {

float wordAt(const std::uint8_t* p, std::size_t offset) {
  float v;
  std::memcpy(&v, p + offset, 4);
  return v;
}

TEST(TyreCompounds, ValuesPerType) {
  static CompoundSet set;
  buildTyreCompounds(set);
  struct Case {
    std::size_t type, offset;
    float value;
  } cases[] = {
      {0, 88, 410000},   {6, 88, 302000},  {3, 136, 1500000}, {6, 152, 0.8f},   {2, 232, 0.78f},
      {4, 408, 0.5f},    {6, 424, 0},      {5, 504, -0.075f}, {1, 552, 1.1f},   {6, 584, 1},
      {0, 584 + 16 * 7, 0.85f},           {3, 712 + 16 * 5, 0.525f},           {0, 840 + 16 * 7, 161800},
      {1, 840, 60000 * 0.975f},           {4, 840, 60000 * 0.5f * 0.975f},     {6, 840, 60000 * 0.5f * 1.05f},
      {6, 968 + 16 * 7, 70000 * 0.5f * 1.2f}, {1, 1352, 0.14f - 0.005f},      {6, 1352 + 16 * 7, 0.306f + 0.11f},
      {3, 1480 + 16 * 3, 0.35f},          {6, 1640, 1.05f},  {1, 1624, 0.963f}, {2, 1704, 0.9f},  {5, 1688, 0.975f},
  };
  for (const Case& c : cases) EXPECT_FLOAT_EQ(compoundValue(set[c.type], c.offset), c.value) << c.type << " +" << c.offset;
  for (std::int32_t t = 0; t < 7; ++t) {
    std::int32_t type;
    std::memcpy(&type, set[t].data() + 24, 4);
    EXPECT_EQ(type, t);
  }
  EXPECT_EQ(wordAt(set[0].data(), 20), 0.0f);  // a header word stays zero
}

TEST(TyreCompounds, TypeSevenOrMoreTakesTarmacDry) {
  EXPECT_EQ(compoundIndexFor(6), 6u);
  EXPECT_EQ(compoundIndexFor(7), 0u);
  EXPECT_EQ(compoundIndexFor(9), 0u);
  EXPECT_EQ(compoundIndexFor(0xFFFFFFFFu), 0u);
}

TEST(TyreCompounds, CopiedIntoTheWheelRecordFieldByField) {
  static CompoundSet set;
  buildTyreCompounds(set);
  std::vector<std::uint8_t> record(kTyreRecordSize, 0xAB), part(96, 0);
  applyCompoundToTyreRecord(set[6], record.data());
  applyCompoundToWheelPart(set[6], part.data());
  struct Case {
    std::size_t from, to;
  } cases[] = {{152, 44}, {88, 76}, {104, 92}, {72, 108}, {168, 124}, {248, 204}, {296, 236}, {520, 324},
               {568, 336}, {584, 420}, {824, 480}, {840, 516}, {1592, 704}, {312, 708}, {392, 728},
               {408, 732}, {424, 736}, {504, 756}, {1608, 760}, {1688, 780}, {1704, 784}};
  for (const Case& c : cases) EXPECT_EQ(wordAt(record.data(), c.to), compoundValue(set[6], c.from)) << c.from;
  std::int32_t type;
  std::memcpy(&type, record.data() + 12, 4);
  EXPECT_EQ(type, 6);
  EXPECT_EQ(record[0], 0xAB);  // words the copy does not name stay
  EXPECT_EQ(record[240], 0xAB);
  EXPECT_EQ(wordAt(part.data(), 80), 300000.0f);
  EXPECT_EQ(wordAt(part.data(), 84), 5000000.0f);
  EXPECT_EQ(wordAt(part.data(), 88), 0.5f);
}

}  // namespace
}  // namespace kvl::physics
