// Stand-in fmod.dll: the Core functions the sound daemon calls. The core system object comes
// from the stand-in fmodstudio.dll; this library keeps the master channel group per system.
#define QZR_FMOD_IMPORT
#include <cstdint>
#include <map>
#include <mutex>
#include <string>

#include "daemons/sound/fmod_api.h"
#include "fmodsim/sim_trace.h"

namespace {

struct ChannelGroup {
  float volume = 1.0f;
};

std::mutex gMutex;
std::map<FMOD_SYSTEM*, FMOD_CHANNELGROUP*> gMasterGroups;
std::map<FMOD_CHANNELGROUP*, ChannelGroup> gGroups;
uintptr_t gNextGroup = 0x7000100;

}  // namespace

extern "C" {

FMOD_RESULT QZR_FMOD_CALL FMOD_System_SetAdvancedSettings(FMOD_SYSTEM* system,
                                                          FMOD_ADVANCEDSETTINGS* settings) {
  std::string args = "system=";
  args += system ? "core" : "null";
  if (settings) {
    args += " cbSize=" + std::to_string(settings->cbSize) +
            " vol0virtualvol=" + fmodsim::floatText(settings->vol0virtualvol) +
            " profilePort=" + std::to_string(settings->profilePort);
  }
  FMOD_RESULT result = FMOD_OK;
  const fmodsim::Injection injection = fmodsim::injectedFailure(__func__, args);
  if (injection.active) {
    result = injection.result;
  } else if (!system || !settings) {
    result = FMOD_ERR_INVALID_PARAM;
  } else if (settings->cbSize != static_cast<int>(sizeof(FMOD_ADVANCEDSETTINGS))) {
    result = FMOD_ERR_INVALID_PARAM;
  }
  fmodsim::trace(__func__, args, result);
  return result;
}

FMOD_RESULT QZR_FMOD_CALL FMOD_System_GetMasterChannelGroup(FMOD_SYSTEM* system,
                                                            FMOD_CHANNELGROUP** channelgroup) {
  std::lock_guard<std::mutex> lock(gMutex);
  const std::string args = std::string("system=") + (system ? "core" : "null");
  FMOD_RESULT result = FMOD_OK;
  FMOD_CHANNELGROUP* group = nullptr;
  const fmodsim::Injection injection = fmodsim::injectedFailure(__func__, args);
  if (injection.active) {
    result = injection.result;
  } else if (!system || !channelgroup) {
    result = FMOD_ERR_INVALID_PARAM;
  } else {
    FMOD_CHANNELGROUP*& master = gMasterGroups[system];
    if (!master) {
      master = reinterpret_cast<FMOD_CHANNELGROUP*>(gNextGroup);
      gNextGroup += 0x10;
      gGroups[master] = ChannelGroup();
    }
    group = master;
  }
  if (channelgroup) *channelgroup = group;
  fmodsim::trace(__func__, args, result, group ? "group=master" : "group=null");
  return result;
}

FMOD_RESULT QZR_FMOD_CALL FMOD_ChannelGroup_GetVolume(FMOD_CHANNELGROUP* channelgroup,
                                                      float* volume) {
  std::lock_guard<std::mutex> lock(gMutex);
  auto it = gGroups.find(channelgroup);
  const std::string args = std::string("group=") + (it != gGroups.end() ? "master" : "invalid");
  FMOD_RESULT result = FMOD_OK;
  const fmodsim::Injection injection = fmodsim::injectedFailure(__func__, args);
  std::string outputs;
  if (injection.active) {
    result = injection.result;
  } else if (it == gGroups.end()) {
    result = FMOD_ERR_INVALID_HANDLE;
  } else if (!volume) {
    result = FMOD_ERR_INVALID_PARAM;
  } else {
    *volume = it->second.volume;
    outputs = "volume=" + fmodsim::floatText(it->second.volume);
  }
  fmodsim::trace(__func__, args, result, outputs);
  return result;
}

FMOD_RESULT QZR_FMOD_CALL FMOD_ChannelGroup_SetVolume(FMOD_CHANNELGROUP* channelgroup,
                                                      float volume) {
  std::lock_guard<std::mutex> lock(gMutex);
  auto it = gGroups.find(channelgroup);
  const std::string args = std::string("group=") + (it != gGroups.end() ? "master" : "invalid") +
                           " volume=" + fmodsim::floatText(volume);
  FMOD_RESULT result = FMOD_OK;
  const fmodsim::Injection injection = fmodsim::injectedFailure(__func__, args);
  if (injection.active) {
    result = injection.result;
  } else if (it == gGroups.end()) {
    result = FMOD_ERR_INVALID_HANDLE;
  } else if (volume != volume) {
    result = FMOD_ERR_INVALID_FLOAT;
  } else {
    it->second.volume = volume;
  }
  fmodsim::trace(__func__, args, result);
  return result;
}

}  // extern "C"
