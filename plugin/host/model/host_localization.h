#pragma once
// The host's localisation object (pointer in host global 0x8935E0): its language, its own texts
// and the attribute of its text records. The plugin's localised texts follow it.
#include <cstdint>

namespace kvl::host {

struct HostLocalization {
  static constexpr std::uint32_t kGlobal = 0x8935E0u;
  // The object; null while the host has none.
  static void* instance();
  // The word at +20 when below 7, else 0 (also 0 without the object).
  static int languageId();
  // The 16-bit word at +16.
  static std::uint16_t textAttribute();
  // Host 0x4968F0, member call: the host's own text for a key.
  static const wchar_t* lookupText(const char* key);
  // Host 0x496B90, member call, made for ids 0 to 6 only; a larger id yields 0.
  static int setLanguage(int id);
};

// Points the plugin's localised texts at the host's localisation.
void bindLocalizedTexts();

}  // namespace kvl::host
