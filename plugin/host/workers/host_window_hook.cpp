#include "plugin/host/workers/host_window_hook.h"

#include <windows.h>

#include <atomic>

#include "plugin/host/workers/input_workers.h"
#include "plugin/host/workers/physics_worker.h"

namespace kvl::host {
namespace {

std::atomic<WNDPROC> previousWindowProc{nullptr};
// Set while a hook is installed, also when the window had no procedure before it.
std::atomic<bool> hookInstalled{false};

LRESULT CALLBACK hostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  const WNDPROC previous = previousWindowProc.load();
  if (message == WM_DESTROY || message == WM_CLOSE) {
    try {
      forceFeedbackWorker().stop();
      inputWorker().stop();
      physicsWorker().stop();
    } catch (...) {
    }
    PostQuitMessage(0);
  }
  if (previous == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  return CallWindowProcA(previous, window, message, wParam, lParam);
}

}  // namespace

bool windowHookInstalled() noexcept { return hookInstalled.load(); }

HostWindowHook::HostWindowHook(void* window) : window_(window) { install(); }

HostWindowHook::~HostWindowHook() { restore(); }

void HostWindowHook::install() {
  // A second installation over the first would make the hook call itself as the host's procedure.
  if (window_ == nullptr || hookInstalled.exchange(true)) return;
  SetLastError(ERROR_SUCCESS);
  // SetWindowLongA in the 32-bit build.
  const LONG_PTR previous =
      SetWindowLongPtrA(static_cast<HWND>(window_), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&hostWindowProc));
  if (previous == 0 && GetLastError() != ERROR_SUCCESS) {
    hookInstalled.store(false);
    return;
  }
  // A window without a procedure before the hook gets the default handling after it.
  previousWindowProc.store(reinterpret_cast<WNDPROC>(previous));
  installed_ = true;
}

void HostWindowHook::restore() {
  if (!installed_) return;
  const WNDPROC previous = previousWindowProc.exchange(nullptr);
  installed_ = false;
  if (previous != nullptr) {
    SetLastError(ERROR_SUCCESS);
    SetWindowLongPtrA(static_cast<HWND>(window_), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
  }
  hookInstalled.store(false);
}

}  // namespace kvl::host
