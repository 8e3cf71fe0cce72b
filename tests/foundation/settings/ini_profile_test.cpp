#include "plugin/foundation/settings/ini_profile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <string>

#include "plugin/foundation/files/module_path.h"
#include "tests/support/scratch_folder.h"

namespace {

using kvl::IniProfile;
using kvl::testing::currentDirectory;
using kvl::testing::readWholeFile;
using kvl::testing::ScratchFolder;
using kvl::testing::writeWholeFile;

using Names = std::deque<std::string>;

const char kSample[] =
    "[S]\r\n"
    "five=5\r\n"
    "empty=\r\n"
    "spaced=   a b   \r\n"
    "Mixed=x\r\n"
    "[Other]\r\n"
    "only=1\r\n";

TEST(IniProfileGet, ValuesDefaultsAndTrimming) {
  ScratchFolder scratch;
  writeWholeFile("sample.ini", kSample);
  const IniProfile profile("sample.ini");
  const struct {
    const char* section;
    const char* key;
    const char* defaultValue;
    const char* expected;
  } cases[] = {
      {"S", "five", "d", "5"},    {"S", "missing", " 5 ", "5"},  // the default comes back trimmed
      {"S", "missing", "", ""},   {"S", "empty", "d", ""},       // present but empty: not the default
      {"S", "spaced", "", "a b"},                                // inner blanks stay
      {"s", "FIVE", "", "5"},                                    // the system matches names in any letter case
      {"S", "mixed", "", "x"},    {"Nope", "five", "dflt", "dflt"}, {"Other", "five", "-", "-"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(profile.get(c.section, c.key, c.defaultValue), c.expected) << c.section << "/" << c.key;
  }
}

TEST(IniProfileGet, MissingOrUnreadableFilesGiveTheDefault) {
  ScratchFolder scratch;
  kvl::testing::makeFolder("folder.ini");  // a folder where a file is expected
  static const char kBinary[] = "\0\x01\xff[\x00=\n\n=\x7f";
  writeWholeFile("binary.ini", std::string(kBinary, sizeof kBinary - 1));
  for (const char* name : {"absent.ini", "folder.ini", "binary.ini", "no\\such\\dir\\x.ini"}) {
    const IniProfile profile(name);
    EXPECT_EQ(profile.get("S", "k", " fallback "), "fallback") << name;
    EXPECT_EQ(profile.get("S", "k", ""), "") << name;
    Names keys;
    EXPECT_TRUE(profile.keys("S", keys));
    EXPECT_TRUE(keys.empty()) << name;
  }
  EXPECT_FALSE(IniProfile("absent.ini").exists());
  EXPECT_TRUE(IniProfile("binary.ini").exists());
}

TEST(IniProfileGet, LongValuesArriveCutTo4094Characters) {
  ScratchFolder scratch;
  const std::string plain(5000, 'v');
  // Cut right after a blank: the cut text is trimmed at its end.
  const std::string blankAtCut = std::string(4093, 'x') + " " + std::string(906, 'y');
  const std::string exact(4094, 'e');
  writeWholeFile("long.ini", "[S]\r\nplain=" + plain + "\r\nblank=" + blankAtCut + "\r\nexact=" + exact + "\r\n");
  const IniProfile profile("long.ini");
  EXPECT_EQ(profile.get("S", "plain", ""), std::string(4094, 'v'));
  EXPECT_EQ(profile.get("S", "blank", ""), std::string(4093, 'x'));
  EXPECT_EQ(profile.get("S", "exact", ""), exact);
  // A huge default is cut the same way.
  EXPECT_EQ(profile.get("S", "missing", std::string(6000, 'd')).size(), 4094u);
}

TEST(IniProfileGet, HugeLinesDoNotHarmTheRest) {
  ScratchFolder scratch;
  writeWholeFile("huge.ini", "[S]\r\nbig=" + std::string(2 * 1024 * 1024, 'z') + "\r\nafter=ok\r\n");
  const IniProfile profile("huge.ini");
  EXPECT_EQ(profile.get("S", "after", ""), "ok");
  EXPECT_EQ(profile.get("S", "big", "").size(), 4094u);
}

TEST(IniProfileLists, KeysAndSectionsInFileOrderAppended) {
  ScratchFolder scratch;
  writeWholeFile("lists.ini", "[A]\r\nzeta=1\r\nAlpha=2\r\nmid=\r\n[b]\r\nk=v\r\n");
  const IniProfile profile("lists.ini");

  Names keys{"kept"};
  EXPECT_TRUE(profile.keys("A", keys));
  EXPECT_EQ(keys, (Names{"kept", "zeta", "Alpha", "mid"}));

  Names none{"kept"};
  EXPECT_TRUE(profile.keys("missing", none));
  EXPECT_EQ(none, Names{"kept"});

  Names sections{"x"};
  EXPECT_TRUE(profile.sections(sections));
  EXPECT_EQ(sections, (Names{"x", "A", "b"}));

  Names fromMissingFile;
  EXPECT_TRUE(IniProfile("absent.ini").sections(fromMissingFile));
  EXPECT_TRUE(IniProfile("absent.ini").keys("A", fromMissingFile));
  EXPECT_TRUE(fromMissingFile.empty());
}

TEST(IniProfileLists, ListsBeyondTheBufferAreCutSafely) {
  ScratchFolder scratch;
  std::string text = "[Big]\r\n";
  const int count = 40000;  // about 1.2 MB of names
  for (int i = 0; i < count; ++i) {
    char line[64];
    snprintf(line, sizeof line, "key%026d=1\r\n", i);
    text += line;
  }
  writeWholeFile("big.ini", text);
  Names keys;
  EXPECT_TRUE(IniProfile("big.ini").keys("Big", keys));
  ASSERT_GT(keys.size(), 30000u);
  EXPECT_LT(keys.size(), static_cast<std::size_t>(count));
  for (std::size_t i = 0; i + 1 < keys.size(); ++i) ASSERT_EQ(keys[i].size(), 29u) << i;
  EXPECT_LE(keys.back().size(), 29u);
}

TEST(IniProfileSet, WritesCreatesAndReadsBack) {
  ScratchFolder scratch;
  const IniProfile profile("new.ini");
  EXPECT_FALSE(profile.exists());
  EXPECT_TRUE(profile.set("QZR", "centerMenu", "1"));
  EXPECT_TRUE(profile.exists());
  EXPECT_TRUE(profile.set("QZR", "empty", ""));
  EXPECT_TRUE(profile.set("QZR", "centerMenu", "0"));
  EXPECT_EQ(profile.get("QZR", "centerMenu", "x"), "0");
  EXPECT_EQ(profile.get("QZR", "empty", "x"), "");  // written, with an empty value
  Names keys;
  profile.keys("QZR", keys);
  EXPECT_EQ(keys, (Names{"centerMenu", "empty"}));
  // The relative name was resolved against the current directory.
  EXPECT_NE(readWholeFile(scratch.path() + "\\new.ini").find("centerMenu=0"), std::string::npos);

  // A folder that does not exist is not created.
  EXPECT_FALSE(IniProfile("missing\\dir\\x.ini").set("S", "k", "v"));
}

TEST(IniProfilePath, RelativeNamesResolveAgainstTheCurrentDirectory) {
  ScratchFolder scratch;
  const std::string here = currentDirectory();
  const struct {
    std::string name;
    std::string full;
  } cases[] = {
      {"Korvala.ini", here + "\\Korvala.ini"},
      {"Plugins/QZR/strings.ini", here + "\\Plugins\\QZR\\strings.ini"},
      {"AudioFMOD\\AudioFMOD.ini", here + "\\AudioFMOD\\AudioFMOD.ini"},
      {here + "\\abs.ini", here + "\\abs.ini"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(IniProfile(c.name).fullPath(), c.full) << c.name;
}

TEST(IniProfilePath, UnresolvableNamesFallBackToTheProgramFolder) {
  ScratchFolder scratch;
  std::string tooLong;
  while (tooLong.size() < 4200) tooLong += "deep/";
  tooLong += "fallback.ini";
  const std::string programFolder = kvl::io::directoryOf(kvl::io::modulePath().c_str());
  EXPECT_EQ(IniProfile(tooLong).fullPath(), programFolder + "\\fallback.ini");
}

TEST(IniProfilePath, EmptyNameNeverReachesTheSystemFolder) {
  const IniProfile profile("");
  EXPECT_EQ(profile.fullPath(), "");
  EXPECT_FALSE(profile.exists());
  EXPECT_EQ(profile.get("S", "k", " d "), "d");
  EXPECT_FALSE(profile.set("S", "k", "v"));
  Names names;
  EXPECT_TRUE(profile.sections(names));
  EXPECT_TRUE(names.empty());
}

}  // namespace
