#include "plugin/host/model/host_car_state.h"

#include <cstring>
#include <fstream>
#include <memory>
#include <vector>

#include "plugin/host/binding/call_through.h"

namespace kvl::host {

HostCarState* HostCarState::construct(void* memory) {
  return hostFunction<0x4EF410, HostCarState*(QZR_THISCALL*)(void*)>()(memory);
}

void HostCarState::destroy(HostCarState* record) {
  tableEntry<void(QZR_THISCALL*)(HostCarState*, std::uint32_t)>(record, 0)(record, 0);
}

HostCarState* HostCarState::assign(HostCarState* record, const HostCarState* source) {
  return hostFunction<0x4EC470, HostCarState*(QZR_THISCALL*)(HostCarState*, const HostCarState*)>()(record, source);
}

HostCarState* HostCarState::hostCall(HostCarState* record, std::int32_t value) {
  return hostFunction<0x4EBFB0, HostCarState*(QZR_THISCALL*)(HostCarState*, std::int32_t)>()(record, value);
}

std::int32_t HostCarState::query(HostCarState* record) {
  return hostFunction<0x4EC0D0, std::int32_t(QZR_THISCALL*)(HostCarState*)>()(record);
}

HostCarState* HostCarState::reset(HostCarState* record) {
  return tableEntry<HostCarState*(QZR_THISCALL*)(HostCarState*)>(record, 12)(record);
}

HostCarState* HostCarState::refresh(HostCarState* record) {
  return tableEntry<HostCarState*(QZR_THISCALL*)(HostCarState*)>(record, 16)(record);
}

void HostCarState::copyBody(HostCarState* record, const void* bytes) noexcept {
  std::memcpy(record->body, static_cast<const std::uint8_t*>(bytes) + sizeof(HostWord), sizeof record->body);
}

bool HostCarState::loadFromFile(HostCarState* record, const std::string& path) {
  std::vector<std::uint8_t> bytes(kSize);
  {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(kSize));
    if (!in) return false;
  }
  ScopedHostCarState temporary;
  reset(temporary.get());
  copyBody(temporary.get(), bytes.data());
  assign(record, temporary.get());
  return true;
}

bool HostCarState::saveToFile(const HostCarState* record, const std::string& path) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(reinterpret_cast<const char*>(record), static_cast<std::streamsize>(kSize));
  out.flush();
  return static_cast<bool>(out);
}

void HostCarState::copyWheelRecordIn(HostCarState* record, int w, const void* bytes) noexcept {
  std::memcpy(wheelRecord(record, w), bytes, 16);
  std::memcpy(wheelRecord(record, w) + 16, static_cast<const std::uint8_t*>(bytes) + 16, 16);
}

ScopedHostCarState::ScopedHostCarState() { record_ = HostCarState::construct(storage_); }

ScopedHostCarState::~ScopedHostCarState() {
  try {
    if (record_ != nullptr) HostCarState::destroy(record_);
  } catch (...) {
  }
}

}  // namespace kvl::host
