// The host menu objects the plugin builds on memory that nothing has initialised, on a host
// stand-in: the second constructor entries of the centred quad, the two setup-file menus and the
// setup-slot page, and the host page item. Each object starts as sentinel bytes; the host
// constructor sees only the plugin's base part (and the chooser's text records) cleared, gets
// its arguments unchanged, and the object ends on the plugin's table.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "plugin/gui/centred_screen_quad.h"
#include "plugin/gui/setup_file_menus.h"
#include "plugin/gui/setup_slot_page.h"
#include "plugin/host/model/host_menus.h"
#include "plugin/host/model/setup_slot_dialogs.h"
#include "tests/support/host_fixture.h"

using namespace kvl::gui;

namespace {

#define THISCALL __attribute__((thiscall))
constexpr unsigned char kSentinel = 0xC3;

// What the host constructor found.
std::vector<unsigned char> seenBytes;
std::vector<std::uint32_t> seenArgs;
std::size_t objectSize = 0;

void seen(void* object, std::vector<std::uint32_t> args) {
  const auto* bytes = static_cast<const unsigned char*>(object);
  seenBytes.assign(bytes, bytes + objectSize);
  seenArgs = std::move(args);
}
void* THISCALL quadCtor(unsigned char* quad, std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
  seen(quad, {a, b, c, d});
  std::memset(quad + 284, 0, 4);  // no vertex buffers to shift
  std::memset(quad + 332 + 284, 0, 4);
  return quad;
}
void* THISCALL listCtor(void* list, std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d,
                        std::uint32_t e, std::uint32_t f) {
  seen(list, {a, b, c, d, e, f});
  return list;
}
void* THISCALL oneArgCtor(void* object, std::uint32_t a) {
  seen(object, {a});
  return object;
}
void THISCALL hostSlot(void*) {}

struct Case {
  const char* name;
  std::uint32_t ctor, hostTable;
  std::size_t slots, size;
  std::function<void*(void*)> build;
  std::vector<std::uint32_t> args;
  std::vector<std::pair<std::size_t, std::size_t>> cleared;  // offset, length of what the entry clears
  std::function<const void*()> table;
};

}  // namespace

TEST(MenuMirrorConstruction, OnlyTheBasePartIsClearedBeforeTheHostConstructor) {
  kvl::testing::HostFixture host;
  ASSERT_TRUE(host.loaded());
  host.paintFunction(0x471C00, &quadCtor);
  host.paintFunction(0x5C1CA0, &listCtor);
  host.paintFunction(0x5C1FF0, &oneArgCtor);
  host.paintFunction(0x57DF40, &oneArgCtor);
  host.paintFunction(0x5BBDD0, &oneArgCtor);
  const auto slotWord = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(&hostSlot));
  for (std::uint32_t table : {0x72D80Cu, 0x74C50Cu, 0x74C548u, 0x74702Cu, 0x74B344u}) {
    for (int i = 0; i < 96; ++i) std::memcpy(host.at(table) + 4 * i, &slotWord, 4);
  }
  static std::uint32_t page = 0;
  const Case cases[] = {
      {"centred quad", 0x471C00, 0x72D80C, 96, 640,
       [](void* o) { return CentredScreenQuad::constructOnFreshMemory(o, 1, 2, 300, 4); }, {1, 2, 300, 4}, {{0, 8}},
       [] { return CentredScreenQuad::table(); }},
      {"setup-file list", 0x5C1CA0, 0x74C50C, 14, 128,
       [](void* o) { return SetupFileListMenu::constructOnFreshMemory(o, 7, 8, 9, 11, 12, 13); }, {7, 8, 9, 1, 0, 20},
       {{0, 8}}, [] { return SetupFileListMenu::table(); }},
      {"setup-file chooser: base and its five text records", 0x5C1FF0, 0x74C548, 14, 96,
       [](void* o) { return SetupFileChooserMenu::constructOnFreshMemory(o, 5); }, {5},
       {{0, 8}, {8, 10}, {20, 10}, {32, 10}, {44, 10}, {56, 10}},  // a record: key, text, 16-bit attribute
       [] { return SetupFileChooserMenu::table(); }},
      {"setup-slot page", 0x57DF40, 0x74702C, 14, 96, [](void* o) { return SetupSlotPage::constructOnFreshMemory(o, 3); },
       {3}, {{0, 8}}, [] { return SetupSlotPage::table(); }},
      {"host page item", 0x5BBDD0, 0x74B344, 25, 20, [](void* o) { return kvl::host::HostPageItem::construct(o, &page); },
       {static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(&page))}, {{0, 8}}, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<unsigned char> object(c.size, kSentinel);
    objectSize = c.size;
    seenBytes.clear();
    EXPECT_EQ(c.build(object.data()), object.data());
    std::vector<unsigned char> expected(c.size, kSentinel);
    for (const auto& [offset, length] : c.cleared) std::fill_n(expected.begin() + offset, length, 0);
    EXPECT_EQ(seenBytes, expected);
    EXPECT_EQ(seenArgs, c.args);
    const void* table = nullptr;
    std::memcpy(&table, object.data(), 4);
    if (c.table) {
      EXPECT_EQ(table, c.table());
    } else {
      ASSERT_NE(table, nullptr);
      EXPECT_EQ(static_cast<void* const*>(table)[0], reinterpret_cast<void*>(&hostSlot)) << "a copy of the host's table";
    }
  }
}

TEST(MenuMirrorConstruction, ListMenuItemsAreItsFifthWord) {
  std::uint32_t list[8];
  std::fill(std::begin(list), std::end(list), 0xC3C3C3C3u);
  int block = 0;
  list[4] = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(&block));
  const std::vector<std::uint32_t> before(std::begin(list), std::end(list));
  EXPECT_EQ(kvl::host::HostMenuList::items(list), &block);
  EXPECT_EQ(std::vector<std::uint32_t>(std::begin(list), std::end(list)), before);
}
