#include "hostsim/display_model.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "hostsim/call_trace.h"
#include "hostsim/fields.h"
#include "hostsim/stray_words.h"

namespace hostsim {
namespace {

std::string hex(std::uint32_t w) {
  char text[16];
  std::snprintf(text, sizeof text, "%08x", w);
  return text;
}

std::uint32_t word(const unsigned char* object, std::uint32_t offset) {
  std::uint32_t w;
  std::memcpy(&w, object + offset, 4);
  return w;
}

// The graphics object: table word, interval words at +100 and +156, present parameters at +172
// (PresentationInterval at +224).
void* __attribute__((thiscall)) graphicsConstruct(unsigned char* self) {
  std::memset(self, 0, 256);
  const std::uint32_t table = kGraphicsTable;
  std::memcpy(self, &table, 4);
  hostWrote(self, 256);
  trace("host graphics construct");
  return self;
}

void __attribute__((thiscall)) graphicsDestroy(unsigned char*) { trace("host graphics destroy"); }

void* __attribute__((thiscall)) graphicsDeletingDestructor(unsigned char* self, std::uint32_t flags) {
  graphicsDestroy(self);
  if (flags & 1) {
    releaseObject(self);
    std::free(self);
  }
  return self;
}

std::int32_t __attribute__((thiscall)) graphicsResetDevice(unsigned char* self) {
  trace("host graphics slot 4 interval " + hex(word(self, 224)) + " words " + hex(word(self, 100)) + " " +
        hex(word(self, 156)));
  return 1;
}

std::int32_t __attribute__((thiscall)) graphicsOtherSlot(unsigned char*) { return 0; }

std::string settingsFile() {
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof folder, folder);
  return std::string(folder) + "\\Korvala.ini";
}

void createWindow() {
  const std::string ini = settingsFile();
  const int w = static_cast<int>(GetPrivateProfileIntA("Settings", "XRes", 1024, ini.c_str()));
  const int h = static_cast<int>(GetPrivateProfileIntA("Settings", "YRes", 768, ini.c_str()));
  const bool fullscreen = GetPrivateProfileIntA("Settings", "Fullscreen", 1, ini.c_str()) != 0;
  // In a window the host uses the style its code holds at the site; full screen is a bare pop-up.
  const std::uint32_t style = fullscreen ? (WS_POPUP | WS_VISIBLE) : runOperandSite(kWindowStyleSite);
  // The window itself is the system's; what the host decides is traced.
  trace("host window " + std::to_string(w) + "x" + std::to_string(h) + (fullscreen ? " fullscreen" : " windowed") +
        " style " + hex(style));
}

void buildGraphics() {
  auto* object = hostObject("graphicsobject", 512);
  const auto self = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(object));
  runCallSite(kGraphicsConstructSite, {}, self);
  trace(std::string("host graphics table ") + (word(object, 0) == kGraphicsTable ? "host" : "replaced"));
  using Slot4 = std::int32_t(__attribute__((thiscall)) *)(void*);
  using Slot0 = void*(__attribute__((thiscall)) *)(void*, std::uint32_t);
  const auto* table = reinterpret_cast<const std::uint32_t*>(static_cast<std::uintptr_t>(word(object, 0)));
  reinterpret_cast<Slot4>(static_cast<std::uintptr_t>(table[4]))(object);
  reinterpret_cast<Slot0>(static_cast<std::uintptr_t>(table[0]))(object, 1);
}

}  // namespace

void appendDisplayRows(std::vector<AddressEntry>& rows) {
  const float fourThirds = 4.0f / 3.0f;
  rows.push_back({EntryKind::function, kGraphicsConstructor, "graphicsConstruct", addressOf(&graphicsConstruct)});
  rows.push_back({EntryKind::function, kGraphicsDestructor, "graphicsDestroy", addressOf(&graphicsDestroy)});
  rows.push_back({EntryKind::callSite, kGraphicsConstructSite, "graphicsConstructSite", kGraphicsConstructor});
  for (std::uint32_t slot = 0; slot < kGraphicsTableSlots; ++slot) {
    const std::uint32_t entry = slot == 0   ? addressOf(&graphicsDeletingDestructor)
                                : slot == 4 ? addressOf(&graphicsResetDevice)
                                            : addressOf(&graphicsOtherSlot);
    rows.push_back({EntryKind::global, kGraphicsTable + 4 * slot, "graphicsTable", entry});
  }
  // mov eax, imm32: the window style (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
  // WS_VISIBLE) and the 4:3 ratio as the host's code holds them.
  rows.push_back({EntryKind::operand, kWindowStyleSite, "windowStyle", 0x10CA0000u, {0xB8}, 1});
  for (std::uint32_t site : {0x4C098Du, 0x59707Cu, 0x60013B60u, 0x60014355u}) {
    rows.push_back({EntryKind::operand, site, "aspectRatio", floatWord(fourThirds), {0xB8}, 1});
  }
  // fld dword [m32]: Spindle3D reads its half ratio from its own data.
  rows.push_back({EntryKind::global, kAspectHalfRatioData, "aspectHalfRatio", floatWord(2.0f / 3.0f)});
  for (std::uint32_t site : {0x6001394Du, 0x6001399Au, 0x60013C19u}) {
    rows.push_back({EntryKind::operand, site, "aspectHalfRatio", kAspectHalfRatioData, {0xD9, 0x05}, 2});
  }
  // mov eax, 1: the cube-map switches.
  for (std::uint32_t site : {0x60069F1Bu, 0x6006A1B5u}) {
    rows.push_back({EntryKind::operand, site, "cubeMapSwitch", 1, {0xB8}, 1});
  }
}

bool runDisplayStep(const std::string& step, std::istream&) {
  if (step == "window") {
    createWindow();
  } else if (step == "graphics") {
    buildGraphics();
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
