#include "hostsim/tyre_flow.h"

#include <cstdio>
#include <vector>

#include "hostsim/call_trace.h"
#include "hostsim/car_model.h"
#include "hostsim/fields.h"

namespace hostsim {
namespace {

constexpr std::uint32_t kGripSite = 0x53E2A4;

unsigned char* tyreOfWheel0() { return pointer(get(hostCarObject(), 1136)) + 3840; }

void runTicks(int ticks, float sine) {
  unsigned char* tyre = tyreOfWheel0();
  if (get(tyre, 16) == 0) {
    trace("tyre flow without tyre parts");
    return;
  }
  // The host's contact record: the three grip values the grip hook scales and the surface kind.
  static unsigned char* const contact = hostObject("tyrecontact", 332);
  std::vector<std::uint32_t> gripArgs(16, 0);
  gripArgs[0] = wordOf(contact);
  for (int i = 0; i < ticks; ++i) {
    setTraceQuiet(i + 1 < ticks);
    for (std::uint32_t o : {72u, 88u, 120u}) put(contact, o, 1.0f);
    put(contact, 328, std::int32_t{1});
    put(tyre, 864, 200.0f / 3.6f);
    put(tyre, 940, sine);
    runCallSite(kGripSite, gripArgs, wordOf(tyre));
  }
  setTraceQuiet(false);
  const unsigned char* p = tyreParameterRecord(0);
  char line[160];
  std::snprintf(line, sizeof line, "tyre flow %d ticks tables %g %g %g %g contact %g", ticks,
                static_cast<double>(get<float>(p, 516)), static_cast<double>(get<float>(p, 544)),
                static_cast<double>(get<float>(p, 580)), static_cast<double>(get<float>(p, 608)),
                static_cast<double>(get<float>(contact, 72)));
  trace(line);
}

}  // namespace

bool runTyreFlowStep(const std::string& step, std::istream& in) {
  if (step == "tyretables") {
    unsigned char* p = tyreParameterRecord(0);
    for (std::uint32_t o = 516; o < 644; o += 4) put(p, o, 1.0f);
  } else if (step == "tyregas") {
    int w = 0;
    in >> w;
    const std::uint32_t state = get(pointer(get(hostCarObject(), 1136 + 4 * (w & 3))) + 3840, 20);
    if (state == 0) {
      trace("tyre gas without tyre parts");
      return true;
    }
    unsigned char* gas = pointer(state) + 96;
    float values[4];
    int n = 0;
    while (n < 4 && in >> values[n]) ++n;
    if (n == 4) {
      for (int i = 0; i < 4; ++i) put(gas, 4 * i, values[i]);
    } else {
      char line[160];
      std::snprintf(line, sizeof line, "tyre gas %d %g %g %.7g %.7g", w, static_cast<double>(get<float>(gas, 0)),
                    static_cast<double>(get<float>(gas, 4)), static_cast<double>(get<float>(gas, 8)),
                    static_cast<double>(get<float>(gas, 12)));
      trace(line);
    }
  } else if (step == "tyreflow") {
    int ticks = 0;
    float sine = 0;
    in >> ticks >> sine;
    runTicks(ticks, sine);
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
