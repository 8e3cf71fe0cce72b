#include "plugin/rally/rally.h"

#include <gtest/gtest.h>

namespace {

using kvl::rally::Rally;
using kvl::tracks::TrackListEntry;

TEST(Rally, GeneratedUnlessItsMapIsListedWithFilesOnDisk) {
  const std::vector<TrackListEntry> tracks = {{3, "Maps\\Harju_Forest_Snow", {}, true},
                                              {12, "Maps\\Coast_Dry", {}, false}};
  struct Case {
    int stageKey;
    bool generated;
  } cases[] = {{3, false}, {12, true}, {7, true}, {-1, true}};
  for (const Case& c : cases) EXPECT_EQ(Rally(c.stageKey).isGenerated(tracks), c.generated) << c.stageKey;
  EXPECT_TRUE(Rally(3).isGenerated({}));
}

}  // namespace
