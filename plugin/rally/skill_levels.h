#pragma once
// The service crew's skill levels and the level a skill word names.
#include <cstdint>
#include <string>

#include "plugin/foundation/texts/name_lookup.h"

namespace kvl::rally {

// 1 "Inexperienced", 2 "Proficient", 3 "Competent", 4 "Skilled", 5 "Expert".
NameTable skillLevelWords();

// The first level, by number, whose word begins with the given word in any letter case ("comp"
// is 3, the empty word 1); 0 when none does.
std::int32_t skillLevelOf(const NameTable& levels, const std::string& word);

}  // namespace kvl::rally
