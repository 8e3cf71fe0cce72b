#include "plugin/foundation/buffers/file_buffer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>

namespace {

using kvl::FileBuffer;

std::string bytes(const FileBuffer& b, int from, int to) {
  return std::string(reinterpret_cast<const char*>(b.data()) + from, static_cast<size_t>(to - from));
}

std::string pattern(char first, int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += static_cast<char>(first + i % 26);
  return s;
}

TEST(FileBuffer, ReadsAndReuses) {
  // Each step reads n bytes from a stream holding `available` bytes into the same buffer.
  struct Step {
    const char* name;
    int n;
    int available;
    bool result;
    int size;        // the block's length
    bool sameBlock;  // the block of the previous step is reused
  };
  const Step steps[] = {
      {"nothing on a new buffer", 0, 10, true, 0, true},
      {"first fill", 1000, 1000, true, 1000, false},
      {"smaller fill reuses the block", 100, 100, true, 1000, true},
      {"equal fill reuses the block", 1000, 2000, true, 1000, true},
      {"short read", 20, 10, false, 1000, true},
      {"nothing on a filled buffer", 0, 10, true, 1000, true},
      {"larger fill takes a new block", 1500, 1500, true, 1500, false},
      {"negative length refused", -1, 10, false, 1500, true},
  };
  FileBuffer b;
  const uint8_t* lastBlock = nullptr;
  char first = 'a';
  for (const Step& s : steps) {
    const std::string content = pattern(first, s.available);
    std::istringstream stream(content);
    b.setPosition(7);
    const bool ok = b.readFrom(stream, s.n);
    EXPECT_EQ(ok, s.result) << s.name;
    EXPECT_EQ(b.size(), s.size) << s.name;
    if (s.sameBlock) {
      EXPECT_EQ(b.data(), lastBlock) << s.name;
    }
    if (s.n >= 0) {
      EXPECT_EQ(b.position(), 0) << s.name;
      const int got = s.n < s.available ? s.n : s.available;
      if (got > 0) {
        EXPECT_EQ(bytes(b, 0, got), content.substr(0, got)) << s.name;
      }
      for (int i = got; i < s.n; ++i) ASSERT_EQ(b.data()[i], 0) << s.name << " byte " << i;
    } else {
      EXPECT_EQ(b.position(), 7) << s.name;
    }
    lastBlock = b.data();
    ++first;
  }
}

TEST(FileBuffer, SmallerFillKeepsTheRestOfTheBlockAndItsSize) {
  FileBuffer b;
  std::istringstream big(std::string(1000, 'x'));
  ASSERT_TRUE(b.readFrom(big, 1000));
  std::istringstream small(std::string(100, 'y'));
  ASSERT_TRUE(b.readFrom(small, 100));
  EXPECT_EQ(b.size(), 1000);
  EXPECT_EQ(bytes(b, 0, 100), std::string(100, 'y'));
  EXPECT_EQ(bytes(b, 100, 1000), std::string(900, 'x'));
}

TEST(FileBuffer, FillFromMemoryKeepsTheBlockRule) {
  FileBuffer b;
  EXPECT_TRUE(b.fill(nullptr, 0));
  EXPECT_EQ(b.data(), nullptr);
  const std::string big(1000, 'x'), small(100, 'y');
  ASSERT_TRUE(b.fill(reinterpret_cast<const uint8_t*>(big.data()), big.size()));
  const uint8_t* block = b.data();
  b.setPosition(5);
  ASSERT_TRUE(b.fill(reinterpret_cast<const uint8_t*>(small.data()), small.size()));
  EXPECT_EQ(b.data(), block);
  EXPECT_EQ(b.size(), 1000);
  EXPECT_EQ(b.position(), 0);
  EXPECT_EQ(bytes(b, 0, 100), small);
  EXPECT_EQ(bytes(b, 100, 1000), std::string(900, 'x'));
  // More than the host's 32-bit size can show is refused, the block left as it was.
  EXPECT_FALSE(b.fill(block, static_cast<size_t>(INT32_MAX) + 1));
  EXPECT_EQ(b.data(), block);
}

TEST(FileBuffer, ReleaseEmptiesAndAllowsRefill) {
  FileBuffer b;
  std::istringstream s1("abcdef");
  ASSERT_TRUE(b.readFrom(s1, 6));
  b.release();
  EXPECT_EQ(b.data(), nullptr);
  EXPECT_EQ(b.size(), 0);
  EXPECT_EQ(b.position(), 0);
  b.release();  // twice is harmless
  std::istringstream s2("xyz");
  ASSERT_TRUE(b.readFrom(s2, 3));
  EXPECT_EQ(bytes(b, 0, 3), "xyz");
}

TEST(FileBuffer, StreamExceptionsPassThrough) {
  FileBuffer b;
  std::istringstream s("abc");
  s.exceptions(std::ios::failbit | std::ios::eofbit);
  EXPECT_THROW(b.readFrom(s, 10), std::ios::failure);
}

}  // namespace
