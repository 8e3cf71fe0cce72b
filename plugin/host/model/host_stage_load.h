#pragma once
// The stage-load record the host fills when it loads a stage, the track's ini handler, the
// host's stage surfaces and path joining, and the host's own ini reader. Host texts cross as
// host-runtime strings; the plugin's texts are converted before a call and the temporaries
// destroyed on every path.
#include <cstddef>
#include <cstdint>
#include <string>

#include "plugin/host/binding/abi.h"
#include "plugin/host/binding/host_string.h"

namespace kvl::host {

struct HostStageLoad {
  static std::int32_t stage(const void* record) noexcept { return fieldAt<std::int32_t>(record, 32); }
  static void* trackData(const void* record) noexcept;
  static std::string trackExt(const void* record);
  static std::string physicsExt(const void* record);
  static std::string collisionExt(const void* record);
  static std::string materialExt(const void* record);
  static bool setTrackExt(void* record, const char* text) noexcept;
  static void setMap(void* record, std::int32_t map);  // host 0x466F10
};

struct HostTrackData {
  static void* iniHandler(void* track) noexcept { return track; }
};

struct HostTrackIniHandler {
  static std::string fileName(const void* handler);
};

struct HostStageManager {
  static std::int32_t surfaceOf(void* manager, std::int32_t stageKey);  // host 0x4A1330
};

// Host 0x411420 on any of the host's ini readers (its own or a track's ini handler).
std::string hostIniString(void* ini, const std::string& section, const std::string& key, const std::string& fallback);

// Host 0x4665F0: the two texts joined as a path.
std::string hostJoinPath(const std::string& first, const std::string& second);

// The host's ini reader, built in plugin storage by the host constructor and destroyed by the
// host destructor.
class HostIniFile {
 public:
  HostIniFile();
  ~HostIniFile();
  HostIniFile(const HostIniFile&) = delete;
  HostIniFile& operator=(const HostIniFile&) = delete;

  bool open(const std::string& path, std::int32_t mode);
  bool getBool(const std::string& section, const std::string& key, bool fallback);
  std::int32_t getInt(const std::string& section, const std::string& key, std::int32_t fallback);
  std::string getString(const std::string& section, const std::string& key, const std::string& fallback);

 private:
  // The host's reader is built here, and its size is not known: 1024 bytes is room we give it.
  // Nothing in the game builds one: the track ini is read through the handler the host built.
  alignas(8) std::uint8_t storage_[1024];
};

}  // namespace kvl::host
