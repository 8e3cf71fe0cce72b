#include "plugin/foundation/texts/localized_strings.h"

#include "plugin/foundation/settings/ini_profile.h"
#include "plugin/foundation/texts/language_sections.h"
#include "plugin/foundation/texts/text_encoding.h"

namespace kvl {

namespace {

const char kStringsFile[] = "Plugins/QZR/strings.ini";
const char kNotFound[] = "SNF";

// Stands in for the host until it is bound.
class UnboundHost : public LocalizationSource {
 public:
  int languageId() const override { return 0; }
  const wchar_t* ownText(const char*) const override { return L""; }
  uint16_t textAttribute() const override { return 0; }
};

}  // namespace

LocalizedStrings& LocalizedStrings::instance() {
  static const UnboundHost unbound;
  // Deliberately never destroyed: host records may show its texts until the process ends.
  static LocalizedStrings* const table = new LocalizedStrings(unbound, kStringsFile);
  return *table;
}

LocalizedStrings::LocalizedStrings(const LocalizationSource& source, const std::string& file)
    : source_(&source), file_(file) {}

const wchar_t* LocalizedStrings::lookup(const std::string& key) {
  const int language = source_->languageId();
  if (language != language_) {
    cache_.clear();
    language_ = language;
  }
  const auto cached = cache_.find(key);
  if (cached != cache_.end()) return cached->second->c_str();

  const std::string value = IniProfile(file_).get(languageSection(language), key, kNotFound);
  if (value == kNotFound) return source_->ownText(key.c_str());

  const std::wstring* text = keep(key, utf8ToWide(value));
  cache_[key] = text;
  return text->c_str();
}

const std::wstring* LocalizedStrings::keep(const std::string& key, std::wstring text) {
  const std::pair<int, std::string> id(language_, key);
  const auto known = kept_.find(id);
  if (known != kept_.end() && *known->second == text) return known->second;
  store_.push_back(std::move(text));
  const std::wstring* stored = &store_.back();
  kept_[id] = stored;
  return stored;
}

}  // namespace kvl
