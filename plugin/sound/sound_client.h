#pragma once
// The plugin's side of the sound daemon. It starts the daemon when the sound settings ask for
// it; once started, its launcher stays for the rest of the process.
#include <memory>

namespace kvl {

class DaemonLauncher;

class SoundClient {
 public:
  // Built on first use, destroyed at process exit.
  static SoundClient& instance();

  SoundClient(const SoundClient&) = delete;
  SoundClient& operator=(const SoundClient&) = delete;

  // True once the daemon has been started, even when it has ended since.
  bool isActive() const noexcept { return launcher_ != nullptr; }

 private:
  SoundClient() = default;

  std::shared_ptr<DaemonLauncher> launcher_;
};

}  // namespace kvl
