#include "common/lbs/lbs_frame.h"

#include <gtest/gtest.h>

namespace {

using kvl::tracks::SegmentHeader;

TEST(LbsFrame, TypeWordsFromHeaderBytes) {
  const uint8_t header[8] = {1, 0, 0, 0, 10, 0, 0, 0};
  struct Case {
    std::size_t n;
    int32_t type01, type02;
  };
  const Case cases[] = {{0, 0, 0}, {1, 0, 0}, {3, 0, 0}, {4, 1, 0}, {5, 0, 0}, {7, 0, 0}, {8, 1, 10}};
  for (const Case& c : cases) {
    const SegmentHeader h = kvl::tracks::segmentHeaderFromBytes(header, c.n);
    EXPECT_EQ(h.type01, c.type01) << c.n;
    EXPECT_EQ(h.type02, c.type02) << c.n;
  }
  const uint8_t negative[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF};
  const SegmentHeader h = kvl::tracks::segmentHeaderFromBytes(negative, 8);
  EXPECT_EQ(h.type01, -1);
  EXPECT_EQ(h.type02, -2);
}

TEST(LbsFrame, Lb2Kinds) {
  struct Case {
    int32_t type01, type02;
    bool lb2;
  };
  const Case cases[] = {{1, 0, true}, {1, 1, true}, {2, 10, true}, {1, 2, false}, {2, 1, false},
                        {0, 0, false}, {10, 2, false}, {2, 0, false}};
  for (const Case& c : cases)
    EXPECT_EQ(kvl::tracks::belongsToLb2({c.type01, c.type02}), c.lb2) << c.type01 << "," << c.type02;
}

TEST(LbsFrame, Lb2FileName) {
  struct Case {
    const char* lbs;
    const char* lb2;
  };
  const Case cases[] = {{"Maps/track-01.lbs", "Maps/track-01.lb2"}, {"C:\\Maps\\a.LBS", "C:\\Maps\\a.LB2"},
                        {"x", "2"}, {"", ""}, {"stage.lb2", "stage.lb2"}};
  for (const Case& c : cases) EXPECT_EQ(kvl::tracks::lb2FileName(c.lbs), c.lb2) << c.lbs;
}

}  // namespace
