#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "daemons/recorder/row_buffer.h"

namespace {

using kvl::RowBuffer;

TEST(RowBuffer, ChunkSizes) {
  struct Case {
    uint32_t rowSize;
    uint32_t rowsPerChunk;
    uint64_t chunkBytes;
    uint64_t cap = RowBuffer::kDefaultCapBytes;
  };
  const Case cases[] = {
      {0, 4096, 0},
      // A cap below one chunk makes the chunk smaller, not every row refused.
      {20, 6144, 122880, 120 * 1024},
      {20, 838860, 16777200},
      {24, 699050, 16777200},
      {100, 167772, 16777200},
      {764, 21959, 16776676},
      {4096, 4096, 16777216},
      {5000, 4096, 20480000},
      {65536, 4096, 268435456},
  };
  for (const Case& c : cases) {
    RowBuffer buffer(c.rowSize, c.cap);
    EXPECT_EQ(buffer.rowsPerChunk(), c.rowsPerChunk) << c.rowSize;
    EXPECT_EQ(buffer.allocatedBytes(), 0u) << "no chunk before the first row";
    if (c.rowSize <= 5000) {
      std::vector<unsigned char> row(c.rowSize, 1);
      ASSERT_TRUE(buffer.append(row.data()));
      EXPECT_EQ(buffer.allocatedBytes(), c.chunkBytes) << c.rowSize;
    }
  }
}

TEST(RowBuffer, RowsLandInOrderAcrossChunks) {
  RowBuffer buffer(4096);  // 4096 rows of 4096 bytes a chunk
  std::vector<unsigned char> row(4096);
  const uint32_t rows = 4096 + 3;
  for (uint32_t i = 0; i < rows; ++i) {
    std::memcpy(row.data(), &i, 4);
    row[4095] = static_cast<unsigned char>(i);
    ASSERT_TRUE(buffer.append(row.data()));
    if (i == 4095) {
      EXPECT_EQ(buffer.chunkCount(), 1u);
      EXPECT_EQ(buffer.rowsInLastChunk(), 4096u);
    }
  }
  EXPECT_EQ(buffer.chunkCount(), 2u) << "the row after a full chunk opens the next";
  EXPECT_EQ(buffer.rowsInLastChunk(), 3u);
  EXPECT_EQ(buffer.rowCount(), rows);
  EXPECT_EQ(buffer.allocatedBytes(), 2ull * 4096 * 4096);
  for (uint32_t i : {0u, 1u, 4095u, 4096u, 4098u}) {
    uint32_t stored = 0;
    std::memcpy(&stored, buffer.row(i), 4);
    EXPECT_EQ(stored, i);
    EXPECT_EQ(buffer.row(i)[4095], static_cast<unsigned char>(i));
  }
}

TEST(RowBuffer, EmptyRowsStillCount) {
  RowBuffer buffer(0);
  for (int i = 0; i < 5000; ++i) ASSERT_TRUE(buffer.append(nullptr));
  EXPECT_EQ(buffer.rowCount(), 5000u);
  EXPECT_EQ(buffer.chunkCount(), 2u);
  EXPECT_EQ(buffer.allocatedBytes(), 0u);
}

TEST(RowBuffer, CapRefusesRowsAndKeepsTheRest) {
  // Room for two chunks of 4096 rows of 4096 bytes.
  RowBuffer buffer(4096, 2ull * 4096 * 4096);
  std::vector<unsigned char> row(4096, 7);
  for (int i = 0; i < 2 * 4096; ++i) ASSERT_TRUE(buffer.append(row.data()));
  EXPECT_FALSE(buffer.append(row.data()));
  EXPECT_FALSE(buffer.append(row.data()));
  EXPECT_EQ(buffer.refusedRows(), 2u);
  EXPECT_EQ(buffer.rowCount(), 2u * 4096);
  EXPECT_EQ(buffer.row(2 * 4096 - 1)[100], 7);
}

}  // namespace
