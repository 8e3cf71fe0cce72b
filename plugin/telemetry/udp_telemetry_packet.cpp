#include "plugin/telemetry/udp_telemetry_packet.h"

#include <cstring>

namespace kvl {
namespace {

constexpr double kDegreesPerRadian = 57.29577791868205;
constexpr float kGravity = 9.81f;

template <typename T>
T read(const void* base, std::uint32_t offset) {
  T value{};
  if (base != nullptr) std::memcpy(&value, static_cast<const unsigned char*>(base) + offset, sizeof value);
  return value;
}

float readF(const void* base, std::uint32_t offset) { return read<float>(base, offset); }

UdpWheelBlock wheelBlock(const void* w, const void* brake, const void* wear, const void* linked) {
  UdpWheelBlock b{};
  b.deflection = readF(w, 1468);
  b.rollbarForce = readF(w, 3696);
  b.springForce = readF(w, 3700);
  b.dampingForce = readF(w, 3704);
  b.strutForce = readF(w, 3708);
  b.helperSpringActive = read<std::int32_t>(w, 3800);
  b.linkedValue = read<std::uint32_t>(linked, 4);
  b.deflectionVelocity = readF(w, 1484);
  b.brakeDiskLayerTemp = brakeTemperature(read<std::uint32_t>(brake, 124));
  b.brakeDiskTemp = brakeTemperature(read<std::uint32_t>(brake, 140));
  b.brakeWear = brakeWear(read<std::uint32_t>(brake, 196));
  b.pressure = readF(w, 1816);
  b.temperature = readF(w, 1812);
  b.tyreTemperature = readF(w, 2016);
  b.treadTemperature = readF(w, 2012);
  b.currentTyreSegment = read<std::uint32_t>(w, 2020);
  for (std::uint32_t k = 0; k < 8; ++k) {
    b.segments[k].temperature = readF(w, 1920 + 12 * k);
    b.segments[k].wear = readF(wear, 4 * k);
  }
  return b;
}

}  // namespace

float packetDegrees(float radians) { return static_cast<float>(static_cast<double>(radians) * kDegreesPerRadian); }

void packetAxes(const Float3& v, float scale, float out[3]) {
  out[0] = -v.y * scale;
  out[1] = -v.x * scale;
  out[2] = v.z * scale;
}

float brakeTemperature(std::uint32_t microdegrees) { return static_cast<float>(microdegrees) / 1000000.0f; }

float brakeWear(std::uint32_t raw) { return static_cast<float>(raw) * 6.6666665e-8f; }

UdpTelemetryPacket composeUdpPacket(const UdpPacketSources& sources, const CarFrameCache& frame) {
  const HostObjects& s = sources.records;
  UdpTelemetryPacket p{};
  p.totalSteps = read<std::uint32_t>(s.replay, 1620076);
  p.stage = read<std::int32_t>(s.game, 1840);
  p.progress = readF(s.race, 316);
  p.raceTime = readF(s.race, 320);
  p.driveLineLocation = readF(s.race, 32);
  p.distanceToEnd = readF(s.race, 40);
  p.steering = readF(s.game, 2820);
  p.throttle = readF(s.game, 2824);
  p.brake = readF(s.game, 2828);
  p.handbrake = readF(s.game, 2832);
  p.clutch = readF(s.game, 2836);
  p.gear = read<std::int32_t>(s.race, 368);
  p.footbrakePressure = readF(s.car, 1312);
  p.handbrakePressure = readF(s.car, 1328);
  p.car = read<std::int32_t>(s.game, 1844);
  p.speed = readF(s.race, 12);
  for (std::uint32_t i = 0; i < 3; ++i) p.position[i] = readF(s.car, 320 + 4 * i);
  p.roll = packetDegrees(frame.roll);
  p.pitch = packetDegrees(frame.pitch);
  p.yaw = packetDegrees(frame.yaw);
  packetAxes(frame.linearVelocity, 1.0f, p.linearVelocity);
  Float3 angular = frame.angularVelocity;
  packetAxes(Float3{packetDegrees(angular.x), packetDegrees(angular.y), packetDegrees(angular.z)}, 1.0f,
             p.angularVelocity);
  const Float3& a = frame.linearAcceleration;
  packetAxes(Float3{a.x / kGravity, a.y / kGravity, a.z / kGravity}, 1.0f, p.linearAcceleration);
  angular = frame.angularAcceleration;
  packetAxes(Float3{packetDegrees(angular.x), packetDegrees(angular.y), packetDegrees(angular.z)}, 1.0f,
             p.angularAcceleration);
  p.engineRotation = readF(s.race, 16);
  p.radiatorCoolantTemperature = readF(s.car, 4464);
  p.engineCoolantTemperature = readF(s.car, 4472);
  p.engineTemperature = readF(s.car, 5004);
  for (std::uint32_t i = 0; i < 4; ++i) {
    const void* brake = s.car ? static_cast<const unsigned char*>(s.car) + 3032 + 200 * i : nullptr;
    p.wheels[i] = wheelBlock(s.wheel[i], brake, s.wear[i], sources.linked[i]);
  }
  return p;
}

#if UINTPTR_MAX == 0xFFFFFFFFu
UdpPacketSources udpPacketSourcesOfCar(const void* car, const void* race, const void* game, const void* replay) {
  UdpPacketSources s;
  s.records = hostObjectsOfCar(car, replay, race, game);
  for (std::uint32_t i = 0; i < 4; ++i) {
    s.linked[i] = reinterpret_cast<const void*>(static_cast<std::uintptr_t>(read<std::uint32_t>(s.records.wheel[i], 3796)));
  }
  return s;
}
#endif

}  // namespace kvl
