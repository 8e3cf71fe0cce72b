#include "hostsim/sound_sites.h"

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <set>

#include "hostsim/call_trace.h"
#include "hostsim/site_coverage.h"
#include "hostsim/host_words.h"
#include "hostsim/sound_code_invoker.h"

namespace hostsim {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The host's instructions as they are before the plugin: sizes at 0x118D0 + 4 x 0x4000, single
// bytes, a six-byte store, the older comparison that reads the status word. Around most of them
// the host's code that runs through them (`before` from where that code is entered, `after` up to
// where it goes on), which brings what they computed out in EAX and EDX.
struct HostBytes {
  std::uint32_t address;
  Bytes bytes;
  Bytes before = {};
  Bytes after = {};
};
const Bytes kTestEax = {0x85, 0xC0};                                    // test eax, eax
const Bytes kLeaEdiDisplacement = {0x29, 0xF7, 0x89, 0xF8};             // sub edi, esi; mov eax, edi
const std::vector<HostBytes> kHostBytes = {
    {0x4CFA98, {0x68, 0xD0, 0x18, 0x02, 0x00}, {}, {0x58}},           // push 0x218D0; pop eax
    {0x4CFB08, {0x68, 0x40, 0x19, 0x02, 0x00}, {}, {0x58}},           // push 0x21940; pop eax
    // lea edi, [esi+edx*2+0x118D0]; sub edi, esi; sub edi, edx (twice); mov eax, edi
    {0x4D0179, {0x8D, 0xBC, 0x56, 0xD0, 0x18, 0x01, 0x00}, {}, {0x29, 0xF7, 0x29, 0xD7, 0x29, 0xD7, 0x89, 0xF8}},
    {0x4D0191, {0x8D, 0xBE, 0xD0, 0x18, 0x01, 0x00}, {}, kLeaEdiDisplacement},        // lea edi, [esi+0x118D0]
    {0x4D01D0, {0x8D, 0xAE, 0xD0, 0x18, 0x01, 0x00}, {}, {0x29, 0xF5, 0x89, 0xE8}},   // lea ebp, [esi+0x118D0]
    {0x4D04CA, {0xB9, 0x00, 0x40, 0x00, 0x00}},                                      // mov ecx, 0x4000
    // lea edi, [esi+0x118D0]; sub edi, esi; mov edx, edi; mov eax, ecx
    {0x4D04CF, {0x8D, 0xBE, 0xD0, 0x18, 0x01, 0x00}, {}, {0x29, 0xF7, 0x89, 0xFA, 0x89, 0xC8}},
    {0x4ACBB4, {0xC1, 0xC8, 0x04}, {0xF8}},                                          // clc; ror eax, 4
    {0x4AD199, {0x75, 0x0C}, kTestEax},
    {0x4AD28A, {0x75, 0x0C}, kTestEax},
    {0x4AD37E, {0x75, 0x0C}, kTestEax},
    {0x4AE2EE, {0x6A, 0x04}, {}, {0x58}},                                            // push 4; pop eax
    {0x4AE3C3, {0x6A, 0x05}, {}, {0x58}},                                            // push 5; pop eax
    {0x4D21B4, {0x75, 0x0C}, kTestEax},
    {0x4D2960, {0x6A, 0x20}, {}, {0x58}},                                            // push 0x20; pop eax
    {0x4D5AD6, {0x75, 0x0C}, kTestEax},
    {0x4D5D9F, {0x74, 0x0C}, kTestEax},
    // Where that jump leads: push esi; lea esi, [esi+0]; mov [esi+0x88], eax; pop esi.
    {0x4D5DB1, {0x89, 0x86, 0x88, 0x00, 0x00, 0x00, 0x5E}, {0x56, 0x8D, 0x76, 0x00}},
    {0x4D60AB, {0xD9, 0x45, 0x58, 0xD8, 0x1D, 0x18, 0x5E, 0x79, 0x00, 0xDF, 0xE0, 0xF6, 0xC4, 0x41, 0x75, 0x07, 0xFF,
                0x75, 0x54, 0xEB, 0x05, 0x90, 0xFF, 0x75, 0x50, 0x90, 0xE9, 0x2F, 0x00, 0x00, 0x00, 0x90, 0x90, 0x90}},
    // mov eax, [ebp+0x50]; push eax; then the host goes on as after the comparison's first way.
    {0x4D60EC, {0x50}, {0x8B, 0x45}, {0x50}},
};

// The runs of that code: from `entry` through the changed bytes at `site`; where it goes on
// (`goesOn`, the code after the place), and, where a jump among them leads elsewhere, the code
// from there (`skip`) to where that way goes on (`skipGoesOn`). `jumpEnd`: the end of what runs
// either way.
struct SoundPiece {
  std::uint32_t site, entry, jumpEnd, goesOn, skip, skipGoesOn;
};
constexpr SoundPiece branchPiece(std::uint32_t site) { return {site, site - 2, site + 2, site + 2, site + 14, site + 14}; }
const SoundPiece kSoundPieces[] = {
    {0x4CFA98, 0x4CFA98, 0x4CFA9E, 0x4CFA9E, 0, 0},
    {0x4CFB08, 0x4CFB08, 0x4CFB0E, 0x4CFB0E, 0, 0},
    {0x4D0179, 0x4D0179, 0x4D0188, 0x4D0188, 0, 0},
    {0x4D0191, 0x4D0191, 0x4D019B, 0x4D019B, 0, 0},
    {0x4D01D0, 0x4D01D0, 0x4D01DA, 0x4D01DA, 0, 0},
    {0x4D04CA, 0x4D04CA, 0x4D04DB, 0x4D04DB, 0, 0},
    {0x4ACBB5, 0x4ACBB3, 0x4ACBB7, 0x4ACBB7, 0, 0},
    branchPiece(0x4AD199),
    branchPiece(0x4AD28A),
    branchPiece(0x4AD37E),
    {0x4AE2EF, 0x4AE2EE, 0x4AE2F1, 0x4AE2F1, 0, 0},
    {0x4AE3C4, 0x4AE3C3, 0x4AE3C6, 0x4AE3C6, 0, 0},
    branchPiece(0x4D21B4),
    {0x4D2961, 0x4D2960, 0x4D2963, 0x4D2963, 0, 0},
    branchPiece(0x4D5AD6),
    {0x4D5D9F, 0x4D5D9D, 0x4D5DA1, 0x4D5DA1, 0x4D5DAD, 0x4D5DB8},
};
// The way into the frame word at 0x4D60EC: from 0x4D60EA, on at 0x4D60EE as the comparison's
// first way goes on.
constexpr std::uint32_t kFrameWordSite = 0x4D60EC, kFrameWordEntry = 0x4D60EA, kFrameWordGoesOn = 0x4D60EE;

// The comparison at 0x4D60AB: its float constant, and where the host goes on after it.
constexpr std::uint32_t kCompare = 0x4D60AB;
constexpr std::uint32_t kCompareConstant = 0x795E18;
constexpr float kCompareConstantValue = 1.0f;
constexpr std::uint32_t kCompareFirst = 0x4D60CD;
constexpr std::uint32_t kCompareSecond = 0x4D60FF;

// The sites that hold a sound buffer's address (LEA EAX, [buffer]), per buffer.
const std::vector<std::uint32_t> kBufferSites[2] = {
    {0x4D145E, 0x4D1494, 0x4D14A9, 0x4D15A7, 0x4D15C7, 0x4D15DC, 0x4D30CB, 0x4D316B, 0x4D31B0, 0x4D39B2, 0x4D7D2C,
     0x4D7DFE, 0x4D81BC, 0x4D81E0, 0x4D81FA, 0x4D8247, 0x4DAFD9, 0x4DB0B7, 0x4DCD31},
    {0x4DB9B3, 0x4DB9C2},
};
unsigned char ownBuffer[64] = {};

// The places that use a register that may be null: site, length of the host code there before
// the next place the plugin may continue at, whether ECX (else EAX) holds the value, and the
// address the host's code goes on at when there is nothing to use.
struct GuardedPlace {
  std::uint32_t site;
  std::uint32_t length;
  bool ecx;
  std::uint32_t skip;
};
const GuardedPlace kPlaces[] = {
    {0x4AB1EE, 7, false, 0x4AB2FB},
    {0x4AB35F, 6, false, 0x4AB44A},
    {0x4ACECC, 9, false, 0x4AD081},
    {0x4AD10D, 6, false, 0x4AD1A7},
    {0x4AD1FE, 6, false, 0x4AD298},
    {0x4AD2EC, 6, false, 0x4AD38C},
    {0x4AD532, 7, false, 0x4AD5D1},
    {0x4AD5A4, 2, false, 0x4AD5D1},
    {0x4AF1D1, 6, false, 0x4AF274},
    {0x4AF315, 6, false, 0x4AF3DB},
    {0x4AF449, 6, false, 0x4AF4EC},
    {0x4B1F2C, 6, false, 0x4B2347},
    {0x4B1F6D, 7, false, 0x4B2347},
    {0x4B1F8F, 6, false, 0x4B2347},
    {0x4B2059, 7, false, 0x4B2347},
    {0x4B207B, 6, false, 0x4B2347},
    {0x4B2C7E, 10, false, 0x4B2D00},
    {0x4B2D5C, 10, false, 0x4B2DE0},
    {0x4B2E3C, 10, false, 0x4B2EC0},
    {0x4B2F68, 10, false, 0x4B2FF6},
    {0x4B3052, 7, false, 0x4B308B},
    {0x4B4A73, 6, false, 0x4B4AE2},
    {0x4B4DDB, 6, false, 0x4B4E49},
    {0x4B4E06, 6, false, 0x4B4E49},
    {0x4B51B6, 5, false, 0x4B51E5},
    {0x4B51D3, 5, false, 0x4B51E5},
    {0x4BA719, 7, true, 0x4BA77F},
    {0x4BA766, 6, true, 0x4BA77F},
    {0x4CF240, 5, false, 0x4CF2ED},
    {0x4D0614, 6, false, 0x4D069F},
    {0x4D1D2C, 6, false, 0x4D1EE0},
    {0x4D1D4D, 6, false, 0x4D1EE0},
    {0x4D1D6E, 6, false, 0x4D1EE0},
    {0x4D2FFF, 6, false, 0x4D3031},
    {0x4D3280, 6, false, 0x4D330C},
    {0x4D33D9, 7, false, 0x4D3486},
    {0x4D34DB, 8, false, 0x4D3503},
    {0x4D354B, 8, false, 0x4D3579},
    {0x4D3C08, 5, false, 0x4D3C96},
    {0x4D3CD6, 6, false, 0x4D3D63},
    {0x4D58C6, 7, false, 0x4D58DD},
    {0x4D5A74, 7, false, 0x4D5A8B},
    {0x4D5C24, 6, false, 0x4D5CF7},
    {0x4D69EF, 5, false, 0x4D6C93},
    {0x4D6A36, 5, false, 0x4D6C93},
    {0x4D6AA3, 6, false, 0x4D6C93},
    {0x4D6B08, 6, false, 0x4D6C93},
    {0x4D6CFD, 7, false, 0x4D7009},
    {0x4D6DA8, 5, false, 0x4D7009},
    {0x4D6DE5, 5, false, 0x4D7009},
    {0x4D6E4A, 5, false, 0x4D7009},
    {0x4D6E8D, 5, false, 0x4D7009},
    {0x4D745F, 7, false, 0x4D757A},
    {0x4D767B, 6, false, 0x4D76F1},
    {0x4D772F, 6, false, 0x4D77B5},
    {0x4D77EF, 6, false, 0x4D786D},
};
// The padding between the host's routines that the plugin's stubs go into (int3), around two
// stretches of host code.
struct Padding {
  std::uint32_t from, to;
};
const Padding kPadding[] = {{0x4AB4C0, 0x4AB523}, {0x4AD5F0, 0x4AD8A6}, {0x4AD920, 0x4AD9A3}, {0x4AD9D0, 0x4ADA65}};
// After the place at 0x4D34DB the host's code runs into its read of the interior gear level
// (0x4D34E5) and returns.
constexpr std::uint32_t kPlaceBeforeGearLevel = 0x4D34DB;

// The host code at each place. Three are the host's own: mov esi, eax; mov eax, [audio] -
// mov [esi+0x88], eax - mov eax, [0x1660E10]; mov edx, [ecx]. The others move their site into
// EDX and count it up (inc edx), or only count up where the place is shorter than five bytes.
Bytes placeCode(const GuardedPlace& p) {
  if (p.site == 0x4AB1EE) return {0x89, 0xC6, 0xA1, 0x38, 0x53, 0x8D, 0x00};
  if (p.site == 0x4AB35F) return {0x89, 0x86, 0x88, 0x00, 0x00, 0x00};
  if (p.site == 0x4BA719) return {0xA1, 0x10, 0x0E, 0x66, 0x01, 0x8B, 0x11};
  Bytes code;
  if (p.length >= 5) {
    code = {0xBA};
    for (int k = 0; k < 4; ++k) code.push_back(static_cast<std::uint8_t>(p.site >> (8 * k)));
  }
  while (code.size() < p.length) code.push_back(0x42);
  return code;
}
constexpr std::uint32_t kUnsetEdx = 0xD4D4D4D4;
std::uint32_t edxAfterCode(const GuardedPlace& p) {
  return p.length >= 5 ? p.site + (p.length - 5) : kUnsetEdx + p.length;
}


unsigned char scratch[256] = {};

struct Outcome {
  std::uint32_t landing, eax, edx, esi, stackLeft;
  float value;
};
// The place and, when a jump leads from it, its stub: the test, the jump on zero (short or near),
// the place's own instructions and the jump back (near or short).
void noteGuardRun(const GuardedPlace& p) {
  noteHostCodeRun(p.site, p.site + p.length);
  const auto* code = reinterpret_cast<const unsigned char*>(p.site);
  std::uint32_t stub = 0;
  if (code[0] == 0xE9) {
    std::int32_t displacement = 0;
    std::memcpy(&displacement, code + 1, 4);
    stub = p.site + 5 + static_cast<std::uint32_t>(displacement);
  } else if (code[0] == 0xEB) {
    stub = p.site + 2 + static_cast<std::uint32_t>(static_cast<std::int8_t>(code[1]));
  }
  if (stub == 0) return;
  const auto* s = reinterpret_cast<const unsigned char*>(stub);
  const std::uint32_t back = 2 + (s[2] == 0x74 ? 2 : 6) + p.length;
  noteHostCodeRun(stub, stub + back + (s[back] == 0xEB ? 2 : 5));
}

Outcome runPlace(const GuardedPlace& p, std::uint32_t value) {
  std::memset(scratch, 0xEE, sizeof scratch);
  const std::uint32_t pointedWord = 0x0BADF00D;
  std::memcpy(scratch + 16, &pointedWord, 4);
  // ECX points at a word when it is set (the host code may read through it).
  const std::uint32_t eax = p.ecx ? 0x5A5A5A5A : value;
  const std::uint32_t ecx = p.ecx ? (value == 0 ? 0 : wordOf(scratch + 16)) : 0x3C3C3C3C;
  noteGuardRun(p);
  GuardOutcome after;
  const std::uint32_t landing = hostsimInvokeGuard(&after, reinterpret_cast<const void*>(p.site), eax, ecx, wordOf(scratch));
  return {landing, after.eax, after.edx, after.esi, static_cast<std::uint32_t>(after.stackWords), after.value};
}

// What the host's code at the place leaves when it ran with a set register.
bool ranAsHost(const GuardedPlace& p, const Outcome& o, std::uint32_t value) {
  const std::uint32_t audio = *reinterpret_cast<const std::uint32_t*>(0x8D5338);
  std::uint32_t stored = 0;
  std::memcpy(&stored, scratch + 0x88, 4);
  if (o.stackLeft != 0) return false;
  if (p.site == 0x4AB1EE) return o.landing == 1 && o.esi == value && o.eax == audio;
  if (p.site == 0x4AB35F) return o.landing == 1 && stored == value;
  if (p.site == 0x4BA719) {
    return o.landing == 1 && o.eax == *reinterpret_cast<const std::uint32_t*>(0x1660E10) && o.edx == 0x0BADF00D;
  }
  if (p.site == kPlaceBeforeGearLevel) {
    return o.landing == 3 && o.edx == edxAfterCode(p) + 2 && o.value == runFloatOperandSite(0x4D34E7);
  }
  return o.landing == 1 && o.edx == edxAfterCode(p);
}

bool skipped(const GuardedPlace& p, const Outcome& o) {
  std::uint32_t stored = 0;
  std::memcpy(&stored, scratch + 0x88, 4);
  // The store at 0x4AB35F happens before the test, so it is there either way.
  const bool storeKept = p.site != 0x4AB35F || stored == 0;
  return o.landing == 2 && o.stackLeft == 0 && storeKept && o.edx == kUnsetEdx;
}

std::string describe(const Outcome& o) {
  char text[96];
  std::snprintf(text, sizeof text, "landing %u eax %08x edx %08x esi %08x stack %d", static_cast<unsigned>(o.landing),
                static_cast<unsigned>(o.eax), static_cast<unsigned>(o.edx), static_cast<unsigned>(o.esi),
                static_cast<int>(o.stackLeft));
  return text;
}

void runGuards() {
  int guarded = 0;
  for (const GuardedPlace& p : kPlaces) {
    const Outcome zero = runPlace(p, 0);
    const bool zeroOk = skipped(p, zero);
    const std::uint32_t value = 0x00A0B0C0;
    const Outcome set = runPlace(p, value);
    const bool setOk = ranAsHost(p, set, p.ecx ? wordOf(scratch + 16) : value);
    char site[16];
    std::snprintf(site, sizeof site, "%08x", static_cast<unsigned>(p.site));
    if (zeroOk && setOk) {
      ++guarded;
      trace(std::string("host guard ") + site + " skipped when zero, ran when set");
    } else {
      trace(std::string("host guard ") + site + " zero: " + describe(zero) + "; set: " + describe(set));
    }
  }
  trace("host guards " + std::to_string(guarded) + " as guarded");
}

// The comparison with a frame whose float at +0x58 is x and whose words at +0x50 and +0x54 can be
// told apart.
void runCompare(const std::string& given) {
  const float x = given == "nan" ? std::numeric_limits<float>::quiet_NaN() : std::strtof(given.c_str(), nullptr);
  unsigned char frame[0x60] = {};
  const std::uint32_t second = 0x50505050, first = 0x54545454;
  std::memcpy(frame + 0x50, &second, 4);
  std::memcpy(frame + 0x54, &first, 4);
  std::memcpy(frame + 0x58, &x, 4);
  noteHostCodeRun(kCompare, kCompare + 34);
  CompareOutcome after;
  const std::uint32_t landing = hostsimInvokeCompare(&after, reinterpret_cast<const void*>(kCompare), wordOf(frame));
  char text[128];
  std::snprintf(text, sizeof text, "host compare %s pushed %08x at %08x stack %d fpu %s", given.c_str(),
                static_cast<unsigned>(after.pushed),
                static_cast<unsigned>(landing == 1 ? kCompareFirst : landing == 2 ? kCompareSecond : 0),
                static_cast<int>(after.stackWords), ((after.fpuStatus >> 11) & 7) == 0 ? "empty" : "not empty");
  trace(text);
}

// The host code through the changed bytes at `site`, with EAX = value and ESI at a block of
// EE bytes: where it went, EAX and EDX, the stack words it left, and the word at +0x88 of that
// block when the code stored one there.
bool runSoundCode(std::uint32_t site, std::uint32_t value) {
  char text[160];
  if (site == kFrameWordSite) {
    unsigned char frame[0x60] = {};
    const std::uint32_t second = 0x50505050, first = 0x54545454;
    std::memcpy(frame + 0x50, &second, 4);
    std::memcpy(frame + 0x54, &first, 4);
    CompareOutcome after;
    hostsimInvokeCompare(&after, reinterpret_cast<const void*>(kFrameWordEntry), wordOf(frame));
    noteHostCodeRun(kFrameWordEntry, kFrameWordGoesOn + 5);
    std::snprintf(text, sizeof text, "host code %x pushed %08x stack %d", static_cast<unsigned>(site),
                  static_cast<unsigned>(after.pushed), static_cast<int>(after.stackWords));
    trace(text);
    return true;
  }
  const SoundPiece* piece = nullptr;
  for (const SoundPiece& p : kSoundPieces) {
    if (p.site == site) piece = &p;
  }
  if (piece == nullptr) return false;
  std::memset(scratch, 0xEE, sizeof scratch);
  GuardOutcome after;
  const std::uint32_t landing =
      hostsimInvokeGuard(&after, reinterpret_cast<const void*>(piece->entry), value, 0x3C3C3C3C, wordOf(scratch));
  if (landing == 2) {
    noteHostCodeRun(piece->entry, piece->jumpEnd);
    noteHostCodeRun(piece->skip, piece->skipGoesOn + 5);
  } else {
    noteHostCodeRun(piece->entry, piece->goesOn + 5);
  }
  std::uint32_t stored = 0;
  std::memcpy(&stored, scratch + 0x88, 4);
  std::snprintf(text, sizeof text, "host code %x %s eax %08x edx %08x stack %d", static_cast<unsigned>(site),
                landing == 1 ? "ran" : landing == 2 ? "skipped" : "returned", static_cast<unsigned>(after.eax),
                static_cast<unsigned>(after.edx), static_cast<int>(after.stackWords));
  std::string line = text;
  if (stored != 0xEEEEEEEE) {
    std::snprintf(text, sizeof text, " stored %08x", static_cast<unsigned>(stored));
    line += text;
  }
  trace(line);
  return true;
}

void traceBuffer(const std::vector<std::uint32_t>& sites) {
  std::set<std::uint32_t> addresses;
  for (std::uint32_t site : sites) addresses.insert(runOperandSite(site));
  std::string line = "host sound buffer sites " + std::to_string(sites.size());
  const std::uint32_t block = *addresses.begin();
  if (addresses.size() != 1) {
    line += " differ";
  } else if (block == wordOf(ownBuffer)) {
    line += " host's own";
  } else {
    // The plugin's buffers come from the host runtime's malloc.
    const auto* bytes = reinterpret_cast<const unsigned char*>(block);
    const std::size_t size = _msize(const_cast<unsigned char*>(bytes));
    bool zero = true;
    for (std::size_t k = 0; k < size && zero; ++k) zero = bytes[k] == 0;
    line += " block " + std::to_string(size) + (zero ? " zero" : " dirty");
  }
  trace(line);
}

}  // namespace

std::vector<AddressEntry> soundSiteEntries() {
  std::vector<AddressEntry> rows;
  for (const HostBytes& b : kHostBytes) {
    Bytes code = b.before;
    code.insert(code.end(), b.bytes.begin(), b.bytes.end());
    code.insert(code.end(), b.after.begin(), b.after.end());
    rows.push_back(codeEntry(b.address - static_cast<std::uint32_t>(b.before.size()), "soundHostBytes", code));
  }
  std::set<std::uint32_t> pieceSkips;
  for (const SoundPiece& p : kSoundPieces) {
    rows.push_back({EntryKind::function, p.goesOn, "soundCodeGoesOn", addressOf(&hostsimGuardRan)});
    if (p.skip != 0) pieceSkips.insert(p.skipGoesOn);
  }
  rows.push_back({EntryKind::function, kFrameWordGoesOn, "soundFrameWordGoesOn", addressOf(&hostsimCompareFirst)});
  rows.push_back({EntryKind::function, kCompareFirst, "soundCompareFirst", addressOf(&hostsimCompareFirst)});
  rows.push_back({EntryKind::function, kCompareSecond, "soundCompareSecond", addressOf(&hostsimCompareSecond)});
  std::uint32_t constantBits = 0;
  std::memcpy(&constantBits, &kCompareConstantValue, 4);
  rows.push_back({EntryKind::global, kCompareConstant, "soundCompareConstant", constantBits});
  for (const auto& sites : kBufferSites) {
    for (std::uint32_t site : sites) rows.push_back({EntryKind::operand, site, "soundBufferSite", wordOf(ownBuffer), {0x8D, 0x05}, 2});
  }
  for (const Padding& p : kPadding) rows.push_back(codeEntry(p.from, "soundStubPadding", Bytes(p.to - p.from, 0xCC)));
  std::set<std::uint32_t> skips;
  for (const GuardedPlace& p : kPlaces) {
    rows.push_back(codeEntry(p.site, "soundGuardedPlace", placeCode(p)));
    if (p.site == kPlaceBeforeGearLevel) {
      rows.push_back(codeEntry(p.site + p.length, "soundGuardedPlaceNext", {0x42, 0x42}));
    } else {
      rows.push_back({EntryKind::function, p.site + p.length, "soundGuardedPlaceNext", addressOf(&hostsimGuardRan)});
    }
    if (skips.insert(p.skip).second) {
      rows.push_back({EntryKind::function, p.skip, "soundGuardSkip", addressOf(&hostsimGuardSkipped)});
    }
  }
  // Where the jumps of the changed bytes lead that no guard leads to.
  for (std::uint32_t at : pieceSkips) {
    if (skips.insert(at).second) rows.push_back({EntryKind::function, at, "soundCodeSkip", addressOf(&hostsimGuardSkipped)});
  }
  return rows;
}

bool runSoundSiteStep(const std::string& what, std::istream& in) {
  if (what == "buffers") {
    for (const auto& sites : kBufferSites) traceBuffer(sites);
  } else if (what == "compare") {
    std::string value;
    in >> value;
    runCompare(value);
  } else if (what == "guards") {
    runGuards();
  } else if (what == "bytes") {
    std::string address;
    std::uint32_t count = 0;
    in >> address >> count;
    const auto at = static_cast<std::uint32_t>(std::strtoul(address.c_str(), nullptr, 16));
    std::string line = "host bytes " + address;
    char text[8];
    for (std::uint32_t k = 0; k < count; ++k) {
      std::snprintf(text, sizeof text, " %02X", static_cast<unsigned>(*reinterpret_cast<const std::uint8_t*>(at + k)));
      line += text;
    }
    trace(line);
  } else {
    return false;
  }
  return true;
}

bool runSoundCodeStep(const std::string& step, std::istream& in) {
  if (step != "soundcode") return false;
  std::string site, value;
  in >> site >> value;
  return runSoundCode(static_cast<std::uint32_t>(std::strtoul(site.c_str(), nullptr, 16)),
                      static_cast<std::uint32_t>(std::strtoul(value.c_str(), nullptr, 0)));
}

}  // namespace hostsim
