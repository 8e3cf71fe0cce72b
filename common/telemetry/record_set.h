#pragma once
// Record sets: the sections of telemetry.ini. A set's keys are channel names; a key whose value
// reads as true ("1" or "true") selects its channel, in the order the keys stand in the file.
#include <istream>
#include <string>
#include <vector>

namespace kvl {

// The selected channel names of the set (a section path, "." separating its parts). A missing,
// unreadable or malformed file, or a set the file does not hold, selects nothing.
std::vector<std::string> readRecordSet(const std::string& iniPath, const std::string& setName);
std::vector<std::string> readRecordSet(std::istream& ini, const std::string& setName);

#if defined(_WIN32)
// The section names of the file in file order, as the system's profile functions list them (the
// path made absolute against the current directory); empty when there is no such file.
std::vector<std::string> listRecordSets(const std::string& iniPath);
#endif

}  // namespace kvl
