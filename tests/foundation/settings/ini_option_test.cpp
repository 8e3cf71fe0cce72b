#include "plugin/foundation/settings/ini_option.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "plugin/foundation/settings/float_list_option.h"
#include "plugin/foundation/settings/ini_profile.h"
#include "tests/support/scratch_folder.h"

namespace {

using kvl::testing::ScratchFolder;
using kvl::testing::writeWholeFile;

// The raw text the file holds for a key ("<none>" when missing).
std::string stored(const std::string& file, const std::string& section, const std::string& key) {
  return kvl::IniProfile(file).get(section, key, "<none>");
}

class IniOptionTest : public ::testing::Test {
 protected:
  void SetUp() override { file_ = scratch_.path() + "\\opt.ini"; }
  // Writes key=value into [S] (an empty file when value is null).
  void hold(const char* value) { writeWholeFile(file_, value ? std::string("[S]\r\nk=") + value + "\r\n" : std::string()); }
  ScratchFolder scratch_;
  std::string file_;
};

TEST_F(IniOptionTest, BoolReads) {
  const struct {
    const char* held;  // null: key missing
    bool initial;
    bool expected;
  } cases[] = {
      {nullptr, true, true}, {nullptr, false, false}, {" TRUE ", false, true}, {"True1", true, false},
      {"1", false, true},    {"2", true, false},      {"", true, false},       {"false", true, false},
      {"01", false, true},   {"yes", true, false},    {"-1", true, false},
  };
  for (const auto& c : cases) {
    hold(c.held);
    const kvl::BoolOption option("k", file_, c.initial, "S");
    EXPECT_EQ(option.read(), c.expected) << (c.held ? c.held : "<missing>") << " initial " << c.initial;
  }
}

TEST_F(IniOptionTest, IntReads) {
  const struct {
    const char* held;
    int32_t initial;
    int32_t expected;
  } cases[] = {
      {nullptr, 42, 42}, {nullptr, -7, -7}, {"0x10", 9, 0}, {"-7", 9, -7},
      {"", 9, 0},        {"12abc", 9, 12},  {"abc", 9, 0},  {"99999999999", 9, 2147483647},
  };
  for (const auto& c : cases) {
    hold(c.held);
    const kvl::IntOption option("k", file_, c.initial, "S");
    EXPECT_EQ(option.read(), c.expected) << (c.held ? c.held : "<missing>");
  }
}

TEST_F(IniOptionTest, UnsignedAndFloatReads) {
  const struct {
    const char* held;
    float initial;
    float expected;
  } floats[] = {
      {nullptr, 0.1f, 0.1f},
      {nullptr, 1.0f, 1.0f},
      {"abc", 3.0f, 0.0f},
      {"", 3.0f, 0.0f},
      {"1.5x", 0.0f, 1.5f},
      {"1,5", 0.0f, 1.0f},
      {" -2.25 ", 0.0f, -2.25f},
      // the default text has six significant digits
      {nullptr, 1.2345678f, 1.23457f},
  };
  for (const auto& c : floats) {
    hold(c.held);
    const kvl::FloatOption option("k", file_, c.initial, "S");
    EXPECT_FLOAT_EQ(option.read(), c.expected) << (c.held ? c.held : "<missing>");
  }
  const struct {
    const char* held;
    uint32_t initial;
    uint32_t expected;
  } unsigneds[] = {{nullptr, 6776, 6776}, {"80", 0, 80}, {"", 5, 0}, {"port", 5, 0}};
  for (const auto& c : unsigneds) {
    hold(c.held);
    const kvl::UnsignedOption option("k", file_, c.initial, "S");
    EXPECT_EQ(option.read(), c.expected) << (c.held ? c.held : "<missing>");
  }
}

TEST_F(IniOptionTest, NonFiniteFloatsReadAsDefinedValues) {
  hold(nullptr);
  for (float bad : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                    -std::numeric_limits<float>::infinity()}) {
    const kvl::FloatOption option("k", file_, bad, "S");
    const float value = option.read();
    EXPECT_TRUE(std::isfinite(value)) << bad;
    EXPECT_EQ(value, 0.0f) << bad;
  }
}

TEST_F(IniOptionTest, ReadingNeitherChangesTheValueNorWrites) {
  hold("1");
  kvl::IntOption option("k", file_, 7, "S");
  EXPECT_EQ(option.read(), 1);
  EXPECT_EQ(*option.valuePtr(), 7);
  kvl::IntOption missing("other", file_, 3, "S");
  EXPECT_EQ(missing.read(), 3);
  EXPECT_FALSE(missing.isPresent());
}

TEST_F(IniOptionTest, SavesWriteTheClassicTextOfTheArgument) {
  const kvl::BoolOption b("b", file_, false, "S");
  const kvl::IntOption i("i", file_, 0, "S");
  const kvl::UnsignedOption u("u", file_, 0, "S");
  const kvl::FloatOption f("f", file_, 0.0f, "S");
  const kvl::StringOption s("s", file_, "", "S");
  const struct {
    bool saved;
    const char* key;
    const char* text;
  } cases[] = {
      {b.save(true), "b", "1"},
      {i.save(-7), "i", "-7"},
      {u.save(4294967295u), "u", "4294967295"},
      {f.save(1.0f), "f", "1"},
      {s.save("127.0.0.1:6776"), "s", "127.0.0.1:6776"},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(c.saved) << c.key;
    EXPECT_EQ(stored(file_, "S", c.key), c.text) << c.key;
  }
  EXPECT_TRUE(b.save(false));
  EXPECT_EQ(stored(file_, "S", "b"), "0");
  EXPECT_TRUE(f.save(0.000001f));
  EXPECT_EQ(stored(file_, "S", "f"), "1e-06");
  EXPECT_TRUE(f.save(123456789.0f));
  EXPECT_EQ(stored(file_, "S", "f"), "1.23457e+08");
}

TEST_F(IniOptionTest, SaveIntoAFolderThatDoesNotExistFails) {
  kvl::BoolOption option("k", scratch_.path() + "\\missing\\x.ini", true, "S");
  EXPECT_FALSE(option.save(true));
  EXPECT_FALSE(kvl::saveIfMissing(option));
}

TEST_F(IniOptionTest, PresenceIgnoresLetterCaseAndValue) {
  writeWholeFile(file_, "[QZR]\r\nCENTERMENU=\r\nother=1\r\n[Else]\r\nfixVSync=1\r\n");
  const struct {
    const char* key;
    const char* section;
    bool present;
  } cases[] = {
      {"centerMenu", "QZR", true},   {"CenterMenu", "qzr", true}, {"fixVSync", "QZR", false},
      {"fixVSync", "Else", true},    {"centerMen", "QZR", false}, {"centerMenuX", "QZR", false},
      {"centerMenu", "Nope", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(kvl::BoolOption(c.key, file_, true, c.section).isPresent(), c.present) << c.section << "/" << c.key;
  }
  EXPECT_FALSE(kvl::BoolOption("centerMenu", scratch_.path() + "\\absent.ini", true, "QZR").isPresent());
}

TEST_F(IniOptionTest, SaveIfMissingNeverOverwrites) {
  writeWholeFile(file_, "[S]\r\nPRESENT=abc\r\n");
  kvl::IntOption present("present", file_, 200, "S");
  kvl::IntOption missing("missing", file_, 200, "S");
  EXPECT_FALSE(kvl::saveIfMissing(present));
  EXPECT_TRUE(kvl::saveIfMissing(missing));
  EXPECT_FALSE(kvl::saveIfMissing(missing));
  EXPECT_EQ(stored(file_, "S", "present"), "abc");
  EXPECT_EQ(present.read(), 0);
  EXPECT_EQ(stored(file_, "S", "missing"), "200");
}

}  // namespace

TEST_F(IniOptionTest, FloatListReadsAndSaves) {
  const kvl::FloatList defaults = {1.0f, 2.0f};
  const struct {
    const char* held;
    kvl::FloatList expected;
  } cases[] = {{nullptr, {1.0f, 2.0f}}, {"0.5 1 4x", {0.5f, 1.0f, 4.0f}}, {"abc", {}}, {"", {}}};
  for (const auto& c : cases) {
    hold(c.held);
    const kvl::FloatListOption option("k", file_, defaults, "S");
    EXPECT_EQ(option.read(), c.expected) << (c.held ? c.held : "<missing>");
  }
  const kvl::FloatListOption option("k", file_, defaults, "S");
  ASSERT_TRUE(option.save({0.25f, 8.0f, -3.0f}));
  EXPECT_EQ(stored(file_, "S", "k"), "0.25 8 -3");
  EXPECT_EQ(option.read(), (kvl::FloatList{0.25f, 8.0f, -3.0f}));
}
