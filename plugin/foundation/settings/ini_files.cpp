#include "plugin/foundation/settings/ini_files.h"

#include "plugin/foundation/files/file.h"
#include "plugin/foundation/files/module_path.h"

namespace kvl {

namespace {

std::string underCurrentDirectory(const char* folder, const char* name) {
  return io::File(io::File(folder), name).fullPath();
}

}  // namespace

std::string korvalaIniPath() { return io::File("Korvala.ini").fullPath(); }

std::string audioFmodIniPath() { return underCurrentDirectory("AudioFMOD", "AudioFMOD.ini"); }

std::string kestrunIniPath() {
  const io::File programFolder(io::directoryOf(io::modulePath().c_str()));
  return io::File(programFolder, "Plugins\\Kestrun\\Kestrun.ini").path();
}

std::string carListIniPath() { return underCurrentDirectory("Cars", "Cars.ini"); }

std::string trackValidationIniPath() { return underCurrentDirectory("Maps", "TrackValidation.ini"); }

std::string telemetryIniPath() { return "Plugins/QZR/telemetry.ini"; }

}  // namespace kvl
