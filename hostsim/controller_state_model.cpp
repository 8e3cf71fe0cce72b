#include "hostsim/controller_state_model.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "hostsim/call_trace.h"
#include "hostsim/fields.h"
#include "hostsim/host_layout.h"
#include "hostsim/host_objects.h"

namespace hostsim {
namespace {

constexpr std::uint32_t kAudioGlobal = 0x8D5338, kAudioStage = 67008, kStageSize = 600, kStageWord = 540;
constexpr std::uint32_t kSettingsRecord = 112, kSettingsWord = 660, kSettingsFrom = 600, kSettingsTo = 720;
constexpr std::uint32_t kReplayStep = 1620232;
constexpr std::uint32_t kListHead = 16, kListBody = 32, kEntrySize = 48, kMark = 0x20;
constexpr std::int32_t kMarks[] = {-1, 7, -1, -2};
constexpr int kEntries = 4;

void fill(unsigned char* object, std::uint32_t from, std::uint32_t to, std::uint32_t tag) {
  for (std::uint32_t o = from; o < to; o += 4) put(object, o, tag + o);
}

// The entry list, its pieces in one block: head, body, the array of entry pointers, the entries.
struct EntryList {
  unsigned char* block;
  std::vector<unsigned char> painted;
  std::uint32_t size;
};

EntryList& entryList() {
  static EntryList list = [] {
    constexpr std::uint32_t array = kListHead + kListBody, entries = array + 4 * kEntries;
    EntryList l{nullptr, {}, entries + kEntrySize * kEntries};
    l.block = hostObject("railwiseentries", l.size);
    fill(l.block, 0, l.size, 0xE1000000u);
    put(l.block, 0, wordOf(l.block + kListHead));
    put(l.block, kListHead + 0x14, wordOf(l.block + array));
    put(l.block, kListHead + 0x18, wordOf(l.block + entries));
    for (int i = 0; i < kEntries; ++i) {
      unsigned char* entry = l.block + entries + kEntrySize * i;
      put(l.block, array + 4 * i, wordOf(entry));
      put(entry, kMark, kMarks[i]);
    }
    l.painted.assign(l.block, l.block + l.size);
    return l;
  }();
  return list;
}

std::string hex(std::uint32_t word) {
  char text[12];
  std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(word));
  return text;
}

unsigned char* settingsRecord() { return hostObjects().game + kSettingsRecord; }

const std::vector<unsigned char>& paintedSettings() {
  static const std::vector<unsigned char> painted = [] {
    fill(settingsRecord(), kSettingsFrom, kSettingsTo, 0x5E000000u);
    return std::vector<unsigned char>(settingsRecord(), settingsRecord() + kSettingsTo);
  }();
  return painted;
}

unsigned char* audioStage() {
  const unsigned char* audio = pointer(get(reinterpret_cast<const void*>(kAudioGlobal), 0));
  return audio == nullptr ? nullptr : pointer(get(audio, kAudioStage));
}

void traceMarks() {
  EntryList& l = entryList();
  const std::uint32_t entries = kListHead + kListBody + 4 * kEntries;
  std::string line = "railwise entry marks";
  std::vector<unsigned char> now(l.block, l.block + l.size);
  for (int i = 0; i < kEntries; ++i) {
    const std::uint32_t mark = entries + kEntrySize * i + kMark;
    line += " " + std::to_string(get<std::int32_t>(l.block, mark));
    std::memcpy(now.data() + mark, l.painted.data() + mark, 4);
  }
  trace(line + (now == l.painted ? " rest kept" : " rest changed"));
}

void traceSettings() {
  const std::vector<unsigned char>& painted = paintedSettings();
  const unsigned char* record = settingsRecord();
  const bool kept = std::memcmp(record + kSettingsFrom, painted.data() + kSettingsFrom, kSettingsWord - kSettingsFrom) == 0 &&
                    std::memcmp(record + kSettingsWord + 4, painted.data() + kSettingsWord + 4,
                                kSettingsTo - kSettingsWord - 4) == 0;
  trace("settings record +660 " + hex(get(record, kSettingsWord)) + (kept ? " rest kept" : " rest changed"));
}

void traceStage() {
  unsigned char* stage = audioStage();
  if (stage == nullptr) {
    trace("audio stage none");
    return;
  }
  static std::vector<unsigned char> painted;
  if (painted.empty()) {
    const std::uint32_t word = get(stage, kStageWord);
    fill(stage, 0, kStageSize, 0xA5000000u);
    put(stage, kStageWord, word);
    painted.assign(stage, stage + kStageSize);
  }
  std::vector<unsigned char> now(stage, stage + kStageSize);
  std::memcpy(now.data() + kStageWord, painted.data() + kStageWord, 4);
  trace("audio stage +540 " + std::to_string(get(stage, kStageWord)) + (now == painted ? " rest kept" : " rest changed"));
}

}  // namespace

std::vector<AddressEntry> controllerStateEntries() {
  (void)paintedSettings();
  return {{EntryKind::global, kRailwiseEntryGlobal, "railwiseEntryList", wordOf(entryList().block)}};
}

bool runControllerStateStep(const std::string& step, std::istream& in) {
  if (step != "loading") return false;
  std::string what;
  in >> what;
  if (what == "marks") {
    traceMarks();
  } else if (what == "settings") {
    traceSettings();
  } else if (what == "stage") {
    traceStage();
  } else if (what == "replaystep") {
    float value = 0;
    in >> value;
    unsigned char* replay = pointer(get(reinterpret_cast<const void*>(kReplayGlobal), 0));
    if (replay != nullptr) put(replay, kReplayStep, value);
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
