#pragma once
// The host contract as the simulated host reads it: fixed addresses in Korvala_SSE.exe (base
// 0x400000) and its modules, and the layouts of the objects behind them. Written independently
// of the plugin's own headers, so that a wrong address or layout on either side shows up.
#include <cstdint>

namespace hostsim {

constexpr std::uint32_t kImageBase = 0x400000;
constexpr std::uint32_t kRegionStart = 0x401000;
constexpr std::uint32_t kRegionEnd = 0x1711000;
constexpr std::uint32_t kSpindleBase = 0x60000000;
constexpr std::uint32_t kRailwiseBase = 0x61000000;

// Globals holding object pointers.
constexpr std::uint32_t kEventHubGlobal = 0x893600;
constexpr std::uint32_t kGraphicsGlobal = 0x894FB8;
constexpr std::uint32_t kGameGlobal = 0x7EAC48;
constexpr std::uint32_t kMenuManagerGlobal = 0x165FA48;
constexpr std::uint32_t kGameModesGlobal = 0x165FA90;
constexpr std::uint32_t kMathGlobal = 0x7CBB00;
// Plain host data.
constexpr std::uint32_t kActiveFlag = 0x7C0BBC;
constexpr std::uint32_t kDisplayFlagByte = 0x7EA274;
constexpr std::uint32_t kLoadingWord = 0x894FBC;
constexpr std::uint32_t kControlsObject = 0x16607F8;
constexpr std::uint32_t kRailwiseEntryGlobal = 0x6106C484;
constexpr std::uint32_t kReplayGlobal = 0x893634;
constexpr std::uint32_t kRendererGlobal = 0x1703E14;
constexpr std::uint32_t kPluginListGlobal = 0x7D9B34;

// Host functions.
constexpr std::uint32_t kRuntimeMalloc = 0x70BEC2;
constexpr std::uint32_t kRuntimeFree = 0x70C260;
constexpr std::uint32_t kHostNew = 0x581580;
constexpr std::uint32_t kHostDelete = 0x581670;
constexpr std::uint32_t kDefaultSlotCall = 0x547CB0;
constexpr std::uint32_t kPressureFunction = 0x52E760;
constexpr std::uint32_t kMaterialLookup = 0x520240;
constexpr std::uint32_t kLanguageCall = 0x55CE30;
constexpr std::uint32_t kNameId = 0x5021B0;

// The frame loop's host functions.
constexpr std::uint32_t kRunStep = 0x4804F0;       // member of the game object (float seconds, int)
constexpr std::uint32_t kFinishStep = 0x47CA70;    // member of the game object
constexpr std::uint32_t kFrameStep = 0x44C000;     // what the frame's step call reaches (callee cleans)
constexpr std::uint32_t kFrameCallback = 0x44C010;
constexpr std::uint32_t kForceFunction = 0x4C7000;  // member of the force-feedback device (int)
constexpr std::uint32_t kInputPoll = 0x487840;      // member call (object, int)
constexpr std::uint32_t kRaiseRecord = 0x4D0000;    // member of an event source (record pointer)
constexpr std::uint32_t kRaiseWord = 0x4D0010;      // member of an event source (one-word record)
constexpr std::uint32_t kPluginListAdd = 0x626480;
constexpr std::uint32_t kPluginEntryConstruct = 0x625BD0;
constexpr std::uint32_t kPluginEntryLoad = 0x625C10;
constexpr std::uint32_t kPluginEntryDestroy = 0x625BE0;

// Call sites (address of the CALL's 32-bit operand).
constexpr std::uint32_t kFrameStepSite = 0x44A765;
constexpr std::uint32_t kFrameCallbackSite = 0x44A76C;
constexpr std::uint32_t kForceSite = 0x4C6FB3;
constexpr std::uint32_t kInputPollSite = 0x4CC45E;
constexpr std::uint32_t kMaterialTableSite = 0x520265;
constexpr std::uint32_t kPressureSite = 0x50E2F9;

// Event hub: sources at a stride of 536 bytes; 33 lists of 16 bytes from +8.
constexpr std::uint32_t kSourceStride = 536;
constexpr std::uint32_t kSourceCount = 96;
constexpr std::uint32_t kGameStateSource = 52;
constexpr std::uint32_t kShutdownSource = 10;
constexpr std::uint32_t kWheelDataSource = 65;
constexpr std::uint32_t kCarChangedSource = 56;

// Sources the frame loop's raise sites use (the host's choice), and the raises' sites.
constexpr std::uint32_t kInputSource = 6;
constexpr std::uint32_t kStepEventSource = 40;   // raised inside each physics step (site 0x4E9307)
constexpr std::uint32_t kFrameEventSource = 41;  // raised once per frame (site 0x56E6EA)
constexpr std::uint32_t kSteeringSource = 42;    // raised once per frame (site 0x4919CE)
constexpr std::uint32_t kStepEventSite = 0x4E9307;
constexpr std::uint32_t kFrameEventSite = 0x56E6EA;
constexpr std::uint32_t kSteeringSite = 0x4919CE;

// Object layouts.
constexpr std::uint32_t kGameStateOffset = 1832;          // int32 in the game object
constexpr std::uint32_t kGraphicsSpindleOffset = 20;      // Spindle3D.DLL load address
constexpr std::uint32_t kGraphicsRailwiseOffset = 28;     // Railwise.DLL load address
constexpr std::uint32_t kMenuArrayOffset = 120;           // menu pointers by id
constexpr std::uint32_t kPluginSlotCount = 9;
constexpr std::uint32_t kRendererWindowOffset = 228;     // the host window
constexpr std::uint32_t kDeviceEffectOffset = 672;       // force-feedback device: its effect
constexpr std::uint32_t kReplaySize = 1620224 + 256;     // the replay object, its clock last

}  // namespace hostsim
