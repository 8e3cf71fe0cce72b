#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <sstream>
#include <vector>

#include "common/telemetry/telemetry_channel_table.h"
#include "common/text/date_time_text.h"

namespace {

using kvl::HostObjects;
using kvl::TelemetryChannelTable;

size_t countColumns(const std::string& header) {
  return static_cast<size_t>(std::count(header.begin(), header.end(), '\t'));
}

std::string headerOf(const TelemetryChannelTable& table) {
  std::ostringstream out;
  table.writeHeader(out, '\t');
  return out.str();
}

TEST(TelemetryChannelTable, RegistersEveryChannelInOrder) {
  TelemetryChannelTable table;
  table.build(HostObjects{});
  ASSERT_EQ(table.channels().size(), 168u);
  const auto& order = table.registrationOrder();
  ASSERT_EQ(order.size(), 168u);
  struct Case {
    size_t index;
    const char* name;
  };
  const Case cases[] = {
      {0, "utcSystemTime"},
      {1, "totalSteps"},
      {19, "radiatorCoolantHeatState.temperature"},
      {22, "position"},
      {27, "vecLinearVelocityCar"},
      {35, "yaw"},
      {36, "LF.brakeDiskLayerTemp"},
      {36 + 9, "LF.segmentData[0].temperature"},
      {36 + 16, "LF.segmentData[7].temperature"},
      {36 + 17, "LF.treadTemperature"},
      {36 + 24, "LF.helperSpringActive"},
      {36 + 25, "LF.wear[0]"},
      {36 + 32, "LF.wear[7]"},
      {36 + 33, "RF.brakeDiskLayerTemp"},
      {36 + 2 * 33, "LB.brakeDiskLayerTemp"},
      {167, "RB.wear[7]"},
  };
  for (const Case& c : cases) EXPECT_EQ(order[c.index], c.name) << c.index;
}

TEST(TelemetryChannelTable, EverythingSelectedIs764BytesAnd190Columns) {
  TelemetryChannelTable table;
  table.build(HostObjects{});
  table.select(table.registrationOrder());
  EXPECT_EQ(table.active().size(), 168u);
  EXPECT_EQ(table.rowSize(), 764u);
  EXPECT_EQ(countColumns(headerOf(table)), 190u);
  std::vector<unsigned char> row(764, 0xEE);
  const uint64_t before = kvl::currentFileTime();
  EXPECT_EQ(table.packRow(row.data()), 764u);
  const uint64_t after = kvl::currentFileTime();
  uint64_t stamp = 0;
  std::memcpy(&stamp, row.data(), 8);
  EXPECT_GE(stamp, before);
  EXPECT_LE(stamp, after);
  EXPECT_TRUE(std::all_of(row.begin() + 8, row.end(), [](unsigned char b) { return b == 0; }))
      << "stand-in records read as zero";
  std::ostringstream line;
  EXPECT_EQ(table.writeValues(row.data(), line, '\t'), 764u);
  EXPECT_EQ(countColumns(line.str()), 190u);
}

TEST(TelemetryChannelTable, SelectionFollowsTheGivenOrder) {
  struct Case {
    std::vector<std::string> names;
    size_t rowSize;
    const char* header;
  };
  const Case cases[] = {
      {{"speed", "LF.wear[7]", "position"}, 20, "speed\tLF.wear[7]\tposition.x\tposition.y\tposition.z\t"},
      {{"position", "speed"}, 16, "position.x\tposition.y\tposition.z\tspeed\t"},
      {{"Speed", "LF.wear[8]", "speed ", ""}, 0, ""},
      {{"utcSystemTime", "gear", "roll", "RB.currentTyreSegment"},
       20,
       "utcSystemTime\tgear\troll\tRB.currentTyreSegment\t"},
      {{}, 0, ""},
  };
  TelemetryChannelTable table;
  table.build(HostObjects{});
  for (const Case& c : cases) {
    table.select(c.names);
    EXPECT_EQ(table.rowSize(), c.rowSize);
    EXPECT_EQ(headerOf(table), c.header);
  }
}

TEST(TelemetryChannelTable, EmptySelectionStillStampsTheRow) {
  TelemetryChannelTable table;
  table.build(HostObjects{});
  table.select({});
  unsigned char row[4] = {9, 9, 9, 9};
  EXPECT_EQ(table.packRow(row), 0u);
  EXPECT_NE(table.sampleTime(), 0u);
  EXPECT_EQ(row[0], 9);
  EXPECT_EQ(table.packRow(nullptr), 0u);
}

// Host records owned by the test, with values at the offsets the channels read.
struct FakeHost {
  std::vector<unsigned char> car = std::vector<unsigned char>(TelemetryChannelTable::kCarRecordSize);
  std::vector<unsigned char> replay = std::vector<unsigned char>(TelemetryChannelTable::kReplayRecordSize);
  std::vector<unsigned char> race = std::vector<unsigned char>(TelemetryChannelTable::kRaceRecordSize);
  std::vector<unsigned char> game = std::vector<unsigned char>(TelemetryChannelTable::kGameRecordSize);
  std::vector<unsigned char> wheel[4];
  std::vector<float> wear[4];
  FakeHost() {
    for (int w = 0; w < 4; ++w) {
      wheel[w].assign(TelemetryChannelTable::kWheelRecordSize, 0);
      wear[w].assign(8, 0.0f);
    }
  }
  HostObjects objects() {
    HostObjects o;
    o.car = car.data();
    o.replay = replay.data();
    o.race = race.data();
    o.game = game.data();
    for (int w = 0; w < 4; ++w) {
      o.wheel[w] = wheel[w].data();
      o.wear[w] = wear[w].data();
    }
    return o;
  }
};

template <typename T>
void put(std::vector<unsigned char>& record, size_t offset, T value) {
  std::memcpy(record.data() + offset, &value, sizeof value);
}

TEST(TelemetryChannelTable, ChannelsReadTheirHostFields) {
  FakeHost host;
  put<uint32_t>(host.replay, 1620076, 123456u);
  put<int32_t>(host.race, 368, -1);
  put<float>(host.race, 12, 27.5f);
  put<int32_t>(host.game, 1844, 7);
  put<float>(host.game, 2836, 0.25f);
  put<float>(host.car, 5004, 90.0f);
  put<float>(host.car, 320 + 8, -3.0f);
  put<uint32_t>(host.car, 3032 + 3 * 200 + 196, 4000000000u);
  put<float>(host.wheel[2], 1920 + 3 * 12, 55.5f);
  put<int32_t>(host.wheel[0], 3800, 1);
  put<float>(host.wheel[3], 3820, -0.5f);
  host.wear[1][5] = 0.75f;

  TelemetryChannelTable table;
  table.build(host.objects());
  struct Case {
    const char* name;
    const char* text;
  };
  const Case cases[] = {
      {"totalSteps", "123456"},
      {"gear", "-1"},
      {"speed", "27.5000"},
      {"car", "7"},
      {"clutch", "0.250000"},
      {"engineTemperature", "90.0000"},
      {"position", "0.00000\t0.00000\t-3.00000"},
      {"RB.brakeWear", "4000000000"},
      {"LB.segmentData[3].temperature", "55.5000"},
      {"LF.helperSpringActive", "1"},
      {"RB.outerBumpDeflectionVelocity", "-0.500000"},
      {"RF.wear[5]", "0.750000"},
      {"RF.wear[4]", "0.00000"},
  };
  for (const Case& c : cases) {
    table.select({c.name});
    std::vector<unsigned char> row(table.rowSize());
    table.packRow(row.data());
    std::ostringstream out;
    out.setf(std::ios::showpoint);
    table.writeValues(row.data(), out, '\t');
    EXPECT_EQ(out.str(), std::string(c.text) + "\t") << c.name;
  }
}

TEST(TelemetryChannelTable, ValueTexts) {
  TelemetryChannelTable table;
  table.build(HostObjects{});
  struct Case {
    const char* name;
    std::vector<unsigned char> bytes;
    std::string text;
  };
  auto f = [](float v) {
    std::vector<unsigned char> b(4);
    std::memcpy(b.data(), &v, 4);
    return b;
  };
  auto u = [](uint32_t v) {
    std::vector<unsigned char> b(4);
    std::memcpy(b.data(), &v, 4);
    return b;
  };
  auto t = [](uint64_t v) {
    std::vector<unsigned char> b(8);
    std::memcpy(b.data(), &v, 8);
    return b;
  };
  const Case cases[] = {
      {"speed", f(0.0f), "0.00000"},
      {"speed", f(1.5f), "1.50000"},
      {"speed", f(0.001f), "0.00100000"},
      {"speed", f(1234567.0f), "1.23457e+06"},
      {"speed", f(-2.0f), "-2.00000"},
      {"gear", u(0), "0"},
      {"gear", u(0xFFFFFFFBu), "-5"},
      {"totalSteps", u(0xFFFFFFFFu), "4294967295"},
      {"utcSystemTime", t(0), "1601-01-01 00:00:00.000000"},
      {"utcSystemTime", t(133000000001234567ull), kvl::fileTimeText(133000000001234567ull)},
      {"position", [&] {
         std::vector<unsigned char> b = f(-0.0f), y = f(999999.5f), z = f(1e-5f);
         b.insert(b.end(), y.begin(), y.end());
         b.insert(b.end(), z.begin(), z.end());
         return b;
       }(), "-0.00000;1.00000e+06;1.00000e-05"},
  };
  for (const Case& c : cases) {
    table.select({c.name});
    std::ostringstream out;
    out.setf(std::ios::showpoint);
    EXPECT_EQ(table.writeValues(c.bytes.data(), out, ';'), c.bytes.size());
    EXPECT_EQ(out.str(), c.text + ";") << c.name;
    // The save-job writer's form prints the same text, within the room the channel asks for.
    const kvl::TelemetryChannel& channel = *table.active().front();
    std::vector<char> text(channel.maxTextSize() + 8, '#');
    const char* end = channel.printValue(c.bytes.data(), text.data(), ';');
    EXPECT_EQ(std::string(static_cast<const char*>(text.data()), end), c.text + ";") << c.name;
    EXPECT_LE(static_cast<size_t>(end - text.data()), channel.maxTextSize()) << c.name;
  }
}

TEST(TelemetryChannelTable, RebuildsOnlyForAnotherCar) {
  FakeHost a, b;
  TelemetryChannelTable table;
  table.build(a.objects());
  auto first = table.channels().at("speed");
  table.build(a.objects());
  EXPECT_EQ(table.channels().at("speed"), first) << "same car: nothing rebuilt";
  table.build(b.objects());
  EXPECT_NE(table.channels().at("speed"), first);
  EXPECT_EQ(table.boundCar(), b.car.data());
  auto second = table.channels().at("speed");
  table.clear();
  EXPECT_TRUE(table.channels().empty());
  table.build(b.objects());
  EXPECT_NE(table.channels().at("speed"), second) << "an emptied map is rebuilt";
  // Without a car the stand-ins are bound, and a second build keeps them.
  table.build(HostObjects{});
  EXPECT_EQ(table.boundCar(), nullptr);
  auto dummy = table.channels().at("speed");
  table.build(HostObjects{});
  EXPECT_EQ(table.channels().at("speed"), dummy);
}

int transformCalls = 0;
kvl::Float3 identity(const void*, const kvl::Float3& v) {
  ++transformCalls;
  return v;
}

TEST(TelemetryChannelTable, CarFrameIsComputedOncePerRow) {
  FakeHost host;
  put<float>(host.car, 448, 10.0f);      // linear velocity x
  put<float>(host.car, 608 + 4, 2.0f);  // average angular acceleration y
  TelemetryChannelTable table;
  table.setCarFrameTransform(identity);
  table.build(host.objects());
  table.select({"roll", "pitch", "yaw", "vecLinearVelocityCar", "vecAvgAngularAccelerationCar"});
  std::vector<unsigned char> row(table.rowSize());
  transformCalls = 0;
  table.packRow(row.data());
  EXPECT_EQ(transformCalls, 9) << "six vectors and three axes, once";
  table.packRow(row.data());
  EXPECT_EQ(transformCalls, 18) << "the next row recomputes";
  float values[9];
  std::memcpy(values, row.data(), sizeof values);
  EXPECT_NEAR(values[0], 0.0f, 1e-6);                      // roll
  EXPECT_NEAR(values[1], 0.0f, 1e-6);                      // pitch
  EXPECT_NEAR(values[2], -1.5707964f, 1e-6);               // yaw of the unrotated frame
  EXPECT_EQ(values[3], 10.0f);
  EXPECT_EQ(values[7], 2.0f);

  // Without a transform (the daemon) nothing is computed and the values stay zero.
  TelemetryChannelTable bare;
  bare.build(host.objects());
  bare.select({"vecLinearVelocityCar"});
  std::vector<unsigned char> row2(12, 1);
  bare.packRow(row2.data());
  EXPECT_TRUE(std::all_of(row2.begin(), row2.end(), [](unsigned char b) { return b == 0; }));
}

TEST(SignedAngle, SignFollowsTheAxis) {
  struct Case {
    kvl::Float3 a, b, axis;
    float angle;
  };
  const Case cases[] = {
      {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, 1.5707964f},
      {{1, 0, 0}, {0, 1, 0}, {0, 0, -1}, -1.5707964f},
      {{1, 0, 0}, {1, 0, 0}, {0, 0, 1}, 0.0f},
      {{1, 0, 0}, {-1, 0, 0}, {0, 0, 1}, 3.1415927f},
      {{1, 0, 0}, {1, 1, 0}, {0, 0, 1}, 0.7853982f},
  };
  for (const Case& c : cases) EXPECT_NEAR(kvl::signedAngle(c.a, c.b, c.axis), c.angle, 1e-6);
  // The angle is taken in double and rounded to float once: the nearest float to the exact angle
  // (a single-precision atan2 is a unit in the last place off for these), as roll, pitch and yaw
  // call it.
  const Case exact[] = {
      {{1, 0, 0}, {-0.9f, -0.8f, -0.1f}, {0, 1, 0}, 2.4110992f},
      {{0, 1, 0}, {-0.9f, -0.8f, -0.3f}, {1, 0, 0}, -2.27137256f},
      {{-0.9f, -0.8f, 0.1f}, {1, 0, 0}, {0, 0, 1}, 2.4110992f},
  };
  for (const Case& c : exact) EXPECT_EQ(kvl::signedAngle(c.a, c.b, c.axis), c.angle) << c.b.x << " " << c.b.z;
}

}  // namespace
