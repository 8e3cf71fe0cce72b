#pragma once
#include <string>

namespace kvl {

// The section of the localised texts file for a host language id: ENGLISH, FRENCH, GERMAN,
// SPANISH, ITALIAN, CZECH, POLISH for 0 to 6, ENGLISH for any other id.
std::string languageSection(int languageId);

}  // namespace kvl
