#include "hostsim/anim_data_model.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "hostsim/call_trace.h"
#include "hostsim/fields.h"
#include "hostsim/host_pieces.h"
#include "hostsim/host_objects.h"
#include "hostsim/stray_words.h"
#include "tests/support/host_frame_handler.h"

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))

constexpr std::uint32_t kLoadAnimData = 0x479020;
constexpr std::uint32_t kLoadAnimDataSite = 0x47B011;
constexpr std::uint32_t kDefaultOperand = 0x488850;
constexpr std::uint32_t kStageIdOffset = 1840;
constexpr std::uint32_t kHostCxxException = 0xE06D7363;

// The DLS data the host reads: header, one animation set with a replay camera list of one
// channel and an animation list of two, and an id table of two entries.
std::vector<unsigned char> buildDls(const std::string& kind) {
  std::vector<unsigned char> d(224, 0);
  put<std::uint32_t>(d.data(), 0, kind == "badmagic" ? 0x12345678u : 0x414E494Du);
  put<std::uint32_t>(d.data(), 4, 0x44415441u);
  put<std::uint32_t>(d.data(), 8, 18);
  put<std::int32_t>(d.data(), 16, 64);   // animation sets
  put<std::int32_t>(d.data(), 44, 60);   // name limit at 60
  put<std::uint32_t>(d.data(), 60, 100);
  put<std::int32_t>(d.data(), 52, 200);  // animation ids
  put<std::int32_t>(d.data(), 64, 1);
  put<std::int32_t>(d.data(), 68, kind == "farset" ? 100000 : 80);
  put<std::uint32_t>(d.data(), 84, 5);   // channel limit
  put<std::int32_t>(d.data(), 88, 1);
  put<std::int32_t>(d.data(), 92, 2);
  put<std::int32_t>(d.data(), 120, 160);
  put<std::int32_t>(d.data(), 124, 172);
  put<std::uint32_t>(d.data(), 160, 1);
  put<std::uint32_t>(d.data(), 172, 2);
  put<std::uint32_t>(d.data(), 184, kind == "damaged" ? 9u : 3u);
  put<std::uint32_t>(d.data(), 200, 2);
  put<std::uint32_t>(d.data(), 204, 7);
  put<std::uint32_t>(d.data(), 208, 10);
  put<std::uint32_t>(d.data(), 212, 8);
  put<std::uint32_t>(d.data(), 216, kind == "damaged" ? 500u : 20u);
  return d;
}

constexpr std::uint32_t kAccessViolation = 0xC0000005;

// How the next load goes wrong: it raises a host exception (from a function with a try block of
// its own that does not take it), raises one that its own try block takes, or faults.
enum class Failure { none, raise, selfCatch, fault };
Failure nextFailure = Failure::none;
std::uint32_t dataSize = 0;

void raiseHostException(void*) {
  ULONG_PTR info[3] = {0x19930520u, 0, 0};
  RaiseException(kHostCxxException, EXCEPTION_NONCONTINUABLE, 3, info);
}

// The host's loader reads the counts its parse goes by; asked to, it fails the host's way.
void THISCALL loadAnimData(void*, const unsigned char* data) {
  const Failure failure = nextFailure;
  nextFailure = Failure::none;
  if (failure == Failure::raise) {
    trace("host anim data raising");
    kvl::testing::runUnderHostHandler(&raiseHostException, nullptr, 0xE0000001u);
  } else if (failure == Failure::selfCatch) {
    if (kvl::testing::runUnderHostHandler(&raiseHostException, nullptr, kHostCxxException) != 0) {
      trace("host anim data caught its own exception");
    }
  } else if (failure == Failure::fault) {
    trace("host anim data faulting");
    *static_cast<volatile std::uint32_t*>(nullptr) = 1;
  }
  const auto ids = get<std::int32_t>(data, 52);
  const auto set = get<std::int32_t>(data, get<std::int32_t>(data, 16) + 4);
  if (ids < 0 || static_cast<std::uint32_t>(ids) + 4 > dataSize || set < 0 || static_cast<std::uint32_t>(set) + 16 > dataSize) {
    trace("host anim data set out of its data");
    return;
  }
  trace("host anim data ids " + std::to_string(get<std::uint32_t>(data, static_cast<std::uint32_t>(ids))) +
        " channels " + std::to_string(get<std::int32_t>(data, static_cast<std::uint32_t>(set + 8))) + " " +
        std::to_string(get<std::int32_t>(data, static_cast<std::uint32_t>(set + 12))));
}

std::string number(float v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", static_cast<double>(v));
  return text;
}

void runLoad(std::istream& in) {
  std::string kind, word, path;
  in >> kind;
  if (kind == "file") in >> path;
  std::vector<float> values;
  while (in >> word) {
    if (word == "raise") {
      nextFailure = Failure::raise;
    } else if (word == "selfcatch") {
      nextFailure = Failure::selfCatch;
    } else if (word == "fault") {
      nextFailure = Failure::fault;
    } else {
      values.push_back(word == "nan" ? std::strtof("nan", nullptr) : std::strtof(word.c_str(), nullptr));
    }
  }
  std::vector<unsigned char> dls;
  if (kind == "file") {
    std::ifstream file(path, std::ios::binary);
    dls.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (dls.empty()) {
      trace("host anim data file " + path + " missing");
      return;
    }
  } else {
    dls = buildDls(kind);
  }
  // The host reads the file into a block of its runtime heap of the file's size. Every byte of it is
  // the file's, and the host hands it to the plugin's check to repair in place, where the data's
  // own offsets put the counts it may clear: so it is not watched, and the words changed are
  // traced after the load instead.
  dataSize = static_cast<std::uint32_t>(dls.size());
  auto* data = static_cast<unsigned char*>(std::malloc(dls.size()));
  std::memcpy(data, dls.data(), dls.size());
  // The loader's parsed entries (96 bytes each, the value at +20) and the loader with their
  // count at +0x24 and their array at +0x28.
  unsigned char* entries = hostObject("animentries", 96 * std::max<std::size_t>(values.size(), 1));
  for (std::size_t i = 0; i < values.size(); ++i) put(entries, static_cast<std::uint32_t>(96 * i + 20), values[i]);
  unsigned char* loader = hostObject("animloader", 0x2C);
  put<std::uint32_t>(loader, 0x24, static_cast<std::uint32_t>(values.size()));
  put<std::uint32_t>(loader, 0x28, wordOf(entries));
  put<std::int32_t>(hostObjects().game, kStageIdOffset, 3);
  // The host's loading runs under its own handler of processor faults.
  struct Call {
    std::uint32_t data, loader;
  } call{wordOf(data), wordOf(loader)};
  const auto* chain = kvl::testing::handlerChainHead();
  const std::uint32_t caught = kvl::testing::runUnderHostHandler(
      [](void* c) {
        const auto* a = static_cast<const Call*>(c);
        runCallSite(kLoadAnimDataSite, {a->data}, a->loader);
      },
      &call, kAccessViolation);
  if (caught != 0) trace("host caught a processor fault in its loading");
  if (kvl::testing::handlerChainHead() != chain) trace("host handler chain left changed");
  std::string text = "host anim entries";
  for (std::size_t i = 0; i < values.size(); ++i) text += " " + number(get<float>(entries, static_cast<std::uint32_t>(96 * i + 20)));
  trace(text);
  std::string changed = "host anim data words changed";
  for (std::size_t o = 0; o + 4 <= dls.size(); o += 4) {
    if (std::memcmp(data + o, dls.data() + o, 4) != 0) changed += " +" + std::to_string(o);
  }
  trace(changed);
  releaseObject(loader);
  releaseObject(entries);
  std::free(loader);
  std::free(entries);
  std::free(data);
}

void showFile(const std::string& name) {
  std::ifstream file(name, std::ios::binary);
  if (!file) {
    trace("file " + name + " missing");
    return;
  }
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    trace("file " + name + ": " + line);
  }
}

}  // namespace

void appendAnimDataRows(std::vector<AddressEntry>& rows) {
  rows.push_back({EntryKind::function, kLoadAnimData, "loadAnimData", addressOf(&loadAnimData)});
  rows.push_back({EntryKind::callSite, kLoadAnimDataSite, "loadAnimDataSite", kLoadAnimData});
  // fld dword [0x...]: the host's default for small entry values, 0.01 until the plugin points it.
  static const float hostDefault = 0.01f;
  AddressEntry fld{EntryKind::operand, kDefaultOperand, "animDataDefault", wordOf(&hostDefault), {0xD9, 0x05, 0}, 2};
  rows.push_back(fld);
  // The byte (push imm8; pop eax) and the three constants the group sets; what they hold before it.
  addImmediatePiece(rows, 0x43CD8B, 0x01);
  for (std::uint32_t site : {0x445922u, 0x448242u, 0x5F1172u}) {
    rows.push_back({EntryKind::operand, site, "loadDataConstant", 0x80000, {0xB8, 0, 0}, 1});  // mov eax, imm32
  }
}

bool runAnimDataStep(const std::string& step, std::istream& in) {
  if (step == "animdata") {
    runLoad(in);
  } else if (step == "showfile") {
    std::string name;
    in >> name;
    showFile(name);
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
