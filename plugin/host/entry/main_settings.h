#pragma once

namespace kvl {

// Makes sure Korvala.ini holds every main key of section [QZR]: a missing key is written with
// its default, a present one (in any letter case) is never changed.
void loadMainSettings();

}  // namespace kvl
