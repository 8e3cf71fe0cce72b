#include "plugin/tracks/track_draw_hooks.h"

#include "plugin/host/binding/call_through.h"
#include "plugin/host/model/host_lists.h"
#include "plugin/host/model/host_renderer.h"
#include "plugin/host/model/spindle_track_routines.h"

namespace kvl::tracks {

using host::fieldAt;
using host::HostWord;

namespace {

unsigned char* at(HostWord word) { return reinterpret_cast<unsigned char*>(static_cast<std::uintptr_t>(word)); }
unsigned char* word(const void* object, std::size_t offset) { return at(fieldAt<HostWord>(object, offset)); }

// Visits the non-null pointers of a host vector (begin and end pointer words).
template <typename F>
void eachElement(const void* holder, std::size_t beginOffset, F&& visit) {
  const HostWord begin = fieldAt<HostWord>(holder, beginOffset);
  const HostWord end = fieldAt<HostWord>(holder, beginOffset + 4);
  if (begin == 0 || end < begin) return;
  for (HostWord p = begin; p + 4 <= end; p += 4) {
    if (unsigned char* e = word(at(p), 0)) visit(e);
  }
}

// A two-stage reference: state, first index, second index.
void resetTwoStage(void* object, std::size_t stateAt, std::uint32_t n) {
  auto& state = fieldAt<std::int32_t>(object, stateAt);
  auto& first = fieldAt<std::uint32_t>(object, stateAt + 4);
  auto& second = fieldAt<std::uint32_t>(object, stateAt + 8);
  if (state == 2 && second >= n) {
    state = 1;
    second = 0;
  }
  if ((state == 1 || state == 2) && first >= n) {
    state = 0;
    first = 0;
  }
}

void resetFlagged(void* object, std::size_t flagAt, std::size_t indexAt, std::uint32_t n) {
  auto& flag = fieldAt<std::uint8_t>(object, flagAt);
  auto& index = fieldAt<std::uint32_t>(object, indexAt);
  if (flag != 0 && index != 0xFFFFFFFFu && index >= n) {
    flag = 0;
    index = 0xFFFFFFFFu;
  }
}

host::Spindle3DAddress geometryRoot(0x601DDF88);
host::Spindle3DAddress objectListC(0x601DE18C);
host::Spindle3DAddress objectListD(0x601DE19C);

}  // namespace

void resetStaleRefA(void* object, std::uint32_t n) noexcept {
  if (object != nullptr) resetTwoStage(object, 0x30, n);
}

void resetStaleRefB(void* object, std::uint32_t n) noexcept {
  if (object == nullptr) return;
  resetTwoStage(object, 0x30, n);
  auto& index = fieldAt<std::uint32_t>(object, 0x3C);
  if (index != 0xFFFFFFFFu && index >= n) index = 0xFFFFFFFFu;
}

void resetStaleRefC(void* object, std::uint32_t n) noexcept {
  if (object == nullptr) return;
  resetTwoStage(object, 0x7C, n);
  resetFlagged(object, 0x74, 0x78, n);
  resetFlagged(object, 0x6D, 0x70, n);
}

void resetStaleRefD(void* object, std::uint32_t n) noexcept {
  if (object == nullptr) return;
  auto& flag = fieldAt<std::uint8_t>(object, 0x5C);
  auto& index = fieldAt<std::uint32_t>(object, 0x50);
  if (flag != 0 && index >= n) {
    flag = 0;
    index = 0;
  }
}

void resetStaleGeometryRefs() noexcept {
  // Without the module's recorded load address the lists' addresses mean nothing.
  if (host::HostModuleTable::spindleBase() == 0) return;
  auto* rootSlot = static_cast<unsigned char*>(geometryRoot.resolve());
  unsigned char* root = rootSlot == nullptr ? nullptr : word(rootSlot, 0);
  unsigned char* p = root == nullptr ? nullptr : word(root, 0xC);
  if (p == nullptr) return;
  unsigned char* q = word(p, 4);
  std::uint32_t n = 0;
  if (q != nullptr && fieldAt<HostWord>(q, 0x14) != 0) {
    n = (fieldAt<HostWord>(q, 0x18) - fieldAt<HostWord>(q, 0x14)) / 44;
  }
  if (unsigned char* paths = static_cast<unsigned char*>(host::hostApplicationPaths())) {
    eachElement(paths, 0x18C, [&](unsigned char* e) { eachElement(e, 0x20, [&](unsigned char* o) { resetStaleRefA(o, n); }); });
    if (unsigned char* lists = word(paths, 0x1C4)) {
      eachElement(lists, 0x8, [&](unsigned char* e) { eachElement(e, 0x64, [&](unsigned char* o) { resetStaleRefB(o, n); }); });
      eachElement(lists, 0x18, [&](unsigned char* e) { eachElement(e, 0x4C, [&](unsigned char* o) { resetStaleRefB(o, n); }); });
    }
  }
  if (auto* c = static_cast<unsigned char*>(objectListC.resolve())) {
    eachElement(c, 4, [&](unsigned char* e) {
      for (std::size_t k = 0; k < 36; ++k) eachElement(e, 0x8 + 16 * k, [&](unsigned char* o) { resetStaleRefC(o, n); });
    });
  }
  if (auto* d = static_cast<unsigned char*>(objectListD.resolve())) {
    eachElement(d, 4, [&](unsigned char* e) {
      eachElement(e, 0x4, [&](unsigned char* o) { resetStaleRefD(o, n); });
      eachElement(e, 0x14, [&](unsigned char* o) { resetStaleRefD(o, n); });
    });
  }
}

std::int32_t QZR_THISCALL geometryReloadHook(void* object) noexcept {
  resetStaleGeometryRefs();
  try {
    return host::SpindleTrackRoutines::reloadGeometry(object);
  } catch (...) {
    return 0;
  }
}

std::uint32_t QZR_THISCALL lb2ObjectIndexHook(void* object, const void* record) noexcept {
  const std::uint32_t id = fieldAt<std::uint32_t>(record, 0);
  if (id < 40000) return id;
  const std::uint32_t index = id - 40000;
  const HostWord begin = fieldAt<HostWord>(object, 0x3C);
  const HostWord end = fieldAt<HostWord>(object, 0x40);
  if (begin != 0 && end > begin && index < (end - begin) / 4) {
    try {
      return static_cast<std::uint32_t>(host::hostGraphicsModuleCall(object, const_cast<void*>(record)));
    } catch (...) {
    }
  }
  return index;
}

void QZR_THISCALL renderStateGuardHook(void* object, std::uint32_t argument) noexcept {
  void* renderer = host::HostRenderer::instance();
  void* device = renderer == nullptr ? nullptr : host::HostRenderer::device(renderer);
  if (device == nullptr) return;
  using ValueCall = long(QZR_STDCALL*)(void*, std::uint32_t, float*, std::uint32_t);
  alignas(16) float saved[2][4] = {};
  constexpr std::size_t kGetSlot = 95, kSetSlot = 94;
  try {
    for (std::uint32_t i = 0; i < 2; ++i) host::tableEntry<ValueCall>(device, kGetSlot * 4)(device, 40 + i, saved[i], 1);
    host::SpindleTrackRoutines::drawWithRenderState(object, argument);
    for (std::uint32_t i = 0; i < 2; ++i) host::tableEntry<ValueCall>(device, kSetSlot * 4)(device, 40 + i, saved[i], 1);
  } catch (...) {
  }
}

}  // namespace kvl::tracks
