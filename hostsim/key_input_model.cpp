#include "hostsim/key_input_model.h"

#include "hostsim/call_trace.h"
#include "hostsim/event_hub.h"
#include "hostsim/fields.h"

namespace hostsim {

bool runKeyInputStep(const std::string& step, std::istream& in) {
  if (step != "keyrecord") return false;
  constexpr std::uint32_t kKeyInputSource = 18;
  std::string key;
  in >> key;
  unsigned char record[96] = {};
  if (key == "erase") {
    put(record, 12, std::int32_t{1});
    put(record, 16, std::int32_t{1});
  } else if (!key.empty()) {
    record[80] = static_cast<unsigned char>(key[0]);
  }
  put(record, 36, std::int32_t{1});
  raiseEvent(kKeyInputSource, record);
  trace("host key record listeners " + std::to_string(eventSource(kKeyInputSource)->lists[32].count) +
        " erase words " + std::to_string(get<std::int32_t>(record, 12)) + " " +
        std::to_string(get<std::int32_t>(record, 16)) + " " + std::to_string(get<std::int32_t>(record, 36)));
  return true;
}

}  // namespace hostsim
