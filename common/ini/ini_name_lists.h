#pragma once
// The name lists of an ini file through the system's profile functions (Windows): its section
// names, and the key names of one section, in file order.
#include <deque>
#include <string>

namespace kvl {

// `fullPath` is the absolute path the profile functions get (a relative one would be looked up in
// the Windows folder). A missing file or section lists nothing.
void appendIniSectionNames(const std::string& fullPath, std::deque<std::string>& out);
void appendIniKeyNames(const std::string& fullPath, const std::string& section, std::deque<std::string>& out);

}  // namespace kvl
