#include "plugin/rally/save_slot.h"

#include <gtest/gtest.h>

namespace {

TEST(SaveSlot, ParsesFileNames) {
  struct Case {
    const char* file;
    int32_t car, slot;
    const char* name;
  };
  const Case cases[] = {
      {"3slot1_Fast gravel.lsp", 3, 1, "Fast gravel"},
      {"0slot12_a.b.lsp", 0, 12, "a.b"},
      {"slot2_x.lsp", 0, 2, "x"},
      {"3slot_x.lsp", 3, 0, "x"},
      {"my_3slot1_x.lsp", 0, 1, "x"},
      {"1.slot2_abc", 1, 2, "abc"},
      {"7slot3junk_y.lsp", 7, 3, "y"},
      {" +2slot4_z.lsp", 2, 4, "z"},
      // Not of the form: the name part stays empty; numbers parsed before the failure stay.
      {"8slot1_x.lsp", 8, 0, ""},
      {"-1slot1_x.lsp", -1, 0, ""},
      {"3slot-2_x.lsp", 3, -2, ""},
      {"3slot1x.lsp", 3, 1, ""},
      {"3slot1_x", 3, 1, ""},
      {"3slot1_.lsp", 3, 1, ""},
      {"3SLOT1_x.lsp", 0, 0, ""},
      {"", 0, 0, ""},
      {"99999999999slot1_x.lsp", 2147483647, 0, ""},
  };
  for (const Case& c : cases) {
    const kvl::rally::SaveSlot s(c.file);
    EXPECT_EQ(s.setupName(), c.name) << c.file;
    EXPECT_EQ(s.valid, std::string(c.name).size() > 0) << c.file;
    EXPECT_EQ(s.car, c.car) << c.file;
    EXPECT_EQ(s.slot, c.slot) << c.file;
  }
}

}  // namespace
