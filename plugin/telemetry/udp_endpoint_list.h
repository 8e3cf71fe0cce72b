#pragma once
// The setting udpTelemetryEndpoints: a comma-separated list of "address:port" items, each a
// numeric IPv4 address (no name lookup) with an optional port (6776 when missing or unreadable).
#include <cstdint>
#include <string>
#include <vector>

#include <boost/asio/ip/address_v4.hpp>

namespace kvl {

constexpr std::uint16_t kDefaultUdpPort = 6776;
constexpr const char* kDefaultUdpEndpoints = "127.0.0.1:6776";

struct UdpEndpointAddress {
  boost::asio::ip::address_v4 address;
  std::uint16_t port = kDefaultUdpPort;
};

struct UdpEndpointList {
  std::vector<UdpEndpointAddress> endpoints;  // in the order of the setting
  std::vector<std::string> errors;            // one line per item that was skipped or fell back
};

// An optional '+' or '-' and digits only, at most 65535 in magnitude; '-' negates modulo 65536.
// False for anything else (the caller then uses the default port).
bool parseUdpPort(const std::string& text, std::uint16_t& port);

UdpEndpointList parseUdpEndpointList(const std::string& text);

}  // namespace kvl
