#include "hostsim/chassis_model.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <utility>

#include "hostsim/call_trace.h"
#include "hostsim/car_model.h"
#include "hostsim/car_physics_calls.h"
#include "hostsim/event_hub.h"
#include "hostsim/fields.h"
#include "hostsim/host_layout.h"
#include "hostsim/host_objects.h"
#include "hostsim/host_words.h"
#include "hostsim/register_call_site.h"
#include "hostsim/step_site.h"
#include "hostsim/thread_roles.h"

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))
#define STDCALL __attribute__((stdcall))

constexpr std::uint32_t kFfSites[] = {0x4918EE, 0x4919AC};
constexpr std::uint32_t kSpringSites[] = {0x53E548, 0x53F168};
constexpr std::uint32_t kGripSites[] = {0x53E2A4, 0x53F086};
constexpr std::uint32_t kHeatTermSites[] = {0x534613, 0x534639, 0x5344EB, 0x534531};
constexpr std::uint32_t kCamberSite = 0x5362AB, kFlexSite = 0x536724, kProfileSite = 0x53D49D;
constexpr std::uint32_t kCarTickSite = 0x4EA1B3, kSuspensionSite = 0x53F386;
constexpr std::uint32_t kSuspension2Sites[] = {0x53E317, 0x53F0DD};
constexpr std::uint32_t kTransformPointB = 0x51B4C0, kSuspension2Source = 33;
constexpr std::uint32_t kControllerValueSite = 0x4CC554, kHostInputUpdate = 0x4CBF50;
constexpr std::uint32_t kHostSpring = 0x52E090, kHostSpringFinish = 0x52DD70, kHostGrip = 0x5360C0;
constexpr std::uint32_t kHostCamber = 0x5338A0, kHostFlex = 0x534090, kHostTickConsumer = 0x601FB0;
constexpr std::uint32_t kCarTickSource = 22, kSuspensionSource = 20;
// Host instructions (fld dword [m32]) that read constants of the tyre, steering and body code.
constexpr std::uint32_t kConstantOperands[] = {0x5341D4, 0x5321D8, 0x535317, 0x535337, 0x535346, 0x53536A,
                                               0x536703, 0x52CD05, 0x52CD4E, 0x52719B, 0x49FFE8, 0x49FFF9};
const float hostConstant = -2.0f;

std::string text(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string text(const char* format, ...) {
  char buffer[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  return buffer;
}

// Float fields of one object, by byte offset.
void putFloats(unsigned char* object, std::initializer_list<std::pair<std::uint32_t, float>> fields) {
  for (const auto& f : fields) put(object, f.first, f.second);
}

unsigned char* wheelOf(int w) { return pointer(get(hostCarObject(), 1136 + 4 * (w & 3))); }
unsigned char* wheelBlock(int w) { return pointer(get(wheelOf(w), 52)); }
unsigned char* springComponent(int w) { return wheelOf(w) + 3780; }
unsigned char* springBlock(int w) { return pointer(get(springComponent(w), 4)); }
unsigned char* springState(int w) { return pointer(get(springComponent(w), 8)); }
unsigned char* tyreObject(int w) { return wheelOf(w) + 3840; }
unsigned char* tyreState(int w) { return pointer(get(tyreObject(w), 20)); }
unsigned char* tyreParams(int w) { return tyreParameterRecord(w); }
unsigned char* gripEntry(int id) { return pointer(get(reinterpret_cast<void*>(0x1659B6C), 0)) + 36 + 352 * id; }

// The car is a body: its frame is what its own table's entry at +48 gives.
const void* carOwnFrame() {
  unsigned char* car = hostCarObject();
  const unsigned char* table = pointer(get(car, 0));
  if (table == nullptr) return nullptr;
  return reinterpret_cast<void*(THISCALL*)(void*)>(static_cast<std::uintptr_t>(get(table, 48)))(car);
}
// The host's point transform, a member of the maths object or of a car. On the maths object the
// car's frame turns a point a quarter turn about z and moves it by (100, 200, 300), so (x, y, z)
// becomes (100 - y, 200 + x, 300 + z), and every other frame leaves the point where it is; on
// the car, with the maths object as the frame, the point rises by 1000 in z. On any other object,
// or the car with another frame, the point comes out as NaN.
void THISCALL hostTransformPointB(void* object, const float* input, const void* frame, float* output) {
  const float x = input[0], y = input[1], z = input[2];
  const bool maths = object == hostObjects().math;
  if (maths && frame != nullptr && frame == carOwnFrame()) {
    output[0] = 100.0f - y;
    output[1] = 200.0f + x;
    output[2] = 300.0f + z;
  } else if (maths || (object == hostCarObject() && frame == hostObjects().math)) {
    output[0] = x;
    output[1] = y;
    output[2] = maths ? z : z + 1000.0f;
  } else {
    output[0] = output[1] = output[2] = std::nanf("");
  }
}
// The car's member at +1184 is no body: its first word is no table (a word in the first 64 KiB,
// which Windows never maps).
constexpr std::uint32_t kNoTable = 0x0000B0D1;

// The wheels' spring components and tyre objects are the car's (hostsim/car_host_words.h).
void attachWheelParts() {
  static bool attached = false;
  if (attached) return;
  attached = true;
  put(pointer(get(hostCarObject(), 1184)), 0, kNoTable);
}

// The host's own routines behind the hooks.
float THISCALL hostForceFeedback(void*) { return 7.0f; }

void THISCALL hostSpring(unsigned char* component, std::uint32_t, float, float, std::uint32_t, std::uint32_t,
                         std::uint32_t) {
  const unsigned char* b = pointer(get(component, 4));
  const unsigned char* s = pointer(get(component, 8));
  trace(text("host spring stiffness %g damping %g breaks %g %g rebound %g active %g %g", get<float>(b, 152),
             get<float>(b, 216), get<float>(b, 232), get<float>(b, 248), get<float>(b, 280), get<float>(s, 12),
             get<float>(s, 16)));
}
std::uint32_t THISCALL hostSpringFinish(void*) { return 41; }

using W = std::uint32_t;
// The host's grip routine. The camber call site (0x5362AB) lies 0x1EB bytes past its entry, with
// no other host routine named in between: the routine makes that call on its own tyre, and what
// it reads after it are the grip values as the camber routine left them. It traces what it
// started from (+516, +580) and what it reads after the call: +516, +576 (the last of the
// sixteen floats a performance percentage scales), +580 and the contact's +72.
std::uint32_t THISCALL hostGrip(unsigned char* tyre, unsigned char* contact, W, W, W, W, W, W, W, W, W, W, W, W, W, W, W) {
  const unsigned char* p = pointer(get(tyre, 16));
  const float entry[] = {get<float>(p, 516), get<float>(p, 580)};
  runCallSite(kCamberSite, {}, wordOf(tyre));
  trace(text("host grip entry %g %g table %g %g %g contact %g", entry[0], entry[1], get<float>(p, 516),
             get<float>(p, 576), get<float>(p, 580), get<float>(contact, 72)));
  return 9;
}
std::uint32_t THISCALL hostCamber(unsigned char* tyre) {
  const unsigned char* p = pointer(get(tyre, 16));
  trace(text("host camber tables %g %g", get<float>(p, 516), get<float>(p, 580)));
  return 5;
}
std::uint32_t THISCALL hostFlex(unsigned char* tyre, W, W, W) {
  trace(text("host flex %g", get<float>(tyre, 968)));
  return 6;
}
// The host's input update; on its way it makes the poll call at 0x4CC45E on its own object (the
// argument 9 is the simulation's own).
void THISCALL hostInputUpdate(void* object, float value) {
  noteThreadRole("input");
  trace(text("host input update %g", value));
  runCallSite(kInputPollSite, {9}, wordOf(object), false);
}
float __cdecl hostHeatTerm(float, float, float) { return -1.0f; }
void STDCALL hostRecordCall(const void*) {}
void THISCALL hostConsume(void*, const unsigned char* record) {
  trace(text("host tick consumer vector 0 %g %g %g", get<float>(record, 96), get<float>(record, 100),
             get<float>(record, 104)));
}

// Listeners of the car-tick and suspension sources that trace the vectors they receive.
struct VectorNode {
  ListenerNode node;
  std::uint32_t source;
};
void THISCALL vectorDestroy(ListenerNode*, std::uint32_t) {}
void THISCALL vectorInvoke(ListenerNode* node, const void* record) {
  const auto* self = reinterpret_cast<const VectorNode*>(node);
  const auto* r = static_cast<const unsigned char*>(record);
  if (self->source == kCarTickSource) {
    std::string line = "car tick listener";
    for (int i = 0; i < 4; ++i) {
      line += text(" (%g %g %g %g)", get<float>(r, 96 + 16 * i), get<float>(r, 100 + 16 * i), get<float>(r, 104 + 16 * i),
                   get<float>(r, 108 + 16 * i));
    }
    trace(line + text(" first %d last %d", get<std::int32_t>(r, 0), get<std::int32_t>(r, 220)));
  } else if (self->source == kSuspension2Source) {
    std::string line = "suspension2 listener";
    for (std::uint32_t o : {16u, 32u, 48u, 64u}) line += text(" (%g %g %g)", get<float>(r, o), get<float>(r, o + 4), get<float>(r, o + 8));
    trace(line + text(" last %d", get<std::int32_t>(r, 172)));
  } else {
    trace(text("suspension listener (%g %g %g) first %d", get<float>(r, 16), get<float>(r, 20), get<float>(r, 24),
               get<std::int32_t>(r, 0)));
  }
}
const ListenerNodeTable vectorTable = {vectorDestroy, vectorInvoke};

void listenOnce(std::uint32_t source) {
  static bool listening[96] = {};
  if (listening[source]) return;
  listening[source] = true;
  auto* n = new VectorNode{{&vectorTable, nullptr, nullptr, nullptr}, source};
  appendHostListener(source, n->node);
}

// Wheel bodies stand at (w + 1, 10 (w + 1)) at height 99.
void placeWheels() {
  for (int w = 0; w < 4; ++w) {
    unsigned char* body = wheelBlock(w);
    put(body, 768, w + 1.0f);
    put(body, 772, 10.0f * (w + 1));
    put(body, 776, 99.0f);
  }
}

std::uint32_t siteFrom(std::istream& in) {
  std::string siteText;
  in >> siteText;
  return static_cast<std::uint32_t>(std::strtoul(siteText.c_str(), nullptr, 16));
}

void runProfile(std::istream& in) {
  std::int32_t primary = 0, secondary = 0;
  float blend = 0, x1 = 0, x2 = 0;
  in >> primary >> secondary >> blend >> x1 >> x2;
  const float materials[2][5] = {{3, 0.01f, 0.02f, 0.005f, 2.0f}, {5, 0.03f, 0.04f, 0.0f, 0.0f}};
  for (const auto& m : materials) {
    unsigned char* e = gripEntry(static_cast<int>(m[0]));
    putFloats(e, {{24, m[1]}, {184, m[2]}, {200, m[3]}, {216, m[4]}});
  }
  // The host's contact record: the two sample positions, the blend, the two material ids; the
  // profile heights at +84 and +88 are what the hook leaves there.
  static unsigned char* const contact = hostObject("profilecontact", 92);
  putFloats(contact, {{16, x2}, {20, x1}, {52, blend}});
  put(contact, 56, primary);
  put(contact, 60, secondary);
  runCallSite(kProfileSite, {wordOf(contact)});
  trace(text("profile secondary %d heights %.6f %.6f", get<std::int32_t>(contact, 60), get<float>(contact, 84),
             get<float>(contact, 88)));
}

void runSuspensionEvent(std::istream& in) {
  int w = 0;
  in >> w;
  listenOnce(kSuspensionSource);
  placeWheels();
  // The host's 88-byte record (five vectors and 8 bytes): its first word and the second vector
  // hold the host's values; the hook copies it and never writes it.
  static unsigned char* const record = hostObject("suspensionrecord", 88);
  put(record, 0, std::int32_t{88});
  putFloats(record, {{16, 1.0f}, {20, 2.0f}, {24, 3.0f}});
  const std::uint32_t result = runRegisterCallSite(kSuspensionSite, {wordOf(record)}, wordOf(wheelOf(w)));
  trace(text("suspension result %u", static_cast<unsigned>(result)));
}

// Wheel WHEEL's hub sits 0.5 x 0.25 inwards; the record's three vectors from byte 16 hold
// (1, 2, 3), (4, 5, 6), (7, 8, 9), the fourth (10, 11, 12) stays.
void runSuspensionEvent2(std::istream& in) {
  const std::uint32_t site = siteFrom(in);
  int w = 0;
  in >> w;
  listenOnce(kSuspension2Source);
  placeWheels();
  // The object at +988 of the body, whose float +400 the hook reads.
  static unsigned char* const hubObject = hostObject("suspensionhub", 404);
  put(hubObject, 400, 0.5f);
  put(wheelBlock(w), 988, wordOf(hubObject));
  // The body's parameter at +864 is a parameter object (table word, two header words, value):
  // its value word is +876.
  put(wheelBlock(w), 864 + 12, 0.25f);
  // The host's 176-byte record: four vectors from byte 16 and its last word; the hook copies it.
  static unsigned char* const record = hostObject("suspensionrecordb", 176);
  for (int i = 0; i < 12; ++i) put(record, 16 + 16 * (i / 3) + 4 * (i % 3), 1.0f + i);
  put(record, 172, std::int32_t{176});
  const std::uint32_t result = runRegisterCallSite(site, {wordOf(record)}, wordOf(wheelOf(w)));
  trace(text("suspension2 result %u record kept %g", static_cast<unsigned>(result), get<float>(record, 16)));
}

// Out-of-range values in wheel 0 and its ranges: a strut platform height above its range, an
// axis inclination inside its range whose cosine and sine disagree with it, a steering rod below
// its range, a spring too long, a helper spring, damage values, and front bump stops with a
// stiffness above its limit, a tyre pressure of 200000.
void prepareWheelSetup() {
  unsigned char* block = wheelBlock(0);
  unsigned char* ranges = carSetupRangesObject();
  const std::uint32_t g = 6928, s = 5092;
  putFloats(block, {{1036, 0.5f}, {1052, 0.2f}, {2304, 0.3f}, {976, 7.0f}, {984, 8.0f}, {572, -1.0f}});
  putFloats(ranges, {{g + 396, 0.0f}, {g + 412, 0.1f}, {g + 348, 0.0f}, {g + 364, 0.5f}, {g + 300, 0.1f}, {g + 316, 0.3f}});
  for (std::uint32_t o : {2352u, 2368u, 2384u, 2400u, 2416u}) put(block, o, 1000.0f);
  unsigned char* spring = springBlock(0);
  putFloats(spring, {{72, 5.0f}, {120, 0.2f}});
  putFloats(ranges, {{s + 24, 0.1f}, {s + 40, 0.5f}, {s + 136, 1.0f}, {s + 376, 1.0f}, {s + 328, 100.0f}});
  const float limits[] = {1000, 4000, 100, 10, 1000, 10};
  for (int i = 0; i < 6; ++i) put(ranges, 4264 + 16 * i, limits[i]);
  unsigned char* setup = carSetupObject();
  putFloats(setup, {{1296, 2.0f}, {1312, 50.0f}, {1360, 5000.0f}, {1376, 100.0f}, {1392, 300.0f}});
  unsigned char* p = tyreParams(0);
  put(p, 12, std::int32_t{4});
  putFloats(p, {{124, 0.3f}, {140, 0.01f}, {172, 0.2f}, {188, 0.9f}, {204, 0.2f}, {236, 0.1f}, {516, 1.0f}});
  putFloats(tyreState(0), {{100, 300.0f}, {104, 200000.0f}});
}

void traceWheelValues(std::istream& in) {
  int w = 0;
  in >> w;
  const unsigned char* b = wheelBlock(w);
  const unsigned char* s = springBlock(w);
  const unsigned char* p = tyreParams(w);
  const unsigned char* t = tyreState(w);
  trace(text("wheel %d geometry %g %g %g %g %g damage %g %g", w, get<float>(b, 1052), get<float>(b, 1020),
             get<float>(b, 976), get<float>(b, 984), get<float>(b, 572), get<float>(b, 2352), get<float>(b, 2384)));
  trace(text("wheel %d spring %g %g stops %g %g ratio %g rebound %g %g", w, get<float>(s, 72), get<float>(s, 104),
             get<float>(s, 152), get<float>(s, 216), get<float>(b, 508), get<float>(s, 248), get<float>(s, 280)));
  trace(text("wheel %d tyre masses %.5g %.5g %.5g thresholds %g %g grip %g", w, get<float>(p, 284), get<float>(p, 272),
             get<float>(p, 296), get<float>(p, 388), get<float>(p, 416), get<float>(p, 516)));
  trace(text("wheel %d tyre temperatures %g %g %g %g pressure %.6g", w, get<float>(t, 100), get<float>(t, 300),
             get<float>(t, 208), get<float>(t, 292), get<float>(t, 104)));
}

}  // namespace

std::vector<AddressEntry> chassisEntries() {
  std::vector<AddressEntry> rows;
  for (std::uint32_t site : kFfSites) rows.push_back({EntryKind::callSite, site, "forceFeedbackSite", addressOf(&hostForceFeedback)});
  for (std::uint32_t site : kSpringSites) rows.push_back({EntryKind::callSite, site, "springSite", addressOf(&hostSpring)});
  for (std::uint32_t site : kGripSites) rows.push_back({EntryKind::callSite, site, "tyreGripSite", addressOf(&hostGrip)});
  for (std::uint32_t site : kHeatTermSites) rows.push_back({EntryKind::callSite, site, "tyreHeatTermSite", addressOf(&hostHeatTerm)});
  rows.push_back({EntryKind::callSite, kCamberSite, "tyreCamberSite", addressOf(&hostCamber)});
  rows.push_back({EntryKind::callSite, kFlexSite, "tyreFlexSite", addressOf(&hostFlex)});
  rows.push_back({EntryKind::callSite, kProfileSite, "surfaceProfileSite", addressOf(&hostRecordCall)});
  rows.push_back({EntryKind::callSite, kCarTickSite, "carTickSite", addressOf(&hostRecordCall)});
  rows.push_back({EntryKind::callSite, kSuspensionSite, "suspensionEventSite", addressOf(&hostRecordCall)});
  rows.push_back({EntryKind::callSite, kControllerValueSite, "controllerValueSite", addressOf(&hostInputUpdate)});
  for (std::uint32_t site : kSuspension2Sites) {
    rows.push_back({EntryKind::callSite, site, "suspensionEvent2Site", addressOf(&hostRecordCall)});
  }
  appendFunctions(rows, {{kHostSpring, "spring", addressOf(&hostSpring)},
                         {kHostSpringFinish, "springFinish", addressOf(&hostSpringFinish)},
                         {kHostGrip, "tyreGrip", addressOf(&hostGrip)},
                         {kHostCamber, "tyreCamber", addressOf(&hostCamber)},
                         {kHostFlex, "tyreFlex", addressOf(&hostFlex)},
                         {kHostTickConsumer, "tickConsume", addressOf(&hostConsume)},
                         {kTransformPointB, "transformPointB", addressOf(&hostTransformPointB)},
                         {kHostInputUpdate, "inputUpdate", addressOf(&hostInputUpdate)}});
  for (std::uint32_t site : kConstantOperands) {
    rows.push_back({EntryKind::operand, site, "chassisOperand", wordOf(&hostConstant), {0xD9, 0x05}, 2});
  }
  return rows;
}

void callSpring(int index, float length, float velocity, float platform, bool progressive, std::uint32_t site) {
  attachWheelParts();
  const int w = index & 3;
  unsigned char* b = springBlock(w);
  unsigned char* s = springState(w);
  putFloats(b, {{40, 0.1f}, {152, 1000.0f}, {216, 50.0f}, {232, 1.0f}, {248, 0.5f}, {280, 200.0f}});
  putFloats(s, {{12, 10.0f}, {16, 20.0f}, {20, 300.0f}});
  put(pointer(get(springComponent(w), 16)), 4, 0.5f);
  put(wheelBlock(w), 1052, platform);
  put(wheelBlock(w), 508, 2.0f);
  unsigned char* ranges = carSetupRangesObject();
  put(ranges, 3640, progressive ? 0x20000u : 0u);
  put(carSetupObject(), 1692, 1u);
  unsigned char before[300];
  std::memcpy(before, b, sizeof before);
  const std::uint32_t result = runCallSite(site != 0 ? site : kSpringSites[0], {0, floatWord(length), floatWord(velocity), 1, 2, 3},
                                           wordOf(springComponent(w)));
  const unsigned char* c = springComponent(w);
  const unsigned char* wheel = wheelOf(w);
  trace(text("spring %d result %u outputs %g %g %g wheel %g %g %g %g block %s", w, static_cast<unsigned>(result),
             get<float>(c, 48), get<float>(c, 52), get<float>(c, 56), get<float>(wheel, 3712), get<float>(wheel, 3716),
             get<float>(wheel, 3720), get<float>(wheel, 3724),
             std::memcmp(before, b, sizeof before) == 0 ? "restored" : "changed"));
}

void callTyreGrip(std::uint32_t site, float speed, std::int32_t surface, std::int32_t type, std::uint32_t percent,
                  float camberSine) {
  attachWheelParts();
  unsigned char* p = tyreParams(0);
  for (int i = 0; i < 32; ++i) put(p, 516 + 4 * i, 1.0f + i);
  put(p, 12, type);
  put(tyreObject(0), 864, speed);
  put(tyreObject(0), 940, camberSine);
  for (std::uint32_t o : {3736u, 3752u, 3768u}) put(carSetupRangesObject(), o, percent);
  // The host's contact record: the three grip values the hook scales and the surface kind.
  static unsigned char* const contact = hostObject("tyrecontact", 332);
  for (std::uint32_t o : {72u, 88u, 120u}) put(contact, o, 1.0f);
  put(contact, 328, surface);
  std::vector<std::uint32_t> args(16, 0);
  args[0] = wordOf(contact);
  const std::uint32_t result = runCallSite(site, args, wordOf(tyreObject(0)));
  bool restored = true;
  for (int i = 0; i < 32; ++i) restored = restored && get<float>(p, 516 + 4 * i) == 1.0f + i;
  trace(text("grip result %u contact %g %g %g tables %s", static_cast<unsigned>(result), get<float>(contact, 72),
             get<float>(contact, 88), get<float>(contact, 120), restored ? "restored" : "changed"));
}

void callCamber(float sine) {
  attachWheelParts();
  unsigned char* p = tyreParams(0);
  for (int i = 0; i < 32; ++i) put(p, 516 + 4 * i, 1.0f);
  put(tyreObject(0), 940, sine);
  const std::uint32_t result = runCallSite(kCamberSite, {}, wordOf(tyreObject(0)));
  trace(text("camber result %u tables %g %g %g %g", static_cast<unsigned>(result), get<float>(p, 516), get<float>(p, 544),
             get<float>(p, 580), get<float>(p, 608)));
}

void callFlexHeat(std::int32_t flag, float sine, float factor) {
  attachWheelParts();
  unsigned char* t = tyreObject(0);
  put(t, 1152, flag);
  put(t, 940, sine);
  putFloats(t, {{968, 2.0f}, {888, 3.0f}, {1256, -1.0f}});
  put(tyreParams(0), 268, factor);
  const std::uint32_t result = runCallSite(kFlexSite, {1, 2, 3}, wordOf(t));
  trace(text("flexheat result %u heat %g flex %g", static_cast<unsigned>(result), get<float>(t, 1256), get<float>(t, 968)));
}

// A tyre of 0.3 m carcass radius, 0.01 m tread, 0.2 m wide, 0.1 m sidewall, 5 mm carcass, on the
// rear (position 2), its wheel spinning at 10 rad/s on a car at 20 m/s, no flex heat.
void callHeatTerm(std::uint32_t site, const float* values, int count) {
  attachWheelParts();
  std::vector<std::uint32_t> args;
  for (int i = 0; i < count; ++i) args.push_back(floatWord(values[i]));
  unsigned char* p = tyreParams(0);
  put(p, 28, std::int32_t{2});
  putFloats(p, {{124, 0.3f}, {140, 0.01f}, {156, 0.005f}, {172, 0.2f}, {236, 0.1f}});
  put(tyreObject(0), 1152, std::int32_t{0});
  put(wheelOf(0), 3744, 10.0f);
  put(hostCarObject(), 5624, 20.0f);
  put(carSetupRangesObject(), 3688, 0u);
  const float result = runRegisterFloatCallSite(site, args, wordOf(tyreObject(0)));
  trace(text("heatterm %x %.6g", static_cast<unsigned>(site), result));
}

void callCarTick() {
  attachWheelParts();
  placeWheels();
  // The host's 224-byte per-tick record: its first and last words and the four wheel vectors; the
  // hook copies it and passes the rest through.
  static unsigned char* const record = hostObject("cartickrecord", 224);
  for (int i = 0; i < 4; ++i) {
    put(record, 96 + 16 * i, 0.5f);
    put(record, 100 + 16 * i, 0.25f);
    put(record, 104 + 16 * i, 7.0f);
    put(record, 108 + 16 * i, 9.0f);
  }
  put(record, 0, std::int32_t{1234});
  put(record, 220, std::int32_t{5678});
  runRegisterCallSite(kCarTickSite, {wordOf(record)}, wordOf(hostCarObject()));
  trace(text("car tick record kept %g", get<float>(record, 96)));
}

void callForceFeedbackCurve(std::uint32_t site, float x, float k, std::int32_t flag) {
  attachWheelParts();
  unsigned char* car = hostCarObject();
  put(car, 2796, x);
  put(car, 492, flag);
  put(pointer(get(car, 52)), 17568, k);
  trace(text("ffcurve %x %.6g", static_cast<unsigned>(site), runFloatCallSite(site, {}, wordOf(car))));
}

bool runChassisStep(const std::string& step, std::istream& in) {
  static const char* const kSteps[] = {"ffcurve", "spring", "tyregrip", "camber", "flexheat", "heatterm",
                                       "profile", "cartick", "suspevent", "suspevent2", "wheelprep", "wheelvalues",
                                       "controllervalue"};
  bool known = false;
  for (const char* s : kSteps) known = known || step == s;
  if (!known) return false;
  attachWheelParts();
  if (step == "ffcurve") {
    const std::uint32_t site = siteFrom(in);
    float x = 0, k = 0;
    std::int32_t flag = 0;
    in >> x >> k >> flag;
    callForceFeedbackCurve(site, x, k, flag);
  } else if (step == "spring") {
    float length = 0, velocity = 0, platform = 0;
    int progressive = 0;
    in >> length >> velocity >> platform >> progressive;
    callSpring(0, length, velocity, platform, progressive != 0, siteOr(in, kSpringSites[0]));
  } else if (step == "tyregrip") {
    const std::uint32_t site = siteFrom(in);
    float speed = 0;
    std::int32_t surface = 0, type = 0;
    std::uint32_t percent = 0;
    in >> speed >> surface >> type >> percent;
    callTyreGrip(site, speed, surface, type, percent, 0.0f);
  } else if (step == "camber") {
    float sine = 0;
    in >> sine;
    callCamber(sine);
  } else if (step == "flexheat") {
    std::int32_t flag = 0;
    float sine = 0, factor = 0;
    in >> flag >> sine >> factor;
    callFlexHeat(flag, sine, factor);
  } else if (step == "heatterm") {
    const std::uint32_t site = siteFrom(in);
    float values[3] = {};
    int count = 0;
    while (count < 3 && in >> values[count]) ++count;
    callHeatTerm(site, values, count);
  } else if (step == "profile") {
    runProfile(in);
  } else if (step == "cartick") {
    // A host listener of the car-tick source traces what the plugin raises.
    listenOnce(kCarTickSource);
    callCarTick();
  } else if (step == "suspevent") {
    runSuspensionEvent(in);
  } else if (step == "suspevent2") {
    runSuspensionEvent2(in);
  } else if (step == "controllervalue") {
    // The object of the host's controller value call, which the hook only hands on to the host's
    // input update.
    static unsigned char* const target = hostObject("inputtarget", 600);
    float value = 0;
    in >> value;
    runCallSite(kControllerValueSite, {floatWord(value)}, wordOf(target));
  } else if (step == "wheelprep") {
    prepareWheelSetup();
  } else {
    traceWheelValues(in);
  }
  return true;
}

}  // namespace hostsim
