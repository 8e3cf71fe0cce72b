#include "plugin/physics/car_load_pass.h"

#include <cstring>
#include <exception>
#include <memory>
#include <string>

#include "plugin/foundation/settings/option_families.h"
#include "plugin/host/binding/call_through.h"
#include "plugin/host/binding/memory_patch.h"
#include "plugin/physics/car_load_maths.h"
#include "plugin/physics/car_part_setups.h"
#include "plugin/physics/car_setup.h"
#include "plugin/physics/host_car.h"
#include "plugin/physics/setup_parameter_check.h"
#include "plugin/physics/tyre_compounds.h"

namespace kvl::physics {

float tyreDerivedA = 0.4f;
float tyreDerivedB = 0.15f;
float tyreDerivedC = 0.2f;
float timeScaled500 = 500.0f;
float timeScaled800 = 800.0f;
float timeScaled4000 = 4000.0f;
bool carParametersLoaded = true;

CarPartSetups& carPartSetups() noexcept {
  static CarPartSetups setups;
  return setups;
}

namespace {

using host::fieldAt;

constexpr std::uint32_t kTyreDerivedCodeSite = 0x53DAA6;
constexpr std::uint32_t kTimeScaledCodeSite = 0x4F13A7;

// The blocks the pass converts in place, so that a second state 13 without a new parse leaves
// them as they are.
ConvertedBlocks& convertedBlocks() {
  static ConvertedBlocks blocks;
  return blocks;
}

void writeCodeFloat(std::uint32_t site, float value) {
  host::MemoryPatch patch(host::HostAddress(site).resolve(), &value, 4);
  patch.apply();
}

void detachListNodes(void* car) {
  for (std::size_t offset : HostCar::kListNodes) HostListNode::detach(static_cast<std::uint8_t*>(car) + offset);
}

void runPartSetups(void* car) {
  const CarPartSetups& s = carPartSetups();
  auto* c = static_cast<std::uint8_t*>(car);
  if (s.engine) s.engine(c + HostCar::kEngineModel);
  if (s.differential) s.differential(c + HostCar::kEngine);
  if (s.drivetrain) s.drivetrain(c + HostCar::kDrivetrain);
}

void checkChassisRanges(void* block) {
  const void* ranges = hostCarSetupRanges();
  if (ranges == nullptr) return;
  using R = CarSetupRanges;
  using B = CarParameterBlock;
  auto check = [&](std::size_t value, std::size_t minimum, std::size_t maximum, const char* name) {
    checkSetupParameter(&fieldAt<float>(block, value), fieldAt<float>(ranges, minimum), fieldAt<float>(ranges, maximum),
                        name, -1);
  };
  check(B::kSteeringLock, R::kSteeringLockMin, R::kSteeringLockMax, "MaxSteeringLock");
  check(B::kFrontRollBar, R::kFrontRollBarMin, R::kFrontRollBarMax, "FrontRollBarStiffness");
  check(B::kRearRollBar, R::kRearRollBarMin, R::kRearRollBarMax, "RearRollBarStiffness");
}

void installCompounds(void* car, void* block, const CompoundSet& compounds, const std::uint8_t (*snapshot)[788],
                      TyreDerived& derived) {
  for (int i = 0; i < 4; ++i) {
    void* wheel = HostCar::wheel(car, i);
    if (wheel == nullptr) continue;
    if (std::uint8_t* record = HostWheel::tyreRecord(wheel)) {
      const CompoundRecord& c = compounds[compoundIndexFor(fieldAt<std::uint32_t>(record, 12))];
      applyCompoundToTyreRecord(c, record);
      applyCompoundToWheelPart(c, HostWheel::secondPart(wheel));
    }
    const std::uint8_t* s = snapshot[i];
    addWheel(derived, fieldAt<float>(s, 124), fieldAt<float>(s, 140));
    if (derived.sum && block != nullptr) fieldAt<float>(block, CarParameterBlock::kTyreSum) = *derived.sum;
    if (carPartSetups().wheel) carPartSetups().wheel(wheel, i, s);
  }
}

void rescaleTables(void* car, float s) {
  auto* table = static_cast<std::uint8_t*>(HostCar::table(car));
  if (table == nullptr) return;
  ConvertedBlocks& converted = convertedBlocks();
  if (converted.converted(table, kCarTableBytes)) return;
  rescaleCarTable(table, s);
  converted.remember(table, kCarTableBytes);
}

void applyForceFeedbackSensitivity(void* block) {
  const char* surface = surfaceWord(fieldAt<std::int32_t>(block, CarParameterBlock::kSurface));
  const std::string key = std::string("ForceFeedbackSensitivity") + surface;
  const std::int32_t perSurface = KorvalaIniOption<IntOption>(key, "QZR", 100).read();
  const std::int32_t perCar =
      KorvalaIniOption<IntOption>(key + "_Car" + std::to_string(hostCurrentCarNumber()), "QZR", 0).read();
  float& sensitivity = fieldAt<float>(block, CarParameterBlock::kFfbSensitivity);
  sensitivity = applySensitivity(sensitivity, sensitivityFactor(perCar, perSurface));
}

}  // namespace

float carTimeScale(const void* car) noexcept {
  const void* block = HostCar::parameterBlock(car);
  return block == nullptr ? 1.0f : timeScaleFor(fieldAt<float>(block, CarParameterBlock::kTimeDivisor));
}

bool loadCarParameters(void* car, const std::uint8_t (*snapshot)[788]) {
  void* block = HostCar::parameterBlock(car);
  // A block left as the last pass converted it (the host did not parse the car again) keeps
  // its converted values.
  const bool fresh = block == nullptr || !convertedBlocks().converted(block, CarParameterBlock::kBytes);
  detachListNodes(car);
  auto compounds = std::make_unique<CompoundSet>();
  buildTyreCompounds(*compounds);
  carParametersLoaded = false;
  runPartSetups(car);
  if (block != nullptr) checkChassisRanges(block);

  TyreDerived derived;
  installCompounds(car, block, *compounds, snapshot, derived);
  finish(derived);
  tyreDerivedA = derived.a;
  tyreDerivedB = derived.b;
  tyreDerivedC = derived.c;
  writeCodeFloat(kTyreDerivedCodeSite, tyreDerivedC);

  const float s = carTimeScale(car);
  rescaleTables(car, s);
  timeScaled500 = s * 500.0f;
  writeCodeFloat(kTimeScaledCodeSite, s * 11000.0f);
  timeScaled800 = s * 800.0f;
  timeScaled4000 = s * 4000.0f;

  if (block != nullptr) {
    if (fresh) applyForceFeedbackSensitivity(block);
    convertedBlocks().remember(block, CarParameterBlock::kBytes);
  }
  carParametersLoaded = true;
  return true;
}

bool loadCarParametersLogged(void* car, const std::uint8_t (*snapshot)[788]) noexcept {
  try {
    try {
      return loadCarParameters(car, snapshot);
    } catch (const std::exception& e) {
      appendSetupErrorLine(std::string("car parameters not loaded: ") + e.what());
    } catch (...) {
      appendSetupErrorLine("car parameters not loaded");
    }
  } catch (...) {
  }
  return false;
}

}  // namespace kvl::physics
