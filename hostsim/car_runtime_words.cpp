#include "hostsim/car_runtime_words.h"

#include "hostsim/call_trace.h"
#include "hostsim/car_model.h"
#include "hostsim/fields.h"

namespace hostsim {

bool runCarRuntimeWordStep(const std::string& step, std::istream&) {
  if (step != "carwords") return false;
  unsigned char* car = hostCarObject();
  for (int w = 0; w < 4; ++w) {
    unsigned char* body = pointer(get(pointer(get(car, 1136 + 4 * w)), 52));
    for (int c = 0; c < 3; ++c) put(body, 752 + 16 + 4 * c, 10.0f * w + 1.0f + c);
    unsigned char* record = tyreParameterRecord(w);
    for (std::uint32_t o = 580; o <= 608; o += 4) put(record, o, get<float>(record, o) * 0.95f);
  }
  unsigned char* table = pointer(get(car, 2548));
  put(table, 15796, std::int32_t{1});
  put(table, 15804, std::int32_t{2});
  put(pointer(get(car, 52)), 17600, std::int32_t{1});
  trace("host car words written");
  return true;
}

}  // namespace hostsim
