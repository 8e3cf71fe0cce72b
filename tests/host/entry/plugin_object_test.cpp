#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "plugin/host/entry/plugin_object.h"

using namespace kvl;

namespace {

struct RecordingPage : FrontEndPage {
  int* destroyed = nullptr;
  ~RecordingPage() override {
    if (destroyed != nullptr) ++*destroyed;
  }
  int renders = 0;
  std::vector<std::uint32_t> keys;
  bool fail = false;
  void render() override {
    ++renders;
    if (fail) throw std::runtime_error("page failed");
  }
  void onKey(const std::uint32_t (&words)[6]) override {
    keys.assign(words, words + 6);
    if (fail) throw std::runtime_error("page failed");
  }
};

// An object with the plugin's table, built without starting the plugin.
struct BareObject {
  const PluginInterfaceTable* table = &PluginObject::interfaceTable();
  FrontEndPage* page = nullptr;
  PluginObject* self() { return reinterpret_cast<PluginObject*>(this); }
};

}  // namespace

TEST(PluginObject, TheNineSlots) {
  const PluginInterfaceTable& t = PluginObject::interfaceTable();
  BareObject object;
  // Without a page every slot is harmless.
  EXPECT_STREQ(t.name(object.self()), "QZR");
  EXPECT_EQ(t.name(object.self()), t.name(object.self())) << "a static text";
  t.draw(object.self());
  t.noOperationA(object.self());
  t.input(object.self(), 'T', 1, 2, 3, 4, 5);
  t.noOperationB(object.self(), 1);
  t.noOperationC(object.self(), 1, 2, 3);
  t.noOperationD(object.self(), 1, 2, 3, 4);
  t.noOperationE(object.self(), 1, 2, 3);

  RecordingPage page;
  object.page = &page;
  t.draw(object.self());
  EXPECT_EQ(page.renders, 1);
  t.input(object.self(), 'u', 6, 7, 8, 9, 10);
  EXPECT_EQ(page.keys, (std::vector<std::uint32_t>{'u', 6, 7, 8, 9, 10}));
  // A failing page does not reach the host.
  page.fail = true;
  t.draw(object.self());
  t.input(object.self(), 'T', 0, 0, 0, 0, 0);
  EXPECT_EQ(page.renders, 2);
  object.page = nullptr;
}

TEST(PluginObject, TheStatusPageGoesWithTheObject) {
  const PluginInterfaceTable& t = PluginObject::interfaceTable();
  int destroyed = 0;
  BareObject object;
  auto* page = new RecordingPage;
  page->destroyed = &destroyed;
  object.page = page;
  // The non-freeing destructor form: the page is destroyed, the object's memory stays.
  t.destroy(object.self(), 0);
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(object.table, nullptr);
  EXPECT_EQ(object.page, nullptr);
  // A draw or key that comes after it reaches nothing.
  t.draw(object.self());
  t.input(object.self(), 'T', 0, 0, 0, 0, 0);
  EXPECT_EQ(destroyed, 1);
}
