#pragma once
// The 664-byte UDP telemetry datagram: race state, driver inputs, motion and temperatures of
// the car, and one 128-byte block per wheel, composed from the host's records.
#include <cstddef>
#include <cstdint>

#include "common/telemetry/car_frame_cache.h"
#include "common/telemetry/telemetry_channel_table.h"

namespace kvl {

struct UdpWheelBlock {
  float deflection;
  float rollbarForce;
  float springForce;
  float dampingForce;
  float strutForce;
  std::int32_t helperSpringActive;
  std::uint32_t linkedValue;
  float deflectionVelocity;
  float brakeDiskLayerTemp;
  float brakeDiskTemp;
  float brakeWear;
  float pressure;
  float temperature;
  float tyreTemperature;
  float treadTemperature;
  std::uint32_t currentTyreSegment;
  struct Segment {
    float temperature;
    float wear;
  } segments[8];
};

struct UdpTelemetryPacket {
  std::uint32_t totalSteps;
  std::int32_t stage;
  float progress;
  float raceTime;
  float driveLineLocation;
  float distanceToEnd;
  float steering;
  float throttle;
  float brake;
  float handbrake;
  float clutch;
  std::int32_t gear;
  float footbrakePressure;
  float handbrakePressure;
  std::int32_t car;
  float speed;
  float position[3];
  float roll;
  float pitch;
  float yaw;
  float linearVelocity[3];
  float angularVelocity[3];
  float linearAcceleration[3];
  float angularAcceleration[3];
  float engineRotation;
  float radiatorCoolantTemperature;
  float engineCoolantTemperature;
  float engineTemperature;
  UdpWheelBlock wheels[4];
};

static_assert(sizeof(UdpWheelBlock) == 128, "wheel block is 128 bytes");
static_assert(offsetof(UdpWheelBlock, linkedValue) == 24 && offsetof(UdpWheelBlock, brakeWear) == 40 &&
                  offsetof(UdpWheelBlock, currentTyreSegment) == 60 && offsetof(UdpWheelBlock, segments) == 64,
              "wheel block layout");
static_assert(sizeof(UdpTelemetryPacket) == 664, "packet is 664 bytes");
static_assert(offsetof(UdpTelemetryPacket, gear) == 44 && offsetof(UdpTelemetryPacket, car) == 56 &&
                  offsetof(UdpTelemetryPacket, position) == 64 && offsetof(UdpTelemetryPacket, roll) == 76 &&
                  offsetof(UdpTelemetryPacket, linearVelocity) == 88 &&
                  offsetof(UdpTelemetryPacket, angularAcceleration) == 124 &&
                  offsetof(UdpTelemetryPacket, engineRotation) == 136 &&
                  offsetof(UdpTelemetryPacket, engineTemperature) == 148 && offsetof(UdpTelemetryPacket, wheels) == 152,
              "packet layout");

// The host records a packet reads (those of the channel table, and per wheel the object its
// member at +3796 points to). A missing record reads as zeros.
struct UdpPacketSources {
  HostObjects records;
  const void* linked[4] = {};
};

// Radians to degrees with the host's factor, in double.
float packetDegrees(float radians);
// A car-frame vector in the packet's axes: (-y, -x, z) times scale.
void packetAxes(const Float3& v, float scale, float out[3]);
// The brake block's fixed-point values.
float brakeTemperature(std::uint32_t microdegrees);
float brakeWear(std::uint32_t raw);

// Composes a packet from the sources and the car frame (already updated for this packet).
UdpTelemetryPacket composeUdpPacket(const UdpPacketSources& sources, const CarFrameCache& frame);

#if UINTPTR_MAX == 0xFFFFFFFFu
// Follows the car record's wheel, wear and linked pointers (32-bit build, host layouts).
UdpPacketSources udpPacketSourcesOfCar(const void* car, const void* race, const void* game, const void* replay);
#endif

}  // namespace kvl
