#pragma once
// Sends the UDP telemetry packet of the host's current car to the endpoints of the setting
// udpTelemetryEndpoints, once per host frame, without waiting on the network.
#include <memory>

#include "common/telemetry/car_frame_cache.h"
#include "plugin/telemetry/udp_datagram_sender.h"

namespace kvl {

class UdpTelemetrySender {
 public:
  // Reads the endpoint list from the host's ini file; bad items are logged and skipped.
  UdpTelemetrySender();
  explicit UdpTelemetrySender(const std::string& endpointList);

  // Composes the packet from the host's records and starts its sends; nothing without a car.
  void sendPacket();
  const UdpDatagramSender& datagrams() const { return *datagrams_; }

 private:
  std::unique_ptr<UdpDatagramSender> datagrams_;
};

}  // namespace kvl
