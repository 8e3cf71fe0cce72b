#include "hostsim/frame_loop.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "hostsim/call_trace.h"
#include "hostsim/frame_events.h"
#include "hostsim/host_layout.h"
#include "hostsim/runtime_host.h"
#include "hostsim/stray_words.h"

namespace hostsim {
namespace {

HWND hostWindow = nullptr;

LRESULT CALLBACK hostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      trace("host window close");
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      trace("host window destroyed");
      hostWindow = nullptr;
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

double seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

bool createHostWindow() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &hostWindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "KorvalaWindow";
  RegisterClassA(&windowClass);
  hostWindow = CreateWindowExA(0, "KorvalaWindow", "Korvala", WS_OVERLAPPEDWINDOW, 0, 0, 320, 240, nullptr, nullptr,
                               windowClass.hInstance, nullptr);
  const auto word = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(hostWindow));
  hostWrite(static_cast<unsigned char*>(rendererObject()) + kRendererWindowOffset, &word, 4);
  trace(hostWindow != nullptr ? "host window created" : "host window missing");
  return hostWindow != nullptr;
}

void runFrameLoop(double wallSeconds, int minFrames) {
  LARGE_INTEGER start, last, now;
  QueryPerformanceCounter(&start);
  last = start;
  int frames = 0;
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    QueryPerformanceCounter(&now);
    if (seconds(start, now) >= wallSeconds && frames >= minFrames) break;
    raiseLoopFrameEvents();
    runFrameCalls(static_cast<float>(seconds(last, now)));
    last = now;
    ++frames;
    Sleep(10);
  }
  trace("host ran " + std::to_string(frames) + " frames");
}

int closeHostWindow() {
  if (hostWindow == nullptr) {
    trace("host close without a window");
    return 0;
  }
  PostMessageA(hostWindow, WM_CLOSE, 0, 0);
  MSG message;
  int result;
  while ((result = GetMessageA(&message, nullptr, 0, 0)) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  const int code = result == 0 ? static_cast<int>(message.wParam) : -1;
  trace("host message loop ended " + std::to_string(code));
  return code;
}

}  // namespace hostsim
