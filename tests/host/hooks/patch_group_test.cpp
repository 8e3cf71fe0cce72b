#include <windows.h>

#include <cstring>
#include <memory>

#include <gtest/gtest.h>

#include "plugin/hooks/patch_group.h"

using kvl::PatchGroup;
using kvl::host::MemoryPatch;

namespace {

struct Page {
  unsigned char* base = static_cast<unsigned char*>(
      VirtualAlloc(nullptr, 4096, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  ~Page() { VirtualFree(base, 0, MEM_RELEASE); }
};

const unsigned char kBytes[] = {1, 2, 3, 4};

std::shared_ptr<MemoryPatch> patchAt(void* site) {
  return std::make_shared<MemoryPatch>(site, kBytes, 4);
}

// A site that can never be written or read.
unsigned char* faultingSite() {
  static auto* reserved = static_cast<unsigned char*>(VirtualAlloc(nullptr, 65536, MEM_RESERVE, PAGE_NOACCESS));
  return reserved;
}

}  // namespace

TEST(PatchGroup, StatusRule) {
  struct Case {
    const char* name;
    int goodPatches;
    bool faultingPatch;
    const char* text;
    bool apply;
    const char* expectedStatus;
    bool expectedApplyResult;
  } cases[] = {
      {"empty group", 0, false, "", true, "Missing", false},
      {"empty group with a text", 0, false, "Disabled", true, "Disabled", false},
      {"all applied", 3, false, "", true, "Applied", true},
      {"text wins over applied", 2, false, "Disabled (Durability <= 1).", true, "Disabled (Durability <= 1).", true},
      {"not yet applied", 2, false, "", false, "Failed", false},
      {"one failing patch", 2, true, "", true, "Failed", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Page page;
    PatchGroup group("Game Stuff", 0);
    for (int i = 0; i < c.goodPatches; ++i) {
      if (c.faultingPatch && i == 1) group.add(patchAt(faultingSite()));
      group.add(patchAt(page.base + 16 * i));
    }
    if (*c.text) group.setText(c.text);
    bool result = false;
    if (c.apply) result = group.applyAll();
    EXPECT_EQ(result, c.apply ? c.expectedApplyResult : false);
    EXPECT_EQ(group.status(), c.expectedStatus);
    // Patches after a failing one are still applied.
    for (int i = 0; i < c.goodPatches && c.apply; ++i) {
      EXPECT_EQ(std::memcmp(page.base + 16 * i, kBytes, 4), 0) << "patch " << i;
    }
  }
}

TEST(PatchGroup, DisabledGroupNeitherAppliesNorCounts) {
  Page page;
  PatchGroup group("Center Menu", 0);
  group.add(patchAt(page.base));
  group.setEnabled(false);
  EXPECT_FALSE(group.applyAll());
  EXPECT_EQ(page.base[0], 0);
  EXPECT_FALSE(group.allApplied());
  EXPECT_FALSE(group.revertAll());
}

TEST(PatchGroup, ThirdPartyChangeShowsAsFailed) {
  Page page;
  PatchGroup group("Quazirra", 2);
  group.add(patchAt(page.base)).add(patchAt(page.base + 4));  // neighbouring sites
  ASSERT_TRUE(group.applyAll());
  EXPECT_EQ(group.status(), "Applied");
  page.base[5] = 0xCC;
  EXPECT_EQ(group.status(), "Failed");
  EXPECT_FALSE(group.allApplied());
}

TEST(PatchGroup, RevertAllRestoresTheHostBytes) {
  Page page;
  std::memset(page.base, 0x90, 8);
  PatchGroup group("Load Data", 0);
  group.add(patchAt(page.base)).add(patchAt(page.base + 4));
  ASSERT_TRUE(group.applyAll());
  EXPECT_TRUE(group.revertAll());
  for (int i = 0; i < 8; ++i) EXPECT_EQ(page.base[i], 0x90);
}

TEST(PatchGroup, DestroyingAGroupLeavesTheHostPatched) {
  Page page;
  {
    auto group = std::make_shared<PatchGroup>("Sound", 0);
    group->add(patchAt(page.base));
    group->applyAll();
  }
  EXPECT_EQ(std::memcmp(page.base, kBytes, 4), 0);
}
