#include "plugin/physics/models/tyre_model.h"

#include <algorithm>
#include <cmath>

namespace kvl::physics {

namespace {

constexpr float kPi = 3.1415927f;
constexpr float kTwoPi = 6.2831855f;

// The cross-section between the inside of the carcass and the rim side of the sidewall.
float innerSection(const TyreSizes& t) {
  const float h = 2.0f * t.thickness;
  const float q = (t.carcassRadius - h) * (t.carcassRadius - h);
  const float inner = t.carcassRadius + t.treadDepth - t.sidewallHeight;
  return (q - inner * inner) * kPi;
}

float camberDegrees(float camberSine) {
  if (std::isnan(camberSine)) return 0.0f;
  return std::asin(std::clamp(camberSine, -1.0f, 1.0f)) * (180.0f / kPi);
}

}  // namespace

float speedGripFactor(float speed) {
  const float v = std::fabs(speed) * 3.6f;
  return 1.0f - std::min(200.0f, v) / 200.0f * 0.025f;
}

float performanceScale(int surface, int type, uint32_t tarmac, uint32_t gravel, uint32_t snow) {
  uint32_t value = 0;
  if (surface == 2 && type >= 0 && type <= 2) value = tarmac;
  else if (surface == 1 && type >= 3 && type <= 5) value = gravel;
  else if (surface == 3 && type == 6) value = snow;
  if (value == 0) return 1.0f;
  const float r = static_cast<float>(value) / 100.0f;
  return r * r;
}

CamberGrip camberGrip(float camberSine) {
  const float a = camberDegrees(camberSine);
  CamberGrip out;
  float g;
  if (a >= 0.0f) {
    g = std::min(45.0f, a);
    out.factor = 1.0f - (a > 5.0f ? (g - 5.0f) * 0.0025f : 0.0f) - g * 0.01f;
  } else {
    g = std::min(34.0f, -a);
    if (g > 10.0f) out.factor = 1.05f - (g - 10.0f) * 0.025f;
    else if (g > 5.0f) out.factor = 1.05f;
    else out.factor = 1.0f + 0.01f * g;
  }
  out.lateralToo = g > 10.0f;
  return out;
}

float flexHeatFactor(float camberSine, float factor) {
  const float m = std::min(10.0f, std::fabs(camberDegrees(camberSine)));
  return (1.0f + 0.1f * m * m) * (factor > 0.0f ? factor : 1.0f);
}

std::array<float, 8> tyreTemperatureThresholds(int type) {
  const float z = (type >= 0 && type <= 2) ? 313.15f : 318.15f;
  float d;
  switch (type) {
    case 0: case 3: d = 0.0f; break;
    case 1: d = -10.0f; break;
    case 2: case 5: d = -20.0f; break;
    default: d = -10.0f; break;
  }
  return {z - 20.0f + d, z + d, z + 10.0f + d, z + 20.0f + d, z + 50.0f + d, z + 60.0f + d, z + 70.0f + d, z + 90.0f + d};
}

float tyreStartTemperature(int type) {
  switch (type) {
    case 0: return 338.15f;
    case 1: return 328.15f;
    case 2: return 318.15f;
    case 3: return 343.15f;
    case 5: return 323.15f;
    default: return 333.15f;
  }
}

TyreMasses tyreMasses(const TyreSizes& t) {
  const float k = t.carcassRadius;
  const float m = k + t.treadDepth;
  const float n = kPi * t.treadWidth;
  const float o = (m * m - k * k) * n * t.coverage * 950.0f;
  TyreMasses out;
  out.tread = 0.95f * o;
  out.treadSlice = 0.05f * o * 0.125f;
  const float h = 2.0f * t.thickness;
  const float q = (k - h) * (k - h);
  out.carcass = ((k * k - q) * n + h * innerSection(t)) * 1645.0f;
  return out;
}

float contactStiffnessScale(const TyreSizes& t, float timeScale) {
  const float l = (t.treadWidth + t.secondWidth) / 2.0f;
  const float lm = l * (t.carcassRadius + t.treadDepth);
  if (!(lm > 0.0f)) return 0.0f;
  return 0.066149995f / lm * timeScale;
}

float tyreGasVolume(const TyreSizes& t) {
  const float v = innerSection(t) * (t.treadWidth + t.secondWidth) / 2.0f;
  return v > 0.0f ? v : 0.0f;
}

void TyreGas::set(float kelvin, float newVolume, float newGasConstant) {
  if (!(newVolume > 0.0f)) newVolume = volume;
  float p = pressure;
  if (temperature > 0.0f) p *= kelvin / temperature;
  if (volume > 0.0f) p *= volume / newVolume;
  if (gasConstant > 0.0f) p *= newGasConstant / gasConstant;
  gasConstant = newGasConstant;
  temperature = kelvin;
  pressure = p;
  volume = newVolume;
}

float tyreExchange(float a, float b, float k, float area, float ambient) {
  return (a - (b - 293.14f + ambient)) * k * area;
}

float tyreBandArea(const TyreHeatShape& s) {
  return (s.carcassRadius + s.treadDepth) * kTwoPi * s.treadWidth * 0.125f;
}

float tyreBandTerm(float a, float b, const TyreHeatShape& s) { return -(a * b) * tyreBandArea(s); }

float tyreBandExchange(float a, float b, float k, const TyreHeatShape& s, float ambient) {
  return tyreExchange(a, b, k, tyreBandArea(s), ambient);
}

float tyreSidewallExchange(float a, float b, float k0, const TyreHeatShape& s, const SidewallFlow& f, float ambient) {
  const float r = s.carcassRadius + s.treadDepth - s.sidewallHeight;
  const float m = (r + s.carcassRadius) * 0.5f;
  const float v = std::max(std::fabs(f.carSpeed), std::fabs(f.wheelSpin) * m);
  float k = 6.0f;
  if (f.position == 0 || f.position == 1) k = f.frontCooling;
  else if (f.position == 2 || f.position == 3) k = f.rearCooling;
  if (f.flexHeat) k *= 1.0f + f.flexFactor;
  const float h = static_cast<float>(std::pow(static_cast<double>(v), 0.78)) * k + k0;
  const float area = (s.carcassRadius * s.carcassRadius - r * r) * kTwoPi;
  return tyreExchange(a, b, h, area, ambient);
}

float tyreInnerExchange(float a, float b, float k, const TyreHeatShape& s) {
  const float e = s.carcassRadius - 2.0f * s.thickness;
  const float r = s.carcassRadius + s.treadDepth - s.sidewallHeight;
  return (a - b) * k * ((e * e - r * r) * kTwoPi + e * kTwoPi * s.treadWidth);
}

}  // namespace kvl::physics
