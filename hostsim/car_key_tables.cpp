#include "hostsim/car_key_tables.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <sstream>

#include "hostsim/call_trace.h"
#include "hostsim/host_words.h"
#include "hostsim/stray_words.h"

namespace hostsim {
namespace {

struct HostKey {
  std::string name;
  std::int32_t locator;
};

// The host's own entries of each table: the keys a car file of the host carries. Fillers stand
// for the host keys no scenario uses.
std::vector<HostKey> withFillers(const char* prefix, std::uint32_t count, std::vector<HostKey> named, std::int32_t firstLocator) {
  for (std::uint32_t i = static_cast<std::uint32_t>(named.size()); i < count; ++i) {
    named.push_back({std::string(prefix) + std::to_string(i), firstLocator + 4 * static_cast<std::int32_t>(i)});
  }
  return named;
}

std::vector<HostKey> hostKeys(std::uint32_t table, std::uint32_t count) {
  switch (table) {
    case 0x7C95F0:
      return withFillers("DrivetrainKey", count, {{"WheelInertia", 3}}, 3);
    case 0x7C94E0: return withFillers("DamperKey", count, {{"SpringStiffnessFront", 3}}, 3);
    case 0x7C96E0:
      return withFillers("RangeKey", count,
                         {{"MaxSteeringLockMin", 7}, {"MaxSteeringLockMax", 11}, {"FrontRollBarStiffnessMin", 19},
                          {"FrontRollBarStiffnessMax", 23}, {"RearRollBarStiffnessMin", 31}, {"RearRollBarStiffnessMax", 35},
                          {"Gear0OptionsMin", 883}, {"Gear0OptionsMax", 887}, {"Gear1OptionsMin", 891},
                          {"Gear1OptionsMax", 895}, {"Gear2OptionsMin", 899}, {"Gear2OptionsMax", 903},
                          {"Gear3OptionsMin", 907}, {"Gear3OptionsMax", 911}, {"FrontBrakes", 163},
                          {"RearBrakes", 167}, {"FrontBrake1HeatAbsRatio", 1083}},
                         300);
    case 0x7CA6D8: return withFillers("EngineKey", count, {{"MaxRPM", 2600}}, 2604);
    case 0x7CA698: return {{"Dummy", 2660}};
    case 0x7CA6A8: return {{"DummyMin", 1261}, {"DummyMax", 1265}, {"DummyStep", 1269}};
    case 0x7CE080: return withFillers("GearboxKey", count, {{"GearCount", 3}}, 100);
    case 0x7CCC50:
      return {{"Type", 0},           {"CarcassRadius", 4},   {"TreadDepth", 12},     {"ReferenceFriction", 16},
              {"CarcassStiffnessLateral", 20}, {"CarcassStiffnessTorsional", 24}, {"CarcassWidth", 28},
              {"TreadWidth", 32},    {"TreadCoverage", 40},  {"HubOffset", 44}};
    case 0x7CE288: return withFillers("SuspensionKey", count, {{"vecDriveAxleJointPos_VF", 3}}, 7);
    case 0x7C6578:
      return withFillers("CarKey", count,
                         {{"MaxFFTorque", 4389}, {"SubTics", 4401}, {"MaxSteeringLock", 136},
                          {"FrontRollBarStiffness", 4373}, {"RearRollBarStiffness", 4377}, {"StageSurface", 4397},
                          {"TimeStepDivisor", 88}},
                         200);
    case 0x7CBB10: return withFillers("TrackKey", count, {{"MaxExpirableCount", 22556}}, 0);
    case 0x7CAF38: return withFillers("BodyKey", count, {{"Mass", 3}}, 3);
    default: return {};
  }
}

// Names the tables point at, kept for the life of the process.
const char* keep(const std::string& text) {
  static std::deque<std::string> names;
  names.push_back(text);
  return names.back().c_str();
}

bool looksInteger(const std::string& text) {
  for (char c : text) {
    if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '+')) return false;
  }
  return !text.empty();
}

}  // namespace

const std::vector<KeyTablePlace>& keyTablePlaces() {
  static const std::vector<KeyTablePlace> places = {
      {"Drivetrain", 0x7C95F0, 15, 0x1659134},  {"Damper", 0x7C94E0, 17, 0x165915C},
      {"SetupRanges", 0x7C96E0, 230, 0},        {"Engine", 0x7CA6D8, 17, 0x16591B0},
      {"Features", 0x7CA698, 1, 0},             {"EngineRanges", 0x7CA6A8, 3, 0},
      {"Gearbox", 0x7CE080, 23, 0x165F214},     {"Tyre", 0x7CCC50, 10, 0x165F1B0},
      {"Suspension", 0x7CE288, 27, 0x165F2CC},  {"Car", 0x7C6578, 18, 0x8EF73C},
      {"Surface", 0x7CBB10, 16, 0},             {"Body", 0x7CAF38, 134, 0x1659AD8},
  };
  return places;
}

void appendKeyTableRows(std::vector<AddressEntry>& rows) {
  for (const KeyTablePlace& s : keyTablePlaces()) {
    const std::vector<HostKey> keys = hostKeys(s.table, s.count);
    for (std::uint32_t i = 0; i < keys.size(); ++i) {
      const std::uint32_t at = s.table + 16 * i;
      rows.push_back({EntryKind::global, at, "keyName", wordOf(keep(keys[i].name))});
      rows.push_back({EntryKind::global, at + 4, "keyWord", 0});
      rows.push_back({EntryKind::global, at + 8, "keyLocator", static_cast<std::uint32_t>(keys[i].locator)});
      rows.push_back({EntryKind::global, at + 12, "keyWord", 0});
    }
    if (s.descriptor != 0) {
      rows.push_back({EntryKind::global, s.descriptor + 8, "keyCount", s.count});
      rows.push_back({EntryKind::global, s.descriptor + 12, "keyTable", s.table});
    }
  }
}

int parseCarFile(std::istream& text, BlockFor blockFor) {
  const KeyTablePlace* place = nullptr;
  unsigned char* block = nullptr;
  std::string line;
  int stored = 0;
  while (std::getline(text, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      std::istringstream header(line.substr(1, line.find(']') - 1));
      std::string name;
      int wheel = 0;
      header >> name >> wheel;
      place = nullptr;
      for (const KeyTablePlace& s : keyTablePlaces()) {
        if (name == s.section) place = &s;
      }
      block = place == nullptr ? nullptr : blockFor(name, wheel);
      if (block == nullptr) trace("host car section unknown " + line);
      continue;
    }
    if (place == nullptr || block == nullptr) continue;
    std::istringstream in(line);
    std::string key, value;
    in >> key >> value;
    // The table the host's parser walks: the one its descriptor holds now, or its own.
    std::uint32_t table = place->table, count = place->count;
    if (place->descriptor != 0) {
      std::memcpy(&count, reinterpret_cast<const void*>(place->descriptor + 8), 4);
      std::memcpy(&table, reinterpret_cast<const void*>(place->descriptor + 12), 4);
    }
    bool found = false;
    for (std::uint32_t i = 0; i < count && !found; ++i) {
      const auto* entry = reinterpret_cast<const std::uint32_t*>(table + 16 * i);
      const auto* name = reinterpret_cast<const char*>(entry[0]);
      if (name == nullptr || key != name) continue;
      found = true;
      unsigned char* at = block + 12 + 4 * entry[2];
      if (looksInteger(value)) {
        const auto v = static_cast<std::int32_t>(std::strtol(value.c_str(), nullptr, 10));
        hostWrite(at, &v, 4);
      } else {
        const float v = std::strtof(value.c_str(), nullptr);
        hostWrite(at, &v, 4);
      }
      ++stored;
    }
    if (!found) trace("host car key unknown " + key);
  }
  return stored;
}

}  // namespace hostsim
