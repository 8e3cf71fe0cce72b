// The car-state record, the stage table and the service park on a host stand-in whose functions
// are painted as jumps to the handlers below (i686).
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "plugin/host/binding/call_through.h"
#include "plugin/host/model/host_car_state.h"
#include "plugin/host/model/host_rally_tables.h"
#include "plugin/host/model/host_service.h"
#include "plugin/host/model/host_stage_load.h"
#include "plugin/rally/kestrun_event.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/host_fixture.h"
#include "tests/support/host_strings.h"

using namespace kvl::host;

namespace {

#define THISCALL __attribute__((thiscall))

int constructed = 0;
int destroyed = 0;

// The host's car-state class.
void* THISCALL carStateDestroy(std::uint8_t* record, std::uint32_t) {
  ++destroyed;
  return record;
}
void* THISCALL carStateReset(std::uint8_t* record) {
  std::memset(record + 4, 0, HostCarState::kSize - 4);
  return record;
}
void* carStateTable[4] = {reinterpret_cast<void*>(&carStateDestroy), nullptr, nullptr,
                          reinterpret_cast<void*>(&carStateReset)};
void* THISCALL carStateConstruct(std::uint8_t* record) {
  ++constructed;
  std::memset(record, 0, HostCarState::kSize);
  const auto table = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(carStateTable));
  std::memcpy(record, &table, 4);
  return record;
}
void* THISCALL carStateAssign(std::uint8_t* record, const std::uint8_t* source) {
  std::memmove(record + 4, source + 4, HostCarState::kSize - 4);
  return record;
}

// The stage table: entry k stands for stage 10 + k.
std::int32_t THISCALL stageOfEntryWord(void*, std::int32_t word) { return word; }

// The service park.
std::int32_t stageRecord[64];
void* THISCALL stageRecordAt(void*, std::int32_t) { return stageRecord; }
std::uint8_t repairEntries[6][HostService::kRepairEntrySize];
void THISCALL repairListBuilder(std::uint8_t* service, const char*) {
  const std::int32_t ids[6] = {115, 106, 146, 165, 7, 116};
  std::memset(repairEntries, 0, sizeof repairEntries);
  for (int i = 0; i < 6; ++i) std::memcpy(repairEntries[i] + 4, &ids[i], 4);
  const float kept = 5.0f;
  std::memcpy(repairEntries[2] + 60, &kept, 4);  // part 146 already has its time
  const std::int32_t count = 6;
  const auto array = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(repairEntries));
  std::memcpy(service, &count, 4);
  std::memcpy(service + 4, &array, 4);
}
void THISCALL wheelRefresh(void*) {}
void THISCALL entryConstruct(std::uint8_t* entry, std::int32_t partId, std::int32_t wheel) {
  std::memcpy(entry + 4, &partId, 4);
  std::memcpy(entry + 12, &wheel, 4);
}
void* __cdecl hostMalloc(std::uint32_t bytes) { return std::malloc(bytes); }
void __cdecl hostFree(void* block) { std::free(block); }

using kvl::testing::fillHostString;
using kvl::testing::hostStringText;

int readers = 0;
std::string iniCalls;
void* lastReader = nullptr;
void* THISCALL iniConstruct(void* reader) {
  ++readers;
  lastReader = reader;
  return reader;
}
// Opens "a.ini" only; answers "Yes" with 1, "No" with 0 and other keys with the default.
std::uint8_t THISCALL iniOpen(void* reader, const std::uint8_t* path, std::int32_t mode) {
  iniCalls += "open " + hostStringText(path) + " " + std::to_string(mode) + (reader == lastReader ? ";" : " elsewhere;");
  return hostStringText(path) == "a.ini" ? 1 : 0;
}
std::uint8_t THISCALL iniGetBool(void* reader, const std::uint8_t* section, const std::uint8_t* key, std::uint8_t fallback) {
  const std::string k = hostStringText(key);
  iniCalls += hostStringText(section) + "/" + k + "=" + std::to_string(fallback) + (reader == lastReader ? ";" : " elsewhere;");
  return k == "Yes" ? 1 : k == "No" ? 0 : fallback;
}
void THISCALL iniDestroy(void*) { --readers; }
std::int32_t THISCALL iniGetInt(void*, const std::uint8_t* section, const std::uint8_t* key, std::int32_t fallback) {
  iniCalls += hostStringText(section) + "/" + hostStringText(key) + ";";
  return fallback + 1;
}
std::uint8_t* THISCALL iniGetString(void*, std::uint8_t* out, const std::uint8_t* section, const std::uint8_t* key,
                                    const std::uint8_t* fallback) {
  fillHostString(out, hostStringText(section) + "." + hostStringText(key) + "=" + hostStringText(fallback));
  return out;
}
std::uint8_t* __cdecl joinPath(std::uint8_t* out, const std::uint8_t* a, const std::uint8_t* b) {
  fillHostString(out, hostStringText(a) + "\\" + hostStringText(b));
  return out;
}

// The service visit as the Kestrun event's page action drives it.
std::int32_t serviceBusy = 0;
std::int32_t pendingWork = 0;
float clockTime = -1.0f;
std::string stageFolderText, serviceCalls;
std::int32_t THISCALL serviceActionB(void*) { return serviceBusy; }
void THISCALL clockSetTime(void*, float seconds) { clockTime = seconds; }
const char* THISCALL stageFolder(void*, std::int32_t key) {
  serviceCalls += "folder " + std::to_string(key) + ";";
  return stageFolderText.c_str();
}
std::int32_t THISCALL serviceElapsedCount(void*) { return pendingWork; }
std::int32_t THISCALL partListCount(void*) { return 0; }
std::int32_t THISCALL serviceFinish(void*) {
  serviceCalls += "finish;";
  return 1;
}
void THISCALL setGameMode(void*, std::int32_t mode) { serviceCalls += "mode " + std::to_string(mode) + ";"; }
void(__cdecl* messageCallback)(void*) = nullptr;
void* messageContext = nullptr;
void THISCALL showMessage(void*, std::int32_t id, void(__cdecl* callback)(void*), void* context) {
  serviceCalls += "message " + std::to_string(id) + ";";
  messageCallback = callback;
  messageContext = context;
}
std::int32_t THISCALL menuBack(void*, std::int32_t) {
  serviceCalls += "back;";
  return 0;
}
void* THISCALL rallyRecordReset(void* record) { return record; }
std::string builtFrom;
void THISCALL repairListFrom(std::uint8_t* service, const char* file) {
  builtFrom = file;
  repairListBuilder(service, file);
}

float floatAt(const void* p, std::size_t offset) {
  float f;
  std::memcpy(&f, static_cast<const std::uint8_t*>(p) + offset, 4);
  return f;
}

class HostRecords : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    host = new kvl::testing::HostFixture;
    ASSERT_TRUE(host->loaded());
    host->paintFunction(0x4EF410, &carStateConstruct);
    host->paintFunction(0x4EC470, &carStateAssign);
    host->paintFunction(0x5CF250, &stageOfEntryWord);
    host->paintFunction(0x5D0300, &stageRecordAt);
    host->paintFunction(0x5B16F0, &repairListBuilder);
    host->paintFunction(0x5AFE40, &wheelRefresh);
    host->paintFunction(0x501960, &entryConstruct);
    host->paintFunction(0x501010, &entryConstruct);
    host->paintFunction(0x70BEC2, &hostMalloc);
    host->paintFunction(0x70C260, &hostFree);
    host->paintFunction(0x410F80, &iniConstruct);
    host->paintFunction(0x410FF0, &iniDestroy);
    host->paintFunction(0x4114D0, &iniGetInt);
    host->paintFunction(0x4110F0, &iniOpen);
    host->paintFunction(0x411670, &iniGetBool);
    host->paintFunction(0x411420, &iniGetString);
    host->paintFunction(0x4665F0, &joinPath);
  }
  static void paintServiceVisit() {
    host->paintFunction(0x5B16F0, &repairListFrom);
    host->paintFunction(0x5AFE00, &serviceActionB);
    host->paintFunction(0x5B0050, &clockSetTime);
    host->paintFunction(0x47C7D0, &stageFolder);
    host->paintFunction(0x5B0590, &serviceElapsedCount);
    host->paintFunction(0x5AFDE0, &partListCount);
    host->paintFunction(0x5B1140, &serviceFinish);
    host->paintFunction(0x5666E0, &setGameMode);
    host->paintFunction(0x58DC60, &showMessage);
    host->paintFunction(0x560290, &menuBack);
    host->paintFunction(0x5D68E0, &rallyRecordReset);
  }
  static kvl::testing::HostFixture* host;
};
kvl::testing::HostFixture* HostRecords::host = nullptr;

void writeFile(const std::string& path, std::size_t size) {
  std::vector<char> bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7);
  const std::uint32_t foreignTable = 0xDEADBEEF;
  if (size >= 4) std::memcpy(bytes.data(), &foreignTable, 4);
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(size));
}

}  // namespace

TEST_F(HostRecords, CarStateFileRoundTrip) {
  kvl::testing::ScratchFolder scratch;
  ScopedHostCarState record;
  struct Case {
    const char* name;
    std::size_t size;  // 0: no file
    bool loads;
  } cases[] = {{"whole.bin", 16048, true}, {"short.bin", 16047, false}, {"long.bin", 20000, true}, {"none.bin", 0, false}};
  for (const auto& c : cases) {
    if (c.size != 0) writeFile(c.name, c.size);
    std::memset(record.get()->body, 0x55, sizeof record.get()->body);
    const int before = constructed - destroyed;
    EXPECT_EQ(HostCarState::loadFromFile(record.get(), c.name), c.loads) << c.name;
    EXPECT_EQ(constructed - destroyed, before) << c.name << ": the temporary is destroyed";
    EXPECT_EQ(record.get()->table, static_cast<HostWord>(reinterpret_cast<std::uintptr_t>(carStateTable))) << c.name;
    EXPECT_EQ(record.get()->body[100], c.loads ? static_cast<std::uint8_t>(104 * 7) : 0x55) << c.name;
  }

  ASSERT_TRUE(HostCarState::saveToFile(record.get(), "saved.bin"));
  std::ifstream in("saved.bin", std::ios::binary);
  std::vector<char> saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(saved.size(), HostCarState::kSize);
  EXPECT_EQ(std::memcmp(saved.data(), record.get(), HostCarState::kSize), 0);
  EXPECT_FALSE(HostCarState::saveToFile(record.get(), "no-such-folder\\saved.bin"));
}

TEST_F(HostRecords, StageSelectAndRestore) {
  std::vector<std::uint8_t> table(HostStageTable::kSize, 0);
  auto entryWord = [&](int k) -> std::int32_t& {
    return fieldAt<std::int32_t>(table.data(), HostStageTable::kFirstEntry + HostStageTable::kEntrySize * k + 2312);
  };
  auto selected = [&] {
    std::string marks;
    for (int k = 0; k < 14; ++k) {
      const auto mark = fieldAt<std::int32_t>(table.data(), HostStageTable::kFirstEntry + HostStageTable::kEntrySize * k + 2260);
      if (mark == 0) marks += std::to_string(k) + " ";
    }
    return marks;
  };
  for (int k = 0; k < 14; ++k) {
    entryWord(k) = 10 + k;
    fieldAt<std::int32_t>(table.data(), HostStageTable::kFirstEntry + HostStageTable::kEntrySize * k + 2260) = k == 2 ? 0 : -1;
  }
  entryWord(9) = 14;  // entries 4 and 9 both stand for stage 14
  host->setGlobal(0x7D6128, table.data());

  std::uint8_t* saved = copyHostStageTable(hostStageTable());
  struct Case {
    std::int32_t stage;
    const char* marks;
  } cases[] = {{14, "4 "}, {23, "13 "}, {99, "0 "}, {10, "0 "}};
  for (const auto& c : cases) {
    HostStageTable::selectEntry(hostStageTable(), c.stage);
    EXPECT_EQ(selected(), c.marks) << c.stage;
  }
  const std::vector<std::uint8_t> changed = table;
  restoreHostStageTable(hostStageTable(), nullptr);
  EXPECT_EQ(table, changed);
  restoreHostStageTable(hostStageTable(), saved);
  EXPECT_EQ(selected(), "2 ");  // the marks as they were before any selection
  host->setGlobal(0x7D6128, nullptr);
}

TEST_F(HostRecords, RepairListWorkTimesAndWheelConditions) {
  std::uint8_t service[64] = {};
  std::uint8_t modes[4096] = {};
  host->setGlobal(0x165FA90, modes);
  stageRecord[144 / 4] = 5;  // skill
  stageRecord[148 / 4] = 6;  // mechanics
  HostService::buildRepairList(service, "repair.ini");
  const float longTime = 0.075f * 45.0f * 1.2f, shortTime = 0.075f * 30.0f * 1.2f;
  struct Case {
    int entry;
    std::int32_t id;
    float times[4];  // +56, +60, +64, +68
  } cases[] = {{0, 125, {shortTime, longTime, shortTime, longTime}}, {1, 106, {shortTime, longTime, shortTime, longTime}},
               {2, 146, {0.0f, 5.0f, 0.0f, 0.0f}},                   {3, 165, {shortTime, longTime, shortTime, longTime}},
               {4, 7, {0.0f, 0.0f, 0.0f, 0.0f}},                     {5, 126, {shortTime, longTime, shortTime, longTime}}};
  for (const auto& c : cases) {
    EXPECT_EQ(fieldAt<std::int32_t>(repairEntries[c.entry], 4), c.id) << c.entry;
    for (int i = 0; i < 4; ++i) EXPECT_EQ(floatAt(repairEntries[c.entry], 56 + 4 * i), c.times[i]) << c.entry << " " << i;
  }

  // The wheel entries the plugin puts into the part table answer from the serviced car.
  ScopedHostCarState car;
  std::vector<std::uint32_t> partTable(8 + 200, 0);
  partTable[1] = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(car.get()));
  fieldAt<HostWord>(service, 20) = static_cast<HostWord>(reinterpret_cast<std::uintptr_t>(partTable.data()));
  HostService::refreshWheelParts(service);
  const float wheelValues[4] = {0.4f, 0.41f, 5.0f, 0.0f};
  for (int w = 0; w < 4; ++w) {
    for (int i = 0; i < 8; ++i) std::memcpy(HostCarState::wheelRecord(car.get(), w) + 4 * i, &wheelValues[w], 4);
    for (int i = 0; i < 8; ++i) std::memcpy(HostCarState::wheelPartRecord(car.get(), w) + 20 + 4 * i, &wheelValues[3 - w], 4);
  }
  using Condition = std::int32_t(THISCALL*)(void*, void*);
  using Repair = void(THISCALL*)(void*, void*);
  const std::int32_t wheelConditions[4] = {1, 2, 4, 0};
  for (int w = 0; w < 4; ++w) {
    void* wheel = reinterpret_cast<void*>(static_cast<std::uintptr_t>(partTable[2 + 106 + 20 * w]));
    void* wheelPart = reinterpret_cast<void*>(static_cast<std::uintptr_t>(partTable[2 + 105 + 20 * w]));
    ASSERT_NE(wheel, nullptr);
    ASSERT_NE(wheelPart, nullptr);
    EXPECT_EQ(tableEntry<Condition>(wheel, 0)(wheel, car.get()), wheelConditions[w]) << w;
    EXPECT_EQ(tableEntry<Condition>(wheelPart, 0)(wheelPart, car.get()), wheelConditions[3 - w]) << w;
    tableEntry<Repair>(wheel, 4)(wheel, car.get());
    EXPECT_EQ(tableEntry<Condition>(wheel, 0)(wheel, car.get()), 0) << w;
  }
  // A second refresh replaces the entries and frees the first ones.
  HostService::refreshWheelParts(service);
  host->setGlobal(0x165FA90, nullptr);
}

TEST_F(HostRecords, IniReaderAndJoinedPaths) {
  {
    HostIniFile reader;
    EXPECT_EQ(readers, 1);
    EXPECT_EQ(reader.getInt("Map01", "Surface", 4), 5);
    EXPECT_EQ(reader.getString("Map01", "Name", "none"), "Map01.Name=none");
    EXPECT_TRUE(reader.open("a.ini", 3));
    EXPECT_FALSE(reader.open("b.ini", 0));
    const struct {
      const char* key;
      bool fallback, value;
    } bools[] = {{"Yes", false, true}, {"No", true, false}, {"Gone", true, true}, {"Gone", false, false}};
    for (const auto& b : bools) EXPECT_EQ(reader.getBool("S", b.key, b.fallback), b.value) << b.key << b.fallback;
  }
  EXPECT_EQ(readers, 0);
  EXPECT_EQ(iniCalls, "Map01/Surface;open a.ini 3;open b.ini 0;S/Yes=0;S/No=1;S/Gone=1;S/Gone=0;");
  EXPECT_EQ(hostJoinPath("Maps", "track.ini"), "Maps\\track.ini");
}

TEST_F(HostRecords, KestrunRepairService) {
  paintServiceVisit();
  std::uint8_t service[64] = {}, clock[16] = {}, game[4096] = {}, modes[4096] = {}, messageBox[16] = {}, manager[256] = {};
  host->setGlobal(0x7D2AF4, service);
  host->setGlobal(0x7D2AF8, clock);
  host->setGlobal(0x7EAC48, game);
  host->setGlobal(0x165FA90, modes);
  host->setGlobal(0x7D2344, messageBox);
  host->setGlobal(0x165FA48, manager);
  kvl::rally::KestrunEvent& event = kvl::rally::KestrunEvent::instance();
  // Without Plugins\Kestrun\Kestrun.ini beside the host: 4 mechanics, "Competent" (3), 40 minutes.
  EXPECT_EQ(event.serviceInfo().mechanics(), 4);
  EXPECT_EQ(event.serviceInfo().skill(), 3);
  EXPECT_EQ(event.serviceInfo().allowedRepairTime(), 40.0f);
  event.configure(14, 2, 5, 40.0f);
  const std::string longFolder(255, 'f');
  struct Case {
    const char* name;
    std::int32_t busy, pending;
    std::string folder;
    float clock;
    const char* builtFrom;
    const char* calls;
  } cases[] = {
      {"work pending", 0, 3, "stages\\s14\\", 2400.0f, "stages\\s14\\repair.ini", "folder 14;"},
      {"nothing to repair", 0, 0, "s\\", 2400.0f, "s\\repair.ini", "folder 14;finish;mode 1;message 24;back;"},
      {"service busy", 1, 0, "s\\", -1.0f, "", ""},
      // 255 + 10 characters do not fit the host's 260: no repair list from a cut path.
      {"path too long", 0, 2, longFolder, 2400.0f, "", "folder 14;"},
  };
  for (const auto& c : cases) {
    serviceBusy = c.busy;
    pendingWork = c.pending;
    stageFolderText = c.folder;
    clockTime = -1.0f;
    builtFrom.clear();
    serviceCalls.clear();
    messageCallback = nullptr;
    event.setServicePenalty(30.0f);
    kvl::rally::KestrunEvent::runRepairService();
    if (messageCallback != nullptr) messageCallback(messageContext);
    EXPECT_EQ(clockTime, c.clock) << c.name;
    EXPECT_EQ(builtFrom, c.builtFrom) << c.name;
    EXPECT_EQ(serviceCalls, c.calls) << c.name;
    EXPECT_EQ(event.servicePenalty(), c.pending == 0 && c.busy == 0 ? 0.0 : 30.0) << c.name;
  }
  for (std::uint32_t global : {0x7D2AF4u, 0x7D2AF8u, 0x7EAC48u, 0x165FA90u, 0x7D2344u, 0x165FA48u}) host->setGlobal(global, nullptr);
}

// The event record's two service words: value A is the crew's mechanics at +148, value B its skill
// at +144; nothing else of the record changes.
TEST(HostRallyRecordWords, ValueAAtPlus148ValueBAtPlus144) {
  std::uint8_t record[HostRallyRecord::kSize], before[HostRallyRecord::kSize];
  for (std::size_t i = 0; i < sizeof record; ++i) record[i] = static_cast<std::uint8_t>(0xA0 + i % 7);
  std::memcpy(before, record, sizeof record);
  HostRallyRecord::setValueA(record, 2);
  HostRallyRecord::setValueB(record, 5);
  std::int32_t a, b;
  std::memcpy(&a, record + 148, 4);
  std::memcpy(&b, record + 144, 4);
  EXPECT_EQ(a, 2);
  EXPECT_EQ(b, 5);
  EXPECT_EQ(std::memcmp(record, before, 144), 0);
  EXPECT_EQ(std::memcmp(record + 152, before + 152, sizeof record - 152), 0);
}
