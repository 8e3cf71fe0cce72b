#include "common/sound/sound_record.h"

#include <cstddef>
#include <cstring>

#include <gtest/gtest.h>

namespace kvl {
namespace {

const unsigned char* bytesOf(const SoundRecord& r) { return reinterpret_cast<const unsigned char*>(&r); }

TEST(SoundRecord, NewRecordIsAllZero) {
  SoundRecord r;
  for (size_t i = 0; i < sizeof(r); ++i) ASSERT_EQ(bytesOf(r)[i], 0) << "byte " << i;
}

TEST(SoundRecord, FieldsSitWhereBothSidesReadThem) {
  SoundRecord r;
  r.command = 5;
  r.gear = -1;
  r.paused = 1;
  r.volumeFactor = 0.5f;
  r.wheelSpeed[3] = 2.0f;
  r.blocks[kFirstWheelBlock + 3].up.z = 1.0f;
  r.results.wheels[3] = 1;
  r.results.transmission = 1;
  const struct {
    size_t offset;
    uint32_t bits;
  } cases[] = {
      {0, 5u},
      {20, 0xFFFFFFFFu},
      {72, 1u},
      {76, 0x3F000000u},                  // 0.5f
      {68, 0x40000000u},                  // 2.0f
      {592 + 48 + 8, 0x3F800000u},        // wheel 3 block, up.z
      {716, 1u},                          // results: wheels[3]
      {656 + 8 * 4, 1u},                  // results: transmission, the ninth word
  };
  for (const auto& c : cases) {
    uint32_t bits = 0;
    std::memcpy(&bits, bytesOf(r) + c.offset, 4);
    EXPECT_EQ(bits, c.bits) << "offset " << c.offset;
  }
  EXPECT_EQ(SoundRecord::kRequestSize + SoundRecord::kResultsSize, sizeof(SoundRecord));
}

TEST(SoundResults, DescribeNamesEveryWordInOrder) {
  SoundRecord r;
  r.results.engineExt = 1;
  r.results.wheels[2] = 1;
  EXPECT_EQ(r.results.describe(),
            " engineInt=0 engineExt=1 backfireInt=0 backfireExt=0 gearInt=0 gearExt=0 ignition=0"
            " blowoffInt=0 transmission=0 blowoffExt=0 turbo=0 wind=0 wheels[0]=0 wheels[1]=0"
            " wheels[2]=1 wheels[3]=0\n");
  r.results.clear();
  EXPECT_EQ(r.results.engineExt, 0);
}

}  // namespace
}  // namespace kvl
