#pragma once
#include <string>

// Where the settings files lie. The current directory is the host's working directory.
namespace kvl {

// "Korvala.ini" in the current directory, absolute.
std::string korvalaIniPath();
// "AudioFMOD\AudioFMOD.ini" under the current directory, absolute.
std::string audioFmodIniPath();
// "Plugins\Kestrun\Kestrun.ini" under the host executable's folder.
std::string kestrunIniPath();
// "Cars\Cars.ini" under the current directory, absolute.
std::string carListIniPath();
// "Maps\TrackValidation.ini" under the current directory, absolute.
std::string trackValidationIniPath();
// "Plugins/QZR/telemetry.ini", relative to the current directory.
std::string telemetryIniPath();

}  // namespace kvl
