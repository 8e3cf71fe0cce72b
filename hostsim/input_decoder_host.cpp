#include "hostsim/input_decoder_host.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "hostsim/call_trace.h"
#include "hostsim/fields.h"
#include "hostsim/host_objects.h"
#include "hostsim/site_invoker.h"

namespace hostsim {
namespace {

constexpr std::uint32_t kInputRecordOffset = 1848, kDecoderWordOffset = 44;
constexpr std::uint32_t kHostDecoder = 0x48D130;
// The controller words a decoder writes: three int32 (+72, +76, +80), five floats (+92 .. +108)
// and the byte at +112.
constexpr std::uint32_t kIntWords[] = {72, 76, 80};
constexpr std::uint32_t kFloatWords[] = {92, 96, 100, 104, 108};
constexpr std::uint32_t kByteOffset = 112;
constexpr std::uint32_t kControllerSize = 256;

// A word a decoder never writes: a NaN as a float, a kernel address as a pointer.
std::uint32_t patternAt(std::uint32_t offset) { return 0xFFA50000u | offset; }

unsigned char* controller() {
  static unsigned char* const c = hostObject("decodercontroller", kControllerSize);
  return c;
}

void fillController() {
  for (std::uint32_t offset = 0; offset < kControllerSize; offset += 4) put(controller(), offset, patternAt(offset));
}

void __attribute__((thiscall)) hostDecoder(unsigned char* self, const unsigned char* const* record) {
  trace(std::string("host decoder ran ") + (self == controller() ? "on the controller" : "on another object") +
        ", record first byte " + std::to_string(record == nullptr || *record == nullptr ? -1 : (*record)[0]));
}

bool written(std::uint32_t offset) { return get(controller(), offset) != patternAt(offset); }

std::string intWord(std::uint32_t offset) {
  return written(offset) ? std::to_string(get<std::int32_t>(controller(), offset)) : std::string("-");
}

std::string floatWord(std::uint32_t offset) {
  if (!written(offset)) return "-";
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", static_cast<double>(get<float>(controller(), offset)));
  return text;
}

}  // namespace

void appendInputDecoderRows(std::vector<AddressEntry>& rows) {
  appendFunctions(rows, {{kHostDecoder, "decodeInput", addressOf(&hostDecoder)}});
  put(hostObjects().game, kInputRecordOffset + kDecoderWordOffset, kHostDecoder);
}

bool runInputDecoderStep(const std::string& step, std::istream& in) {
  if (step != "decodeinput") return false;
  unsigned char bytes[16] = {};
  for (int i = 0; i < 9; ++i) {
    std::string b;
    in >> b;
    bytes[i] = static_cast<unsigned char>(std::strtoul(b.c_str(), nullptr, 16));
  }
  const unsigned char* record = bytes;
  fillController();
  const std::uint32_t fn = get(hostObjects().game, kInputRecordOffset + kDecoderWordOffset);
  const std::uint32_t args[] = {wordOf(&record)};
  SiteOutcome outcome;
  hostsimCallMember(&outcome, pointer(fn), args, 1, wordOf(controller()));
  trace("host decode stack words left " + std::to_string(outcome.stackBytesLeft / 4) + " registers " +
        (outcome.registersKept != 0 ? "kept" : "changed"));

  const bool byteWritten = controller()[kByteOffset] != (patternAt(kByteOffset) & 0xFF);
  std::string line = "host controller";
  for (std::uint32_t o : kIntWords) line += " +" + std::to_string(o) + " " + intWord(o);
  for (std::uint32_t o : kFloatWords) line += " +" + std::to_string(o) + " " + floatWord(o);
  line += " +112 " + (byteWritten ? std::to_string(controller()[kByteOffset]) : std::string("-"));
  // Any other byte of the controller that changed, the three pattern bytes beside +112 included.
  int others = 0;
  for (std::uint32_t offset = 0; offset < kControllerSize; offset += 4) {
    bool decoded = offset == kByteOffset;
    for (std::uint32_t o : kIntWords) decoded = decoded || offset == o;
    for (std::uint32_t o : kFloatWords) decoded = decoded || offset == o;
    const std::uint32_t mask = offset == kByteOffset ? 0xFFFFFF00u : 0xFFFFFFFFu;
    if (decoded && mask == 0xFFFFFFFFu) continue;
    if ((get(controller(), offset) & mask) != (patternAt(offset) & mask)) ++others;
  }
  trace(line + ", " + std::to_string(others) + " other words changed");
  return true;
}

}  // namespace hostsim
