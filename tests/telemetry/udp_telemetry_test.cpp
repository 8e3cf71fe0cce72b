#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include <boost/asio/ip/udp.hpp>

#include "plugin/telemetry/telemetry_file_name.h"
#include "plugin/telemetry/udp_datagram_sender.h"
#include "plugin/telemetry/udp_endpoint_list.h"
#include "plugin/telemetry/udp_telemetry_packet.h"

namespace kvl {
namespace {

std::vector<std::string> describe(const UdpEndpointList& list) {
  std::vector<std::string> out;
  for (const auto& e : list.endpoints) out.push_back(e.address.to_string() + ":" + std::to_string(e.port));
  return out;
}

TEST(UdpEndpointList, ItemsAreParsedSkippedOrGivenTheDefaultPort) {
  struct Case {
    const char* text;
    std::vector<std::string> endpoints;
    size_t errors;
  } cases[] = {
      {"127.0.0.1:6776", {"127.0.0.1:6776"}, 0},
      {"10.0.0.1:9000,10.0.0.2", {"10.0.0.1:9000", "10.0.0.2:6776"}, 0},
      {"localhost:9000", {}, 1},                                   // no name lookup
      {":9000,,10.0.0.3,", {"10.0.0.3:6776"}, 3},                  // leading colon and empty items
      {"10.0.0.4:,10.0.0.5:abc,10.0.0.6:70000", {"10.0.0.4:6776", "10.0.0.5:6776", "10.0.0.6:6776"}, 3},
      {"10.0.0.7:+80,10.0.0.8:-1", {"10.0.0.7:80", "10.0.0.8:65535"}, 0},
      {"10.0.0.9:1,10.0.0.9:1", {"10.0.0.9:1", "10.0.0.9:1"}, 0},  // listed twice: sent twice
  };
  for (const Case& c : cases) {
    const UdpEndpointList list = parseUdpEndpointList(c.text);
    EXPECT_EQ(describe(list), c.endpoints) << c.text;
    EXPECT_EQ(list.errors.size(), c.errors) << c.text;
    for (const std::string& error : list.errors) EXPECT_NE(error.find("udpTelemetryEndpoints"), std::string::npos);
  }
}

template <typename T>
void put(std::vector<unsigned char>& record, size_t offset, T value) {
  std::memcpy(record.data() + offset, &value, sizeof value);
}

TEST(UdpTelemetryPacket, FieldsComeFromTheirRecordsWithTheirConversions) {
  std::vector<unsigned char> car(7520), race(2000), game(3312), replay(1620080), wheel(5152), wear(32), linked(8);
  put(replay, 1620076, 1234u);
  put(game, 1840, std::int32_t{7});
  put(game, 1844, std::int32_t{3});
  put(game, 2824, 0.75f);
  put(race, 368, std::int32_t{4});
  put(race, 12, 88.5f);
  put(car, 328, -2.5f);
  put(car, 5004, 95.0f);
  put(car, 3032 + 200 * 2 + 124, 0x80000000u);     // above 2^31: stays positive
  put(car, 3032 + 200 * 2 + 196, 15000000u);       // wear 1.0
  put(wheel, 3800, std::int32_t{1});
  put(wheel, 1920 + 12 * 7, 60.0f);
  put(wear, 4 * 7, 0.25f);
  put(linked, 4, 0xABCDu);
  UdpPacketSources s;
  s.records.car = car.data();
  s.records.race = race.data();
  s.records.game = game.data();
  s.records.replay = replay.data();
  s.records.wheel[2] = wheel.data();
  s.records.wear[2] = wear.data();
  s.linked[2] = linked.data();  // the other wheels are missing and read as zeros
  CarFrameCache frame;
  frame.roll = 1.0f;
  frame.linearVelocity = {1.0f, 2.0f, 3.0f};
  frame.linearAcceleration = {0.0f, 9.81f, 0.0f};

  const UdpTelemetryPacket p = composeUdpPacket(s, frame);
  EXPECT_EQ(p.totalSteps, 1234u);
  EXPECT_EQ(p.stage, 7);
  EXPECT_EQ(p.car, 3);
  EXPECT_EQ(p.throttle, 0.75f);
  EXPECT_EQ(p.gear, 4);
  EXPECT_EQ(p.speed, 88.5f);
  EXPECT_EQ(p.position[2], -2.5f);
  EXPECT_EQ(p.engineTemperature, 95.0f);
  EXPECT_EQ(p.roll, static_cast<float>(57.29577791868205));
  EXPECT_EQ(p.linearVelocity[0], -2.0f);
  EXPECT_EQ(p.linearVelocity[1], -1.0f);
  EXPECT_EQ(p.linearVelocity[2], 3.0f);
  EXPECT_FLOAT_EQ(p.linearAcceleration[0], -1.0f);
  EXPECT_FLOAT_EQ(p.wheels[2].brakeDiskLayerTemp, 2147.483648f);
  EXPECT_FLOAT_EQ(p.wheels[2].brakeWear, 1.0f);
  EXPECT_EQ(p.wheels[2].helperSpringActive, 1);
  EXPECT_EQ(p.wheels[2].linkedValue, 0xABCDu);
  EXPECT_EQ(p.wheels[2].segments[7].temperature, 60.0f);
  EXPECT_EQ(p.wheels[2].segments[7].wear, 0.25f);
  EXPECT_EQ(p.wheels[0].linkedValue, 0u);
}

TEST(UdpDatagramSender, EveryEndpointReceivesEveryDatagram) {
  boost::asio::io_context io;
  std::vector<std::unique_ptr<boost::asio::ip::udp::socket>> listeners;
  std::vector<UdpEndpointAddress> endpoints;
  for (int i = 0; i < 2; ++i) {
    listeners.push_back(std::make_unique<boost::asio::ip::udp::socket>(
        io, boost::asio::ip::udp::endpoint(boost::asio::ip::make_address_v4("127.0.0.1"), 0)));
    endpoints.push_back({boost::asio::ip::make_address_v4("127.0.0.1"), listeners.back()->local_endpoint().port()});
  }
  // A port nobody listens on comes first: its refusal must not stop the others.
  endpoints.insert(endpoints.begin(), UdpEndpointAddress{boost::asio::ip::make_address_v4("127.0.0.1"), 9});
  {
    UdpDatagramSender sender(endpoints);
    ASSERT_TRUE(sender.canSend());
    UdpTelemetryPacket packet{};
    for (std::uint32_t n = 1; n <= 3; ++n) {
      packet.totalSteps = n;
      sender.send(&packet, sizeof packet);
    }
  }
  for (auto& listener : listeners) {
    for (std::uint32_t n = 1; n <= 3; ++n) {
      std::array<unsigned char, 1024> buffer{};
      const size_t size = listener->receive(boost::asio::buffer(buffer));
      ASSERT_EQ(size, 664u);
      UdpTelemetryPacket packet;
      std::memcpy(&packet, buffer.data(), sizeof packet);
      EXPECT_EQ(packet.totalSteps, n);
    }
  }
}

TEST(UdpDatagramSender, NoEndpointSendsNothing) {
  UdpDatagramSender sender({});
  EXPECT_FALSE(sender.canSend());
}

TEST(TelemetryFileName, NamesAreSafeAndASecondSaveInOneSecondGetsItsOwn) {
  const std::string name = telemetryFileName("QZR", 2, "Car/One:Two", 5, "09.12.2026 07:03:10");
  EXPECT_EQ(name, "Plugins/QZR/telemetry/telemetry-QZR-Car_2-Car_One_Two-Stage_5-09.12.2026 07_03_10.tsv");
  std::vector<std::string> taken = {name};
  auto isTaken = [&taken](const std::string& n) { return std::find(taken.begin(), taken.end(), n) != taken.end(); };
  const std::string second = uniqueTelemetryFileName(name, isTaken);
  EXPECT_EQ(second, name.substr(0, name.size() - 4) + "-2.tsv");
  taken.push_back(second);
  EXPECT_EQ(uniqueTelemetryFileName(name, isTaken), name.substr(0, name.size() - 4) + "-3.tsv");
}

}  // namespace
}  // namespace kvl
