#include "plugin/foundation/texts/language_sections.h"

namespace kvl {

std::string languageSection(int languageId) {
  static const char* const kSections[] = {"ENGLISH", "FRENCH", "GERMAN", "SPANISH", "ITALIAN", "CZECH", "POLISH"};
  if (languageId < 0 || languageId >= static_cast<int>(sizeof kSections / sizeof kSections[0])) return kSections[0];
  return kSections[languageId];
}

}  // namespace kvl
