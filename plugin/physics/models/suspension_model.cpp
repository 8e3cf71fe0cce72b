#include "plugin/physics/models/suspension_model.h"

#include <cmath>

namespace kvl::physics {

namespace {

float waveOf(const SurfaceProfileMaterial& m, float x1, float x2) {
  if (m.wavelength == 0.0f) return 0.0f;
  const float k = 6.2831855f / m.wavelength;
  return (std::sin(k * x1) + std::sin(k * x2)) * m.amplitude;
}

}  // namespace

SurfaceProfile surfaceProfileAt(float x1, float x2, float blend, const SurfaceProfileMaterial& p,
                                const SurfaceProfileMaterial& s) {
  const float wave = waveOf(p, x1, x2) * (1.0f - blend) + waveOf(s, x1, x2) * blend;
  SurfaceProfile out;
  out.height = (1.0f - blend) * p.baseOffset + blend * s.baseOffset + wave;
  out.secondHeight = (1.0f - blend) * p.secondOffset + blend * s.secondOffset + out.height;
  return out;
}

SuspensionDamageLevels suspensionDamageLevelsFor(float scale) {
  SuspensionDamageLevels d;
  d.forceLow = 28000.0f * scale;
  d.forceHigh = 60000.0f * scale;
  d.forceLimit = 800000.0f * scale;
  d.inverseSpan = 1.0f / (d.forceHigh - d.forceLow);
  return d;
}

}  // namespace kvl::physics
