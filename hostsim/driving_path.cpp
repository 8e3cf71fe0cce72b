#include "hostsim/driving_path.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "hostsim/call_trace.h"
#include "hostsim/fields.h"
#include "hostsim/host_words.h"
#include "hostsim/step_site.h"

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))

constexpr std::uint32_t kPathGlobal = 0x1659184;
constexpr std::uint32_t kPointsAt = 16, kPointStride = 48, kCountAt = 480016;
constexpr int kPoints = 30;

// One host call site of each routine.
constexpr std::uint32_t kDirectionSites[] = {0x476101, 0x4AC8A0, 0x4E5572, 0x4E795C, 0x579614};
constexpr std::uint32_t kPositionSites[] = {0x4760EB, 0x4E5560, 0x4E794A, 0x50B1F7};
constexpr std::uint32_t kIndexSite = 0x48778F;
constexpr std::uint32_t kNearestSites[] = {0x4EB286, 0x52CAEE, 0x5F9951};

struct V {
  double x, y, z;
};

// The stage's road: a gentle S-curve, points 8 units apart, tangents scaled to the spacing.
V pointPosition(int i) { return {8.0 * i, 20.0 * std::sin(i * 0.2), 0.5 * i}; }
V pointDirection(int i) { return {8.0, 4.0 * std::cos(i * 0.2), 0.5}; }

unsigned char* pathObject() {
  static unsigned char* object = [] {
    unsigned char* o = hostObject("drivingpath", kCountAt + 4);
    for (int i = 0; i < kPoints; ++i) {
      const V p = pointPosition(i), d = pointDirection(i);
      unsigned char* point = o + kPointsAt + kPointStride * i;
      putRow(point, 0, float(p.x), float(p.y), float(p.z));
      putRow(point, 16, float(d.x), float(d.y), float(d.z));
      put(point, 32, 8.0f * i);
    }
    put(o, kCountAt, static_cast<std::uint32_t>(kPoints));
    return o;
  }();
  return object;
}

// The reference curve, from the float values the host stores.
V stored(int i, std::uint32_t offset) {
  float v[3];
  std::memcpy(v, pathObject() + kPointsAt + kPointStride * i + offset, 12);
  return {v[0], v[1], v[2]};
}
V referencePosition(int k, double t) {
  if (k < 0 || k >= kPoints - 1) return {0, 0, 0};
  const V p0 = stored(k, 0), t0 = stored(k, 16), p1 = stored(k + 1, 0), t1 = stored(k + 1, 16);
  const double a = 2 * t * t * t - 3 * t * t + 1, b = t * t * t - 2 * t * t + t;
  const double c = 3 * t * t - 2 * t * t * t, d = t * t * t - t * t;
  return {a * p0.x + b * t0.x + c * p1.x + d * t1.x, a * p0.y + b * t0.y + c * p1.y + d * t1.y,
          a * p0.z + b * t0.z + c * p1.z + d * t1.z};
}
V referenceDirection(int k, double t) {
  if (k < 0 || k >= kPoints - 1) return {0, 0, 0};
  const V a = stored(k, 16), b = stored(k + 1, 16);
  return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), a.z + t * (b.z - a.z)};
}

// The host's own single-precision routines (before the plugin takes them over).
float* THISCALL hostPointAt(void*, std::int32_t, float, float* out) {
  trace("host pathPoint");
  out[0] = out[1] = out[2] = 0.0f;
  return out;
}
float* THISCALL hostPointAtIndex(void*, float, float* out) {
  trace("host pathPointAtIndex");
  out[0] = out[1] = out[2] = 0.0f;
  return out;
}
float THISCALL hostNearest(void*, const float*, float) {
  trace("host pathNearest");
  return 0.0f;
}


std::string text(double v) {
  char out[32];
  std::snprintf(out, sizeof out, "%.4f", v);
  return out;
}

void traceVector(const std::string& what, const float* out, const V& reference) {
  const bool ok = std::fabs(out[0] - reference.x) < 1e-3 && std::fabs(out[1] - reference.y) < 1e-3 &&
                  std::fabs(out[2] - reference.z) < 1e-3;
  trace("path " + what + (ok ? " ok" : " off") + " = " + text(out[0]) + " " + text(out[1]) + " " + text(out[2]));
}

}  // namespace

std::vector<AddressEntry> drivingPathEntries() {
  std::vector<AddressEntry> rows = {{EntryKind::global, kPathGlobal, "drivingPath", wordOf(pathObject())},
                                    {EntryKind::callSite, kIndexSite, "pathPointAtIndexSite", addressOf(&hostPointAtIndex)}};
  for (std::uint32_t s : kDirectionSites) rows.push_back({EntryKind::callSite, s, "pathDirectionSite", addressOf(&hostPointAt)});
  for (std::uint32_t s : kPositionSites) rows.push_back({EntryKind::callSite, s, "pathPositionSite", addressOf(&hostPointAt)});
  for (std::uint32_t s : kNearestSites) rows.push_back({EntryKind::callSite, s, "pathNearestSite", addressOf(&hostNearest)});
  return rows;
}

bool runDrivingPathStep(std::istream& in) {
  std::string step;
  in >> step;
  float out[3] = {-1.0f, -1.0f, -1.0f};
  const std::uint32_t path = wordOf(pathObject());
  if (step == "position" || step == "direction") {
    std::int32_t k = 0;
    double t = 0;
    in >> k >> t;
    const bool position = step == "position";
    runCallSite(siteOr(in, position ? kPositionSites[0] : kDirectionSites[0]),
                {static_cast<std::uint32_t>(k), floatWord(float(t)), wordOf(out)}, path);
    traceVector(step + " " + std::to_string(k) + " " + text(t), out,
                position ? referencePosition(k, float(t)) : referenceDirection(k, float(t)));
  } else if (step == "index") {
    double f = 0;
    in >> f;
    runCallSite(kIndexSite, {floatWord(float(f)), wordOf(out)}, path);
    const double ff = float(f) > 0 ? float(f) : 0.0;
    const int k = static_cast<int>(ff);
    traceVector("index " + text(f), out, referencePosition(k, ff - k));
  } else if (step == "nearest") {
    double f = 0, hint = 0;
    in >> f >> hint;
    const int k = static_cast<int>(f);
    const V p = referencePosition(k, f - k);
    const float position[3] = {float(p.x), float(p.y), float(p.z)};
    const float result =
        runFloatCallSite(siteOr(in, kNearestSites[0]), {wordOf(position), floatWord(float(hint))}, path);
    trace("path nearest " + text(f) + " from " + text(hint) + (std::fabs(result - f) < 2e-3 ? " ok" : " off") +
          " = " + text(result));
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
