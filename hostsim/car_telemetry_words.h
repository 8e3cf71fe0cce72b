#pragma once
// The words of the car, its brake records and its wheels that the game keeps up to date while the
// car drives, the ones the plugin's telemetry reads (the UDP packet, the recorded channels, the
// car-frame values): their values before a stage, and what one driven frame makes of them. The
// car is hostsim/car_model.cpp's; every other word keeps its pattern (hostsim/stray_words.h).
namespace hostsim {

// One driven frame of the car, along z.
struct DrivenMotion {
  float seconds = 0;       // the frame's length
  float speed = 0;         // m/s
  float acceleration = 0;  // m/s^2
  float throttle = 0;      // 0 to 1
};

// Lays the words out at rest: the car standing at the origin with its engine, brakes and tyres at
// the ambient temperature, nothing moving, no tyre worn. Once, before the host reads its first car.
void layOutCarTelemetryWords();

// The frame's motion: the car's position, velocity and accelerations, its engine warming, each
// wheel's suspension travel and forces, its tyre's segment on the road, temperatures, pressure and
// wear. Nothing brakes, so the brake pressures and records keep their values.
void driveCarTelemetryWords(const DrivenMotion& motion);

}  // namespace hostsim
