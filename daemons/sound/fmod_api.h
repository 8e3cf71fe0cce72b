#pragma once
// Declarations of the part of the FMOD Studio and FMOD Core C interface (FMOD 2.02) that the
// sound daemon uses, written from FMOD's public API reference. The C entry points are used
// because the C++ class methods are exported with MSVC-mangled names. Studio functions live in
// fmodstudio.dll, Core functions in fmod.dll; the import libraries are made from fmodstudio.def
// and fmod.def.

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32) && !defined(_WIN64)
#define QZR_FMOD_CALL __stdcall
#else
#define QZR_FMOD_CALL
#endif

#ifndef QZR_FMOD_IMPORT
#ifdef _WIN32
#define QZR_FMOD_IMPORT __declspec(dllimport)
#else
#define QZR_FMOD_IMPORT
#endif
#endif

#define FMOD_VERSION 0x00020220

typedef int FMOD_BOOL;
typedef unsigned int FMOD_INITFLAGS;
typedef unsigned int FMOD_STUDIO_INITFLAGS;
typedef unsigned int FMOD_STUDIO_LOAD_BANK_FLAGS;

#define FMOD_INIT_NORMAL 0x00000000u
#define FMOD_INIT_VOL0_BECOMES_VIRTUAL 0x00020000u
#define FMOD_STUDIO_INIT_NORMAL 0x00000000u
#define FMOD_STUDIO_INIT_LIVEUPDATE 0x00000001u
#define FMOD_STUDIO_LOAD_BANK_NORMAL 0x00000000u

typedef enum FMOD_RESULT {
  FMOD_OK = 0,
  FMOD_ERR_BADCOMMAND = 1,
  FMOD_ERR_FILE_BAD = 13,
  FMOD_ERR_FILE_NOTFOUND = 18,
  FMOD_ERR_HEADER_MISMATCH = 20,
  FMOD_ERR_INITIALIZATION = 26,
  FMOD_ERR_INITIALIZED = 27,
  FMOD_ERR_INTERNAL = 28,
  FMOD_ERR_INVALID_FLOAT = 29,
  FMOD_ERR_INVALID_HANDLE = 30,
  FMOD_ERR_INVALID_PARAM = 31,
  FMOD_ERR_MEMORY = 38,
  FMOD_ERR_NOTREADY = 46,
  FMOD_ERR_OUTPUT_INIT = 51,
  FMOD_ERR_UNINITIALIZED = 67,
  FMOD_ERR_UNSUPPORTED = 68,
  FMOD_ERR_VERSION = 69,
  FMOD_ERR_EVENT_ALREADY_LOADED = 70,
  FMOD_ERR_EVENT_NOTFOUND = 74,
  FMOD_ERR_STUDIO_UNINITIALIZED = 75,
  FMOD_ERR_STUDIO_NOT_LOADED = 76,
  FMOD_ERR_INVALID_STRING = 77,
  FMOD_RESULT_FORCEINT = 65536
} FMOD_RESULT;

typedef enum FMOD_STUDIO_STOP_MODE {
  FMOD_STUDIO_STOP_ALLOWFADEOUT = 0,
  FMOD_STUDIO_STOP_IMMEDIATE = 1,
  FMOD_STUDIO_STOP_FORCEINT = 65536
} FMOD_STUDIO_STOP_MODE;

typedef enum FMOD_STUDIO_USER_PROPERTY_TYPE {
  FMOD_STUDIO_USER_PROPERTY_TYPE_INTEGER = 0,
  FMOD_STUDIO_USER_PROPERTY_TYPE_BOOLEAN = 1,
  FMOD_STUDIO_USER_PROPERTY_TYPE_FLOAT = 2,
  FMOD_STUDIO_USER_PROPERTY_TYPE_STRING = 3,
  FMOD_STUDIO_USER_PROPERTY_TYPE_FORCEINT = 65536
} FMOD_STUDIO_USER_PROPERTY_TYPE;

typedef int FMOD_SPEAKER;
typedef int FMOD_DSP_RESAMPLER;

typedef struct FMOD_VECTOR {
  float x;
  float y;
  float z;
} FMOD_VECTOR;

typedef struct FMOD_3D_ATTRIBUTES {
  FMOD_VECTOR position;
  FMOD_VECTOR velocity;
  FMOD_VECTOR forward;
  FMOD_VECTOR up;
} FMOD_3D_ATTRIBUTES;

typedef struct FMOD_ADVANCEDSETTINGS {
  int cbSize;
  int maxMPEGCodecs;
  int maxADPCMCodecs;
  int maxXMACodecs;
  int maxVorbisCodecs;
  int maxAT9Codecs;
  int maxFADPCMCodecs;
  int maxPCMCodecs;
  int ASIONumChannels;
  char** ASIOChannelList;
  FMOD_SPEAKER* ASIOSpeakerList;
  float vol0virtualvol;
  unsigned int defaultDecodeBufferSize;
  unsigned short profilePort;
  unsigned int geometryMaxFadeTime;
  float distanceFilterCenterFreq;
  int reverb3Dinstance;
  int DSPBufferPoolSize;
  FMOD_DSP_RESAMPLER resamplerMethod;
  unsigned int randomSeed;
  int maxConvolutionThreads;
  int maxOpusCodecs;
} FMOD_ADVANCEDSETTINGS;

typedef struct FMOD_STUDIO_USER_PROPERTY {
  const char* name;
  FMOD_STUDIO_USER_PROPERTY_TYPE type;
  union {
    int intvalue;
    FMOD_BOOL boolvalue;
    float floatvalue;
    const char* stringvalue;
  };
} FMOD_STUDIO_USER_PROPERTY;

// Opaque handles.
typedef struct FMOD_SYSTEM FMOD_SYSTEM;
typedef struct FMOD_CHANNELGROUP FMOD_CHANNELGROUP;
typedef struct FMOD_STUDIO_SYSTEM FMOD_STUDIO_SYSTEM;
typedef struct FMOD_STUDIO_BANK FMOD_STUDIO_BANK;
typedef struct FMOD_STUDIO_EVENTDESCRIPTION FMOD_STUDIO_EVENTDESCRIPTION;
typedef struct FMOD_STUDIO_EVENTINSTANCE FMOD_STUDIO_EVENTINSTANCE;

// fmodstudio.dll
QZR_FMOD_IMPORT FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_System_Create(FMOD_STUDIO_SYSTEM** system,
                                                                   unsigned int headerversion);
QZR_FMOD_IMPORT FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_System_Initialize(
    FMOD_STUDIO_SYSTEM* system, int maxchannels, FMOD_STUDIO_INITFLAGS studioflags,
    FMOD_INITFLAGS flags, void* extradriverdata);
QZR_FMOD_IMPORT FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_System_Update(FMOD_STUDIO_SYSTEM* system);
QZR_FMOD_IMPORT FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_System_Release(FMOD_STUDIO_SYSTEM* system);
QZR_FMOD_IMPORT FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_System_GetCoreSystem(
    FMOD_STUDIO_SYSTEM* system, FMOD_SYSTEM** coresystem);
QZR_FMOD_IMPORT FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_System_LoadBankFile(
    FMOD_STUDIO_SYSTEM* system, const char* filename, FMOD_STUDIO_LOAD_BANK_FLAGS flags,
    FMOD_STUDIO_BANK** bank);
QZR_FMOD_IMPORT FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_System_GetEvent(
    FMOD_STUDIO_SYSTEM* system, const char* pathOrID, FMOD_STUDIO_EVENTDESCRIPTION** event);
QZR_FMOD_IMPORT FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_System_SetListenerAttributes(
    FMOD_STUDIO_SYSTEM* system, int index, const FMOD_3D_ATTRIBUTES* attributes,
    const FMOD_VECTOR* attenuationposition);
QZR_FMOD_IMPORT FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_Bank_Unload(FMOD_STUDIO_BANK* bank);
QZR_FMOD_IMPORT FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_EventDescription_GetUserProperty(
    FMOD_STUDIO_EVENTDESCRIPTION* eventdescription, const char* name,
    FMOD_STUDIO_USER_PROPERTY* property);
QZR_FMOD_IMPORT FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_EventDescription_LoadSampleData(
    FMOD_STUDIO_EVENTDESCRIPTION* eventdescription);
QZR_FMOD_IMPORT FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_EventDescription_CreateInstance(
    FMOD_STUDIO_EVENTDESCRIPTION* eventdescription, FMOD_STUDIO_EVENTINSTANCE** instance);
QZR_FMOD_IMPORT FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_EventInstance_Start(
    FMOD_STUDIO_EVENTINSTANCE* eventinstance);
QZR_FMOD_IMPORT FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_EventInstance_Stop(
    FMOD_STUDIO_EVENTINSTANCE* eventinstance, FMOD_STUDIO_STOP_MODE mode);
QZR_FMOD_IMPORT FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_EventInstance_Release(
    FMOD_STUDIO_EVENTINSTANCE* eventinstance);
QZR_FMOD_IMPORT FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_EventInstance_GetPaused(
    FMOD_STUDIO_EVENTINSTANCE* eventinstance, FMOD_BOOL* paused);
QZR_FMOD_IMPORT FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_EventInstance_SetPaused(
    FMOD_STUDIO_EVENTINSTANCE* eventinstance, FMOD_BOOL paused);
QZR_FMOD_IMPORT FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_EventInstance_SetParameterByName(
    FMOD_STUDIO_EVENTINSTANCE* eventinstance, const char* name, float value,
    FMOD_BOOL ignoreseekspeed);
QZR_FMOD_IMPORT FMOD_RESULT QZR_FMOD_CALL FMOD_Studio_EventInstance_Set3DAttributes(
    FMOD_STUDIO_EVENTINSTANCE* eventinstance, FMOD_3D_ATTRIBUTES* attributes);

// fmod.dll
QZR_FMOD_IMPORT FMOD_RESULT QZR_FMOD_CALL FMOD_System_SetAdvancedSettings(
    FMOD_SYSTEM* system, FMOD_ADVANCEDSETTINGS* settings);
QZR_FMOD_IMPORT FMOD_RESULT QZR_FMOD_CALL FMOD_System_GetMasterChannelGroup(
    FMOD_SYSTEM* system, FMOD_CHANNELGROUP** channelgroup);
QZR_FMOD_IMPORT FMOD_RESULT QZR_FMOD_CALL FMOD_ChannelGroup_GetVolume(
    FMOD_CHANNELGROUP* channelgroup, float* volume);
QZR_FMOD_IMPORT FMOD_RESULT QZR_FMOD_CALL FMOD_ChannelGroup_SetVolume(
    FMOD_CHANNELGROUP* channelgroup, float volume);

#ifdef __cplusplus
}  // extern "C"

#if defined(_WIN64) || defined(__x86_64__)
static_assert(sizeof(FMOD_ADVANCEDSETTINGS) == 104, "advanced settings size on 64-bit");
static_assert(sizeof(FMOD_STUDIO_USER_PROPERTY) == 24, "user property size on 64-bit");
#endif
static_assert(sizeof(FMOD_3D_ATTRIBUTES) == 48, "3D attributes are four vectors");
#endif
