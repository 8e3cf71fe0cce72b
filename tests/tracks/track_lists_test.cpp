#include "plugin/tracks/track_lists.h"

#include <gtest/gtest.h>

using kvl::tracks::TrackLists;
using kvl::tracks::TrackNameTables;

TEST(TrackNameTables, SplitsStageAndCondition) {
  struct Case {
    const char* name;
    const char* stage;
    const char* condition;
  };
  const Case cases[] = {
      {"Maps\\Harju_Forest_Snow", "Harju Forest", "Snow"},
      {"Maps/harju forest_WET.lbs", "harju forest", "Wet"},
      {"Maps\\Harju_Forest", "Harju Forest", ""},
      {"Snow", "Snow", ""},  // a lone word is the stage
      {"Maps\\Night_Run_Dry", "Night Run", "Dry"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    const auto parts = TrackNameTables::instance().split(c.name);
    EXPECT_EQ(parts.stage, c.stage) << c.name;
    EXPECT_EQ(parts.condition, c.condition) << c.name;
  }
}

TEST(TrackLists, MapSectionsInMapOrderWithTheirFiles) {
  struct Case {
    const char* section;
    int map;
  };
  for (const Case& c : {Case{"Map01", 1}, Case{"map7", 7}, Case{"MAP41", 41}, Case{"Map", -1}, Case{"Map1a", -1},
                        Case{"Maps", -1}, Case{"Mop01", -1}}) {
    EXPECT_EQ(kvl::tracks::mapNumberOf(c.section), c.map) << c.section;
  }

  TrackLists& lists = TrackLists::instance();
  lists.build({{"Map12", "Maps\\Coast_Dry"}, {"General", "Maps\\x"}, {"Map03", "Maps\\harju_forest_Snow"},
               {"Map05", ""}, {"Map12", "Maps\\Other"}},
              {"HARJU_FOREST_SNOW.lbs", "harju_forest_snow.lb2", "readme.txt"});
  const auto entries = lists.entries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].map, 3);
  EXPECT_TRUE(entries[0].onDisk);
  EXPECT_EQ(entries[0].parts.condition, "Snow");
  EXPECT_EQ(entries[1].map, 12);
  EXPECT_EQ(entries[1].trackName, "Maps\\Coast_Dry");  // the first name of a map named twice
  EXPECT_FALSE(entries[1].onDisk);

  EXPECT_TRUE(lists.recordCurrent(3, "Maps\\harju_forest_Snow"));
  ASSERT_TRUE(lists.current().has_value());
  EXPECT_EQ(lists.current()->parts.stage, "harju forest");
  EXPECT_TRUE(lists.current()->onDisk);
  EXPECT_FALSE(lists.recordCurrent(9, ""));
  EXPECT_FALSE(lists.current().has_value());
}
