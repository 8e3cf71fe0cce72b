#include "hostsim/setup_file_menus_model.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

#include "hostsim/call_trace.h"
#include "hostsim/fields.h"
#include "hostsim/function_table.h"
#include "hostsim/host_objects.h"
#include "hostsim/stray_words.h"

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))

constexpr std::uint32_t kEntrySize = 440;
// A list entry's file name (+264) and item name (+392) fields.
constexpr std::uint32_t kEntryFileName = 264, kEntryItemName = 392;
constexpr std::uint32_t kTableSlots = 14;
constexpr std::uint32_t kObjectSize = 256;

std::string narrow(const wchar_t* text) {
  std::string out;
  for (; text != nullptr && *text != 0; ++text) out += static_cast<char>(*text);
  return out;
}

// Whether the bytes at p can be read (a record read at a wrong offset holds sentinel bytes).
bool readable(const void* p) {
  MEMORY_BASIC_INFORMATION info{};
  if (p == nullptr || VirtualQuery(p, &info, sizeof info) == 0 || info.State != MEM_COMMIT) return false;
  return (info.Protect & (PAGE_NOACCESS | PAGE_GUARD)) == 0;
}

// Text records {key, wide text, attribute}: the host's text for a key is the key itself, widened.
const wchar_t* THISCALL widenText(unsigned char* record) {
  static std::map<std::string, std::wstring> texts;
  const unsigned char* wide = pointer(get(record, 4));
  const unsigned char* keyBytes = pointer(get(record, 0));
  if ((wide != nullptr && !readable(wide)) || (keyBytes != nullptr && !readable(keyBytes))) {
    trace("host text record unreadable");
    return L"";
  }
  if (wide != nullptr) return reinterpret_cast<const wchar_t*>(wide);
  const char* key = reinterpret_cast<const char*>(keyBytes);
  std::wstring& text = texts[key == nullptr ? "" : key];
  // The slot dialog's two texts take the stage's surface; the second also holds what a format
  // would read.
  if (text.empty() && key != nullptr && std::strcmp(key, "CSDEFA") == 0) text = L"Default %s setup";
  if (text.empty() && key != nullptr && std::strcmp(key, "CSCURR") == 0) text = L"Current %s 100%% %d";
  if (text.empty() && key != nullptr) text.assign(key, key + std::strlen(key));
  return text.c_str();
}

// A text record built from a key: no text yet, attribute 0.
void setText(unsigned char* object, std::uint32_t offset, const char* key) {
  put(object, offset, wordOf(key));
  put(object, offset + 4, 0u);
  put<std::uint16_t>(object, offset + 8, 0);
}

void THISCALL beginText(void*, std::int32_t a, std::int32_t b, void* p, std::int32_t c) {
  trace("host renderer begin text " + std::to_string(a) + " " + std::to_string(b) + " " + (p ? "pointer" : "null") +
        " " + std::to_string(c));
}
void THISCALL setFont(void*, std::int32_t font) { trace("host renderer font " + std::to_string(font)); }
void THISCALL setColourIndex(void*, std::int32_t c) { trace("host renderer colour index " + std::to_string(c)); }

// Slot 31 takes a variable argument list, the renderer first on the stack.
void __attribute__((cdecl)) printText(void*, float x, float y, const wchar_t* format, const wchar_t* text) {
  trace("host renderer print " + traceNumber(x) + " " + traceNumber(y) + " " + narrow(format) + " \"" + narrow(text) + "\"");
}

void THISCALL drawList(void*, float x, float y, std::int32_t kind, const float* columns, std::int32_t first,
                       std::int32_t rows, std::int32_t highlighted, const wchar_t* const* texts,
                       const std::int32_t* selection, std::int32_t flag) {
  // `kind` columns, texts and selection words per row.
  const int n = kind == 3 ? 3 : 2;
  std::string columnText, selectionText;
  for (int c = 0; c < n; ++c) {
    columnText += " " + traceNumber(columns[c]);
    selectionText += " " + std::to_string(selection[c]);
  }
  trace("host renderer list " + traceNumber(x) + " " + traceNumber(y) + " kind " + std::to_string(kind) + " columns" +
        columnText + " first " + std::to_string(first) + " rows " + std::to_string(rows) + " highlighted " +
        std::to_string(highlighted) + " selection" + selectionText + " flag " + std::to_string(flag));
  for (std::int32_t r = 0; r < rows; ++r) {
    std::string line = "host renderer row " + std::to_string(r);
    for (int c = 0; c < n; ++c) line += " \"" + narrow(texts[n * r + c]) + "\"";
    trace(line);
  }
}

// The catalogue's one list: entries of 440 bytes (file name at +264, item name at +392), the
// entry array at +0 and the count at +8; empty until a step fills it.
unsigned char* fileList() {
  static unsigned char* list = [] {
    unsigned char* l = hostObject("setupfiles", 12);
    put(l, 0, 0u);
    put(l, 8, 0);
    return l;
  }();
  return list;
}

void makeSetupFiles(std::int32_t count) {
  const std::uint32_t n = count > 0 ? static_cast<std::uint32_t>(count) : 0;
  unsigned char* entries = hostObject("setupfileentries", kEntrySize * (n > 0 ? n : 1));
  for (std::uint32_t i = 0; i < n; ++i) {
    unsigned char* entry = entries + i * kEntrySize;
    char name[128], item[48];
    std::snprintf(name, sizeof name, "%s%02d.set",
                  i == 3 ? "a_setup_name_far_too_long_for_the_name_column_of_the_list" : "setup", static_cast<int>(i));
    std::snprintf(item, sizeof item, "Car %02d", static_cast<int>(i));
    putText(entry, kEntryFileName, kEntryItemName - kEntryFileName, name);
    putText(entry, kEntryItemName, kEntrySize - kEntryItemName, item);
  }
  put(fileList(), 0, wordOf(entries));
  put(fileList(), 8, count);
}

void* THISCALL listOfKind(void*, std::int32_t kind) {
  trace("host setup files list of kind " + std::to_string(kind));
  return fileList();
}

// The display name is the file name without its extension.
void THISCALL displayName(void*, char* buffer, const char* fileName, std::int32_t mode) {
  if (mode != 2) trace("host setup files display name mode " + std::to_string(mode));
  std::size_t n = 0;
  while (fileName[n] != 0 && fileName[n] != '.' && n < 128) {
    buffer[n] = fileName[n];
    ++n;
  }
}

std::int32_t THISCALL widgetEvent(void*, std::int32_t code, const float* record) {
  std::string line = "host widget event " + std::to_string(code);
  for (int i = 0; i < 5; ++i) line += " " + traceNumber(record[i]);
  trace(line);
  return 0;
}
void THISCALL widgetRender(void*, void*, float x, float y) {
  trace("host widget render " + traceNumber(x) + " " + traceNumber(y));
}
void THISCALL widgetOther(void*) { trace("host widget unexpected slot"); }

// A host widget: its table word.
unsigned char* newWidget() {
  static std::uint32_t* const table =
      functionTable(8, addressOf(&widgetOther), {{1, addressOf(&widgetEvent)}, {3, addressOf(&widgetRender)}});
  unsigned char* widget = hostObject("setupwidget", 4);
  put(widget, 0, wordOf(table));
  return widget;
}

// The file list as the host built it last, to tell which of its words the plugin changed.
std::vector<unsigned char>& fileListAsBuilt() {
  static std::vector<unsigned char> bytes;
  return bytes;
}

// The file list's heading block: the column titles at +8, +20 and +32.
unsigned char* heading() {
  static unsigned char* block = [] {
    unsigned char* h = hostObject("setupfileheading", 44);
    setText(h, 8, "FILE");
    setText(h, 20, "CAR");
    setText(h, 32, "SLOT");
    return h;
  }();
  return block;
}

// File list, every other word its pattern word: title record +8, kind +20, selected row +32, heading
// block pointer +36, child widget +104.
void* THISCALL fileListConstruct(unsigned char* list, std::uint32_t v0, std::uint32_t v1, std::uint32_t v2,
                                 std::int32_t a, std::int32_t b, std::int32_t c) {
  put(list, 0, kFileListTable);
  setText(list, 8, "SAVED SETUPS");
  put(list, 20, v0);
  put(list, 32, 0);
  put(list, 36, wordOf(heading()));
  put(list, 104, wordOf(newWidget()));
  fileListAsBuilt().assign(list, list + kObjectSize);
  trace("host file list construct " + std::to_string(v0) + " " + std::to_string(v1) + " " + std::to_string(v2) + " " +
        std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(c));
  return list;
}

// Chooser: title +8, current entry +20, button labels +32 (first), +44 (first, top row), +56
// (second), highlight widget +68, selected row +72, selected button +76.
void* THISCALL chooserConstruct(unsigned char* chooser, std::int32_t value) {
  put(chooser, 0, kChooserTable);
  setText(chooser, 8, "CHOOSE SETUP");
  setText(chooser, 20, "current");
  setText(chooser, 32, "LOAD");
  setText(chooser, 44, "DEFAULT");
  setText(chooser, 56, "BACK");
  put(chooser, 68, wordOf(newWidget()));
  put(chooser, 72, 0);
  put(chooser, 76, 0);
  trace("host chooser construct " + std::to_string(value));
  return chooser;
}

void* THISCALL menuDestroy(unsigned char* menu, std::uint32_t flags) {
  trace("host setup menu destroy");
  if (flags & 1) {
    releaseObject(menu);
    std::free(menu);
  }
  return menu;
}
void THISCALL menuHostDraw(void*, void*, float, float) { trace("host setup menu host draw"); }
void THISCALL menuOtherSlot(void*) { trace("host setup menu unexpected slot"); }

void traceChangedWords(const char* step, const std::string& changed) {
  trace(changed.empty() ? std::string("host file list words kept by the ") + step
                        : std::string("host file list words changed by the ") + step + ":" + changed);
}

void runMenu(std::uint32_t site, const std::vector<std::uint32_t>& args, std::uint32_t table, std::uint32_t rowOffset,
             std::int32_t row, std::int32_t button) {
  const bool fileList = table == kFileListTable;
  // The host's block for the menu, which its constructor call builds.
  unsigned char* menu = hostObject(fileList ? "setupfilelist" : "setupfilechooser", kObjectSize);
  runCallSite(site, args, wordOf(menu));
  trace(std::string("host setup menu table ") + (get(menu, 0) == table ? "host" : "replaced"));
  // Building it, the plugin writes only the table word; drawing it, nothing.
  if (fileList) traceChangedWords("build", changedWords(fileListAsBuilt(), menu, {0}));
  put(menu, rowOffset, row);
  if (button >= 0) put(menu, 76, button);
  const std::vector<unsigned char> beforeDraw(menu, menu + kObjectSize);
  const auto* entries = reinterpret_cast<const std::uint32_t*>(pointer(get(menu, 0)));
  using Draw = void(THISCALL*)(void*, void*, float, float);
  reinterpret_cast<Draw>(static_cast<std::uintptr_t>(entries[3]))(menu, pointer(get(hostObjects().game, 92)), 50.0f,
                                                                   100.0f);
  if (fileList) traceChangedWords("draw", changedWords(beforeDraw, menu, {}));
  using Destroy = void*(THISCALL*)(void*, std::uint32_t);
  reinterpret_cast<Destroy>(static_cast<std::uintptr_t>(entries[0]))(menu, 1);
}

}  // namespace

void appendSetupFileMenuRows(std::vector<AddressEntry>& rows) {
  appendFunctions(rows, {
                            {kWidenText, "widenText", addressOf(&widenText)},
                            {kBeginText, "beginText", addressOf(&beginText)},
                            {kSetFont, "setFont", addressOf(&setFont)},
                            {kSetColourIndex, "setColourIndex", addressOf(&setColourIndex)},
                            {kDrawList, "drawList", addressOf(&drawList)},
                            {kListOfKind, "listOfKind", addressOf(&listOfKind)},
                            {kDisplayName, "displayName", addressOf(&displayName)},
                            {kFileListConstructor, "fileListConstruct", addressOf(&fileListConstruct)},
                            {kChooserConstructor, "chooserConstruct", addressOf(&chooserConstruct)},
                        });
  rows.push_back({EntryKind::callSite, kFileListSite, "fileListSite", kFileListConstructor});
  rows.push_back({EntryKind::callSite, kChooserSite, "chooserSite", kChooserConstructor});
  for (std::uint32_t table : {kFileListTable, kChooserTable}) {
    for (std::uint32_t slot = 0; slot < kTableSlots; ++slot) {
      const std::uint32_t entry = slot == 0   ? addressOf(&menuDestroy)
                                  : slot == 3 ? addressOf(&menuHostDraw)
                                              : addressOf(&menuOtherSlot);
      rows.push_back({EntryKind::global, table + 4 * slot, "setupMenuTable", entry});
    }
  }
  // The menu renderer's text call (slot 31) joins the slots the renderer model fills.
  unsigned char* renderer = pointer(get(hostObjects().game, 92));
  if (renderer != nullptr) put(pointer(get(renderer, 0)), 31 * 4, addressOf(&printText));
}

bool runSetupFileMenuStep(const std::string& step, std::istream& in) {
  if (step == "setupfiles") {
    std::int32_t count = 0;
    in >> count;
    makeSetupFiles(count);
  } else if (step == "filelist") {
    std::int32_t row = 0;
    in >> row;
    runMenu(kFileListSite, {2, 0x11, 0x22, 7, 8, 9}, kFileListTable, 32, row, -1);
  } else if (step == "chooser") {
    std::int32_t row = 0, button = 0;
    in >> row >> button;
    runMenu(kChooserSite, {5}, kChooserTable, 72, row, button);
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
