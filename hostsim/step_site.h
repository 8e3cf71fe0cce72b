#pragma once
// A host site named (in hexadecimal) at the end of a scenario step, for steps that run one of a
// routine's several call sites.
#include <cstdint>
#include <cstdlib>
#include <istream>
#include <string>

namespace hostsim {

// The site the step names, or `first` when it names none.
inline std::uint32_t siteOr(std::istream& in, std::uint32_t first) {
  std::string text;
  if (!(in >> text)) return first;
  return static_cast<std::uint32_t>(std::strtoul(text.c_str(), nullptr, 16));
}

}  // namespace hostsim
