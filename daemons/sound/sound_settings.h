#pragma once
// What the sound daemon reads from AudioFMOD\AudioFMOD.ini (it never writes the file), and the
// paths it forms for the settings file and the banks. Values are read afresh at every use.
#include <string>

namespace kvl {

// "AudioFMOD" + "\" + "AudioFMOD.ini", made absolute against the current directory.
std::string audioFmodIniPath();

// [Settings] enableLiveUpdate, default false.
bool readEnableLiveUpdate();
// [Settings] profilePort, default 0.
unsigned readProfilePort();
// [Car<NN>] bankName, default empty, trimmed.
std::string readBankName(unsigned carIndex);
// [Car<NN>] masterVolume, default 1.0.
float readMasterVolume(unsigned carIndex);

// The UTF-8 path handed to the library for a bank file name in UTF-8: the name in the system
// code page, "AudioFMOD" + "\" + name made absolute, then converted back to UTF-8. Empty when a
// conversion fails (the bank then fails to load).
std::string bankFilePath(const std::string& utf8FileName);

}  // namespace kvl
