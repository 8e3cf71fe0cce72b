#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "common/telemetry/record_set.h"
#include "common/telemetry/telemetry_channel_table.h"
#if defined(_WIN32)
#include "tests/support/scratch_folder.h"
#endif

namespace {

using Names = std::vector<std::string>;

Names fromText(const std::string& ini, const std::string& set) {
  std::istringstream in(ini);
  return kvl::readRecordSet(in, set);
}

TEST(RecordSet, ValueRules) {
  struct Case {
    const char* value;
    bool selected;
  };
  const Case cases[] = {
      {"1", true},     {"true", true},   {" 1 ", true},   {"true  ", true}, {"01", true},
      {"0", false},    {"false", false}, {"TRUE", false}, {"True", false},  {"yes", false},
      {"2", false},    {"1x", false},    {"", false},     {"-1", false},    {"1 1", false},
      {"on", false},   {"1.0", false},
  };
  for (const Case& c : cases) {
    Names names = fromText(std::string("[QZR]\nspeed=") + c.value + "\n", "QZR");
    EXPECT_EQ(names.size(), c.selected ? 1u : 0u) << "'" << c.value << "'";
  }
}

TEST(RecordSet, KeysKeepTheirFileOrder) {
  const std::string ini =
      "; comment\n# another\n[Other]\nspeed=1\n"
      "[QZR]\nutcSystemTime = true\nspeed=1\ngear=false\nposition=true\n";
  EXPECT_EQ(fromText(ini, "QZR"), (Names{"utcSystemTime", "speed", "position"}));
  EXPECT_EQ(fromText("[QZR]\nposition=1\nutcSystemTime=1\nspeed=1\n", "QZR"),
            (Names{"position", "utcSystemTime", "speed"}));
  EXPECT_EQ(fromText(ini, "Other"), Names{"speed"});

  // Unknown names stay in the list; the table skips them, keeping the others.
  Names names = fromText("[QZR]\nLF.wear[9]=true\nSpeed=true\nLF.wear[3]=1\nspeed=1\n", "QZR");
  EXPECT_EQ(names, (Names{"LF.wear[9]", "Speed", "LF.wear[3]", "speed"}));
  kvl::TelemetryChannelTable table;
  table.build(kvl::HostObjects{});
  table.select(names);
  ASSERT_EQ(table.active().size(), 2u);
  EXPECT_EQ(table.active()[0]->name(), "LF.wear[3]");
  EXPECT_EQ(table.active()[1]->name(), "speed");
  EXPECT_EQ(table.rowSize(), 8u);
}

TEST(RecordSet, BrokenFilesAndMissingSetsSelectNothing) {
  struct Case {
    const char* ini;
    const char* set;
  };
  const Case cases[] = {
      {"[QZR]\nspeed=1\n[QZR]\ngear=1\n", "QZR"},      // duplicate section
      {"[QZR]\nspeed=1\nspeed=1\n", "QZR"},             // duplicate key
      {"[QZR\nspeed=1\n", "QZR"},                       // unmatched bracket
      {"[QZR]\nspeed\n", "QZR"},                        // no '='
      {"[QZR]\n=1\n", "QZR"},                           // no key
      {"[QZR]\nspeed=1\n", "qzr"},                      // names compare exactly
      {"[QZR]\nspeed=1\n", "Missing"},
      {"[QZR]\nspeed=1\n", "QZR.speed"},                // a key, not a section
      {"[QZR]\nspeed=1\n", ""},                         // the top level holds only the section
      {"", "QZR"},
  };
  for (const Case& c : cases) EXPECT_TRUE(fromText(c.ini, c.set).empty()) << c.ini << " / " << c.set;
  // Keys before the first section belong to the top level, which the empty name addresses.
  EXPECT_EQ(fromText("speed=1\n[QZR]\ngear=1\n", ""), Names{"speed"});
}

TEST(RecordSet, ReadsTheFileAtItsPath) {
  const std::string path = "record_set_test.ini";
  {
    std::ofstream out(path, std::ios::binary);
    out << "[QZR]\r\nspeed=1\r\nposition=true\r\n";
  }
  EXPECT_EQ(kvl::readRecordSet(path, "QZR"), (Names{"speed", "position"}));
  std::remove(path.c_str());
  EXPECT_TRUE(kvl::readRecordSet(path, "QZR").empty());
}

#if defined(_WIN32)
// The listing is the profile functions': empty sections count, and a file the record-set reader
// rejects still lists its sections.
TEST(RecordSet, ListsTheSectionsTheProfileFunctionsRead) {
  kvl::testing::ScratchFolder folder;
  const struct {
    const char* ini;
    Names sections;
  } cases[] = {
      {"[QZR]\r\nspeed=1\r\n[Empty]\r\n[Other]\r\ngear=1\r\n", {"QZR", "Empty", "Other"}},
      {"[QZR]\r\nspeed=1\r\nspeed=0\r\n[Next]\r\n", {"QZR", "Next"}},
      {"", {}},
  };
  int n = 0;
  for (const auto& c : cases) {
    const std::string path = "sets" + std::to_string(n++) + ".ini";  // relative to the current folder
    kvl::testing::writeWholeFile(path, c.ini);
    EXPECT_EQ(kvl::listRecordSets(path), c.sections) << c.ini;
  }
  EXPECT_TRUE(kvl::listRecordSets("missing.ini").empty());
}
#endif

}  // namespace
