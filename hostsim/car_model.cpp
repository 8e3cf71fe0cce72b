#include "hostsim/car_model.h"

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>

#include "hostsim/call_trace.h"
#include "hostsim/site_coverage.h"
#include "hostsim/car_host_words.h"
#include "hostsim/car_key_tables.h"
#include "hostsim/car_setup_layout.h"
#include "hostsim/fields.h"
#include "hostsim/host_handlers.h"
#include "hostsim/host_words.h"
#include "hostsim/power_train.h"
#include "hostsim/stray_words.h"
#include "hostsim/turbo_maps.h"

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))

constexpr std::uint32_t kCarGlobal = 0x8EF660, kSetupGlobal = 0x7ECD00, kRangesGlobal = 0x7ECD04;
constexpr std::uint32_t kGripGlobal = 0x1659B6C, kEffectsGlobal = 0x166E378;
constexpr std::uint32_t kBaseRead = 0x52F0C0, kFindMaterial = 0x520940, kCarNumber = 0x566080;
constexpr std::uint32_t kTableConstruct = 0x52FEC0, kTableParse = 0x52F840, kTokensLeft = 0x52EED0;
constexpr std::uint32_t kTableClass = 0x740534, kTableSite = 0x50291C;
// Host instructions that read the load pass's floats (fld dword [m32]).
constexpr std::uint32_t kFloatOperands[] = {0x53D5DA, 0x53973F, 0x53974B, 0x49148C, 0x4914C9, 0x4F13D3};
// Float words inside host code that the load pass rewrites.
constexpr std::uint32_t kCodeFloats[] = {0x53DAA6, 0x4F13A7};

// The setup-values object's read slot (the range blocks' are in car_setup_layout).
constexpr std::uint32_t kSetupSlot = kSetupValuesSlot;

// The car's table: 64 records of 136 bytes, 64 of 88 from +8720, the bodywork's two aero
// configuration words at +15796 and +15804.
constexpr std::uint32_t kTableRecords = 8720, kAeroFront = 15796, kAeroRear = 15804;
// The surface grip table: its entry k at +36 + 352k, the revision word, the time step, the two
// words the fill clears and gravity.
constexpr std::uint32_t kGripRevision = 90236, kGripTimeStep = 90252, kGripCleared = 90288, kGripGravity = 90296;
// The effects object: its entry count and array, the 256-byte material map.
constexpr std::uint32_t kEffectCount = 1040, kEffectArray = 1044, kMaterialMap = 1304;

struct Car {
  unsigned char* car = hostObject("car", 7520);
  unsigned char* params = hostObject("params", 20000);
  unsigned char* wheels[4];
  unsigned char* tyreOwners[4];
  unsigned char* tyreBlocks[4];
  // The car's member at +1184 and the parameter block at its +52.
  unsigned char* body = hostObject("carmember", 56);
  unsigned char* bodySource = hostObject("memberparams", 316);
  unsigned char* lists[3];
  unsigned char* neighbour = hostObject("carlistnode", 12);  // a second node in the first list
  unsigned char* table = hostObject("cartable", kAeroRear + 4);
  unsigned char* drivetrain = hostObject("drivetrain", 4096);
  unsigned char* engine = hostObject("engine", 12288);
  unsigned char* gearbox = hostObject("gearbox", 4096);
  // The body keys' parameter block: the host's parser alone fills it, through the plugin's
  // alias table too; its last key (locator 0x49EB) lands at +75704.
  unsigned char* bodyKeys = hostObject("bodykeys", 76000);
  unsigned char* setup = hostObject("carsetup", 5888);
  unsigned char* ranges = hostObject("carranges", 22096);
  unsigned char* grip = hostObject("grip", kGripGravity + 4);
  unsigned char* effects = hostObject("effects", 2704);

  Car() {
    for (int i = 0; i < 4; ++i) {
      wheels[i] = hostObject("wheel" + std::to_string(i), 5152);
      // The wheel's parameter block, with its tyre record at +1388.
      tyreOwners[i] = hostObject("wheelparams" + std::to_string(i), 2432);
      tyreBlocks[i] = hostObject("tyre" + std::to_string(i), 788);
      put(wheels[i], 52, wordOf(tyreOwners[i]));
      put(wheels[i], 2036, wordOf(car));
      put(car, 1136 + 4 * i, wordOf(wheels[i]));
    }
    put(car, 52, wordOf(params));
    put(car, 1184, wordOf(body));
    put(body, 52, wordOf(bodySource));
    put(bodySource, 312, 0.5f);
    // The drivetrain solver is the car's member at +1200 (power_train lays it out); the car holds
    // no pointer there.
    put(car, 2548, wordOf(table));
    for (std::uint32_t k = 0; k < 64; ++k) {
      for (std::uint32_t o : {24u, 56u, 88u, 120u}) put(table, 136 * k + o, 2.0f);
      put(table, kTableRecords + 88 * k, 2.0f);
    }
    // The bodywork in its first aero configuration at both ends.
    put(table, kAeroFront, 0);
    put(table, kAeroRear, 0);
    // Each list node of the car in a list of its own (head, tail, count); the first list also
    // holds a neighbour.
    for (int k = 0; k < 3; ++k) {
      lists[k] = hostObject("carlist" + std::to_string(k), 12);
      unsigned char* node = car + 980 + 32 * k;
      put(node, 0, 0u);  // no neighbours
      put(node, 4, 0u);
      put(node, 8, wordOf(lists[k]));
      put(lists[k], 0, wordOf(node));
      put(lists[k], 4, wordOf(node));
      put(lists[k], 8, 1);
    }
    unsigned char* first = car + 980;
    put(first, 0, wordOf(neighbour));
    put(neighbour, 0, 0u);
    put(neighbour, 4, wordOf(first));
    put(neighbour, 8, wordOf(lists[0]));
    put(lists[0], 4, wordOf(neighbour));
    put(lists[0], 8, 2);
    // A previous car's setup values: every value word holds a left-over.
    layOutCarSetup(setup);
    layOutCarSetupRanges(ranges);
    // The host's own grip values: entry k holds k + 0.5 in each float column. No car declared a
    // physics revision yet; the host's step and gravity.
    for (int k = 0; k < 256; ++k) {
      for (std::uint32_t o = 24; o < 352; o += 16) put(grip, 36 + 352 * k + o, k + 0.5f);
    }
    put(grip, kGripRevision, 0);
    put(grip, kGripTimeStep, 0.01f);
    put(grip, kGripCleared, 1);
    put(grip, kGripCleared + 4, 1);
    put(grip, kGripGravity, -9.8f);
    // Two effect entries of the host (materials 1 and 17) in a block of its runtime's heap, the
    // map the identity.
    auto* entries = static_cast<unsigned char*>(runtimeMalloc(2 * 80));
    watchObject("effectentries", entries, 2 * 80);
    for (std::uint32_t e = 0; e < 2; ++e) {
      unsigned char* entry = entries + 80 * e;
      const std::int32_t header[4] = {e == 0 ? 1 : 17, 5, 0, 0};
      const float values[16] = {1.0f, 1.0f, 1.0f, 1.0f, 2.0f, 0.4f, 0.1f, 0.0f, 0.1f, 0.0f, 0.0f, 0.0f, 0.1f};
      hostWrite(entry, header, sizeof header);
      hostWrite(entry + 16, values, sizeof values);
    }
    put(effects, kEffectCount, 2);
    put(effects, kEffectArray, wordOf(entries));
    for (std::uint32_t i = 0; i < 256; ++i) put(effects, kMaterialMap + i, static_cast<std::uint8_t>(i));
  }
};

Car& car() {
  static Car c;
  return c;
}

// The host's own routine of the setup classes' read slot: its own work, then a result of its own.
std::uint32_t THISCALL hostBaseRead(void* object, std::uint32_t source) {
  (void)object;
  return source * 3 + 1;
}

// Material k of the grip table's entry array object (the table's +24): entry k, or none.
void* THISCALL hostFindMaterial(unsigned char* entries, std::int32_t id) {
  if (id < 0 || id > 255) return nullptr;
  return entries + 12 + 352 * id;
}

std::int32_t THISCALL hostCarNumber(void*) { return 7; }

// The table-valued parameter: constructor, its own parse (one number at +12), the token reader
// (+4 cursor into an array of text pointers, +8 the end).
// The constructor sets the table word and empties the value and the three arrays.
// The integer class's constructor sets its table and its value (+12); the subclass's three
// arrays keep what the allocation held.
void THISCALL hostTableConstruct(unsigned char* object) {
  put(object, 0, kTableClass);
  put(object, 12, 0.0f);
}
std::int32_t THISCALL hostTableParse(unsigned char* object, unsigned char* reader) {
  auto cursor = get<const char* const*>(reader, 4);
  if (cursor == get<const char* const*>(reader, 8)) return -1;
  put(object, 12, static_cast<float>(std::atof(*cursor)));
  put(reader, 4, cursor + 1);
  return 0;
}
// A nonzero word while tokens are left, not a bool: here one whose low byte is 0.
std::uint32_t THISCALL hostTokensLeft(unsigned char* reader) {
  return get<const char* const*>(reader, 4) != get<const char* const*>(reader, 8) ? 0x100u : 0u;
}

// The spring and damper keys' block is the setup values' drivetrain part (+72): their own rows'
// values (12 + 4 x locator) land where the spring set-up reads them (locator 303 at +1296).
constexpr std::uint32_t kDamperBlock = 72;

unsigned char* blockFor(const std::string& section, int wheel) {
  Car& c = car();
  const int w = wheel < 0 || wheel > 3 ? 0 : wheel;
  if (section == "Car") return c.params;
  if (section == "Drivetrain") return c.drivetrain;
  if (section == "Damper") return c.setup + kDamperBlock;
  if (section == "SetupRanges" || section == "EngineRanges") return c.ranges;
  if (section == "Engine" || section == "Features") return c.engine;
  if (section == "Gearbox") return c.gearbox;
  if (section == "Tyre") return c.tyreBlocks[w];
  if (section == "Suspension") return c.tyreOwners[w];  // the wheel's parameter block (+52 of the wheel)
  if (section == "Surface") return c.grip;
  if (section == "Body") return c.bodyKeys;
  return nullptr;
}

using ReadSlot = std::uint32_t(THISCALL*)(void*, std::uint32_t);

// The host's reading of a car: each setup object's read slot through its class table (which the
// plugin may have replaced), then the file through the key tables, then the wheels' tyre types.
void readCar(std::istream& text, std::uint32_t source) {
  Car& c = car();
  noteHostDataRead(kSetupSlot, kSetupSlot + 4);
  const auto setupSlot = reinterpret_cast<ReadSlot>(get<std::uint32_t>(reinterpret_cast<void*>(kSetupSlot), 0));
  const std::uint32_t r = setupSlot(c.setup, source);
  trace(std::string("host setup read values ") + (r == source * 3 + 1 ? "result kept" : "result lost"));
  for (const SetupRangeBlock& b : setupRangeBlocks()) {
    noteHostDataRead(b.slot, b.slot + 4);
    const auto slot = reinterpret_cast<ReadSlot>(get<std::uint32_t>(reinterpret_cast<void*>(b.slot), 0));
    const std::uint32_t result = slot(c.ranges + b.offset, source);
    trace(std::string("host setup read ") + b.name + (result == source * 3 + 1 ? " result kept" : " result lost"));
  }
  const int stored = parseCarFile(text, &blockFor);
  readTurboMaps(c.engine);
  for (int i = 0; i < 4; ++i) put(c.tyreOwners[i], 1388 + 12, get<std::int32_t>(c.tyreBlocks[i], 12));
  trace("host car read " + std::to_string(stored) + " values");
}

unsigned char* objectNamed(const std::string& name) {
  Car& c = car();
  static const char* const fixed[] = {"car", "params", "setup", "ranges", "grip", "effects", "table",
                                      "drivetrain", "engine", "gearbox", "damper", "body", "list0"};
  unsigned char* const objects[] = {c.car, c.params, c.setup, c.ranges, c.grip, c.effects, c.table,
                                    c.drivetrain, c.engine, c.gearbox, c.setup + kDamperBlock, c.bodyKeys, c.lists[0]};
  for (std::size_t i = 0; i < std::size(fixed); ++i) {
    if (name == fixed[i]) return objects[i];
  }
  if (unsigned char* p = powerTrainObject(name)) return p;
  if (name == "effectentries") return reinterpret_cast<unsigned char*>(get<std::uint32_t>(c.effects, 1044));
  if (name.size() == 6 && name.compare(0, 5, "wheel") == 0) return c.wheels[(name[5] - '0') & 3];
  if (name.size() == 8 && name.compare(0, 7, "tyrerec") == 0) return c.tyreOwners[(name[7] - '0') & 3] + 1388;
  if (name.size() == 5 && name.compare(0, 4, "tyre") == 0) return c.tyreBlocks[(name[4] - '0') & 3];
  if (name.size() == 5 && name.compare(0, 4, "susp") == 0) return c.tyreOwners[(name[4] - '0') & 3];
  return nullptr;
}

std::string number(float v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", static_cast<double>(v));
  return text;
}

std::string setupLogPath() {
  char folder[MAX_PATH];
  const DWORD n = GetTempPathA(sizeof folder, folder);
  return n == 0 ? std::string() : std::string(folder) + "QZR_SetupErrors.log";
}

void runTableParam(std::istream& in) {
  std::vector<std::string> tokens;
  for (std::string t; in >> t;) tokens.push_back(t);
  std::vector<const char*> texts;
  for (const auto& t : tokens) texts.push_back(t.c_str());
  // Each parameter is a new allocation of the host's.
  unsigned char* object = hostObject("tableparam", 136);
  runCallSite(kTableSite, {}, wordOf(object), false);
  // The host's token reader: its cursor at +4, the end of its tokens at +8.
  static unsigned char* const reader = hostObject("tokenreader", 12);
  put(reader, 4, texts.data());
  put(reader, 8, texts.data() + texts.size());
  const auto table = get<const std::uint32_t*>(object, 0);
  const bool own = wordOf(table) == kTableClass;
  const auto parse = reinterpret_cast<std::int32_t(THISCALL*)(void*, void*)>(table[2]);
  const std::int32_t result = parse(object, reader);
  std::string line = std::string("tableparam ") + (own ? "host table" : "plugin table") + " result " + std::to_string(result) +
                     " first " + number(get<float>(object, 12));
  for (std::size_t a : {16u, 56u, 96u}) {
    line += " |";
    for (std::size_t i = 0; i < 10; ++i) {
      const std::size_t at = a + 4 * i;
      line += get<std::uint32_t>(object, at) == patternWord(at) ? " -" : " " + number(get<float>(object, at));
    }
  }
  trace(line);
}

}  // namespace

unsigned char* carSetupRangesObject() { return car().ranges; }
unsigned char* carSetupObject() { return car().setup; }

unsigned char* carObject(const std::string& name) { return objectNamed(name); }

unsigned char* hostCarObject() { return car().car; }
unsigned char* tyreParameterRecord(int wheel) { return car().tyreBlocks[wheel & 3]; }

std::vector<AddressEntry> carEntries() {
  Car& c = car();
  std::vector<AddressEntry> rows = {
      {EntryKind::global, kCarGlobal, "car", wordOf(c.car)},
      {EntryKind::global, kSetupGlobal, "carSetup", wordOf(c.setup)},
      {EntryKind::global, kRangesGlobal, "carSetupRanges", wordOf(c.ranges)},
      {EntryKind::global, kGripGlobal, "surfaceGrip", wordOf(c.grip)},
      {EntryKind::global, kEffectsGlobal, "effects", wordOf(c.effects)},
      {EntryKind::callSite, kTableSite, "tableParamSite", kTableConstruct},
      {EntryKind::global, kSetupSlot, "setupReadSlot", kBaseRead},
  };
  appendFunctions(rows, {{kBaseRead, "setupBaseRead", addressOf(&hostBaseRead)},
                         {kFindMaterial, "findMaterial", addressOf(&hostFindMaterial)},
                         {kCarNumber, "carNumber", addressOf(&hostCarNumber)},
                         {kTableConstruct, "tableParamConstruct", addressOf(&hostTableConstruct)},
                         {kTableParse, "tableParamParse", addressOf(&hostTableParse)},
                         {kTokensLeft, "tokensLeft", addressOf(&hostTokensLeft)}});
  std::set<std::uint32_t> slots;
  for (const SetupRangeBlock& b : setupRangeBlocks()) {
    if (slots.insert(b.slot).second) rows.push_back({EntryKind::global, b.slot, "rangeReadSlot", kBaseRead});
  }
  for (std::uint32_t i = 0; i < 19; ++i) {
    rows.push_back({EntryKind::global, kTableClass + 4 * i, "tableParamClass", i == 2 ? kTableParse : kBaseRead});
  }
  for (std::uint32_t site : kFloatOperands) {
    AddressEntry e{EntryKind::operand, site, "carFloatOperand", wordOf(c.params)};
    e.opcode[0] = 0xD9;
    e.opcode[1] = 0x05;
    e.opcodeLength = 2;
    rows.push_back(e);
  }
  for (std::uint32_t at : kCodeFloats) rows.push_back({EntryKind::global, at, "codeFloat", floatWord(-1.0f)});
  appendKeyTableRows(rows);
  return rows;
}

void loadStockCar() {
  layOutCarHostWords();
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string file(path, n);
  file = file.substr(0, file.find_last_of("\\/") + 1) + "stock.car";
  std::ifstream text(file);
  if (!text) {
    trace("host stock car missing");
    return;
  }
  readCar(text, 1);
}

bool runCarStep(const std::string& step, std::istream& in) {
  if (step == "carfile") {
    std::string path;
    in >> path;
    std::ifstream text(path);
    if (!text) {
      trace("host car file missing " + path);
    } else {
      readCar(text, 2);
    }
  } else if (step == "carvalue") {
    std::string name, type;
    std::size_t offset = 0;
    in >> name >> offset >> type;
    const unsigned char* object = objectNamed(name);
    std::string value = "none";
    if (object != nullptr) {
      if (type == "float") value = number(get<float>(object, offset));
      else if (type == "byte") value = std::to_string(object[offset]);
      else value = std::to_string(get<std::int32_t>(object, offset));
    }
    trace("car " + name + " +" + std::to_string(offset) + " = " + value);
  } else if (step == "carset") {
    std::string name, type;
    std::size_t offset = 0;
    double value = 0;
    in >> name >> offset >> type >> value;
    if (unsigned char* object = objectNamed(name)) {
      if (type == "float") put(object, offset, static_cast<float>(value));
      else put(object, offset, static_cast<std::int32_t>(value));
    }
  } else if (step == "carkey" || step == "carkeys") {
    std::string addressText;
    std::uint32_t index = 0;
    in >> addressText >> index;
    const auto address = static_cast<std::uint32_t>(std::strtoul(addressText.c_str(), nullptr, 16));
    std::uint32_t table = address, count = 0;
    bool hasDescriptor = false;
    for (const KeyTablePlace& s : keyTablePlaces()) {
      if (s.descriptor == address) hasDescriptor = true;
      if (s.table == address) count = s.count;
    }
    if (hasDescriptor) {
      count = get<std::uint32_t>(reinterpret_cast<void*>(address), 8);
      table = get<std::uint32_t>(reinterpret_cast<void*>(address), 12);
    }
    if (step == "carkeys") {
      const bool host = table >= 0x401000 && table < 0x1711000;
      trace("keys " + addressText + " count " + std::to_string(count) + (host ? " host" : " plugin"));
    } else {
      const auto* e = reinterpret_cast<const std::uint32_t*>(table + 16 * index);
      const auto* name = reinterpret_cast<const char*>(e[0]);
      trace("key " + addressText + "[" + std::to_string(index) + "] " + (name ? name : "(null)") + " " +
            std::to_string(e[2]) + " " + std::to_string(e[1]) + " " + std::to_string(e[3]));
    }
  } else if (step == "hostfloat") {
    std::string addressText;
    in >> addressText;
    const auto address = static_cast<std::uint32_t>(std::strtoul(addressText.c_str(), nullptr, 16));
    trace("host float " + addressText + " = " + number(get<float>(reinterpret_cast<void*>(address), 0)));
  } else if (step == "setuplog") {
    std::string what;
    in >> what;
    if (what == "clear") {
      DeleteFileA(setupLogPath().c_str());
    } else {
      std::ifstream log(setupLogPath(), std::ios::binary);
      std::string line;
      int lines = 0;
      while (std::getline(log, line)) {
        const bool crlf = !line.empty() && line.back() == '\r';
        if (crlf) line.pop_back();
        trace("setup log " + line + (crlf ? " <crlf>" : " <lf>"));
        ++lines;
      }
      trace("setup log lines " + std::to_string(lines));
    }
  } else if (step == "tableparam") {
    runTableParam(in);
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
