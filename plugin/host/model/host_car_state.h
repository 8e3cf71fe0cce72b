#pragma once
// The host's 16048-byte record of one car's state (damage, wear, wheel records). The plugin
// keeps records in its own memory and has host functions build, copy and reset them; a
// car-state file is the raw record, nothing before or after it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

struct HostCarState {
  static constexpr std::size_t kSize = 16048;
  static constexpr std::size_t kWheelPartRecords = 15364;  // four 56-byte records
  static constexpr std::size_t kWheelPartRecordSize = 56;
  static constexpr std::size_t kWheelRecords = 15620;  // four 32-byte records
  static constexpr std::size_t kWheelRecordSize = 32;

  HostWord table;  // set by the host constructor
  std::uint8_t body[kSize - sizeof(HostWord)];

  // Host 0x4EF410 on plugin memory; returns the record.
  static HostCarState* construct(void* memory);
  // Slot 0 of the record's table with 0: destroys it in place, the memory stays the caller's.
  static void destroy(HostCarState* record);
  // Host 0x4EC470: the record becomes a copy of the source; returns the record.
  static HostCarState* assign(HostCarState* record, const HostCarState* source);
  // Host 0x4EBFB0.
  static HostCarState* hostCall(HostCarState* record, std::int32_t value);
  // Host 0x4EC0D0.
  static std::int32_t query(HostCarState* record);
  // The entries at offsets 12 and 16 of the record's table.
  static HostCarState* reset(HostCarState* record);
  static HostCarState* refresh(HostCarState* record);

  // Reads the raw record from the file into the record. The file's bytes go into a temporary
  // record built by the host, whose own table word is kept: a file never chooses the address
  // the host calls. False, the record untouched, when the file is missing or shorter than a
  // record; a longer file gives its first 16048 bytes.
  static bool loadFromFile(HostCarState* record, const std::string& path);
  // Writes the 16048 bytes; false when the file cannot be opened or written.
  static bool saveToFile(const HostCarState* record, const std::string& path);

  // Copies a record's bytes from plugin memory, keeping the record's own table word.
  static void copyBody(HostCarState* record, const void* bytes) noexcept;

  static std::uint8_t* wheelRecord(HostCarState* record, int w) noexcept {
    return reinterpret_cast<std::uint8_t*>(record) + kWheelRecords + kWheelRecordSize * w;
  }
  static std::uint8_t* wheelPartRecord(HostCarState* record, int w) noexcept {
    return reinterpret_cast<std::uint8_t*>(record) + kWheelPartRecords + kWheelPartRecordSize * w;
  }
  // Writes the 32 bytes of wheel w's record as two 16-byte halves.
  static void copyWheelRecordIn(HostCarState* record, int w, const void* bytes) noexcept;
};
QZR_HOST_LAYOUT_ASSERT(sizeof(HostCarState) == 16048, "car state record is 16048 bytes");

// A car-state record in plugin memory, built by the host and destroyed in place on every path.
class ScopedHostCarState {
 public:
  ScopedHostCarState();
  ~ScopedHostCarState();
  ScopedHostCarState(const ScopedHostCarState&) = delete;
  ScopedHostCarState& operator=(const ScopedHostCarState&) = delete;
  HostCarState* get() noexcept { return record_; }

 private:
  alignas(8) std::uint8_t storage_[HostCarState::kSize];
  HostCarState* record_ = nullptr;
};

}  // namespace kvl::host
