#include "common/telemetry/telemetry_channel_table.h"

#include <cstdio>
#include <cstring>

#include "common/text/date_time_text.h"

namespace kvl {

namespace {

enum class Kind { FileTime, Unsigned, Int, Float, Vector, CarVector, Angle };
enum class Source { SampleTime, Replay, Race, Game, Car, CarFrame };
enum class WheelSource { Brake, Wheel, Wear };

struct CarChannelEntry {
  const char* name;
  Kind kind;
  Source source;
  uint32_t offset;  // byte offset in the host record (for CarFrame: in the cache)
};

#define FRAME_OFFSET(field) static_cast<uint32_t>(offsetof(CarFrameCache, field))

const CarChannelEntry kCarChannels[] = {
    {"utcSystemTime", Kind::FileTime, Source::SampleTime, 0},
    {"totalSteps", Kind::Unsigned, Source::Replay, 1620076},
    {"progress", Kind::Float, Source::Race, 316},
    {"raceTime", Kind::Float, Source::Race, 320},
    {"speed", Kind::Float, Source::Race, 12},
    {"engineRotation", Kind::Float, Source::Race, 16},
    {"gear", Kind::Int, Source::Race, 368},
    {"driveLineLocation", Kind::Float, Source::Race, 32},
    {"travelDistance", Kind::Float, Source::Race, 36},
    {"distanceToEnd", Kind::Float, Source::Race, 40},
    {"stage", Kind::Int, Source::Game, 1840},
    {"car", Kind::Int, Source::Game, 1844},
    {"steering", Kind::Float, Source::Game, 2820},
    {"throttle", Kind::Float, Source::Game, 2824},
    {"brake", Kind::Float, Source::Game, 2828},
    {"handbrake", Kind::Float, Source::Game, 2832},
    {"clutch", Kind::Float, Source::Game, 2836},
    {"footbrakePressure", Kind::Float, Source::Car, 1312},
    {"handbrakePressure", Kind::Float, Source::Car, 1328},
    {"radiatorCoolantHeatState.temperature", Kind::Float, Source::Car, 4464},
    {"engineCoolantHeatState.temperature", Kind::Float, Source::Car, 4472},
    {"engineTemperature", Kind::Float, Source::Car, 5004},
    {"position", Kind::Vector, Source::Car, 320},
    {"vecRelativeLinearVelocity", Kind::Vector, Source::Car, 448},
    {"vecRelativeAngularVelocity", Kind::Vector, Source::Car, 400},
    {"vecRelativeLinearAcceleration", Kind::Vector, Source::Car, 560},
    {"vecRelativeAngularAcceleration", Kind::Vector, Source::Car, 576},
    {"vecLinearVelocityCar", Kind::CarVector, Source::CarFrame, FRAME_OFFSET(linearVelocity)},
    {"vecAngularVelocityCar", Kind::CarVector, Source::CarFrame, FRAME_OFFSET(angularVelocity)},
    {"vecLinearAccelerationCar", Kind::CarVector, Source::CarFrame, FRAME_OFFSET(linearAcceleration)},
    {"vecAngularAccelerationCar", Kind::CarVector, Source::CarFrame, FRAME_OFFSET(angularAcceleration)},
    {"vecAvgLinearAccelerationCar", Kind::CarVector, Source::CarFrame, FRAME_OFFSET(avgLinearAcceleration)},
    {"vecAvgAngularAccelerationCar", Kind::CarVector, Source::CarFrame, FRAME_OFFSET(avgAngularAcceleration)},
    {"roll", Kind::Angle, Source::CarFrame, FRAME_OFFSET(roll)},
    {"pitch", Kind::Angle, Source::CarFrame, FRAME_OFFSET(pitch)},
    {"yaw", Kind::Angle, Source::CarFrame, FRAME_OFFSET(yaw)},
};

struct WheelChannelEntry {
  const char* format;  // "%s" takes the wheel's prefix; an indexed name takes the index too
  Kind kind;
  WheelSource source;
  uint32_t offset;
  uint32_t count;   // 1, or 8 for the indexed names
  uint32_t stride;  // bytes between indexed elements
};

const WheelChannelEntry kWheelChannels[] = {
    {"%s.brakeDiskLayerTemp", Kind::Unsigned, WheelSource::Brake, 124, 1, 0},
    {"%s.brakeDiskTemp", Kind::Unsigned, WheelSource::Brake, 140, 1, 0},
    {"%s.brakeWear", Kind::Unsigned, WheelSource::Brake, 196, 1, 0},
    {"%s.deflection", Kind::Float, WheelSource::Wheel, 1468, 1, 0},
    {"%s.deflectionVelocity", Kind::Float, WheelSource::Wheel, 1484, 1, 0},
    {"%s.innerBumpDeflectionVelocity", Kind::Float, WheelSource::Wheel, 3816, 1, 0},
    {"%s.outerBumpDeflectionVelocity", Kind::Float, WheelSource::Wheel, 3820, 1, 0},
    {"%s.temperature", Kind::Float, WheelSource::Wheel, 1812, 1, 0},
    {"%s.pressure", Kind::Float, WheelSource::Wheel, 1816, 1, 0},
    {"%s.segmentData[%zu].temperature", Kind::Float, WheelSource::Wheel, 1920, 8, 12},
    {"%s.treadTemperature", Kind::Float, WheelSource::Wheel, 2012, 1, 0},
    {"%s.tyreTemperature", Kind::Float, WheelSource::Wheel, 2016, 1, 0},
    {"%s.currentTyreSegment", Kind::Unsigned, WheelSource::Wheel, 2020, 1, 0},
    {"%s.rollbarForce", Kind::Float, WheelSource::Wheel, 3696, 1, 0},
    {"%s.springForce", Kind::Float, WheelSource::Wheel, 3700, 1, 0},
    {"%s.dampingForce", Kind::Float, WheelSource::Wheel, 3704, 1, 0},
    {"%s.strutForce", Kind::Float, WheelSource::Wheel, 3708, 1, 0},
    {"%s.helperSpringActive", Kind::Int, WheelSource::Wheel, 3800, 1, 0},
    {"%s.wear[%zu]", Kind::Float, WheelSource::Wear, 0, 8, 4},
};

const char* const kWheelPrefixes[4] = {"LF", "RF", "LB", "RB"};

constexpr uint32_t kBrakeBlockOffset = 3032;
constexpr uint32_t kBrakeBlockStride = 200;
constexpr size_t kWearArraySize = 8 * sizeof(float);

const unsigned char* at(const void* base, uint32_t offset) {
  return static_cast<const unsigned char*>(base) + offset;
}

std::shared_ptr<TelemetryChannel> makeChannel(Kind kind, std::string name, const void* source, const void* car,
                                              CarFrameCache* cache) {
  switch (kind) {
    case Kind::FileTime: return std::make_shared<FileTimeChannel>(std::move(name), source);
    case Kind::Unsigned: return std::make_shared<UnsignedChannel>(std::move(name), source);
    case Kind::Int: return std::make_shared<IntChannel>(std::move(name), source);
    case Kind::Float: return std::make_shared<FloatChannel>(std::move(name), source);
    case Kind::Vector: return std::make_shared<VectorChannel>(std::move(name), source);
    case Kind::CarVector:
      return std::make_shared<CarVectorChannel>(std::move(name), static_cast<const Float3*>(source), car, cache);
    case Kind::Angle:
      return std::make_shared<AngleChannel>(std::move(name), static_cast<const float*>(source), car, cache);
  }
  return nullptr;
}

}  // namespace

namespace {

// Zero-filled stand-ins for the host records, for a table bound to no car: such a table packs
// rows of zeros. Nothing writes them, so every table shares one zero block in static storage,
// which costs no filling and no allocation per table.
struct ZeroRecords {
  unsigned char car[TelemetryChannelTable::kCarRecordSize];
  unsigned char replay[TelemetryChannelTable::kReplayRecordSize];
  unsigned char race[TelemetryChannelTable::kRaceRecordSize];
  unsigned char game[TelemetryChannelTable::kGameRecordSize];
  unsigned char wheel[4][TelemetryChannelTable::kWheelRecordSize];
  unsigned char wear[4][kWearArraySize];
};
ZeroRecords zeroRecords;

HostObjects zeroObjects() {
  HostObjects o;
  o.car = nullptr;  // bound to no car
  o.replay = zeroRecords.replay;
  o.race = zeroRecords.race;
  o.game = zeroRecords.game;
  for (int w = 0; w < 4; ++w) {
    o.wheel[w] = zeroRecords.wheel[w];
    o.wear[w] = zeroRecords.wear[w];
  }
  return o;
}

}  // namespace

#if UINTPTR_MAX == 0xFFFFFFFFu
// The car record points at its four wheel records, and each wheel record at its wear array.
constexpr uint32_t kWheelPointerOffset = 1136;
constexpr uint32_t kWearPointerOffset = 4884;

HostObjects hostObjectsOfCar(const void* car, const void* replay, const void* race, const void* game) {
  static_assert(sizeof(void*) == 4, "host layouts hold in the 32-bit build only");
  HostObjects o;
  o.car = car;
  o.replay = replay;
  o.race = race;
  o.game = game;
  if (!car) return o;
  for (int w = 0; w < 4; ++w) {
    uint32_t wheel = 0;
    std::memcpy(&wheel, at(car, kWheelPointerOffset + 4 * w), 4);
    o.wheel[w] = reinterpret_cast<const void*>(static_cast<uintptr_t>(wheel));
    if (o.wheel[w]) {
      uint32_t wear = 0;
      std::memcpy(&wear, at(o.wheel[w], kWearPointerOffset), 4);
      o.wear[w] = reinterpret_cast<const void*>(static_cast<uintptr_t>(wear));
    }
  }
  return o;
}
#endif

TelemetryChannelTable::TelemetryChannelTable() = default;
TelemetryChannelTable::~TelemetryChannelTable() = default;

void TelemetryChannelTable::add(const std::shared_ptr<TelemetryChannel>& channel) {
  if (channels_.emplace(channel->name(), channel).second) order_.push_back(channel->name());
}

void TelemetryChannelTable::build(const HostObjects& given) {
  if (given.car == boundCar_ && !channels_.empty()) return;

  HostObjects objects = given;
  // The car-wide channel block needs the car record; without a car every record is a stand-in.
  const void* carRecord = given.car;
  if (!given.car) {
    objects = zeroObjects();
    carRecord = zeroRecords.car;
  }
  // A car whose sub-records cannot be reached reads those from stand-ins.
  for (int w = 0; w < 4; ++w) {
    if (!objects.wheel[w] || !objects.wear[w] || !objects.replay || !objects.race || !objects.game) {
      const HostObjects d = zeroObjects();
      if (!objects.wheel[w]) objects.wheel[w] = d.wheel[w];
      if (!objects.wear[w]) objects.wear[w] = d.wear[w];
      if (!objects.replay) objects.replay = d.replay;
      if (!objects.race) objects.race = d.race;
      if (!objects.game) objects.game = d.game;
    }
  }

  active_.clear();
  channels_.clear();
  order_.clear();
  boundCar_ = given.car;

  for (const CarChannelEntry& entry : kCarChannels) {
    const void* source = nullptr;
    switch (entry.source) {
      case Source::SampleTime: source = &sampleTime_; break;
      case Source::Replay: source = at(objects.replay, entry.offset); break;
      case Source::Race: source = at(objects.race, entry.offset); break;
      case Source::Game: source = at(objects.game, entry.offset); break;
      case Source::Car: source = at(carRecord, entry.offset); break;
      case Source::CarFrame: source = at(&carFrame_, entry.offset); break;
    }
    add(makeChannel(entry.kind, entry.name, source, given.car, &carFrame_));
  }

  char name[256];
  for (int w = 0; w < 4; ++w) {
    const void* brake = at(carRecord, kBrakeBlockOffset + kBrakeBlockStride * w);
    for (const WheelChannelEntry& entry : kWheelChannels) {
      const void* base = entry.source == WheelSource::Brake   ? brake
                         : entry.source == WheelSource::Wheel ? objects.wheel[w]
                                                             : objects.wear[w];
      for (size_t index = 0; index < entry.count; ++index) {
        if (entry.count == 1) {
          std::snprintf(name, sizeof name, entry.format, kWheelPrefixes[w]);
        } else {
          std::snprintf(name, sizeof name, entry.format, kWheelPrefixes[w], index);
        }
        const void* source = at(base, entry.offset + static_cast<uint32_t>(entry.stride * index));
        add(makeChannel(entry.kind, name, source, given.car, &carFrame_));
      }
    }
  }
}

void TelemetryChannelTable::select(const std::vector<std::string>& names) {
  active_.clear();
  for (const std::string& name : names) {
    auto found = channels_.find(name);
    if (found != channels_.end()) active_.push_back(found->second);
  }
}

size_t TelemetryChannelTable::packRow(unsigned char* out) {
  if (!out) return 0;
  carFrame_.valid = 0;
  for (int w = 0; w < 4; ++w) {
    wheelDerived_[w].valid = 0;
    wheelSamples_[w].valid = 0;
  }
  sampleTime_ = currentFileTime();
  size_t total = 0;
  for (const auto& channel : active_) {
    const size_t n = channel->pack(out);
    out += n;
    total += n;
  }
  return total;
}

size_t TelemetryChannelTable::rowSize() const { return rowSizeOf(active_); }

void TelemetryChannelTable::writeHeader(std::ostream& out, char separator) const {
  writeHeaderOf(active_, out, separator);
}

size_t TelemetryChannelTable::writeValues(const unsigned char* row, std::ostream& out, char separator) const {
  return writeValuesOf(active_, row, out, separator);
}

void TelemetryChannelTable::clear() {
  active_.clear();
  channels_.clear();
  order_.clear();
}

size_t rowSizeOf(const ChannelList& channels) {
  size_t total = 0;
  for (const auto& c : channels) total += c->size();
  return total;
}

void writeHeaderOf(const ChannelList& channels, std::ostream& out, char separator) {
  for (const auto& c : channels) c->writeHeader(out, separator);
}

size_t writeValuesOf(const ChannelList& channels, const unsigned char* row, std::ostream& out, char separator) {
  size_t used = 0;
  for (const auto& c : channels) used += c->writeValue(row + used, out, separator);
  return used;
}

}  // namespace kvl
