#pragma once
// Five grid pages of the setup grid page family that stand for five of the host's own grid pages
// (A to E): built with the family's base part and table, then handed to the host's constructor of
// one concrete host page, which leaves them on a plugin copy of that page's host table. Nothing in
// the game creates them.
#include <cstddef>
#include <cstdint>

namespace kvl::gui {

enum class FrontEndGridPage { a, b, c, d, e };

// The object size of the page class.
std::size_t frontEndGridPageSize(FrontEndGridPage page) noexcept;

// Builds the page on memory of frontEndGridPageSize bytes; `argument` is page B's own integer
// argument (the others ignore it). Returns the page, or null without memory.
void* constructFrontEndGridPage(FrontEndGridPage page, void* memory, std::int32_t argument = 0) noexcept;

// The class destructor: the page's members, then its host base part (the memory stays).
void destroyFrontEndGridPage(void* page) noexcept;

// The class's copy of the family table (the family's entries, made on the first construction).
void** frontEndGridFamilyTable(FrontEndGridPage page);

// Pages C, D and E, made together on the first call with the host allocator (null where it had
// no memory) and destroyed at process exit in the order E, D, C.
struct FrontEndGridPages {
  void* c;
  void* d;
  void* e;
};
const FrontEndGridPages& createFrontEndGridPages() noexcept;

}  // namespace kvl::gui
