#pragma once

namespace kvl::physics {

// A surface material as the profile reads it.
struct SurfaceProfileMaterial {
  float baseOffset = 0.0f;
  float secondOffset = 0.0f;
  float amplitude = 0.0f;
  float wavelength = 0.0f;      // 0: no wave
};

// The road profile under one wheel contact, blended between two materials.
struct SurfaceProfile {
  float height = 0.0f;          // +84
  float secondHeight = 0.0f;    // +88
};
SurfaceProfile surfaceProfileAt(float x1, float x2, float blend, const SurfaceProfileMaterial& primary,
                                const SurfaceProfileMaterial& secondary);

// The force levels of the suspension damage model, scaled by the car's time scale.
struct SuspensionDamageLevels {
  float forceLow = 28000.0f;
  float forceHigh = 60000.0f;
  float forceLimit = 800000.0f;
  float inverseSpan = 1.0f / 32000.0f;
};
SuspensionDamageLevels suspensionDamageLevelsFor(float timeScale);

}  // namespace kvl::physics
