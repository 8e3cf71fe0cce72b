#pragma once
// The plugin floats that host code reads in place of its own constants (the hook set points the
// host instructions' memory operands at them). They describe the car loaded last: the load pass
// sets them, the per-tick hooks read them. One instance per process, at a fixed address.
#include "plugin/physics/models/atmosphere.h"
#include "plugin/physics/models/drivetrain_model.h"
#include "plugin/physics/models/engine_model.h"
#include "plugin/physics/models/spring_damper_model.h"
#include "plugin/physics/models/suspension_model.h"

namespace kvl::physics {

struct PhysicsVariables {
  EngineConstants engine;
  Atmosphere air;
  DrivelineCoefficients driveline;
  float rearShare = 0.5f;                  // the rear wheels' share of an axle quantity
  float tyreHeatFlow = 800.0f;
  float halfDensityRatio = 0.5f;           // density ratio x 0.5, set by the downforce step
  float differentialSpeedScale = 5000.0f;  // rev limit / 7800 x 5000
  float differentialSecond = 0.05f;
  SpringConstants spring;
  SuspensionDamageLevels damage;
};

PhysicsVariables& physicsVariables();

}  // namespace kvl::physics
