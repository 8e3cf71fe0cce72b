#include "plugin/telemetry/udp_endpoint_list.h"

#include <boost/system/error_code.hpp>

namespace kvl {

bool parseUdpPort(const std::string& text, std::uint16_t& port) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return false;
  std::uint32_t value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + static_cast<std::uint32_t>(text[i] - '0');
    if (value > 65535) return false;
  }
  port = static_cast<std::uint16_t>(negative ? (65536u - value) & 0xFFFFu : value);
  return true;
}

UdpEndpointList parseUdpEndpointList(const std::string& text) {
  UdpEndpointList list;
  size_t start = 0;
  for (;;) {
    const size_t comma = text.find(',', start);
    const std::string item = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    const size_t colon = item.find(':');
    if (colon == 0) {
      list.errors.push_back("udpTelemetryEndpoints: \"" + item + "\" has no address: skipped");
    } else {
      const std::string host = item.substr(0, colon);
      UdpEndpointAddress endpoint;
      if (colon != std::string::npos && !parseUdpPort(item.substr(colon + 1), endpoint.port)) {
        endpoint.port = kDefaultUdpPort;
        list.errors.push_back("udpTelemetryEndpoints: \"" + item + "\" has no valid port: using 6776");
      }
      boost::system::error_code error;
      endpoint.address = boost::asio::ip::make_address_v4(host, error);
      if (host.empty() || error) {
        list.errors.push_back("udpTelemetryEndpoints: \"" + item + "\" is not a numeric IPv4 address: skipped");
      } else {
        list.endpoints.push_back(endpoint);
      }
    }
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return list;
}

}  // namespace kvl
