#pragma once
// The host's screen quad, moved right by the centring offset of its width: its vertices when it
// is built, and the x coordinates of every draw.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::gui {

struct CentredScreenQuad {
  static constexpr std::uint32_t kHostTable = 0x72D80Cu;
  static constexpr std::uint32_t kTableSlots = 96;
  static constexpr std::uint32_t kDrawSlot = 54;
  static constexpr std::uint32_t kVertexCount = 4;
  static constexpr std::uint32_t kVertexSize = 24;

  // Takes the place of the host's constructor call (the quad as `this`, four integers, the third
  // the quad's width): the host's quad with the centring table, both vertex buffers shifted.
  static void* QZR_THISCALL construct(void* quad, std::int32_t a, std::int32_t b, std::int32_t width,
                                      std::int32_t d) noexcept;
  // The second entry, for a quad on memory that nothing has initialised: the base part first, then
  // the constructor above. Nothing refers to it.
  static void* QZR_THISCALL constructOnFreshMemory(void* quad, std::int32_t a, std::int32_t b, std::int32_t width,
                                                   std::int32_t d) noexcept;
  // Adds the offset to the x of the buffer's four vertices; a buffer that does not lock stays as it is.
  static void shiftVertices(void* vertexBuffer, float offset);
  // Slot 54: the n x coordinates moved by the view's conversion of the centring offset of the
  // quad's width, then the host's own draw with the same arguments.
  static std::int32_t QZR_THISCALL shiftXs(void* quad, std::int32_t count, float* xs, std::int32_t flag) noexcept;
  // The copy of the host table with slot 54 replaced, made once.
  static const void* table();
};

}  // namespace kvl::gui
