#include "plugin/host/model/host_localization.h"

#include "plugin/foundation/texts/localized_strings.h"
#include "plugin/host/binding/abi.h"
#include "plugin/host/binding/call_through.h"

namespace kvl::host {

void* HostLocalization::instance() {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(hostGlobal<kGlobal, HostWord>()));
}

int HostLocalization::languageId() {
  const void* object = instance();
  if (object == nullptr) return 0;
  const std::uint32_t id = fieldAt<std::uint32_t>(object, 20);
  return id < 7 ? static_cast<int>(id) : 0;
}

std::uint16_t HostLocalization::textAttribute() {
  const void* object = instance();
  return object == nullptr ? 0 : fieldAt<std::uint16_t>(object, 16);
}

const wchar_t* HostLocalization::lookupText(const char* key) {
  void* object = instance();
  if (object == nullptr) return L"";
  return hostFunction<0x4968F0, const wchar_t*(QZR_THISCALL*)(void*, const char*)>()(object, key);
}

int HostLocalization::setLanguage(int id) {
  void* object = instance();
  if (id < 0 || id > 6 || object == nullptr) return 0;
  return hostFunction<0x496B90, int(QZR_THISCALL*)(void*, int)>()(object, id);
}

namespace {

class HostLocalizationSource : public LocalizationSource {
 public:
  int languageId() const override { return HostLocalization::languageId(); }
  const wchar_t* ownText(const char* key) const override { return HostLocalization::lookupText(key); }
  std::uint16_t textAttribute() const override { return HostLocalization::textAttribute(); }
};

}  // namespace

void bindLocalizedTexts() {
  static const HostLocalizationSource source;
  LocalizedStrings::instance().setSource(source);
}

}  // namespace kvl::host
