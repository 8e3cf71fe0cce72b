#include "hostsim/track_ini_model.h"

#include <windows.h>

#include <cstdlib>

#include "hostsim/call_trace.h"
#include "hostsim/fields.h"
#include "hostsim/host_strings.h"

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))

constexpr std::uint32_t kIniString = 0x411420;
constexpr std::uint32_t kStageLoadOffset = 112;

// The handler's file, relative to the game folder as the host opens it.
std::string fullPathOf(const std::string& name) {
  char full[MAX_PATH] = {};
  return GetFullPathNameA(name.c_str(), MAX_PATH, full, nullptr) == 0 ? name : std::string(full);
}

void* THISCALL iniString(unsigned char* ini, unsigned char* out, const unsigned char* section,
                         const unsigned char* key, const unsigned char* fallback) {
  const std::string file = readHostString(ini + 28);
  char value[1024] = {};
  GetPrivateProfileStringA(readHostString(section).c_str(), readHostString(key).c_str(),
                           readHostString(fallback).c_str(), value, sizeof value, fullPathOf(file).c_str());
  writeHostString(out, value);
  trace("host ini " + file + " [" + readHostString(section) + "] " + readHostString(key) + " -> " + value);
  return out;
}

}  // namespace

unsigned char* stageManager() {
  static auto* manager = static_cast<unsigned char*>(std::calloc(1, 512));
  return manager;
}

void appendTrackIniRows(std::vector<AddressEntry>& rows) {
  appendFunctions(rows, {{kIniString, "iniString", addressOf(&iniString)}});
}

bool runTrackIniStep(const std::string& step, std::istream& in) {
  if (step != "loadmap") return false;
  std::int32_t map = 0;
  in >> map;
  static auto* track = [] {
    auto* t = static_cast<unsigned char*>(std::calloc(1, 64));
    writeHostString(t + 28, "Maps\\Tracks.ini");
    return t;
  }();
  unsigned char* record = stageManager() + kStageLoadOffset;
  put(record, 32, map);
  put(record, 44, wordOf(track));
  return true;
}

}  // namespace hostsim
