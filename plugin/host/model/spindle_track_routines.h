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

}  // namespace kvl::host
