#include "plugin/physics/key_alias_tables.h"

#include <cstdio>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "plugin/host/binding/call_through.h"

namespace kvl::physics {
namespace {

using host::HostKeyEntry;
using host::HostKeyTableDescriptor;
using host::HostWord;
using host::KeyAliasTable;

HostWord wordOf(const void* p) noexcept { return static_cast<HostWord>(reinterpret_cast<std::uintptr_t>(p)); }

struct OwnRow {
  const char* name;
  std::int32_t fieldLocator;
};

struct Rename {
  const char* from;
  const char* to;
};

void applyRenames(HostKeyEntry& entry, std::initializer_list<Rename> renames) noexcept {
  for (const Rename& r : renames) KeyAliasTable::rename(entry, r.from, r.to);
}

HostKeyEntry* hostTable(std::uint32_t virtualAddress) {
  return static_cast<HostKeyEntry*>(host::HostAddress(virtualAddress).resolve());
}

void renameInPlace(std::uint32_t table, std::size_t visited, std::initializer_list<Rename> renames) {
  HostKeyEntry* entries = hostTable(table);
  for (std::size_t i = 0; i < visited; ++i) applyRenames(entries[i], renames);
}

// Copies `visited` host entries into the plugin table (renaming the copies), appends the own
// rows and installs the table in the descriptor.
void copyAndInstall(HostKeyEntry* plugin, std::uint32_t table, std::size_t visited, const OwnRow* own,
                    std::size_t ownCount, std::uint32_t descriptor, std::initializer_list<Rename> renames = {}) {
  std::memcpy(plugin, hostTable(table), visited * sizeof(HostKeyEntry));
  for (std::size_t i = 0; i < visited; ++i) applyRenames(plugin[i], renames);
  for (std::size_t i = 0; i < ownCount; ++i) plugin[visited + i] = HostKeyEntry{wordOf(own[i].name), 0, own[i].fieldLocator, 0};
  void* d = host::HostAddress(descriptor).resolve();
  HostKeyTableDescriptor::setTable(d, plugin);
  HostKeyTableDescriptor::setCount(d, static_cast<std::int32_t>(visited + ownCount));
}

// Names the plugin makes at start-up live here for the life of the process.
const char* keep(const std::string& name) {
  // A deque never moves its strings, so their texts stay where the tables point.
  static std::deque<std::string>* names = new std::deque<std::string>();
  names->push_back(name);
  return names->back().c_str();
}

// Drivetrain: DriveTrain_QZR, ten brake keys per corner (60 locators apart), brake temperature
// and wear keys, gear actuator times.
std::vector<OwnRow> drivetrainRows() {
  std::vector<OwnRow> rows = {{"DriveTrain_QZR", 397}};
  static const char* const kBrake[10] = {"BrakeMass", "BrakeConvFtr", "BrakeLayerMassPct", "BrakeRadiusEff",
                                          "BrakeSpecHeat", "BrakeHeatAbsRatio", "BrakePlateArea", "BrakeVentArea",
                                          "BrakeIntConvec", "BrakePistonArea"};
  static const char* const kCorner[4] = {"LF", "RF", "LR", "RR"};
  for (int c = 0; c < 4; ++c) {
    for (int k = 0; k < 10; ++k) {
      rows.push_back({keep(std::string(kBrake[k]) + "_" + kCorner[c] + "_QZR"), 87 + 60 * c + 4 * k});
    }
  }
  static const char* const kWear[11] = {"BrakeTempThresholdLow_QZR", "BrakeTempThresholdHigh_QZR",
                                         "BrakeTempThresholdMid_QZR", "BrakeTempWearThresholdLow_QZR",
                                         "BrakeWearFactor_QZR",       "BrakeForceWearFactor_QZR",
                                         "LowBrakeTempCOF_QZR",       "MidBrakeTempCOF_QZR",
                                         "HighBrakeTempCOF_QZR",      "WornBrakeCOF_QZR",
                                         "BrakeWearLimit_QZR"};
  for (int k = 0; k < 11; ++k) rows.push_back({kWear[k], 315 + 4 * k});
  rows.push_back({"GearActuatorDisengageTime_QZR", 666});
  rows.push_back({"GearActuatorEngageTime_QZR", 670});
  return rows;
}

const OwnRow kDamperRows[] = {
    {"HighSpeedBreakReboundFront_QZR", 303}, {"HighSpeedDampingReboundFront_QZR", 307},
    {"HighSpeedBreakReboundRear_QZR", 311},  {"HighSpeedDampingReboundRear_QZR", 315},
    {"BumpStopStiffnessFront_QZR", 319},     {"BumpStopDampingBumpFront_QZR", 323},
    {"BumpStopDampingReboundFront_QZR", 327}, {"BumpStopStiffnessRear_QZR", 331},
    {"BumpStopDampingBumpRear_QZR", 335},    {"BumpStopDampingReboundRear_QZR", 339},
    {"HandbrakePercentage_QZR", 347},
};

std::string twoDigits(int n) {
  char text[4];
  std::snprintf(text, sizeof text, "%02d", n);
  return text;
}

std::vector<OwnRow> makeEngineRows() {
  std::vector<OwnRow> rows = {{"EngineType_QZR", 2491}};
  static const OwnRow kTurbo[] = {
      {"TurboInertia_QZR", 3},           {"TurboCompressorCoefficient_QZR", 7}, {"TurboTurbineCoefficient_QZR", 11},
      {"TurboMinBlowOffPressure_QZR", 15}, {"TurboMaxBlowOffPressure_QZR", 19}, {"TurboBlowOffCoefficient_QZR", 23},
      {"TurboMinWasteGatePressure_QZR", 27}, {"TurboMaxWasteGatePressure_QZR", 31},
      {"TurboWasteGateCoefficient_QZR", 35}, {"TurboLinearFrictionFactor_QZR", 43},
      {"TurboSquareFrictionFactor_QZR", 47}, {"TurboMaxOilFlowPressure_QZR", 51}, {"TurboMinOilFlowPressure_QZR", 55}};
  rows.insert(rows.end(), std::begin(kTurbo), std::end(kTurbo));
  for (int n = 0; n < 4; ++n) {
    rows.push_back({keep("MaxOilGalleryFlowPressure_" + twoDigits(n) + "_QZR"), 67 + 16 * n});
    rows.push_back({keep("MinOilGalleryFlowPressure_" + twoDigits(n) + "_QZR"), 71 + 16 * n});
    rows.push_back({keep("MinOilFlowRatePercentage_" + twoDigits(n) + "_QZR"), 75 + 16 * n});
  }
  for (int n = 0; n < 16; ++n) rows.push_back({keep("Tq_" + twoDigits(n) + "_RPM_QZR"), 2193 + 8 * n});
  for (int n = 0; n < 16; ++n) rows.push_back({keep("Tq_" + twoDigits(n) + "_QZR"), 2197 + 8 * n});
  for (int n = 0; n < 16; ++n) rows.push_back({keep("TurboTurbineBackPressure_" + twoDigits(n) + "_AV_QZR"), 2321 + 8 * n});
  for (int n = 0; n < 16; ++n) rows.push_back({keep("TurboTurbineBackPressure_" + twoDigits(n) + "_QZR"), 2325 + 8 * n});
  static const OwnRow kRest[] = {
      {"CylinderVolume_QZR", 2449},
      {"DissipatedHeatFraction_QZR", 2471},
      {"InletPipeAirFlowCoefficient_QZR", 2475},
      {"OutletPipeAirFlowCoefficient_QZR", 2479},
      {"InletPipeArea_QZR", 2483},
      {"OutletPipeArea_QZR", 2487},
      {"IdleSpeedThrottle_QZR", 2495},
      {"TurboHosingDamageLossCoefficient_QZR", 2499},
      {"EngineHeatTransferCoefficient_QZR", 2506},
      {"EngineCoolantDuctArea_QZR", 2510},
      {"EngineCoolantHeatStateMassUpperBound_QZR", 2518},
      {"ThermostatOpeningTemperature_QZR", 2522},
      {"WaterPumpMassFlowRate_QZR", 2526},
      {"RadiatorCoolantHeatStateMassUpperBound_QZR", 2532},
      {"RadiatorCoolantMassLowerBound_QZR", 2536},
      {"RadiatorCoolantMassUpperBound_QZR", 2540},
      {"RadiatorArea_QZR", 2544},
      {"BaseAirCooling_QZR", 2548},
      {"VelocityAirCooling_QZR", 2552},
      {"OilCapacity_QZR", 2564},
      {"OilPumpOutput_QZR", 2568},
      {"TorqueCut_QZR", 2572},
      {"EngineMass_QZR", 2588},
      {"CylinderOilFrictionTorqueCoefficient_QZR", 2576},
      {"HighTemperatureFrictionLossTorqueCoefficient_QZR", 2580},
      {"FrictionLossTemperatureThreshold_QZR", 2584},
  };
  rows.insert(rows.end(), std::begin(kRest), std::end(kRest));
  return rows;
}

const std::vector<OwnRow>& engineRows() {
  static const std::vector<OwnRow> rows = makeEngineRows();
  return rows;
}

const OwnRow kGearboxRows[] = {{"UpShiftDelay_QZR", 83}, {"DownShiftDelay_QZR", 87}, {"ClutchHelpDecrement_QZR", 91}};
const OwnRow kTyreRows[] = {{"CarcassThickness_QZR", 36},         {"SideWallHeight_QZR", 56}, {"PressureRatio_QZR", 8},
                            {"CarcassStiffnessVertical_QZR", 52}, {"PressureFuncFtr_QZR", 60}, {"FlexHeatFtr_QZR", 64}};
const OwnRow kSuspensionRows[] = {{"BumpStopRebound_QZR", 124},           {"TopMountDamageForceThreshold_QZR", 585},
                                  {"TopMountDamageMaxForce_QZR", 589},    {"AxisInclinationDamageAngle_QZR", 593},
                                  {"HubDamageTorqueThreshold_QZR", 597},  {"HubDamageMaxTorque_QZR", 601}};
const OwnRow kForceFeedbackRows[] = {{"FrontDownforce_QZR", 0x7C}, {"RearDownforce_QZR", 0x80}};

// The plugin's tables: fixed for the life of the process, the host's parser walks them.
HostKeyEntry drivetrainTable[15 + 54];
HostKeyEntry damperTable[17 + 11];
HostKeyEntry engineTable[17 + 116];
HostKeyEntry gearboxTable[23 + 3];
HostKeyEntry tyreTable[10 + 6];
HostKeyEntry suspensionTable[27 + 6];
HostKeyEntry forceFeedbackTable[18 + 2];

}  // namespace

void aliasDrivetrainKeys() {
  // The host's own entry takes the new name first, so both tables carry it.
  renameInPlace(0x7C95F0, 15, {{"WheelInertia", "ShiftLatency_QZR"}});
  static const std::vector<OwnRow> rows = drivetrainRows();
  copyAndInstall(drivetrainTable, 0x7C95F0, 15, rows.data(), rows.size(), 0x1659134);
}

void extendDamperKeys() {
  copyAndInstall(damperTable, 0x7C94E0, 17, kDamperRows, std::size(kDamperRows), 0x165915C);
}

void aliasSetupRangeKeys() {
  renameInPlace(0x7C96E0, 230,
                {{"Gear0OptionsMin", "CenterDiffMapLockPctMin_QZR"},
                 {"Gear0OptionsMax", "CenterDiffMapLockPctMax_QZR"},
                 {"Gear1OptionsMin", "FrontDiffMapLockPctMin_QZR"},
                 {"Gear1OptionsMax", "FrontDiffMapLockPctMax_QZR"},
                 {"Gear2OptionsMin", "RearDiffMapLockPctMin_QZR"},
                 {"Gear2OptionsMax", "RearDiffMapLockPctMax_QZR"},
                 {"Gear3OptionsMin", "Features_QZR"},
                 {"Gear3OptionsMax", "TorqueSplit_QZR"},
                 {"Gear4OptionsMin", "FrontTyreCoolingFtr_QZR"},
                 {"Gear4OptionsMax", "RearTyreCoolingFtr_QZR"},
                 {"Gear5OptionsMin", "TyreHeatFlowFtr_QZR"},
                 {"Gear5OptionsMax", "DriveTrainLoss_QZR"},
                 {"Gear6OptionsMin", "TyrePerformancePctT_QZR"},
                 {"Gear6OptionsMax", "TyrePerformancePctG_QZR"},
                 {"Gear7OptionsMin", "TyrePerformancePctS_QZR"},
                 {"FrontBrakes", "FrontBrakeVelSlope_QZR"},
                 {"RearBrakes", "RearBrakeVelSlope_QZR"},
                 {"FrontBrake1Mass", "BumpStopStiffnessMin_QZR"},
                 {"FrontBrake1Inertia", "BumpStopStiffnessMax_QZR"},
                 {"FrontBrake1Diameter", "BumpStopStiffnessStep_QZR"},
                 {"FrontBrake1RadiusEff", "BumpStopDampingMin_QZR"},
                 {"FrontBrake1SpecHeat", "BumpStopDampingMax_QZR"},
                 {"FrontBrake1HeatAbsRatio", "BumpStopDampingStep_QZR"}});
}

void extendEngineKeys() {
  const auto& rows = engineRows();
  copyAndInstall(engineTable, 0x7CA6D8, 17, rows.data(), rows.size(), 0x16591B0);
}

void aliasFeaturesKey() { renameInPlace(0x7CA698, 1, {{"Dummy", "Features_QZR"}}); }

void aliasEngineRangeKeys() {
  renameInPlace(0x7CA6A8, 3,
                {{"DummyMin", "IdleRPM_QZR"}, {"DummyMax", "MaxTorque_QZR"}, {"DummyStep", "BrakeCoefficient_QZR"}});
}

void extendGearboxKeys() {
  copyAndInstall(gearboxTable, 0x7CE080, 23, kGearboxRows, std::size(kGearboxRows), 0x165F214);
}

void aliasTyreKeys() {
  copyAndInstall(tyreTable, 0x7CCC50, 10, kTyreRows, std::size(kTyreRows), 0x165F1B0,
                 {{"CarcassRadius", "CarcassRadius_QZR"},
                  {"TreadDepth", "TreadDepth_QZR"},
                  {"ReferenceFriction", "Performance_QZR"},
                  {"CarcassStiffnessLateral", "CarcassStiffnessLateral_QZR"},
                  {"CarcassStiffnessTorsional", "CarcassStiffnessTorsional_QZR"},
                  {"CarcassWidth", "CarcassWidth_QZR"},
                  {"TreadWidth", "TreadWidth_QZR"},
                  {"TreadCoverage", "TreadCoverage_QZR"},
                  {"HubOffset", "HubOffset_QZR"}});
}

void aliasSuspensionKeys() {
  copyAndInstall(suspensionTable, 0x7CE288, 27, kSuspensionRows, std::size(kSuspensionRows), 0x165F2CC,
                 {{"vecDriveAxleJointPos_VF", "vecPosOffset_QZR"}});
}

void aliasForceFeedbackKeys() {
  copyAndInstall(forceFeedbackTable, 0x7C6578, 18, kForceFeedbackRows, std::size(kForceFeedbackRows), 0x8EF73C,
                 {{"MaxFFTorque", "ForceFeedbackSensitivity_QZR"}, {"SubTics", "reserved_QZR"}});
}

void aliasPhysicsRevisionKey() { renameInPlace(0x7CBB10, 16, {{"MaxExpirableCount", "PhysicsRevision_QZR"}}); }

void buildKeyAliasTables() {
  aliasDrivetrainKeys();
  extendDamperKeys();
  aliasSetupRangeKeys();
  extendEngineKeys();
  aliasFeaturesKey();
  aliasEngineRangeKeys();
  extendGearboxKeys();
  aliasTyreKeys();
  aliasSuspensionKeys();
  aliasForceFeedbackKeys();
  aliasPhysicsRevisionKey();
  host::extendBodyKeys();
}

}  // namespace kvl::physics
