#pragma once
// The host's rally and stage tables, its car-state records (the player records the game modes
// hold) and the host functions that build, copy and reset them.
#include <cstdint>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

std::vector<AddressEntry> rallyHostEntries();

constexpr std::uint32_t kCarStateSize = 16048;
constexpr std::uint32_t kRallyRecordSize = 232;
// The service crew's two words of an event record as the host's repair list reads them: the
// skill is the first (+144), the number of mechanics the second (+148).
constexpr std::uint32_t kRallyRecordSkill = 144, kRallyRecordMechanics = 148;
constexpr std::uint32_t kStageTableSize = 41164;

// The host's table of car-state records (the address the host gives every record's first word).
std::uint32_t carStateTableAddress();
// Player record i.
unsigned char* playerRecord(int i);
unsigned char* rallyTable();           // active table at +792, built-in records at +796
unsigned char* builtInRallyRecords();  // 7 records
unsigned char* stageTable();
// "mechanics M skill S" of an event record, read the host's way.
std::string rallyRecordCrew(const unsigned char* record);
// The entry marked selected (mark word 0), or -1 when none or several are.
int selectedStageEntry();

}  // namespace hostsim
