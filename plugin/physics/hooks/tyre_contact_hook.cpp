#include "plugin/physics/hooks/tyre_contact_hook.h"

#include "plugin/host/binding/call_through.h"
#include "plugin/physics/models/tyre_model.h"

namespace kvl::physics {

using Word = std::uint32_t;

Word QZR_THISCALL clampContactHook(void* tyre, Word a1, Word a2, Word a3, Word a4, Word a5, Word a6, Word a7, Word a8,
                                   Word a9, Word a10, Word a11, Word a12, Word a13, Word a14, float* a15, Word a16,
                                   float* a17) noexcept {
  using HostContact = Word(QZR_THISCALL*)(void*, Word, Word, Word, Word, Word, Word, Word, Word, Word, Word, Word, Word,
                                          Word, Word, float*, Word, float*);
  Word result = 0;
  try {
    result = host::hostFunction<0x5320C0, HostContact>()(tyre, a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13,
                                                          a14, a15, a16, a17);
  } catch (...) {
  }
  if (a15 != nullptr) *a15 = clampedContact(*a15);
  if (a17 != nullptr) *a17 = 1.0f;
  return result;
}

}  // namespace kvl::physics
