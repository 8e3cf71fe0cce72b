#include "plugin/physics/car_load_pass.h"

#include <cstring>
#include <exception>
#include <memory>
#include <string>

#include "plugin/foundation/settings/option_families.h"
#include "plugin/host/binding/call_through.h"
#include "plugin/host/binding/memory_patch.h"
#include "plugin/physics/car_file_reads.h"
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

// The blocks the pass converts in place, each once per car file the host reads: a second state
// 13 without a new read (a restart) leaves them as they are.
ConvertedBlocks& rescaledTables() {
  static ConvertedBlocks blocks;
  return blocks;
}
ConvertedBlocks& parameterBlocks() {
  static ConvertedBlocks blocks;
  return blocks;
}
// The force-feedback sensitivity as the car file gave it: every pass applies the driver's
// settings of that moment to it.
float parsedSensitivity = 0.0f;

// Runs one part's set-up. An exception ends that set-up only: its cause is logged and the pass
// goes on with the remaining steps, so that nothing of the previous car stays. False when it threw.
template <typename SetUp>
bool runSetUp(SetUp setUp) {
  try {
    setUp();
    return true;
  } catch (const std::exception& e) {
    appendSetupErrorLine(std::string("car parameters not loaded: ") + e.what());
  } catch (...) {
    appendSetupErrorLine("car parameters not loaded");
  }
  return false;
}

void writeCodeFloat(std::uint32_t site, float value) {
  host::MemoryPatch patch(host::HostAddress(site).resolve(), &value, 4);
  patch.apply();
}

void detachListNodes(void* car) {
  for (std::size_t offset : HostCar::kListNodes) HostListNode::detach(static_cast<std::uint8_t*>(car) + offset);
}

bool runPartSetups(void* car) {
  const CarPartSetups& s = carPartSetups();
  auto* c = static_cast<std::uint8_t*>(car);
  bool complete = true;
  if (s.engine) complete = runSetUp([&] { s.engine(c + HostCar::kEngineModel); }) && complete;
  if (s.differential) complete = runSetUp([&] { s.differential(c + HostCar::kEngine); }) && complete;
  if (s.drivetrain) complete = runSetUp([&] { s.drivetrain(c + HostCar::kDrivetrain); }) && complete;
  return complete;
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

bool installCompounds(void* car, void* block, const CompoundSet& compounds, const std::uint8_t (*snapshot)[788],
                      TyreDerived& derived) {
  bool complete = true;
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
    if (carPartSetups().wheel) complete = runSetUp([&] { carPartSetups().wheel(wheel, i, s); }) && complete;
  }
  return complete;
}

void rescaleTables(void* car, float s, std::uint32_t reads) {
  auto* table = static_cast<std::uint8_t*>(HostCar::table(car));
  if (table == nullptr || rescaledTables().converted(table, reads)) return;
  rescaleCarTable(table, s);
  rescaledTables().remember(table, reads);
}

void applyForceFeedbackSensitivity(void* block) {
  const char* surface = surfaceWord(fieldAt<std::int32_t>(block, CarParameterBlock::kSurface));
  const std::string key = std::string("ForceFeedbackSensitivity") + surface;
  const std::int32_t perSurface = KorvalaIniOption<IntOption>(key, "QZR", 100).read();
  const std::int32_t perCar =
      KorvalaIniOption<IntOption>(key + "_Car" + std::to_string(hostCurrentCarNumber()), "QZR", 0).read();
  fieldAt<float>(block, CarParameterBlock::kFfbSensitivity) =
      applySensitivity(parsedSensitivity, sensitivityFactor(perCar, perSurface));
}

}  // namespace

float carTimeScale(const void* car) noexcept {
  const void* block = HostCar::parameterBlock(car);
  return block == nullptr ? 1.0f : timeScaleFor(fieldAt<float>(block, CarParameterBlock::kTimeDivisor));
}

bool loadCarParameters(void* car, const std::uint8_t (*snapshot)[788]) {
  const std::uint32_t reads = carFileReads();
  void* block = HostCar::parameterBlock(car);
  if (block != nullptr && !parameterBlocks().converted(block, reads)) {
    parsedSensitivity = fieldAt<float>(block, CarParameterBlock::kFfbSensitivity);
    parameterBlocks().remember(block, reads);
  }
  detachListNodes(car);
  auto compounds = std::make_unique<CompoundSet>();
  buildTyreCompounds(*compounds);
  carParametersLoaded = false;
  bool complete = runPartSetups(car);
  if (block != nullptr) checkChassisRanges(block);

  TyreDerived derived;
  complete = installCompounds(car, block, *compounds, snapshot, derived) && complete;
  finish(derived);
  tyreDerivedA = derived.a;
  tyreDerivedB = derived.b;
  tyreDerivedC = derived.c;
  writeCodeFloat(kTyreDerivedCodeSite, tyreDerivedC);

  const float s = carTimeScale(car);
  rescaleTables(car, s, reads);
  timeScaled500 = s * 500.0f;
  writeCodeFloat(kTimeScaledCodeSite, s * 11000.0f);
  timeScaled800 = s * 800.0f;
  timeScaled4000 = s * 4000.0f;

  if (block != nullptr) applyForceFeedbackSensitivity(block);
  carParametersLoaded = complete;
  return complete;
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
