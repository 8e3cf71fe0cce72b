#include "plugin/telemetry/udp_telemetry_sender.h"

#include "plugin/foundation/settings/settings_catalogue.h"
#include "plugin/foundation/settings/settings_defaults.h"
#include "plugin/host/model/host_audio.h"
#include "plugin/host/model/host_game.h"
#include "plugin/host/model/host_replay.h"
#include "plugin/host/model/race_events.h"
#include "plugin/telemetry/car_frame_transform.h"
#include "plugin/telemetry/udp_telemetry_packet.h"

namespace kvl {

UdpTelemetrySender::UdpTelemetrySender()
    : UdpTelemetrySender(UdpTelemetryEndpointsOption(defaults::udpTelemetryEndpoints).read()) {}

UdpTelemetrySender::UdpTelemetrySender(const std::string& endpointList) {
  const UdpEndpointList list = parseUdpEndpointList(endpointList);
  for (const std::string& error : list.errors) OutputDebugStringA((error + "\n").c_str());
  datagrams_ = std::make_unique<UdpDatagramSender>(list.endpoints);
}

void UdpTelemetrySender::sendPacket() {
  const void* car = host::HostSoundCar::current();
  if (car == nullptr || !datagrams_->canSend()) return;
  CarFrameCache frame;
  frame.transform = &carFrameTransform;
  frame.update(car);
#if UINTPTR_MAX == 0xFFFFFFFFu
  const UdpPacketSources sources =
      udpPacketSourcesOfCar(car, host::HostRace::instance(), host::HostGame::instance(), host::HostReplay::instance());
#else
  // Host records are laid out for the 32-bit build only.
  const UdpPacketSources sources;
#endif
  const UdpTelemetryPacket packet = composeUdpPacket(sources, frame);
  datagrams_->send(&packet, sizeof packet);
}

}  // namespace kvl
