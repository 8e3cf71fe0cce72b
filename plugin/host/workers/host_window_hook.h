#pragma once
// Subclasses the host's main window: WM_CLOSE and WM_DESTROY stop the force-feedback, input and
// physics workers, in that order, and post WM_QUIT before the host's own procedure runs.
namespace kvl::host {

class HostWindowHook {
 public:
  // Installs the hook on the window (nothing for a null window, or while another hook is
  // installed: one window procedure slot serves the process).
  explicit HostWindowHook(void* window);
  // Restores the host's procedure when this hook installed one.
  ~HostWindowHook();
  HostWindowHook(const HostWindowHook&) = delete;
  HostWindowHook& operator=(const HostWindowHook&) = delete;

  bool installed() const noexcept { return installed_; }
  void restore();

 private:
  void install();

  void* window_;
  bool installed_ = false;
};

// True while a hook holds the host's previous window procedure.
bool windowHookInstalled() noexcept;

}  // namespace kvl::host
