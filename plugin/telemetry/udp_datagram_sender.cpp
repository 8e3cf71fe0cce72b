#include "plugin/telemetry/udp_datagram_sender.h"

#include <boost/asio/buffer.hpp>

#include "common/platform/started_thread.h"

#ifdef _WIN32
#include <winsock2.h>
#ifndef SIO_UDP_CONNRESET
#define SIO_UDP_CONNRESET _WSAIOW(IOC_VENDOR, 12)
#endif
#endif

namespace kvl {
namespace {

// Windows reports an ICMP port-unreachable on the socket's next operation (WSAECONNRESET);
// a listener that is not there yet must not disturb the sends to the others.
void ignorePortUnreachable(boost::asio::ip::udp::socket& socket) {
#ifdef _WIN32
  BOOL report = FALSE;
  DWORD returned = 0;
  WSAIoctl(socket.native_handle(), SIO_UDP_CONNRESET, &report, sizeof report, nullptr, 0, &returned, nullptr,
           nullptr);
#else
  (void)socket;
#endif
}

}  // namespace

UdpDatagramSender::UdpDatagramSender(const std::vector<UdpEndpointAddress>& endpoints)
    : workGuard_(std::make_unique<boost::asio::executor_work_guard<boost::asio::io_context::executor_type>>(
          io_.get_executor())),
      socket_(io_) {
  boost::system::error_code error;
  socket_.open(boost::asio::ip::udp::v4(), error);
  if (error) return;
  ignorePortUnreachable(socket_);
  for (const UdpEndpointAddress& e : endpoints) endpoints_.emplace_back(e.address, e.port);
  for (size_t i = 0; i < endpoints_.size(); ++i) {
    threads_.push_back(startedThread([this] {
      for (;;) {
        try {
          io_.run();
          return;
        } catch (...) {
        }
      }
    }));
  }
}

UdpDatagramSender::~UdpDatagramSender() {
  workGuard_.reset();
  for (std::thread& t : threads_) t.join();
  boost::system::error_code ignored;
  socket_.close(ignored);
}

void UdpDatagramSender::send(const void* bytes, size_t size) {
  if (!canSend()) return;
  auto buffer = std::make_shared<std::vector<unsigned char>>(static_cast<const unsigned char*>(bytes),
                                                             static_cast<const unsigned char*>(bytes) + size);
  for (const auto& endpoint : endpoints_) {
    socket_.async_send_to(boost::asio::buffer(*buffer), endpoint,
                          [buffer](const boost::system::error_code&, size_t) {});
  }
}

}  // namespace kvl
