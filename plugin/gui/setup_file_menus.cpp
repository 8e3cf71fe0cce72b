#include "plugin/gui/setup_file_menus.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "plugin/foundation/texts/text_encoding.h"
#include "plugin/gui/file_list_window.h"
#include "plugin/host/binding/host_class_clone.h"
#include "plugin/host/model/cloned_host_classes.h"
#include "plugin/host/model/host_lists.h"
#include "plugin/host/model/host_menu_renderer.h"
#include "plugin/host/model/host_setup_files.h"
#include "plugin/host/model/host_widget.h"
#include "plugin/host/model/setup_slot_dialogs.h"

namespace kvl::gui {
namespace {

using host::HostMenuRenderer;
constexpr std::size_t kTableSlots = 14;
constexpr std::size_t kDrawSlot = 3;
constexpr float kNameWidth = 488.0f;
constexpr std::size_t kItemNameSize = host::HostList::kEntrySize - 392;
constexpr std::int32_t kHighlightEvent = 0x40000017;

std::wstring wide(const std::string& text) {
  std::wstring out;
  if (!toWide(text, out, CP_ACP)) out.clear();
  return out;
}

std::wstring textOf(host::HostText& record) {
  const wchar_t* text = host::HostText::widen(&record);
  return text != nullptr ? std::wstring(text) : std::wstring();
}

// The host's list of setup files of a kind and its entry count (0 without catalogue or list).
struct FileList {
  void* catalogue;
  void* list;
  std::int32_t count;
};

FileList fileListOfKind(std::int32_t kind) {
  FileList files{host::HostSetupFiles::instance(), nullptr, 0};
  if (files.catalogue != nullptr) files.list = host::HostSetupFiles::listOfKind(files.catalogue, kind);
  if (files.list != nullptr) files.count = std::max(0, host::HostList::count(files.list));
  return files;
}

// Entry i as a row: its display name cut to the name column, and its item name.
void setEntryRow(ListRowTexts& rows, std::int32_t row, const FileList& files, std::int32_t i, void* renderer) {
  void* entry = host::HostList::entry(files.list, i);
  char name[host::HostSetupFiles::kDisplayNameSize] = {};
  host::HostSetupFiles::displayName(files.catalogue, name, host::hostListData(entry), 2);
  name[sizeof name - 1] = '\0';
  rows.set(row, 0, wide(host::fitTextToWidth(renderer, name, kNameWidth)));
  const char* item = host::hostItemName(entry);
  rows.set(row, 1, wide(std::string(item, strnlen(item, kItemNameSize))));
}

void beginDraw(void* renderer, float x, float y, host::HostText& title) {
  HostMenuRenderer::setFlags(renderer, 256);
  HostMenuRenderer::beginText(renderer, 0, 0, nullptr, 0);
  HostMenuRenderer::setFont(renderer, 4);
  HostMenuRenderer::setEnabled(renderer, 1);
  if (title.hasKey()) HostMenuRenderer::printText(renderer, x, y - 21.0f, textOf(title).c_str());
}

void drawRows(void* renderer, float x, const ListRowTexts& rows, std::int32_t highlighted) {
  HostMenuRenderer::setEnabled(renderer, 0);
  const float columns[2] = {HostMenuRenderer::scaleCoordinate(renderer, 488.0f),
                            HostMenuRenderer::scaleCoordinate(renderer, 130.0f)};
  const std::int32_t selection[2] = {-1, -1};
  HostMenuRenderer::drawList(renderer, x, 39.0f, 2, columns, 0, kListRows, highlighted, rows.texts(), selection, 0);
}

void drawCaption(void* renderer, std::int32_t k, host::HostText& caption) {
  HostMenuRenderer::setColour(renderer, 3);
  HostMenuRenderer::setFlags(renderer, 67);
  HostMenuRenderer::printText(renderer, 102.5f + 95.0f * static_cast<float>(k), 427.5f, textOf(caption).c_str());
  HostMenuRenderer::clearFlags(renderer, 67);
}

}  // namespace

const void* SetupFileListMenu::table() {
  return host::replacedTableCopy<kHostTable, kTableSlots, kDrawSlot>(reinterpret_cast<void*>(&SetupFileListMenu::draw));
}

void* QZR_THISCALL SetupFileListMenu::construct(void* list, std::uint32_t value0, std::uint32_t value1,
                                                std::uint32_t value2, std::uint32_t, std::uint32_t,
                                                std::uint32_t) noexcept {
  try {
    host::buildHosted<0x5C1CA0, kHostTable, kTableSlots>(list, value0, value1, value2, 1, 0, 20);
    host::setTable(list, table());
  } catch (...) {
  }
  return list;
}

void* QZR_THISCALL SetupFileListMenu::constructOnFreshMemory(void* list, std::uint32_t value0, std::uint32_t value1,
                                                             std::uint32_t value2, std::uint32_t a, std::uint32_t b,
                                                             std::uint32_t c) noexcept {
  return construct(host::HostSetupFileList::initMembers(list), value0, value1, value2, a, b, c);
}

void QZR_THISCALL SetupFileListMenu::draw(void* list, void* renderer, float x, float y) noexcept {
  try {
    beginDraw(renderer, x, y, host::HostSetupFileList::title(list));
    const FileList files = fileListOfKind(host::HostSetupFileList::kind(list));
    const ListWindow window = fileListWindow(host::HostSetupFileList::selectedRow(list));
    ListRowTexts rows;
    for (std::int32_t row = 0; row < kListRows; ++row) {
      const std::int32_t i = window.first + row;
      if (i >= 0 && i < files.count) setEntryRow(rows, row, files, i, renderer);
    }
    drawRows(renderer, x, rows, window.highlighted);
    if (void* child = host::HostSetupFileList::childWidget(list)) host::HostWidget::render(child, renderer, 0.0f, 0.0f);
    HostMenuRenderer::setEnabled(renderer, 1);
    HostMenuRenderer::setColour(renderer, 3);
    for (std::int32_t k = 0; k < 3; ++k) drawCaption(renderer, k, host::HostSetupFileList::columnTitle(list, k));
    HostMenuRenderer::clearFlags(renderer, 256);
  } catch (...) {
  }
}

const void* SetupFileChooserMenu::table() {
  return host::replacedTableCopy<kHostTable, kTableSlots, kDrawSlot>(
      reinterpret_cast<void*>(&SetupFileChooserMenu::draw));
}

void* QZR_THISCALL SetupFileChooserMenu::construct(void* chooser, std::int32_t value) noexcept {
  try {
    host::HostSetupFileChooser::construct(chooser, value);
    host::setTable(chooser, table());
  } catch (...) {
  }
  return chooser;
}

void* QZR_THISCALL SetupFileChooserMenu::constructOnFreshMemory(void* chooser, std::int32_t value) noexcept {
  return construct(host::HostSetupFileChooser::initMembers(chooser), value);
}

void QZR_THISCALL SetupFileChooserMenu::draw(void* chooser, void* renderer, float x, float y) noexcept {
  using Chooser = host::HostSetupFileChooser;
  try {
    beginDraw(renderer, x, y, Chooser::title(chooser));
    const FileList files = fileListOfKind(1);
    const ListWindow window = chooserWindow(Chooser::selectedRow(chooser));
    ListRowTexts rows;
    rows.set(0, 0, currentEntryText(textOf(Chooser::currentLabel(chooser))));
    const std::int32_t firstItem = std::max(1, window.first);
    for (std::int32_t row = 1; row < kListRows; ++row) {
      const std::int32_t item = firstItem + row - 1;
      if (item >= 1 && item <= files.count) setEntryRow(rows, row, files, item - 1, renderer);
    }
    drawRows(renderer, x, rows, window.highlighted);
    HostMenuRenderer::setEnabled(renderer, 1);
    HostMenuRenderer::setColour(renderer, 3);
    host::HostText* labels[2] = {
        window.highlighted != 0 ? &Chooser::firstButtonLabel(chooser) : &Chooser::firstButtonLabelAtTop(chooser),
        &Chooser::secondButtonLabel(chooser)};
    for (std::int32_t j = 0; j < 2; ++j) {
      void* highlight = Chooser::highlight(chooser);
      if (j == Chooser::selectedButton(chooser) && highlight != nullptr) {
        const float record[5] = {55.0f + 95.0f * static_cast<float>(j), 415.0f, 95.0f, 25.0f, 0.06f};
        host::HostWidget::sendEvent(highlight, kHighlightEvent, record);
        host::HostWidget::render(highlight, renderer, 0.0f, 0.0f);
      }
      drawCaption(renderer, j, *labels[j]);
    }
    HostMenuRenderer::clearFlags(renderer, 256);
  } catch (...) {
  }
}

}  // namespace kvl::gui
