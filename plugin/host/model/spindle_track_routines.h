#pragma once
// Spindle3D.DLL's track-loading routines that the plugin's loader calls, and the host objects it
// reaches them with. Routines taking their object in a register are called through the adapters
// that the "Track Loading" group writes into the module.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

struct SpindleTrackRoutines {
  // 0x60053B70: the module's processing of the LBS data (loader object as object and argument).
  static void processLbs(void* loader);
  // 0x600553B0: the geom-blocks routine (loader object as object and argument).
  static void geomBlocks(void* loader);
  // 0x6005F1E0: reads the geom-block data from a read buffer (cdecl, two arguments).
  static std::int32_t readGeomData(std::int32_t a, void* buffer);
  // 0x60056150: the object-block routine (loader object as object and argument); returns the new
  // block object.
  static void* objectBlock(void* loader);
  // 0x60024A60: adds a block object to a per-segment object list (the list as object).
  static void addToSegmentList(void* list, void* block);
  // Adapter 0x6002DA40 to 0x6002D980: constructs an object-block holder from the loader's member.
  static void constructHolder(void* holder, void* source);
  // Adapter 0x600526B0 to 0x60056D90: the visible-objects routine on the loader object.
  static void visibleObjects(void* loader);
  // Adapter 0x600526C0 to 0x60053740: the module's own geometry reload.
  static std::int32_t reloadGeometry(void* object);
  // 0x6006ACE0: the drawing routine whose device values the render-state guard keeps.
  static void drawWithRenderState(void* object, std::uint32_t argument);
};

// The host application object (host global 0x7EA990) and its member at +0x40, which holds the
// render lists and the object-block holder pointer (+0x1CC); null while there is none.
void* hostApplicationPaths() noexcept;

// The track loader object's layout: +0x18 the member the holder is built from, +0x20 the read
// buffer the module's segment routines read from.
struct HostTrackLoaderObject {
  static constexpr std::size_t kSegmentSourceOffset = 0x18;
  static constexpr std::size_t kReadBufferOffset = 0x20;
  static constexpr std::size_t kObjectHolderOffset = 0x1CC;  // in hostApplicationPaths()
};

// The structure that the first word of the loader's member at +0x18 points to: a vector of
// per-segment object lists at +0x190.
struct HostSegmentStructure {
  static constexpr std::size_t kListsBeginOffset = 0x194;
  // The module's vector objects hold their begin pointer at +4 and their end pointer at +8 (the
  // geometry reset's vectors), so this one ends at +0x198.
  static constexpr std::size_t kListsEndOffset = 0x198;
};

// The object list of segment 0 of the loader's segment structure: the element at the lists'
// begin pointer. Null when the structure is missing or holds no list.
void* firstSegmentList(const void* loader) noexcept;

}  // namespace kvl::host
