#pragma once
// The host's screen quad, its vertices moved right by the centring offset of its width when it is
// built. Its draws keep the host's coordinates: their shift would come from the width the quad
// keeps as a menu view, and where a view keeps its width is not known.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::gui {

struct CentredScreenQuad {
  static constexpr std::uint32_t kVertexCount = 4;
  static constexpr std::uint32_t kVertexSize = 24;

  // Takes the place of the host's constructor call (the quad as `this`, four integers, the third
  // the quad's width): the host's quad, both vertex buffers shifted.
  static void* QZR_THISCALL construct(void* quad, std::int32_t a, std::int32_t b, std::int32_t width,
                                      std::int32_t d) noexcept;
  // The second entry, for a quad on memory that nothing has initialised: the base part first, then
  // the constructor above. Nothing refers to it.
  static void* QZR_THISCALL constructOnFreshMemory(void* quad, std::int32_t a, std::int32_t b, std::int32_t width,
                                                   std::int32_t d) noexcept;
  // Adds the offset to the x of the buffer's four vertices; a buffer that does not lock stays as it is.
  static void shiftVertices(void* vertexBuffer, float offset);
};

}  // namespace kvl::gui
