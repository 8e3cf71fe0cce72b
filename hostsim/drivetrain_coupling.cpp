#include "hostsim/drivetrain_coupling.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "hostsim/call_trace.h"
#include "hostsim/car_physics_calls.h"
#include "hostsim/fields.h"
#include "hostsim/host_words.h"

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))

constexpr std::uint32_t kStickSlipSite = 0x50A34B, kSynchronisedStep = 0x509210, kFreeStep = 0x509120;
constexpr std::uint32_t kHeatSites[] = {0x518A33, 0x53428D};
constexpr std::uint32_t kAxleTest = 0x506B20, kSolveSite = 0x50A10C;
constexpr std::uint32_t kWheelSites[] = {0x509C86, 0x509D74, 0x509C34, 0x509E94};
constexpr std::uint32_t kContactSite = 0x535484, kHostContact = 0x5320C0;
int axleTestYes = 0;  // the host's axle test answers yes this many times

// The solver object with its static parameters (up to the engaged entry of gear 9 at
// +1684 + 80 x 9), its dynamic state and its auxiliary record, held by pointer at +368.
struct Solver {
  unsigned char* params = hostObject("drivetrain", 1684 + 80 * 10);
  unsigned char* state = hostObject("solverstate", 1600);
  unsigned char* object = hostObject("solver", 512);
  unsigned char* aux = hostObject("solveraux", 256);
};
Solver& solverParts() {
  static Solver s;
  return s;
}


void THISCALL hostStickSlip(void*, float, float* output, float, float, float) { *output = -1.0f; }
void THISCALL hostSynchronisedStep(void*, float f) {
  char text[64];
  std::snprintf(text, sizeof text, "host synchronised step %g", f);
  trace(text);
}
std::int32_t THISCALL hostFreeStep(void*, float torque) {
  char text[64];
  std::snprintf(text, sizeof text, "host free step %g", torque);
  trace(text);
  return 0;
}
void THISCALL hostWheelStep(void*, std::int32_t) {}
void THISCALL hostSolveLocks(void*) {}
std::uint8_t THISCALL hostAxleTest(void*, std::int32_t) { return axleTestYes-- > 0 ? 1 : 0; }

// A four-wheel solver: every wheel factor 1, axle radius weights 1 and driven, centre ratio 2,
// no preload, the given engine torque; wheels free, not held, without handbrake torque; every
// differential's and axle's words, the axle outputs, the counters and the solve-again flag 0.
void fourWheelSolver(float engineTorque) {
  Solver& s = solverParts();
  unsigned char* params = s.params;
  unsigned char* state = s.state;
  put(s.object, 4, wordOf(params));
  put(s.object, 8, wordOf(state));
  put(s.object, 368, wordOf(s.aux));
  put(s.object, 144, 0.0f);
  for (std::uint32_t d = 0; d < 3; ++d) {
    for (std::uint32_t o : {24u, 40u, 56u, 72u, 88u}) put(params, 96 * d + o, 0u);
  }
  for (std::uint32_t w = 0; w < 4; ++w) {
    put(s.object, 192 + 4 * w, 0u);
    put(s.object, 244 + 16 * w, 0.0f);
    put(s.aux, 24 + 12 * w, 0u);
    for (std::uint32_t k : {21u, 25u, 29u, 37u, 40u, 41u, 45u, 62u}) put(state, 4 * (50 * w + k), 0u);
    put(state, 4 * (332 + w), 0u);
  }
  for (std::uint32_t k = 3; k <= 17; ++k) put(state, 4 * k, 0u);
  for (std::uint32_t k : {280u, 360u, 361u, 362u, 363u, 364u, 367u}) put(state, 4 * k, 0u);
  put(params, 72, 2.0f);
  for (int k = 1; k <= 2; ++k) {
    put(params, 96 * k + 24, std::int32_t{1});
    put(params, 96 * k + 40, std::int32_t{2 * k - 2});
    put(params, 96 * k + 56, std::int32_t{2 * k - 1});
    put(params, 96 * k + 72, 1.0f);
  }
  for (int w = 0; w < 4; ++w) {
    put(params, 328 + 240 * w, 1.0f);
    put(params, 344 + 240 * w, std::int32_t{w < 2 ? 1 : 2});
  }
  put(state, 4 * 223, engineTorque);
}

void traceWheel(int w) {
  const unsigned char* state = solverParts().state;
  const unsigned char* solver = solverParts().object;
  char text[128];
  std::snprintf(text, sizeof text, "wheel %d direction %d value %g output %g hold %08x locks %d", w,
                get<std::int32_t>(state, 4 * (50 * w + 41)), get<float>(state, 4 * (50 * w + 37)),
                get<float>(state, 4 * (332 + w)), static_cast<unsigned>(get<std::uint32_t>(solver, 192 + 4 * w)),
                get<std::int32_t>(state, 4 * 361));
  trace(text);
}

using W = std::uint32_t;
W THISCALL hostContact(void*, W, W, W, W, W, W, W, W, W, W, W, W, W, W, float* a15, W, float* a17) {
  put(a15, 0, 0.2f);
  put(a17, 0, 0.5f);
  return 7;
}

float __cdecl hostHeatExchange(float a, float b, float k, float area) { return (a - b) * k * area; }

std::uint32_t bitsOf(float f) {
  std::uint32_t b;
  std::memcpy(&b, &f, 4);
  return b;
}

}  // namespace

std::vector<AddressEntry> drivetrainCouplingEntries() {
  std::vector<AddressEntry> rows = {
      {EntryKind::callSite, kStickSlipSite, "stickSlipSite", addressOf(&hostStickSlip)},
      {EntryKind::function, kSynchronisedStep, "synchronisedStep", addressOf(&hostSynchronisedStep)},
      {EntryKind::function, kFreeStep, "freeStep", addressOf(&hostFreeStep)},
  };
  rows.push_back({EntryKind::callSite, kContactSite, "tyreContactSite", addressOf(&hostContact)});
  rows.push_back({EntryKind::function, kHostContact, "tyreContact", addressOf(&hostContact)});
  rows.push_back({EntryKind::function, kAxleTest, "axleTest", addressOf(&hostAxleTest)});
  rows.push_back({EntryKind::callSite, kSolveSite, "solveWheelLocksSite", addressOf(&hostSolveLocks)});
  for (std::uint32_t s : kWheelSites) rows.push_back({EntryKind::callSite, s, "wheelLockSite", addressOf(&hostWheelStep)});
  for (std::uint32_t s : kHeatSites) rows.push_back({EntryKind::callSite, s, "heatExchangeSite", addressOf(&hostHeatExchange)});
  return rows;
}

void callClutch(float torque, float limit, float ratio, float dt, float speed, std::int32_t slip, std::int32_t sync,
                std::int32_t engaged, std::int32_t gear) {
  Solver& s = solverParts();
  unsigned char* params = s.params;
  unsigned char* state = s.state;
  put(s.object, 4, wordOf(params));
  put(s.object, 8, wordOf(state));
  put(params, 1636, 0.2f);
  put(params, 1652, 0.05f);
  for (int g = 0; g < 10; ++g) put(params, 1684 + 80 * g, 1.0f);
  put(state, 872, slip);
  put(state, 900, 3.0f);
  put(state, 1116, speed);
  put(state, 1356, gear);
  put(state, 1372, engaged);
  put(state, 1400, sync);
  // The float the host hands the step to receive the coupling output.
  static float output;
  output = -7.0f;
  runCallSite(kStickSlipSite, {bitsOf(torque), wordOf(&output), bitsOf(limit), bitsOf(ratio), bitsOf(dt)}, wordOf(s.object));
  char text[128];
  std::snprintf(text, sizeof text, "clutch output %g speed %g slip %d sync %d", output, get<float>(state, 1116),
                get<std::int32_t>(state, 872), get<std::int32_t>(state, 1400));
  trace(text);
}

// Wheel 0 locked the wrong way, wheel 1 locked the right way; the host's axle test answers yes
// YES times.
void callSolveWheelLocks(int yes) {
  axleTestYes = yes;
  fourWheelSolver(0.0f);
  unsigned char* state = solverParts().state;
  put(state, 4 * 41, std::int32_t{1});
  put(state, 4 * 37, -3.0f);
  put(state, 4 * 91, std::int32_t{1});
  put(state, 4 * 87, 2.0f);
  runCallSite(kSolveSite, {}, wordOf(solverParts().object));
  traceWheel(0);
  traceWheel(1);
  trace("solve passes that changed " + std::to_string(get<std::int32_t>(state, 4 * 362)) + ", axle test left " +
        std::to_string(axleTestYes < 0 ? 0 : axleTestYes));
  axleTestYes = 0;
}

bool runDrivetrainCouplingStep(const std::string& step, std::istream& in) {
  if (step == "clutch") {
    float torque = 0, limit = 0, ratio = 0, dt = 0, speed = 0;
    std::int32_t slip = 0, sync = 0, engaged = 0, gear = 0;
    in >> torque >> limit >> ratio >> dt >> speed >> slip >> sync >> engaged >> gear;
    callClutch(torque, limit, ratio, dt, speed, slip, sync, engaged, gear);
  } else if (step == "wheellock") {
    // wheellock SITE WHEEL TORQUE DIRECTION [HANDBRAKE]: the per-wheel call at SITE on a fresh
    // solver whose wheel WHEEL has the given direction and, when HANDBRAKE is given, that locked
    // torque with its word in the auxiliary record set.
    std::string siteText;
    std::int32_t wheel = 0, direction = 0;
    float torque = 0, handbrake = 0;
    in >> siteText >> wheel >> torque >> direction;
    const bool withHandbrake = static_cast<bool>(in >> handbrake);
    fourWheelSolver(torque);
    Solver& s = solverParts();
    if (wheel >= 0 && wheel < 4) {
      put(s.state, 4 * (50 * wheel + 41), direction);
      if (withHandbrake) {
        put(s.aux, 24 + 12 * wheel, std::uint32_t{1});
        put(s.state, 4 * (50 * wheel + 62), handbrake);
      }
    }
    runCallSite(static_cast<std::uint32_t>(std::strtoul(siteText.c_str(), nullptr, 16)), {static_cast<std::uint32_t>(wheel)},
                wordOf(s.object));
    if (wheel >= 0 && wheel < 4) traceWheel(wheel);
  } else if (step == "solvelocks") {
    int yes = 0;
    in >> yes;
    callSolveWheelLocks(yes);
  } else if (step == "contact") {
    // contact: the tyre contact call (site 0x535484) with seventeen words, the fifteenth and
    // seventeenth pointing at floats the host's routine sets to 0.2 and 0.5.
    // The tyre object the host's contact call runs on: the hook hands it on unread.
    static unsigned char* const tyre = hostObject("contacttyre", 1300);
    // The host's two floats behind the fifteenth and seventeenth words, a word of its own between
    // them.
    static unsigned char* const values = hostObject("contactvalues", 12);
    std::vector<std::uint32_t> args(17, 0);
    args[14] = wordOf(values);
    args[16] = wordOf(values + 8);
    const std::uint32_t result = runCallSite(kContactSite, args, wordOf(tyre));
    char text[96];
    std::snprintf(text, sizeof text, "contact result %u values %g %g", static_cast<unsigned>(result),
                  static_cast<double>(get<float>(values, 0)), static_cast<double>(get<float>(values, 8)));
    trace(text);
  } else if (step == "heat") {
    std::string siteText;
    float a = 0, b = 0, k = 0, area = 0;
    in >> siteText >> a >> b >> k >> area;
    const auto site = static_cast<std::uint32_t>(std::strtoul(siteText.c_str(), nullptr, 16));
    char text[64];
    std::snprintf(text, sizeof text, "heat %s %.3f", siteText.c_str(),
                  runFloatCallSite(site, {bitsOf(a), bitsOf(b), bitsOf(k), bitsOf(area)}));
    trace(text);
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
