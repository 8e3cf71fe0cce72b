#include "plugin/gui/front_end_grid_pages.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "plugin/gui/setup_grid_page.h"
#include "plugin/host/binding/host_allocators.h"
#include "plugin/host/binding/host_class_clone.h"
#include "plugin/host/model/cloned_host_classes.h"
#include "plugin/host/model/host_param.h"
#include "plugin/host/model/host_subclass.h"
#include "plugin/host/model/host_text.h"

namespace kvl::gui {
namespace {

constexpr std::size_t kHostTableSlots = 30;

// The grids (the family's code reads only columns and rows; these pages keep the family's
// title, so no text record is the family's to read).
constexpr GridShape kShapeA{1, 2, 0};
constexpr GridShape kShapeB{4, 11, 0};
constexpr GridShape kShapeC{1, 1, 0};
constexpr GridShape kShapeD{2, 4, 0};
constexpr GridShape kShapeE{2, 3, 0};

// The host constructor of the concrete page, then the class's copy of that page's host table.
// The host routine at 0x556420 takes one integer: page A passes 0, as page E does.
template <std::uint32_t Ctor, std::uint32_t Table, std::int32_t Fixed>
void* hostConstruct(void* page, std::int32_t) {
  return host::buildHosted<Ctor, Table, kHostTableSlots>(page, Fixed);
}
template <std::uint32_t Ctor, std::uint32_t Table>
void* hostConstructWithArgument(void* page, std::int32_t argument) {
  return host::buildHosted<Ctor, Table, kHostTableSlots>(page, argument);
}
template <std::uint32_t Ctor, std::uint32_t Table>
void* hostConstructBare(void* page, std::int32_t) {
  return host::buildHosted<Ctor, Table, kHostTableSlots>(page);
}

// Members after the cells: text records, then integer parameters, a zeroed word, float
// parameters (words the constructor leaves unset are gaps between them).
struct PageClass {
  const GridShape& shape;
  std::size_t size;
  std::size_t textsAt;
  std::int32_t texts;
  std::size_t intParamsAt;
  std::int32_t intParams;
  std::size_t zeroWordAt;  // 0: none
  std::size_t floatParamsAt;
  std::int32_t floatParams;
  void** (*familyTable)();
  void* (*construct)(void* page, std::int32_t argument);
};

const PageClass kClasses[] = {
    {kShapeA, 144, 28, 7, 0, 0, 0, 112, 2, &GridKindSlots<kShapeA>::table,
     &hostConstruct<0x556420, 0x744D0C, 0>},
    {kShapeB, 296, 200, 8, 0, 0, 0, 0, 0, &GridKindSlots<kShapeB>::table,
     &hostConstructWithArgument<0x555F60, 0x744B2C>},
    {kShapeC, 136, 24, 1, 36, 6, 132, 0, 0, &GridKindSlots<kShapeC>::table,
     &hostConstructBare<0x5565D0, 0x744C8C>},
    {kShapeD, 196, 52, 9, 0, 0, 0, 164, 2, &GridKindSlots<kShapeD>::table,
     &hostConstruct<0x5562F0, 0x744DAC, 1>},
    {kShapeE, 188, 44, 9, 0, 0, 0, 156, 2, &GridKindSlots<kShapeE>::table,
     &hostConstruct<0x556420, 0x744E5C, 0>},
};

const PageClass& classOf(FrontEndGridPage page) { return kClasses[static_cast<std::size_t>(page)]; }

unsigned char* bytes(void* page) { return static_cast<unsigned char*>(page); }

FrontEndGridPages gPages{};

void destroyPagesAtExit() {
  for (void* page : {gPages.e, gPages.d, gPages.c}) {
    if (page == nullptr) continue;
    destroyFrontEndGridPage(page);
    host::hostDelete(page);
  }
  gPages = {};
}

}  // namespace

std::size_t frontEndGridPageSize(FrontEndGridPage page) noexcept { return classOf(page).size; }

void** frontEndGridFamilyTable(FrontEndGridPage page) { return classOf(page).familyTable(); }

void* constructFrontEndGridPage(FrontEndGridPage which, void* memory, std::int32_t argument) noexcept {
  if (memory == nullptr) return nullptr;
  const PageClass& c = classOf(which);
  std::memset(memory, 0, c.size);
  new (memory) host::HostSubclass();
  try {
    host::setTable(memory, c.familyTable());
    for (std::int32_t i = 0; i < c.texts; ++i) {
      reinterpret_cast<host::HostText*>(bytes(memory) + c.textsAt + 12 * static_cast<std::size_t>(i))->clear();
    }
    for (std::int32_t i = 0; i < c.intParams; ++i) {
      new (bytes(memory) + c.intParamsAt + 16 * static_cast<std::size_t>(i)) host::HostIntParam();
    }
    if (c.zeroWordAt != 0) host::fieldAt<std::uint32_t>(memory, c.zeroWordAt) = 0;
    for (std::int32_t i = 0; i < c.floatParams; ++i) {
      new (bytes(memory) + c.floatParamsAt + 16 * static_cast<std::size_t>(i)) host::HostFloatParam();
    }
    c.construct(memory, argument);
  } catch (...) {
    host::HostMenuPageBase::restoreBaseVtable(memory);
  }
  return memory;
}

void destroyFrontEndGridPage(void* page) noexcept {
  // The parameter mirrors own nothing; the host base part goes last.
  if (page != nullptr) host::HostMenuPageBase::restoreBaseVtable(page);
}

const FrontEndGridPages& createFrontEndGridPages() noexcept {
  static const bool made = [] {
    try {
      gPages.c = constructFrontEndGridPage(FrontEndGridPage::c, host::hostNew(136));
      gPages.d = constructFrontEndGridPage(FrontEndGridPage::d, host::hostNew(196));
      gPages.e = constructFrontEndGridPage(FrontEndGridPage::e, host::hostNew(188));
    } catch (...) {
    }
    std::atexit(&destroyPagesAtExit);
    return true;
  }();
  (void)made;
  return gPages;
}

}  // namespace kvl::gui
