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

// Call sites (address of the CALL's 32-bit operand).
constexpr std::uint32_t kMaterialTableSite = 0x520265;
constexpr std::uint32_t kPressureSite = 0x50E2F9;

// Event hub: sources at a stride of 536 bytes; 33 lists of 16 bytes from +8.
constexpr std::uint32_t kSourceStride = 536;
constexpr std::uint32_t kSourceCount = 96;
constexpr std::uint32_t kGameStateSource = 52;
constexpr std::uint32_t kShutdownSource = 10;
constexpr std::uint32_t kWheelDataSource = 65;
constexpr std::uint32_t kCarChangedSource = 56;

// Object layouts.
constexpr std::uint32_t kGameStateOffset = 1832;          // int32 in the game object
constexpr std::uint32_t kGraphicsSpindleOffset = 20;      // Spindle3D.DLL load address
constexpr std::uint32_t kGraphicsRailwiseOffset = 28;     // Railwise.DLL load address
constexpr std::uint32_t kMenuArrayOffset = 120;           // menu pointers by id
constexpr std::uint32_t kPluginSlotCount = 9;

}  // namespace hostsim
