#pragma once
// How the daemon's settings turn ini texts into values: the same rules as the plugin's option
// classes (trimmed text; bool "true"/"false" in any case or the integer 1; unsigned and float
// read in the classic locale, unreadable text giving 0).
#include <string>

namespace kvl {

std::string trimIniText(const std::string& text);
bool parseIniBool(const std::string& text);
unsigned parseIniUnsigned(const std::string& text);
float parseIniFloat(const std::string& text);

// The text forms the option readers pass as defaults.
std::string iniBoolText(bool value);
std::string iniUnsignedText(unsigned value);
std::string iniFloatText(float value);

// "Car" followed by the car index in decimal, at least two digits, zero-filled.
std::string carSectionName(unsigned carIndex);

}  // namespace kvl
