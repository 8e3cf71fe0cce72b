#pragma once
// Sends one datagram to every endpoint of a list without waiting: one IPv4 UDP socket on an
// I/O context of its own, run by one thread per endpoint that only completes the sends (each
// thread already running when the constructor returns). Send errors (refused or unreachable
// destinations included) are dropped, so sending never stops.
#include <memory>
#include <thread>
#include <vector>

#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/udp.hpp>

#include "plugin/telemetry/udp_endpoint_list.h"

namespace kvl {

class UdpDatagramSender {
 public:
  explicit UdpDatagramSender(const std::vector<UdpEndpointAddress>& endpoints);
  // Lets the sends still pending finish, joins the threads, then closes the socket.
  ~UdpDatagramSender();
  UdpDatagramSender(const UdpDatagramSender&) = delete;
  UdpDatagramSender& operator=(const UdpDatagramSender&) = delete;

  // True when there is a socket and at least one endpoint.
  bool canSend() const { return socket_.is_open() && !threads_.empty(); }
  size_t endpointCount() const { return endpoints_.size(); }
  // Starts one send of the bytes to each endpoint, in list order; returns at once.
  void send(const void* bytes, size_t size);

 private:
  boost::asio::io_context io_;
  std::unique_ptr<boost::asio::executor_work_guard<boost::asio::io_context::executor_type>> workGuard_;
  boost::asio::ip::udp::socket socket_;
  std::vector<boost::asio::ip::udp::endpoint> endpoints_;
  std::vector<std::thread> threads_;
};

}  // namespace kvl
