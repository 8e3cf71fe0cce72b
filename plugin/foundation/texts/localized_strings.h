#pragma once
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <utility>

namespace kvl {

// What the localised texts need of the host: its current language, its own text for a key,
// and the attribute its text records carry. The host binding provides it.
class LocalizationSource {
 public:
  virtual ~LocalizationSource() = default;
  virtual int languageId() const = 0;
  virtual const wchar_t* ownText(const char* key) const = 0;
  virtual uint16_t textAttribute() const = 0;
};

// The plugin's own menu texts in the host's language, read from "Plugins/QZR/strings.ini"
// (one section per language, UTF-8 values), with the host's own text as the fallback.
//
// Texts handed out stay valid for the life of the process: host records keep pointing at
// them after the language changes, so a text is never freed, only replaced for later
// lookups when the file gives a different one.
class LocalizedStrings {
 public:
  // The one table of the plugin, never destroyed.
  static LocalizedStrings& instance();

  LocalizedStrings(const LocalizationSource& source, const std::string& file);
  LocalizedStrings(const LocalizedStrings&) = delete;
  LocalizedStrings& operator=(const LocalizedStrings&) = delete;

  // Binds the host; until then the table answers for language 0 with empty host texts.
  void setSource(const LocalizationSource& source) { source_ = &source; }

  // The text of the key in the current language.
  const wchar_t* lookup(const std::string& key);

  // Fills a text record that has a key: its text from `lookup`, its attribute from the host.
  // A record without a key is returned untouched. `Record` offers hasKey, key, setText and
  // setAttribute.
  template <typename Record>
  Record& text(Record& record) {
    if (!record.hasKey()) return record;
    record.setText(lookup(record.key()));
    record.setAttribute(source_->textAttribute());
    return record;
  }

 private:
  const std::wstring* keep(const std::string& key, std::wstring text);

  const LocalizationSource* source_;
  std::string file_;
  int language_ = 7;
  // Texts read since the last language change.
  std::map<std::string, const std::wstring*> cache_;
  // Every text ever handed out, by language and key; the store never shrinks.
  std::map<std::pair<int, std::string>, const std::wstring*> kept_;
  std::deque<std::wstring> store_;
};

}  // namespace kvl
