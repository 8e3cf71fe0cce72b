#pragma once
// Host classes the plugin builds on its own memory: the host constructor runs, then the object
// points at the plugin's copy of the host table (host_class_clone.h). Subclasses that replace
// slots build second copies of their own. The action item and the menu page are with the menus
// (host_menus.h).
#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"
#include "plugin/host/model/host_text.h"

namespace kvl::host {

// The host's base UI class, used only to destroy the plugin's page and item objects in place.
struct HostMenuPageBase {
  static void restoreBaseVtable(void* object) noexcept;
  // The base's destructor: undoes the base of a mirror whose construction failed after it.
  static void destroyBase(void* object) noexcept { restoreBaseVtable(object); }
};

// The base of the host's option items; destruction only.
struct HostItemBase {
  static void restoreBaseVtable(void* object) noexcept;
};

struct HostOptionItem {
  static void* construct(void* item, void* a, void* b, std::int32_t c);
};

// A selectable entry (28 bytes): label, then two integers whose meaning is the host's.
struct HostLabelItem {
  static constexpr std::size_t kSize = 28;
  static void* construct(void* item, const HostText& label, std::int32_t a, std::int32_t b);
};

struct HostScreenQuad {
  static void* construct(void* quad, std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d);
  // Before the host constructor of a quad built on memory of its own: the base part cleared (the
  // quad's list-link words are the host's to set; their place is not known here).
  static void* prepare(void* quad) noexcept;
  // Slot 54 of the unchanged copy: the host's own draw.
  static std::int32_t drawBase(void* quad, std::int32_t count, const float* coordinates, std::int32_t flag);
  static void* vertexBuffer(const void* quad) noexcept;
  static void* innerPart(void* quad) noexcept { return addressAt(quad, 332); }
};

// The host's sound ticker; the sound feature builds it with its own table (sound_ticker_override).
struct HostSoundTicker {
  static void update(void* ticker, float elapsedSeconds);   // host 0x4D4980
  static void* release(void* ticker, std::int32_t flags);   // host 0x4D4960, its table's slot 0
};

// 156 bytes: eleven text records after the base. Null when the host part could not be built
// (the base is undone; the caller frees the memory).
struct HostInfoBox {
  static constexpr std::size_t kSize = 156;
  static void* construct(void* box);
};

// The setup-file list the host builds (the list menus build it through their own constructor).
struct HostSetupFileList {
  // Before the host constructor: the base part cleared. The plugin part's six text records have
  // no known place in the list object, so they are left to the host constructor.
  static void* initMembers(void* list) noexcept;
  static std::int32_t kind(const void* list) noexcept { return fieldAt<std::int32_t>(list, 20); }
  static std::int32_t selectedRow(const void* list) noexcept { return fieldAt<std::int32_t>(list, 32); }
  static void* childWidget(const void* list) noexcept {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(fieldAt<HostWord>(list, 104)));
  }
  // The record at +8 of the list object (the block at +0): its first word is the table, so the
  // title cannot lie behind it; +8 to +19 run up to the kind word, as the chooser's title does.
  static HostText& title(void* list) noexcept { return fieldAt<HostText>(list, 8); }
  // Column title k (0 to 2) of the heading block whose pointer is at +36.
  static HostText& columnTitle(void* list, int k) noexcept {
    auto* heading = reinterpret_cast<unsigned char*>(static_cast<std::uintptr_t>(fieldAt<HostWord>(list, 36)));
    return fieldAt<HostText>(heading, 8 + 12 * static_cast<std::size_t>(k));
  }
};

struct HostSetupFileChooser {
  static void* construct(void* chooser, std::int32_t value);  // 0x5C1FF0, table 0x74C548
  // Before the host constructor: the base part and the five text records cleared.
  static void* initMembers(void* chooser) noexcept;
  // The members in the host's order, packed after the 8-byte base (the table word and the word
  // the base clears): five 12-byte text records from +8, the highlight widget's pointer, the
  // selected row and the selected button.
  static HostText& title(void* c) noexcept { return fieldAt<HostText>(c, 8); }
  static HostText& currentLabel(void* c) noexcept { return fieldAt<HostText>(c, 20); }
  static HostText& firstButtonLabel(void* c) noexcept { return fieldAt<HostText>(c, 32); }
  static HostText& firstButtonLabelAtTop(void* c) noexcept { return fieldAt<HostText>(c, 44); }
  static HostText& secondButtonLabel(void* c) noexcept { return fieldAt<HostText>(c, 56); }
  static void* highlight(const void* c) noexcept {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(fieldAt<HostWord>(c, 68)));
  }
  // Row 0 is the current entry's line, rows from 1 the files.
  static std::int32_t selectedRow(const void* c) noexcept { return fieldAt<std::int32_t>(c, 72); }
  static std::int32_t selectedButton(const void* c) noexcept { return fieldAt<std::int32_t>(c, 76); }
};

struct HostServicePanel {
  static void* construct(void* panel, std::int32_t value);  // 0x5C5720, table 0x74C8BC
  static void start(void* panel);                              // 0x5C5880
  static std::int32_t handleInput(void* panel, std::int32_t code, std::int32_t data);  // 0x5C5920
  static std::int32_t limit(const void* panel) noexcept { return fieldAt<std::int32_t>(panel, 8); }
  static void setLimit(void* panel, std::int32_t limit) noexcept { fieldAt<std::int32_t>(panel, 8) = limit; }
};

struct HostServiceFrame {
  static void* construct(void* frame, void* panel);  // 0x5C7030, table 0x74CA1C
};

struct HostServiceTimer {
  // 0x5C55C0, table 0x74C83C; null as for the information box.
  static void* construct(void* timer);
};

struct HostMenuElement {
  static constexpr std::size_t kSize = 16;
  // The content object may be null.
  static void* construct(void* element, void* content);
};

}  // namespace kvl::host
