#include "plugin/host/model/text_fitting.h"

namespace kvl::host {

std::string fitText(const std::string& text, float limit, const std::function<float(const std::string&)>& width) {
  std::string current = text;
  std::size_t n = current.size();
  while (n >= 4 && width(current) > limit) {
    current.resize(n);
    current.replace(n - 3, 3, "...");
    --n;
  }
  return current;
}

}  // namespace kvl::host
