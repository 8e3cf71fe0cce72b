#include "plugin/host/model/host_stage_load.h"

#include "plugin/host/binding/call_through.h"

namespace kvl::host {
namespace {

std::string copyOf(const void* record, std::size_t offset) {
  const auto& text = fieldAt<HostString>(record, offset);
  return std::string(text.data(), text.size());
}

}  // namespace

void* HostStageLoad::trackData(const void* record) noexcept {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(fieldAt<HostWord>(record, 44)));
}
std::string HostStageLoad::trackExt(const void* record) { return copyOf(record, 48); }
std::string HostStageLoad::physicsExt(const void* record) { return copyOf(record, 76); }
std::string HostStageLoad::collisionExt(const void* record) { return copyOf(record, 104); }
std::string HostStageLoad::materialExt(const void* record) { return copyOf(record, 160); }
bool HostStageLoad::setTrackExt(void* record, const char* text) noexcept {
  return fieldAt<HostString>(record, 48).assign(text);
}
void HostStageLoad::setMap(void* record, std::int32_t map) {
  hostFunction<0x466F10, void(QZR_THISCALL*)(void*, std::int32_t)>()(record, map);
}

std::string HostTrackIniHandler::fileName(const void* handler) { return copyOf(handler, 28); }

std::int32_t HostStageManager::surfaceOf(void* manager, std::int32_t stageKey) {
  return hostFunction<0x4A1330, std::int32_t(QZR_THISCALL*)(void*, std::int32_t)>()(manager, stageKey);
}

std::string hostJoinPath(const std::string& first, const std::string& second) {
  const HostString a(first);
  const HostString b(second);
  HostString joined;
  // The host returns its string through a hidden pointer, filled in place.
  hostFunction<0x4665F0, HostString*(QZR_CDECL*)(HostString*, const HostString*, const HostString*)>()(&joined, &a, &b);
  return std::string(joined.data(), joined.size());
}

HostIniFile::HostIniFile() { hostFunction<0x410F80, void*(QZR_THISCALL*)(void*)>()(storage_); }

HostIniFile::~HostIniFile() {
  try {
    hostFunction<0x410FF0, void(QZR_THISCALL*)(void*)>()(storage_);
  } catch (...) {
  }
}

bool HostIniFile::open(const std::string& path, std::int32_t mode) {
  const HostString text(path);
  return hostBool(hostFunction<0x4110F0, std::uint8_t(QZR_THISCALL*)(void*, const HostString*, std::int32_t)>()(
      storage_, &text, mode));
}

bool HostIniFile::getBool(const std::string& section, const std::string& key, bool fallback) {
  const HostString s(section);
  const HostString k(key);
  using Fn = std::uint8_t(QZR_THISCALL*)(void*, const HostString*, const HostString*, std::uint8_t);
  return hostBool(hostFunction<0x411670, Fn>()(storage_, &s, &k, fallback ? 1 : 0));
}

std::int32_t HostIniFile::getInt(const std::string& section, const std::string& key, std::int32_t fallback) {
  const HostString s(section);
  const HostString k(key);
  using Fn = std::int32_t(QZR_THISCALL*)(void*, const HostString*, const HostString*, std::int32_t);
  return hostFunction<0x4114D0, Fn>()(storage_, &s, &k, fallback);
}

std::string HostIniFile::getString(const std::string& section, const std::string& key, const std::string& fallback) {
  return hostIniString(storage_, section, key, fallback);
}

std::string hostIniString(void* ini, const std::string& section, const std::string& key, const std::string& fallback) {
  const HostString s(section);
  const HostString k(key);
  const HostString d(fallback);
  HostString value;
  using Fn = HostString*(QZR_THISCALL*)(void*, HostString*, const HostString*, const HostString*, const HostString*);
  hostFunction<0x411420, Fn>()(ini, &value, &s, &k, &d);
  return std::string(value.data(), value.size());
}

}  // namespace kvl::host
