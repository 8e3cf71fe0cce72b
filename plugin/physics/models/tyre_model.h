#pragma once
#include <array>
#include <cstdint>

namespace kvl::physics {

// Grip reduction with road speed: 2.5 % at 200 km/h and above.
float speedGripFactor(float speed);

// The square of a tyre performance percentage for the surface the tyre is made for (tarmac
// tyres 0..2 on surface 2, gravel 3..5 on surface 1, snow 6 on surface 3); 1 when it does not
// apply or is 0.
float performanceScale(int surfaceKind, int tyreType, uint32_t tarmacPercent, uint32_t gravelPercent,
                       uint32_t snowPercent);

// The camber grip factor from the camber sine: at most 1.05 with a little negative camber,
// falling to 0.45 at +45 or -34 degrees. lateralToo tells whether the lateral grip values are
// scaled as well (beyond 10 degrees either way).
struct CamberGrip {
  float factor = 1.0f;
  bool lateralToo = false;
};
CamberGrip camberGrip(float camberSine);

// The flex heat factor: (1 + 0.1 m^2) x FlexHeatFtr_QZR (1 when not positive), m the camber in
// degrees, at most 10.
float flexHeatFactor(float camberSine, float flexHeatFactor);

// The contact-patch value after the host's routine: min(1, 4.25 x value).
inline float clampedContact(float value) { return value < 1.0f / 4.25f ? 4.25f * value : 1.0f; }

// Temperature thresholds (eight, K) and the starting temperature by tyre type.
std::array<float, 8> tyreTemperatureThresholds(int tyreType);
float tyreStartTemperature(int tyreType);

// Sizes of a tyre: carcass radius, tread depth, widths, coverage, carcass thickness, sidewall height.
struct TyreSizes {
  float carcassRadius = 0.0f;
  float treadDepth = 0.0f;
  float treadWidth = 0.0f;
  float secondWidth = 0.0f;
  float coverage = 0.0f;
  float thickness = 0.0f;
  float sidewallHeight = 0.0f;
};

// Masses as density x shell volume: the tread ring (rubber 950 kg/m^3) split 95 % / 5 % (the
// latter per eighth of the band), and the carcass (1645 kg/m^3).
struct TyreMasses {
  float tread = 0.0f;        // +284
  float treadSlice = 0.0f;   // +272
  float carcass = 0.0f;      // +296
};
TyreMasses tyreMasses(const TyreSizes& t);

// The factor of the contact stiffness values: 0.066149995 / (mean width x outer radius) x time
// scale; 0 when the sizes give none (the host values are then kept).
float contactStiffnessScale(const TyreSizes& t, float timeScale);

// The volume of the tyre's gas; 0 or below means the host's value stays.
float tyreGasVolume(const TyreSizes& t);

// The tyre's gas state as the host keeps it (16 bytes: gas constant, temperature, pressure,
// volume): an ideal gas whose amount stays when it is set anew, so that its pressure follows the
// new temperature, volume and gas constant. The state holds no amount of its own, only
// p V / (R T): a new temperature, volume or constant written without the pressure would change
// the tyre's air, so the pressure is recomputed to keep it (the host's state recomputes itself).
struct TyreGas {
  float gasConstant = 0.0f;
  float temperature = 0.0f;
  float pressure = 0.0f;
  float volume = 0.0f;
  // A ratio whose old value is not positive (not known) leaves the pressure as it is; a volume
  // that is not positive keeps the old one.
  void set(float kelvin, float newVolume, float newGasConstant);
};

// The heat terms of the host's tyre model. Temperatures in K.
struct TyreHeatShape {
  float carcassRadius = 0.0f;   // R
  float treadDepth = 0.0f;      // D
  float treadWidth = 0.0f;      // W
  float sidewallHeight = 0.0f;  // S_h
  float thickness = 0.0f;       // t
};

// Heat flow from a body at a to surroundings at b (b corrected by the ambient temperature).
float tyreExchange(float a, float b, float k, float area, float ambient);
// One eighth of the tread band's surface.
float tyreBandArea(const TyreHeatShape& s);
float tyreBandTerm(float a, float b, const TyreHeatShape& s);
float tyreBandExchange(float a, float b, float k, const TyreHeatShape& s, float ambient);

struct SidewallFlow {
  int position = 0;               // 0, 1 front; 2, 3 rear
  float carSpeed = 0.0f;
  float wheelSpin = 0.0f;
  float frontCooling = 6.0f;
  float rearCooling = 6.0f;
  bool flexHeat = false;
  float flexFactor = 0.0f;
};
float tyreSidewallExchange(float a, float b, float k0, const TyreHeatShape& s, const SidewallFlow& f, float ambient);
float tyreInnerExchange(float a, float b, float k, const TyreHeatShape& s);

}  // namespace kvl::physics
