#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kvl::testdata {

using Bytes = std::vector<uint8_t>;

inline constexpr uint32_t kDlsMagicMina = 0x414E494D;
inline constexpr uint32_t kDlsMagicAtad = 0x44415441;

struct DlsAnimationId {
  uint32_t id = 0;
  uint32_t nameOffset = 0;
};

struct DlsAnimationSet {
  uint32_t channelLimit = 8;
  std::vector<uint32_t> replayChannels;
  std::vector<uint32_t> animChannels;
};

// What a DLS file holds, as far as the checker reads it.
struct DlsLayout {
  uint32_t magic1 = kDlsMagicMina;
  uint32_t magic2 = kDlsMagicAtad;
  uint32_t majorVersion = 18;
  bool withNameLimit = true;  // false: nameLimitOffset is 0
  uint32_t nameLimit = 0x1000;
  bool withIdTable = true;    // false: animationIdsOffset is 0
  std::vector<DlsAnimationId> ids;
  std::vector<DlsAnimationSet> sets;
  std::size_t trailingBytes = 0;  // filler after the tables
};

// A built file and where its parts are, for damaging it afterwards.
struct DlsFile {
  Bytes bytes;
  uint32_t nameLimitAt = 0;
  uint32_t idTableAt = 0;      // the id count
  uint32_t setListAt = 0;      // the set count
  std::vector<uint32_t> setHeaderAt;
  std::vector<uint32_t> replayListAt;
  std::vector<uint32_t> animListAt;
};

// Header fields.
inline constexpr uint32_t kDlsSetsOffsetField = 16;
inline constexpr uint32_t kDlsNameLimitOffsetField = 44;
inline constexpr uint32_t kDlsIdsOffsetField = 52;
// Set header fields.
inline constexpr uint32_t kDlsSetReplayCountField = 8;
inline constexpr uint32_t kDlsSetAnimCountField = 12;
inline constexpr uint32_t kDlsSetReplayListField = 40;
inline constexpr uint32_t kDlsSetAnimListField = 44;

DlsFile buildDls(const DlsLayout& layout);

// A small clean file: two ids, two sets with channels below their limits.
DlsLayout cleanDlsLayout();

void putU32(Bytes& bytes, std::size_t offset, uint32_t value);
uint32_t getU32(const Bytes& bytes, std::size_t offset);

// Writes a clean DLS file of about targetBytes: sixteen animation sets with long channel lists,
// all in range. Returns the bytes written (0 on a failure).
uint64_t writeLargeDls(const std::string& path, uint64_t targetBytes);

// A layout built from arbitrary bytes (for fuzzing): counts and values come from the input.
DlsLayout dlsLayoutFromSeed(const uint8_t* data, std::size_t size);

}  // namespace kvl::testdata
