#include "hostsim/track_ini_model.h"

#include <windows.h>

#include <string>

#include "hostsim/call_trace.h"
#include "hostsim/fields.h"
#include "hostsim/host_strings.h"
#include "hostsim/stray_words.h"

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))

constexpr std::uint32_t kIniString = 0x411420;
constexpr std::uint32_t kStageLoadOffset = 112;
// The record's stage number and track; a host string is 28 bytes.
constexpr std::uint32_t kStage = 32, kTrack = 44, kHostStringSize = 28;

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

// A host string of the host's, laid out by the host.
void putHostString(unsigned char* at, const std::string& text) {
  writeHostString(at, text);
  hostWrote(at, kHostStringSize);
}

}  // namespace

// The stage-load record (+112) before any stage: stage 0, no track, its four file-name
// extensions empty.
unsigned char* stageManager() {
  static unsigned char* manager = [] {
    unsigned char* m = hostObject("stagemanager", 512);
    unsigned char* record = m + kStageLoadOffset;
    put(record, kStage, 0);
    put(record, kTrack, 0u);
    for (std::uint32_t at : {48u, 76u, 104u, 160u}) putHostString(record + at, "");
    return m;
  }();
  return manager;
}

void appendTrackIniRows(std::vector<AddressEntry>& rows) {
  appendFunctions(rows, {{kIniString, "iniString", addressOf(&iniString)}});
}

bool runTrackIniStep(const std::string& step, std::istream& in) {
  if (step != "loadmap") return false;
  std::int32_t map = 0;
  in >> map;
  // The track: its ini handler first, the handler's file name after the handler's first 28
  // bytes.
  static unsigned char* track = [] {
    unsigned char* t = hostObject("trackdata", 28 + kHostStringSize);
    putHostString(t + 28, "Maps\\Tracks.ini");
    return t;
  }();
  unsigned char* record = stageManager() + kStageLoadOffset;
  put(record, kStage, map);
  put(record, kTrack, wordOf(track));
  return true;
}

}  // namespace hostsim
