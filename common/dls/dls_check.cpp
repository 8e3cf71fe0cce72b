#include "common/dls/dls_check.h"

#include <cstring>
#include <exception>

#include "common/dls/dls_error_log.h"
#include "common/text/date_time_text.h"

namespace kvl::tracks {

namespace {

constexpr uint32_t kMagicMina = 0x414E494D;  // "MINA"
constexpr uint32_t kMagicAtad = 0x44415441;  // "ATAD"
constexpr uint32_t kMajorVersion = 18;

// Header fields.
constexpr uint64_t kMajorVersionAt = 8;
constexpr uint64_t kAnimationSetsOffsetAt = 16;
constexpr uint64_t kNameLimitOffsetAt = 44;
constexpr uint64_t kAnimationIdsOffsetAt = 52;
constexpr uint64_t kHeaderSize = 56;

// Table layouts.
constexpr uint64_t kIdEntrySize = 8;
constexpr uint64_t kSetEntrySize = 8;
constexpr uint64_t kChannelEntrySize = 12;
constexpr uint64_t kSetChannelLimitAt = 4;
constexpr uint64_t kSetReplayCountAt = 8;
constexpr uint64_t kSetAnimCountAt = 12;
constexpr uint64_t kSetReplayListAt = 40;
constexpr uint64_t kSetAnimListAt = 44;
constexpr uint64_t kSetHeaderSize = 48;

// Like a stream in hex with showbase: zero prints as "0", everything else with "0x".
std::string hexText(uint32_t v) {
  if (v == 0) return "0";
  static const char digits[] = "0123456789abcdef";
  char buf[16];
  int n = 0;
  while (v) {
    buf[n++] = digits[v & 0xF];
    v >>= 4;
  }
  std::string s = "0x";
  while (n) s += buf[--n];
  return s;
}

class DlsChecker {
 public:
  DlsChecker(uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  DlsCheckReport run(int stage, const char* fileName) {
    text_ = "Loading DLS data of stage " + std::to_string(stage);
    if (fileName) text_ += std::string(" (file ") + fileName + ")";
    try {
      walk();
    } catch (const std::exception&) {
      text_ += " crashed while fixing data at index " + std::to_string(index_);
      failed_ = true;
    }
    return DlsCheckReport{!failed_ && !found_, text_};
  }

 private:
  // True when [offset, offset + length) lies inside the data; all in 64-bit arithmetic.
  bool inside(uint64_t offset, uint64_t length) const {
    return offset <= size_ && length <= size_ - offset;
  }
  uint32_t u32(uint64_t offset) const {
    uint32_t v;
    std::memcpy(&v, data_ + offset, 4);
    return v;
  }
  int32_t i32(uint64_t offset) const { return static_cast<int32_t>(u32(offset)); }
  void putU32(uint64_t offset, uint32_t v) { std::memcpy(data_ + offset, &v, 4); }

  void fail(const std::string& finding) {
    text_ += finding;
    failed_ = true;
  }
  std::string sizeNote() const { return " (data size " + std::to_string(size_) + ")"; }

  void walk() {
    if (!inside(0, 8) || u32(0) != kMagicMina || u32(4) != kMagicAtad)
      return fail(", no animdata file: magic check failed");
    if (!inside(kMajorVersionAt, 4) || u32(kMajorVersionAt) != kMajorVersion)
      return fail(", no animdata file: major version mismatch");
    if (!inside(0, kHeaderSize)) return fail(", no animdata file: header cut short" + sizeNote());

    uint32_t nameLimit = 0;
    const int32_t nameLimitOffset = i32(kNameLimitOffsetAt);
    if (nameLimitOffset > 0) {
      if (!inside(static_cast<uint64_t>(nameLimitOffset), 4))
        return fail(", name offset limit at " + hexText(static_cast<uint32_t>(nameLimitOffset)) +
                    " out of range" + sizeNote());
      nameLimit = u32(static_cast<uint64_t>(nameLimitOffset));
    }

    const int32_t idsOffset = i32(kAnimationIdsOffsetAt);
    if (idsOffset > 0 && !checkIdTable(static_cast<uint64_t>(idsOffset), nameLimit)) return;

    const int32_t setsOffset = i32(kAnimationSetsOffsetAt);
    text_ += ", animationSetsOffset = " + hexText(static_cast<uint32_t>(setsOffset));
    if (setsOffset < 0) return fail(": negative animation sets offset");
    const uint64_t sets = static_cast<uint64_t>(setsOffset);
    if (!inside(sets, 4)) return fail(": animation set list out of range" + sizeNote());
    const int32_t setCount = i32(sets);
    text_ += ", count = " + std::to_string(setCount);
    if (setCount > 0 && !inside(sets + 4, static_cast<uint64_t>(setCount) * kSetEntrySize))
      return fail(": animation set list out of range" + sizeNote());
    for (int32_t f = 0; f < setCount; ++f) {
      index_ = static_cast<uint64_t>(f);
      text_ += ", anim set header " + std::to_string(f);
      const int32_t headerOffset = i32(sets + 4 + static_cast<uint64_t>(f) * kSetEntrySize);
      if (headerOffset < 0) return fail(": negative data header offset");
      const uint64_t header = static_cast<uint64_t>(headerOffset);
      if (!inside(header, kSetHeaderSize)) return fail(": data header out of range" + sizeNote());
      const uint32_t channelLimit = u32(header + kSetChannelLimitAt);
      if (!checkChannels(header + kSetReplayCountAt, header + kSetReplayListAt, channelLimit,
                         ", replay camera channels out of range: ", ", replay camera channel list out of range"))
        return;
      if (!checkChannels(header + kSetAnimCountAt, header + kSetAnimListAt, channelLimit,
                         ", animation channels out of range: ", ", animation channel list out of range"))
        return;
    }
  }

  bool checkIdTable(uint64_t table, uint32_t nameLimit) {
    text_ += ", animationIdsOffset = " + hexText(static_cast<uint32_t>(table));
    if (!inside(table, 4)) {
      fail(", animation id table out of range" + sizeNote());
      return false;
    }
    const uint32_t count = u32(table);
    text_ += ", count = " + std::to_string(count);
    if (!inside(table + 4, static_cast<uint64_t>(count) * kIdEntrySize)) {
      fail(", animation id table out of range" + sizeNote());
      return false;
    }
    text_ += ", animation id name offsets out of range: ";
    bool any = false;
    for (uint32_t i = 0; i < count; ++i) {
      index_ = i;
      const uint64_t entry = table + 4 + static_cast<uint64_t>(i) * kIdEntrySize;
      const uint32_t nameOffset = u32(entry + 4);
      if (nameOffset >= nameLimit) {
        text_ += " " + hexText(u32(entry)) + " (offset " + hexText(nameOffset) + " / index " + std::to_string(i) + ")";
        any = true;
      }
    }
    if (any) {
      putU32(table, 0);
      found_ = true;
    } else {
      text_ += "NONE";
    }
    return true;
  }

  // One channel list of an animation set; false when the walk must stop.
  bool checkChannels(uint64_t countAt, uint64_t listAt, uint32_t channelLimit, const char* title,
                     const char* outOfRange) {
    const int32_t count = i32(countAt);
    if (count <= 0) return true;
    const int32_t listOffset = i32(listAt);
    if (listOffset < 0 ||
        !inside(static_cast<uint64_t>(listOffset), static_cast<uint64_t>(count) * kChannelEntrySize)) {
      fail(outOfRange + sizeNote());
      return false;
    }
    const uint64_t list = static_cast<uint64_t>(listOffset);
    text_ += title;
    bool any = false;
    for (int32_t i = 0; i < count; ++i) {
      index_ = static_cast<uint64_t>(i);
      const uint32_t channel = u32(list + static_cast<uint64_t>(i) * kChannelEntrySize);
      if (channel >= channelLimit) {
        text_ += std::to_string(i) + "(" + std::to_string(channel) + ") ";
        any = true;
      }
    }
    if (any) {
      putU32(countAt, 0);
      found_ = true;
    } else {
      text_ += "NONE";
    }
    return true;
  }

  uint8_t* data_;
  std::size_t size_;
  std::string text_;
  uint64_t index_ = 0;
  bool found_ = false;
  bool failed_ = false;
};

}  // namespace

DlsCheckReport inspectDlsData(int stage, uint8_t* data, std::size_t size, const char* fileName) {
  if (!data) size = 0;
  return DlsChecker(data, size).run(stage, fileName);
}

bool checkDlsData(int stage, uint8_t* data, std::size_t size, const char* fileName) {
  DlsCheckReport report;
  try {
    report = inspectDlsData(stage, data, size, fileName);
  } catch (...) {
    return false;
  }
  if (report.ok) return true;
  try {
    appendDlsErrorLine(localDateTimeText(currentLocalTime()) + " " + report.text);
  } catch (...) {
  }
  return false;
}

}  // namespace kvl::tracks
