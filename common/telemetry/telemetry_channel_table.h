#pragma once
// Every value the system can record, as named, typed channels registered in one fixed order:
// 36 for the car, then 33 for each wheel (LF, RF, LB, RB). The plugin packs rows of the
// selected channels; the recorder daemon uses the same table for column names, row sizes and
// printing.
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "common/telemetry/car_frame_cache.h"
#include "common/telemetry/telemetry_channel.h"

namespace kvl {

using ChannelList = std::vector<std::shared_ptr<TelemetryChannel>>;

// The host records the channels read, each by its base address. The wheel records and their
// wear arrays are reached through pointers inside the car record; hostObjectsOfCar follows
// them in the 32-bit build, where the host's layouts hold.
struct HostObjects {
  const void* car = nullptr;
  const void* replay = nullptr;
  const void* race = nullptr;
  const void* game = nullptr;
  const void* wheel[4] = {};
  const void* wear[4] = {};
};

#if UINTPTR_MAX == 0xFFFFFFFFu
HostObjects hostObjectsOfCar(const void* car, const void* replay, const void* race, const void* game);
#endif

// Kept per wheel and reset with each row; nothing fills or reads them.
struct WheelDerivedValues {
  uint8_t valid = 0;
  float falloff[11] = {1.0f, 0.99f, 0.96f, 0.87f, 0.7f, 0.5f, 0.35f, 0.2f, 0.1f, 0.05f, 0.0f};
};
struct WheelSampleCache {
  uint8_t valid = 0;
};

class TelemetryChannelTable {
 public:
  static constexpr size_t kChannelCount = 168;
  static constexpr size_t kCarRecordSize = 7520;
  static constexpr size_t kWheelRecordSize = 5152;
  static constexpr size_t kReplayRecordSize = 1620480;
  static constexpr size_t kRaceRecordSize = 2000;
  static constexpr size_t kGameRecordSize = 3312;

  TelemetryChannelTable();
  ~TelemetryChannelTable();
  TelemetryChannelTable(const TelemetryChannelTable&) = delete;
  TelemetryChannelTable& operator=(const TelemetryChannelTable&) = delete;

  // Binds and registers every channel. Without a car the channels are bound to zero-filled
  // storage shaped like the host records, shared by every table. With the same car as before
  // and channels present, nothing changes.
  void build(const HostObjects& objects);
  // The active list: the named channels found in the table, in the given order.
  void select(const std::vector<std::string>& names);
  // Packs one row of the active channels; returns its size. The caller provides the room.
  size_t packRow(unsigned char* out);
  size_t rowSize() const;
  void writeHeader(std::ostream& out, char separator) const;
  // Prints one packed row; returns the bytes consumed.
  size_t writeValues(const unsigned char* row, std::ostream& out, char separator) const;
  // Empties the active list and the channel map (the next build registers anew).
  void clear();

  const std::map<std::string, std::shared_ptr<TelemetryChannel>>& channels() const { return channels_; }
  const ChannelList& active() const { return active_; }
  // The registration order (names), for listing.
  const std::vector<std::string>& registrationOrder() const { return order_; }
  const void* boundCar() const { return boundCar_; }
  CarFrameCache& carFrame() { return carFrame_; }
  uint64_t sampleTime() const { return sampleTime_; }
  void setCarFrameTransform(CarFrameTransform transform) { carFrame_.transform = transform; }

 private:
  void add(const std::shared_ptr<TelemetryChannel>& channel);

  std::map<std::string, std::shared_ptr<TelemetryChannel>> channels_;
  std::vector<std::string> order_;
  ChannelList active_;
  const void* boundCar_ = nullptr;
  CarFrameCache carFrame_;
  WheelDerivedValues wheelDerived_[4];
  WheelSampleCache wheelSamples_[4];
  uint64_t sampleTime_ = 0;  // FILETIME of the row being packed (UTC)
};

// Columns and bytes of a list of channels.
size_t rowSizeOf(const ChannelList& channels);
void writeHeaderOf(const ChannelList& channels, std::ostream& out, char separator);
size_t writeValuesOf(const ChannelList& channels, const unsigned char* row, std::ostream& out, char separator);

}  // namespace kvl
