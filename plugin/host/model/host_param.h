#pragma once
// The plugin's instances of the host's parameter objects: a table word, two bookkeeping words and
// the value, laid out as the host's code reads and writes them in place. Built plain (the table
// word filled later by copying a host object over it) or hosted (the host constructor runs on the
// plugin's memory, then the object points at the plugin's copy of the host table).
#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"
#include "plugin/host/binding/host_mirror.h"

namespace kvl::host {

struct HostParamHeader {
  const void* table;  // left as it is by every constructor
  HostWord word1;
  HostWord word2;
  // The base initialiser: words 1 and 2 become 0.
  void init() noexcept {
    word1 = 0;
    word2 = 0;
  }
};

struct HostFloatParam {
  HostParamHeader header;
  float value_;
  HostFloatParam() noexcept : value_(0.0f) { header.init(); }
  float value() const noexcept { return value_; }
  void reset() noexcept { value_ = 0.0f; }
  HostFloatParam& set(float v) noexcept {
    value_ = v;
    return *this;
  }
  // The same object, or values closer than 2^-23 (a NaN compares unequal to anything else).
  static bool equals(const HostFloatParam& a, const HostFloatParam& b) noexcept;
  // Hosted: host constructor 0x52FEA0, the copy of host table 0x73B644, then the value.
  static HostFloatParam* constructHosted(void* memory, float value);
};

struct HostIntParam {
  HostParamHeader header;
  std::int32_t value_;
  HostIntParam() noexcept : value_(0) { header.init(); }
  std::int32_t value() const noexcept { return value_; }
  void reset() noexcept { value_ = 0; }
  HostIntParam& set(std::int32_t v) noexcept {
    value_ = v;
    return *this;
  }
  static bool equals(const HostIntParam& a, const HostIntParam& b) noexcept {
    return &a == &b || a.value_ == b.value_;
  }
};

struct HostIntParam2 {
  HostParamHeader header;
  std::int32_t value_;
  HostIntParam2() noexcept : value_(0) { header.init(); }
  std::int32_t value() const noexcept { return value_; }
  void reset() noexcept { value_ = 0; }
};

struct HostVectorParam {
  HostParamHeader header;
  HostWord unused;
  float x, y, z, w;
  HostVectorParam() noexcept : unused(0), x(0), y(0), z(0), w(0) { header.init(); }
  // Leaves the object on the copy of host table 0x7405EC whose slot 0 does nothing, so that no
  // later destruction, by the plugin or by the host, reaches the host's.
  ~HostVectorParam() { useClonedTable(); }
  void useClonedTable() noexcept;
};

// The integer class of the table-valued parameter: host constructor 0x52FEC0, then the unchanged
// copy of host table 0x740534 (a subclass then points the object at a copy of its own).
struct HostTableParam {
  static constexpr std::uint32_t kHostTable = 0x740534;
  static constexpr std::size_t kTableSlots = 19;
  static void* hostConstruct(void* object);
};

// Host 0x52F840, member call: the integer class's own parse slot.
std::int32_t hostParseBase(void* object, void* reader);

struct HostTokenReader {
  static bool hasMore(void* reader);  // host 0x52EED0
  static const char* current(const void* reader) noexcept {
    return reinterpret_cast<const char*>(static_cast<std::uintptr_t>(fieldAt<HostWord>(reader, 4)));
  }
  static void* setCurrent(void* reader, const char* text) noexcept {
    fieldAt<HostWord>(reader, 4) = static_cast<HostWord>(reinterpret_cast<std::uintptr_t>(text));
    return reader;
  }
};

QZR_HOST_LAYOUT_ASSERT(sizeof(HostFloatParam) == 16 && offsetof(HostFloatParam, value_) == 12, "host float parameter");
QZR_HOST_LAYOUT_ASSERT(sizeof(HostIntParam) == 16 && sizeof(HostIntParam2) == 16, "host integer parameters");
QZR_HOST_LAYOUT_ASSERT(sizeof(HostVectorParam) == 32 && offsetof(HostVectorParam, x) == 16, "host vector parameter");

}  // namespace kvl::host
