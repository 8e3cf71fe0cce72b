#include "hostsim/host_event_sites.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <vector>

#include "hostsim/call_trace.h"
#include "hostsim/event_hub.h"
#include "hostsim/host_layout.h"
#include "hostsim/runtime_host.h"

namespace hostsim {
namespace {

constexpr std::uint32_t kEventSiteSource = 90;
constexpr std::uint32_t kReplayCounterOffset = 1620076;  // in the replay object

std::mutex lock;
std::vector<std::uint32_t> queued;                        // for the next physics step
std::vector<std::uint32_t> stepSites;                     // what "events step" named since the last check
std::map<std::uint32_t, std::vector<std::string>> arrivals;  // by site
thread_local bool raising = false;

struct ArrivalNode {
  ListenerNode node;
};
void __attribute__((thiscall)) arrivalDestroy(ListenerNode*, std::uint32_t) {}
void __attribute__((thiscall)) arrivalInvoke(ListenerNode*, const void* record) {
  std::uint32_t site = 0;
  if (record != nullptr) std::memcpy(&site, record, 4);
  const std::string how = std::string(raising ? "inline on " : "posted on ") + threadRole();
  std::lock_guard<std::mutex> hold(lock);
  arrivals[site].push_back(how);
}
const ListenerNodeTable arrivalTable = {arrivalDestroy, arrivalInvoke};

void listen() {
  static ArrivalNode* node = nullptr;
  if (node != nullptr) return;
  node = new ArrivalNode{{&arrivalTable, nullptr, nullptr, nullptr}};
  appendHostListener(kEventSiteSource, node->node);
}

void raise(std::uint32_t site) {
  raising = true;
  runRaiseSite(site, kEventSiteSource, static_cast<std::int32_t>(site));
  raising = false;
}

void traceArrivals(const std::vector<std::uint32_t>& sites) {
  for (std::uint32_t site : sites) {
    std::vector<std::string> how;
    {
      std::lock_guard<std::mutex> hold(lock);
      how.swap(arrivals[site]);
    }
    char hex[16];
    std::snprintf(hex, sizeof hex, "%x", static_cast<unsigned>(site));
    if (how.empty()) trace(std::string("host event ") + hex + " not delivered");
    for (const std::string& h : how) trace(std::string("host event ") + hex + " " + h);
  }
}

std::vector<std::uint32_t> readSites(std::istream& in) {
  std::vector<std::uint32_t> sites;
  std::string word;
  while (in >> word) sites.push_back(static_cast<std::uint32_t>(std::strtoul(word.c_str(), nullptr, 16)));
  return sites;
}

}  // namespace

bool runHostEventSiteStep(const std::string& step, std::istream& in) {
  if (step != "events") return false;
  std::string which;
  in >> which;
  listen();
  if (which == "now") {
    const auto sites = readSites(in);
    for (std::uint32_t site : sites) raise(site);
    traceArrivals(sites);
  } else if (which == "step") {
    const auto sites = readSites(in);
    std::lock_guard<std::mutex> hold(lock);
    queued.insert(queued.end(), sites.begin(), sites.end());
    stepSites.insert(stepSites.end(), sites.begin(), sites.end());
  } else if (which == "counter") {
    std::uint32_t value = 0;
    in >> value;
    std::uint32_t replay = 0;
    std::memcpy(&replay, reinterpret_cast<const void*>(kReplayGlobal), 4);
    if (replay != 0) std::memcpy(reinterpret_cast<void*>(replay + kReplayCounterOffset), &value, 4);
  } else if (which == "check") {
    std::vector<std::uint32_t> sites;
    {
      std::lock_guard<std::mutex> hold(lock);
      sites.swap(stepSites);
    }
    traceArrivals(sites);
  } else {
    trace("bad events step " + which);
  }
  return true;
}

void raiseQueuedEventSites() {
  std::vector<std::uint32_t> sites;
  {
    std::lock_guard<std::mutex> hold(lock);
    sites.swap(queued);
  }
  for (std::uint32_t site : sites) raise(site);
}

}  // namespace hostsim
