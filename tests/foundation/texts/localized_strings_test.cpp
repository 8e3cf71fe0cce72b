#include "plugin/foundation/texts/localized_strings.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tests/support/scratch_folder.h"

namespace {

using kvl::LocalizedStrings;
using kvl::testing::makeFolder;
using kvl::testing::ScratchFolder;
using kvl::testing::writeWholeFile;

const char kFile[] = "Plugins/QZR/strings.ini";

// The host's side: its language, its own texts ("host:" and the key), its text attribute.
class FakeHost : public kvl::LocalizationSource {
 public:
  int language = 0;
  uint16_t attribute = 0;
  mutable int ownTextCalls = 0;

  int languageId() const override { return language; }
  const wchar_t* ownText(const char* key) const override {
    ++ownTextCalls;
    std::wstring& text = own_[key];
    text = L"host:" + std::wstring(key, key + std::char_traits<char>::length(key));
    return text.c_str();
  }
  uint16_t textAttribute() const override { return attribute; }

 private:
  mutable std::map<std::string, std::wstring> own_;
};

// A label record as the host lays it out: key, text, attribute.
struct PlainTextRecord {
  const char* keyText;
  const wchar_t* shown;
  uint16_t attribute;
  bool hasKey() const { return keyText != nullptr; }
  const char* key() const { return keyText; }
  void setText(const wchar_t* text) { shown = text; }
  void setAttribute(uint16_t value) { attribute = value; }
};

class LocalizedStringsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    makeFolder("Plugins");
    makeFolder("Plugins\\QZR");
  }
  ScratchFolder scratch_;
  FakeHost host_;
};

TEST_F(LocalizedStringsTest, SectionByLanguageAndHostFallback) {
  writeWholeFile(kFile,
            "[ENGLISH]\r\nTITLE=Settings\r\nLITERAL=SNF\r\n"
            "[FRENCH]\r\nTITLE= R\xC3\xA9glages \r\n"
            "[GERMAN]\r\nTITLE=Einstellungen\r\n"
            "[SPANISH]\r\nTITLE=Ajustes\r\n"
            "[ITALIAN]\r\nTITLE=Impostazioni\r\n"
            "[CZECH]\r\nTITLE=Nastaven\xC3\xAD\r\n"
            "[POLISH]\r\nTITLE=Ustawienia\r\n");
  LocalizedStrings table(host_, kFile);
  const struct {
    int language;
    const char* key;
    const wchar_t* text;
  } cases[] = {
      {0, "TITLE", L"Settings"},       {1, "TITLE", L"R\u00E9glages"},  {2, "TITLE", L"Einstellungen"},
      {3, "TITLE", L"Ajustes"},        {4, "TITLE", L"Impostazioni"},   {5, "TITLE", L"Nastaven\u00ED"},
      {6, "TITLE", L"Ustawienia"},     {7, "TITLE", L"Settings"},       {-3, "TITLE", L"Settings"},
      {0, "LITERAL", L"host:LITERAL"}, {0, "MISSING", L"host:MISSING"}, {2, "LITERAL", L"host:LITERAL"},
  };
  for (const auto& c : cases) {
    host_.language = c.language;
    const wchar_t* text = table.lookup(c.key);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::wstring(text), c.text) << c.language << " " << c.key;
  }
}

TEST_F(LocalizedStringsTest, MissingFileGivesHostTexts) {
  LocalizedStrings table(host_, "Plugins/QZR/absent.ini");
  EXPECT_EQ(std::wstring(table.lookup("TITLE")), L"host:TITLE");
}

TEST_F(LocalizedStringsTest, FoundKeysAreReadOnceMissingKeysEveryTime) {
  writeWholeFile(kFile, "[ENGLISH]\r\nFOUND=first\r\n");
  LocalizedStrings table(host_, kFile);
  const wchar_t* found = table.lookup("FOUND");
  EXPECT_EQ(std::wstring(table.lookup("LATER")), L"host:LATER");
  writeWholeFile(kFile, "[ENGLISH]\r\nFOUND=second\r\nLATER=now in the file\r\n");
  EXPECT_EQ(table.lookup("FOUND"), found);
  EXPECT_EQ(std::wstring(found), L"first");
  EXPECT_EQ(std::wstring(table.lookup("LATER")), L"now in the file");
}

TEST_F(LocalizedStringsTest, LanguageChangesReadTheFileAgainAndKeepHandedOutTexts) {
  writeWholeFile(kFile, "[GERMAN]\r\nKEY=Alt\r\nSAME=Gleich\r\n[FRENCH]\r\nKEY=Vieux\r\n");
  LocalizedStrings table(host_, kFile);
  host_.language = 2;
  const wchar_t* german = table.lookup("KEY");
  const wchar_t* same = table.lookup("SAME");
  host_.language = 1;
  const wchar_t* french = table.lookup("KEY");
  EXPECT_EQ(std::wstring(french), L"Vieux");
  writeWholeFile(kFile, "[GERMAN]\r\nKEY=Neu\r\nSAME=Gleich\r\n[FRENCH]\r\nKEY=Vieux\r\n");
  host_.language = 2;
  const wchar_t* germanAgain = table.lookup("KEY");
  EXPECT_EQ(std::wstring(germanAgain), L"Neu");
  // Texts that host records may still show stay valid and unchanged.
  EXPECT_EQ(std::wstring(german), L"Alt");
  EXPECT_EQ(std::wstring(french), L"Vieux");
  // An unchanged text is handed out at the same address as before.
  EXPECT_EQ(table.lookup("SAME"), same);
  host_.language = 1;
  EXPECT_EQ(table.lookup("KEY"), french);
}

TEST_F(LocalizedStringsTest, FillsRecordsThatHaveAKey) {
  writeWholeFile(kFile, "[ENGLISH]\r\nHANDBRAKE=Handbrake\r\n");
  LocalizedStrings table(host_, kFile);
  host_.attribute = 0x1234;
  const wchar_t original[] = L"unchanged";
  const struct {
    const char* key;
    const wchar_t* text;
    uint16_t attribute;
  } cases[] = {
      {nullptr, original, 7},
      {"HANDBRAKE", L"Handbrake", 0x1234},
      {"CLUTCH", L"host:CLUTCH", 0x1234},
  };
  for (const auto& c : cases) {
    PlainTextRecord record{c.key, original, 7};
    PlainTextRecord& filled = table.text(record);
    EXPECT_EQ(&filled, &record);
    EXPECT_EQ(std::wstring(record.shown), c.text) << (c.key ? c.key : "<no key>");
    EXPECT_EQ(record.attribute, c.attribute);
    EXPECT_EQ(record.keyText, c.key);
  }
}

TEST_F(LocalizedStringsTest, UndecodableValuesStillGiveAText) {
  writeWholeFile(kFile, std::string("[ENGLISH]\r\nBAD=\xC3\r\nHUGE=") + std::string(6000, 'h') + "\r\n");
  LocalizedStrings table(host_, kFile);
  EXPECT_NE(table.lookup("BAD"), nullptr);
  EXPECT_EQ(std::wstring(table.lookup("HUGE")), std::wstring(4094, L'h'));
}

TEST_F(LocalizedStringsTest, TheSharedTableAnswersBeforeTheHostIsBound) {
  LocalizedStrings& shared = LocalizedStrings::instance();
  EXPECT_EQ(&shared, &LocalizedStrings::instance());
  writeWholeFile(kFile, "[ENGLISH]\r\nOK=Fine\r\n");
  EXPECT_EQ(std::wstring(shared.lookup("OK")), L"Fine");
  EXPECT_EQ(std::wstring(shared.lookup("NOPE")), L"");
  static FakeHost boundHost;  // outlives the shared table's use of it
  shared.setSource(boundHost);
  EXPECT_EQ(std::wstring(shared.lookup("NOPE")), L"host:NOPE");
}

}  // namespace
