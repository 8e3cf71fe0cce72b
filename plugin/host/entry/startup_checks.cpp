#include "plugin/host/entry/startup_checks.h"

#include <windows.h>

#include <sstream>

#include "plugin/foundation/files/file.h"

namespace kvl {

const char* const kConflictingPlugins[3] = {"QZR_Old", "QZRPhysics", "KorvalaPhysics"};

std::optional<std::string> startupCheckMessage(const std::string& architecture) {
  bool conflict = false;
  std::ostringstream conflicts;
  conflicts << "Incompatible plugins found:\n\n";
  for (const char* name : kConflictingPlugins) {
    const io::File file(std::string("Plugins/") + name + ".dll");
    if (file.exists()) {
      conflict = true;
      conflicts << file.fullPath() << "\n";
    }
  }
  if (conflict) {
    conflicts << "\n\nPlease delete and restart!";
    return conflicts.str();
  }

  const std::string folder = io::File(io::File("Plugins/QZR/bin/"), architecture).fullPath();
  bool missing = false;
  std::ostringstream absent;
  absent << "Missing FMOD executable files:\n\n";
  for (const char* name : {"QzrFmodDaemon.exe", "fmod.dll", "fmodstudio.dll"}) {
    const io::File file(io::File(folder), name);
    if (!file.exists()) {
      missing = true;
      absent << file.fullPath() << "\n";
    }
  }
  if (missing) {
    absent << "\n\nPlease verify installation and restart!";
    return absent.str();
  }
  return std::nullopt;
}

std::string startupFailureMessage(const std::string& error) {
  std::ostringstream text;
  text << "QZR could not start:\n\n" << error << "\n\nPlease verify installation and restart!";
  return text.str();
}

void endWithMessage(const std::string& text) {
  MessageBoxA(nullptr, text.c_str(), kSanityCheckCaption, MB_ICONERROR);
  ExitProcess(kSanityCheckExitCode);
}

}  // namespace kvl
