#include "plugin/tracks/file_name_sanitizer.h"

#include <boost/algorithm/string/classification.hpp>
#include <sstream>

namespace kvl::tracks {

std::string FileNameSanitizer::sanitize(const std::string& text) const {
  const auto forbidden = boost::algorithm::is_any_of("\\/:*?\"<>|");
  std::ostringstream out;
  for (const char c : text) out << (forbidden(c) ? replacement_ : c);
  return out.str();
}

}  // namespace kvl::tracks
