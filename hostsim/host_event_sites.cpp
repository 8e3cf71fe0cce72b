#include "hostsim/host_event_sites.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <vector>

#include <windows.h>

#include "hostsim/call_trace.h"
#include "hostsim/event_hub.h"
#include "hostsim/host_layout.h"
#include "hostsim/host_words.h"
#include "hostsim/runtime_host.h"

namespace hostsim {
namespace {

constexpr std::uint32_t kEventSiteSource = 90;
constexpr std::uint32_t kReplayCounterOffset = 1620076;  // in the replay object

// The bytes of the record each site raises; one-word records (4 bytes) are passed as the word.
struct SiteRecord {
  std::uint32_t site, bytes;
};
const SiteRecord kRecords[] = {
    {0x4CC48E, 8},   {0x5FDDF3, 48},  {0x5FDC15, 176}, {0x51FEEC, 4},  {0x522377, 4},  {0x60D443, 4},
    {0x47F52A, 20},  {0x47F653, 20},  {0x4EF703, 4},   {0x6180AF, 80}, {0x4E8FBE, 4},  {0x4E9BBA, 4},
    {0x52C501, 64},  {0x4E4934, 32},  {0x4EA3B1, 32},  {0x4E977C, 32}, {0x4E9C5C, 8},  {0x4EA1CC, 88},
    {0x4EBC8E, 88},  {0x51FC9F, 88},  {0x5220DB, 88},  {0x52C6F6, 88}, {0x5F9933, 88}, {0x60092A, 88},
    {0x5F9A26, 224}, {0x4EA1F7, 4},   {0x5F9A4B, 4},   {0x5358A7, 96}, {0x5FD8FB, 96}, {0x50855C, 56},
    {0x5FDE62, 56},  {0x5232E3, 112}, {0x518D71, 20},  {0x4F212D, 20}, {0x4E991B, 64}, {0x51FCEB, 12},
    {0x52E025, 20},
};
constexpr std::uint32_t kRecordWords = 56;

// 0 for an address that is none of these sites.
std::uint32_t recordBytes(std::uint32_t site) {
  for (const SiteRecord& r : kRecords) {
    if (r.site == site) return r.bytes;
  }
  return 0;
}
// Word i of the record a site raises: the site first, then words that differ from it and each other.
std::uint32_t recordWord(std::uint32_t site, std::uint32_t i) { return i == 0 ? site : site ^ (i * 0x9E3779B9u); }

std::mutex lock;
std::vector<std::uint32_t> queued;                        // for the next physics step
std::vector<std::uint32_t> stepSites;                     // what "events step" named since the last check
// Physics steps begun since the last one that raised queued sites. A site raised inside a worker
// step arrives once that step's handler has returned, before the worker's next step but one.
std::uint32_t stepsSinceRaise = 2;
std::map<std::uint32_t, std::vector<std::string>> arrivals;  // by site
thread_local bool raising = false;

struct ArrivalNode {
  ListenerNode node;
};
void __attribute__((thiscall)) arrivalDestroy(ListenerNode*, std::uint32_t) {}
void __attribute__((thiscall)) arrivalInvoke(ListenerNode*, const void* record) {
  std::uint32_t site = 0;
  if (record != nullptr) std::memcpy(&site, record, 4);
  std::string how = std::string(raising ? "inline on " : "posted on ") + threadRole();
  // The listener reads its whole record, as the host's do.
  const std::uint32_t bytes = record != nullptr ? recordBytes(site) : 0;
  for (std::uint32_t i = 0; i < bytes / 4; ++i) {
    std::uint32_t word = 0;
    std::memcpy(&word, static_cast<const unsigned char*>(record) + 4 * i, 4);
    if (word != recordWord(site, i)) {
      how += ", record changed from byte " + std::to_string(4 * i);
      break;
    }
  }
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
  std::uint32_t record[kRecordWords];
  for (std::uint32_t i = 0; i < kRecordWords; ++i) record[i] = recordWord(site, i);
  const bool word = recordBytes(site) == 4;
  raising = true;
  runCallSite(site, {word ? site : wordOf(record)}, wordOf(eventSource(kEventSiteSource)));
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
  while (in >> word) {
    const auto site = static_cast<std::uint32_t>(std::strtoul(word.c_str(), nullptr, 16));
    if (recordBytes(site) != 0) {
      sites.push_back(site);
    } else {
      trace("host event " + word + " is no event site");
    }
  }
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
    // However slow the machine, the check waits until the queued sites were raised in a step and
    // what that step posted has run.
    for (;;) {
      {
        std::lock_guard<std::mutex> hold(lock);
        if (queued.empty() && stepsSinceRaise >= 2) break;
      }
      Sleep(5);
    }
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
    if (!sites.empty()) {
      stepsSinceRaise = 0;
    } else if (stepsSinceRaise < 2) {
      ++stepsSinceRaise;
    }
  }
  for (std::uint32_t site : sites) raise(site);
}

}  // namespace hostsim
