#include "plugin/rally/service_info.h"

#include <gtest/gtest.h>

namespace {

TEST(ServiceInfo, ClearedThenChainedSettersStoreAnyValue) {
  kvl::rally::ServiceInfo info;
  info.setMechanics(9).setSkill(9).setAllowedRepairTime(9.0f);
  EXPECT_EQ(&info.clear(), &info);
  EXPECT_EQ(info.mechanics(), 0);
  EXPECT_EQ(info.skill(), 0);
  EXPECT_EQ(info.allowedRepairTime(), 0.0f);
  struct Case {
    int mechanics, skill;
    float minutes;
  } cases[] = {{2, 5, 12.5f}, {0, 0, 0.0f}, {-3, -1, -7.25f}};
  for (const auto& c : cases) {
    EXPECT_EQ(&info.setMechanics(c.mechanics).setSkill(c.skill).setAllowedRepairTime(c.minutes), &info);
    EXPECT_EQ(info.mechanics(), c.mechanics);
    EXPECT_EQ(info.skill(), c.skill);
    EXPECT_EQ(info.allowedRepairTime(), c.minutes);
  }
}

}  // namespace
