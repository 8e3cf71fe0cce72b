#include "plugin/foundation/texts/float_list.h"

namespace kvl {

std::istream& readFloatList(std::istream& in, FloatList& list) {
  float value = 0.0f;
  while (in >> value) list.push_back(value);
  return in;
}

std::ostream& writeFloatList(std::ostream& out, const FloatList& list) {
  bool first = true;
  for (float value : list) {
    if (!first) out << ' ';
    out << value;
    first = false;
  }
  return out;
}

}  // namespace kvl
