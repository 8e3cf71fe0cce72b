// Stand-in fmodstudio.dll: the Studio functions the sound daemon calls, over banks that are
// small text files (sim_bank_file.h). Objects are named in the trace: the system "studio", its
// core system "core", banks by file name, event descriptions by path and instances by path and
// a running number per path ("event:/wheel#3"). Objects are never freed; a released or
// unloaded object answers FMOD_ERR_INVALID_HANDLE.
#define QZR_FMOD_IMPORT
#include <windows.h>

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "daemons/sound/fmod_api.h"
#include "fmodsim/sim_bank_file.h"
#include "fmodsim/sim_trace.h"

namespace {

enum class Kind { System, Bank, Description, Instance };

struct Object {
  Object(Kind k, std::string n) : kind(k), name(std::move(n)) {}
  Kind kind;
  std::string name;
  bool alive = true;
  uintptr_t owner = 0;  // bank of a description, description of an instance
  // system
  bool initialized = false;
  uintptr_t core = 0;
  // bank
  std::string file;
  std::vector<fmodsim::BankEvent> events;
  // description
  fmodsim::BankEvent event;
  // instance
  bool paused = false;
};

std::recursive_mutex gMutex;
std::map<uintptr_t, Object> gObjects;
std::map<std::string, int> gInstanceNumbers;
uintptr_t gNext = 0x5000000;

uintptr_t addObject(Object object) {
  const uintptr_t handle = gNext;
  gNext += 0x10;
  gObjects.emplace(handle, std::move(object));
  return handle;
}

Object* find(const void* handle, Kind kind) {
  auto it = gObjects.find(reinterpret_cast<uintptr_t>(handle));
  if (it == gObjects.end() || it->second.kind != kind || !it->second.alive) return nullptr;
  return &it->second;
}

std::string nameOf(const void* handle, Kind kind) {
  if (!handle) return "null";
  auto it = gObjects.find(reinterpret_cast<uintptr_t>(handle));
  if (it == gObjects.end() || it->second.kind != kind) return "invalid";
  return it->second.name;
}

template <typename T>
T* asHandle(uintptr_t value) {
  return reinterpret_cast<T*>(value);
}

bool readUtf8File(const char* path, std::string& text) {
  const int size = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, nullptr, 0);
  if (size <= 0) return false;
  std::wstring wide(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, &wide[0], size);
  HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  text.clear();
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) text.append(buffer, got);
  CloseHandle(file);
  return true;
}

std::string baseName(const std::string& path) {
  const auto cut = path.find_last_of("\\/");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

// Unloading a bank takes its descriptions and their instances with it.
void unloadBank(uintptr_t bank) {
  for (auto& d : gObjects) {
    if (d.second.kind != Kind::Description || d.second.owner != bank) continue;
    d.second.alive = false;
    for (auto& i : gObjects) {
      if (i.second.kind == Kind::Instance && i.second.owner == d.first) i.second.alive = false;
    }
  }
  gObjects.at(bank).alive = false;
}

// Runs one call: failure injection first, then the body, then the trace line.
template <typename Body>
FMOD_RESULT call(const char* function, const std::string& args, Body body,
                 bool* nullOutput = nullptr) {
  std::string outputs;
  FMOD_RESULT result;
  const fmodsim::Injection injection = fmodsim::injectedFailure(function, args);
  if (injection.active && !injection.nullOutput) {
    result = injection.result;
  } else if (injection.active) {
    if (nullOutput) *nullOutput = true;
    result = FMOD_OK;
  } else {
    result = body(outputs);
  }
  fmodsim::trace(function, args, result, outputs);
  return result;
}

}  // namespace

extern "C" {

FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_System_Create(FMOD_STUDIO_SYSTEM** system,
                                                    unsigned int headerversion) {
  std::lock_guard<std::recursive_mutex> lock(gMutex);
  char version[16];
  snprintf(version, sizeof(version), "0x%08X", headerversion);
  bool none = false;
  uintptr_t created = 0;
  const FMOD_RESULT result = call(
      __func__, std::string("version=") + version,
      [&](std::string& out) {
        if (!system) return FMOD_ERR_INVALID_PARAM;
        if (headerversion != FMOD_VERSION) return FMOD_ERR_HEADER_MISMATCH;
        Object object(Kind::System, "studio");
        created = addObject(object);
        Object core(Kind::System, "core");
        gObjects.at(created).core = addObject(core);
        out = "system=studio";
        return FMOD_OK;
      },
      &none);
  if (system) *system = asHandle<FMOD_STUDIO_SYSTEM>(created);
  return result;
}

FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_System_Initialize(FMOD_STUDIO_SYSTEM* system,
                                                        int maxchannels,
                                                        FMOD_STUDIO_INITFLAGS studioflags,
                                                        FMOD_INITFLAGS flags,
                                                        void* extradriverdata) {
  std::lock_guard<std::recursive_mutex> lock(gMutex);
  char text[128];
  snprintf(text, sizeof(text), "system=%s maxchannels=%d studioflags=0x%X flags=0x%X extra=%s",
           nameOf(system, Kind::System).c_str(), maxchannels, studioflags, flags,
           extradriverdata ? "set" : "null");
  return call(__func__, text, [&](std::string&) {
    Object* s = find(system, Kind::System);
    if (!s) return FMOD_ERR_INVALID_HANDLE;
    if (s->initialized) return FMOD_ERR_INITIALIZED;
    s->initialized = true;
    return FMOD_OK;
  });
}

FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_System_Update(FMOD_STUDIO_SYSTEM* system) {
  std::lock_guard<std::recursive_mutex> lock(gMutex);
  return call(__func__, "system=" + nameOf(system, Kind::System), [&](std::string&) {
    Object* s = find(system, Kind::System);
    if (!s) return FMOD_ERR_INVALID_HANDLE;
    return s->initialized ? FMOD_OK : FMOD_ERR_STUDIO_UNINITIALIZED;
  });
}

FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_System_Release(FMOD_STUDIO_SYSTEM* system) {
  std::lock_guard<std::recursive_mutex> lock(gMutex);
  int instances = 0;
  int banks = 0;
  for (const auto& o : gObjects) {
    if (!o.second.alive) continue;
    if (o.second.kind == Kind::Instance) ++instances;
    if (o.second.kind == Kind::Bank) ++banks;
  }
  const std::string args = "system=" + nameOf(system, Kind::System) +
                           " live_instances=" + std::to_string(instances) +
                           " live_banks=" + std::to_string(banks);
  return call(__func__, args, [&](std::string&) {
    Object* s = find(system, Kind::System);
    if (!s) return FMOD_ERR_INVALID_HANDLE;
    for (auto& o : gObjects) o.second.alive = false;
    return FMOD_OK;
  });
}

FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_System_GetCoreSystem(FMOD_STUDIO_SYSTEM* system,
                                                           FMOD_SYSTEM** coresystem) {
  std::lock_guard<std::recursive_mutex> lock(gMutex);
  uintptr_t core = 0;
  const FMOD_RESULT result =
      call(__func__, "system=" + nameOf(system, Kind::System), [&](std::string& out) {
        Object* s = find(system, Kind::System);
        if (!s) return FMOD_ERR_INVALID_HANDLE;
        if (!coresystem) return FMOD_ERR_INVALID_PARAM;
        core = s->core;
        out = "core=core";
        return FMOD_OK;
      });
  if (coresystem) *coresystem = asHandle<FMOD_SYSTEM>(core);
  return result;
}

FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_System_LoadBankFile(FMOD_STUDIO_SYSTEM* system,
                                                          const char* filename,
                                                          FMOD_STUDIO_LOAD_BANK_FLAGS flags,
                                                          FMOD_STUDIO_BANK** bank) {
  std::lock_guard<std::recursive_mutex> lock(gMutex);
  const std::string file = filename ? filename : "";
  const std::string args = "system=" + nameOf(system, Kind::System) + " file=" + file +
                           " flags=" + std::to_string(flags);
  uintptr_t loaded = 0;
  const FMOD_RESULT result = call(__func__, args, [&](std::string& out) {
    Object* s = find(system, Kind::System);
    if (!s) return FMOD_ERR_INVALID_HANDLE;
    if (!filename || !bank) return FMOD_ERR_INVALID_PARAM;
    if (!s->initialized) return FMOD_ERR_STUDIO_UNINITIALIZED;
    for (const auto& o : gObjects) {
      if (o.second.kind == Kind::Bank && o.second.alive && o.second.file == file) {
        return FMOD_ERR_EVENT_ALREADY_LOADED;
      }
    }
    std::string text;
    if (!readUtf8File(filename, text)) return FMOD_ERR_FILE_NOTFOUND;
    Object b(Kind::Bank, baseName(file));
    b.file = file;
    if (!fmodsim::parseBankText(text, b.events)) return FMOD_ERR_FILE_BAD;
    loaded = addObject(b);
    out = "bank=" + b.name;
    return FMOD_OK;
  });
  if (bank) *bank = asHandle<FMOD_STUDIO_BANK>(loaded);
  return result;
}

FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_System_GetEvent(FMOD_STUDIO_SYSTEM* system,
                                                      const char* pathOrID,
                                                      FMOD_STUDIO_EVENTDESCRIPTION** event) {
  std::lock_guard<std::recursive_mutex> lock(gMutex);
  const std::string path = pathOrID ? pathOrID : "";
  uintptr_t found = 0;
  const FMOD_RESULT result = call(
      __func__, "system=" + nameOf(system, Kind::System) + " path=" + path,
      [&](std::string& out) {
        if (!find(system, Kind::System)) return FMOD_ERR_INVALID_HANDLE;
        if (!pathOrID || !event) return FMOD_ERR_INVALID_PARAM;
        // The same description while its bank stays loaded.
        for (const auto& o : gObjects) {
          if (o.second.kind == Kind::Description && o.second.alive && o.second.name == path) {
            found = o.first;
          }
        }
        for (const auto& o : gObjects) {
          if (found) break;
          if (o.second.kind != Kind::Bank || !o.second.alive) continue;
          for (const auto& e : o.second.events) {
            if (e.path != path) continue;
            Object d(Kind::Description, path);
            d.owner = o.first;
            d.event = e;
            found = addObject(d);
            break;
          }
        }
        if (!found) return FMOD_ERR_EVENT_NOTFOUND;
        out = "event=" + path;
        return FMOD_OK;
      });
  if (event) *event = asHandle<FMOD_STUDIO_EVENTDESCRIPTION>(found);
  return result;
}

FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_System_SetListenerAttributes(
    FMOD_STUDIO_SYSTEM* system, int index, const FMOD_3D_ATTRIBUTES* attributes,
    const FMOD_VECTOR* attenuationposition) {
  std::lock_guard<std::recursive_mutex> lock(gMutex);
  std::string args = "system=" + nameOf(system, Kind::System) + " index=" + std::to_string(index);
  if (attributes) args += " " + fmodsim::attributesText(*attributes);
  args += std::string(" attenuation=") +
          (attenuationposition ? fmodsim::vectorText(*attenuationposition) : "null");
  return call(__func__, args, [&](std::string&) {
    if (!find(system, Kind::System)) return FMOD_ERR_INVALID_HANDLE;
    if (!attributes || index != 0) return FMOD_ERR_INVALID_PARAM;
    return FMOD_OK;
  });
}

FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_Bank_Unload(FMOD_STUDIO_BANK* bank) {
  std::lock_guard<std::recursive_mutex> lock(gMutex);
  return call(__func__, "bank=" + nameOf(bank, Kind::Bank), [&](std::string&) {
    if (!find(bank, Kind::Bank)) return FMOD_ERR_INVALID_HANDLE;
    unloadBank(reinterpret_cast<uintptr_t>(bank));
    return FMOD_OK;
  });
}

FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_EventDescription_GetUserProperty(
    FMOD_STUDIO_EVENTDESCRIPTION* eventdescription, const char* name,
    FMOD_STUDIO_USER_PROPERTY* property) {
  std::lock_guard<std::recursive_mutex> lock(gMutex);
  const std::string wanted = name ? name : "";
  return call(__func__,
              "event=" + nameOf(eventdescription, Kind::Description) + " name=" + wanted,
              [&](std::string& out) {
                Object* d = find(eventdescription, Kind::Description);
                if (!d) return FMOD_ERR_INVALID_HANDLE;
                if (!name || !property) return FMOD_ERR_INVALID_PARAM;
                for (const auto& p : d->event.properties) {
                  if (p.name != wanted) continue;
                  property->name = p.name.c_str();
                  if (p.type == "int") {
                    property->type = FMOD_STUDIO_USER_PROPERTY_TYPE_INTEGER;
                    property->intvalue = std::atoi(p.value.c_str());
                  } else if (p.type == "bool") {
                    property->type = FMOD_STUDIO_USER_PROPERTY_TYPE_BOOLEAN;
                    property->boolvalue = p.value == "true" || p.value == "1";
                  } else if (p.type == "float") {
                    property->type = FMOD_STUDIO_USER_PROPERTY_TYPE_FLOAT;
                    property->floatvalue = std::strtof(p.value.c_str(), nullptr);
                  } else {
                    property->type = FMOD_STUDIO_USER_PROPERTY_TYPE_STRING;
                    property->stringvalue = p.value.c_str();
                  }
                  out = "type=" + p.type + " value=" + p.value;
                  return FMOD_OK;
                }
                return FMOD_ERR_EVENT_NOTFOUND;
              });
}

FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_EventDescription_LoadSampleData(
    FMOD_STUDIO_EVENTDESCRIPTION* eventdescription) {
  std::lock_guard<std::recursive_mutex> lock(gMutex);
  return call(__func__, "event=" + nameOf(eventdescription, Kind::Description),
              [&](std::string&) {
                return find(eventdescription, Kind::Description) ? FMOD_OK
                                                                 : FMOD_ERR_INVALID_HANDLE;
              });
}

FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_EventDescription_CreateInstance(
    FMOD_STUDIO_EVENTDESCRIPTION* eventdescription, FMOD_STUDIO_EVENTINSTANCE** instance) {
  std::lock_guard<std::recursive_mutex> lock(gMutex);
  uintptr_t created = 0;
  const FMOD_RESULT result = call(
      __func__, "event=" + nameOf(eventdescription, Kind::Description), [&](std::string& out) {
        Object* d = find(eventdescription, Kind::Description);
        if (!d) return FMOD_ERR_INVALID_HANDLE;
        if (!instance) return FMOD_ERR_INVALID_PARAM;
        Object i(Kind::Instance, d->name + "#" + std::to_string(++gInstanceNumbers[d->name]));
        i.owner = reinterpret_cast<uintptr_t>(eventdescription);
        out = "instance=" + i.name;
        created = addObject(i);
        return FMOD_OK;
      });
  if (instance) *instance = asHandle<FMOD_STUDIO_EVENTINSTANCE>(created);
  return result;
}

}  // extern "C"

namespace {
template <typename Body>
FMOD_RESULT instanceCall(const char* function, FMOD_STUDIO_EVENTINSTANCE* instance,
                         const std::string& extra, Body body) {
  std::lock_guard<std::recursive_mutex> lock(gMutex);
  std::string args = "instance=" + nameOf(instance, Kind::Instance);
  if (!extra.empty()) args += " " + extra;
  return call(function, args, [&](std::string& out) {
    Object* i = find(instance, Kind::Instance);
    if (!i) return FMOD_ERR_INVALID_HANDLE;
    return body(*i, out);
  });
}
}  // namespace

extern "C" {

FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_EventInstance_Start(FMOD_STUDIO_EVENTINSTANCE* eventinstance) {
  return instanceCall(__func__, eventinstance, "", [](Object&, std::string&) { return FMOD_OK; });
}

FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_EventInstance_Stop(FMOD_STUDIO_EVENTINSTANCE* eventinstance,
                                                         FMOD_STUDIO_STOP_MODE mode) {
  return instanceCall(__func__, eventinstance, "mode=" + std::to_string(static_cast<int>(mode)),
                      [](Object&, std::string&) { return FMOD_OK; });
}

FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_EventInstance_Release(
    FMOD_STUDIO_EVENTINSTANCE* eventinstance) {
  return instanceCall(__func__, eventinstance, "", [](Object& i, std::string&) {
    i.alive = false;
    return FMOD_OK;
  });
}

FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_EventInstance_GetPaused(
    FMOD_STUDIO_EVENTINSTANCE* eventinstance, FMOD_BOOL* paused) {
  return instanceCall(__func__, eventinstance, "", [&](Object& i, std::string& out) {
    if (!paused) return FMOD_ERR_INVALID_PARAM;
    *paused = i.paused ? 1 : 0;
    out = std::string("paused=") + (i.paused ? "1" : "0");
    return FMOD_OK;
  });
}

FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_EventInstance_SetPaused(
    FMOD_STUDIO_EVENTINSTANCE* eventinstance, FMOD_BOOL paused) {
  return instanceCall(__func__, eventinstance, "paused=" + std::to_string(paused),
                      [&](Object& i, std::string&) {
                        i.paused = paused != 0;
                        return FMOD_OK;
                      });
}

FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_EventInstance_SetParameterByName(
    FMOD_STUDIO_EVENTINSTANCE* eventinstance, const char* name, float value,
    FMOD_BOOL ignoreseekspeed) {
  const std::string extra = std::string("name=") + (name ? name : "null") +
                            " value=" + fmodsim::floatText(value) +
                            " ignoreseekspeed=" + std::to_string(ignoreseekspeed);
  return instanceCall(__func__, eventinstance, extra, [&](Object&, std::string&) {
    return name ? FMOD_OK : FMOD_ERR_INVALID_PARAM;
  });
}

FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_EventInstance_Set3DAttributes(
    FMOD_STUDIO_EVENTINSTANCE* eventinstance, FMOD_3D_ATTRIBUTES* attributes) {
  const std::string extra = attributes ? fmodsim::attributesText(*attributes) : "attributes=null";
  return instanceCall(__func__, eventinstance, extra, [&](Object&, std::string&) {
    return attributes ? FMOD_OK : FMOD_ERR_INVALID_PARAM;
  });
}

}  // extern "C"
