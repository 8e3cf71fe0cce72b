#include "plugin/hooks/sound_null_guards.h"

namespace kvl::hooks {

const std::vector<NullGuard>& soundNullGuards() {
  constexpr GuardRegister eax = GuardRegister::eax;
  constexpr GuardRegister ecx = GuardRegister::ecx;
  // site, replaced length, tested register, skip address, stub address, jump forms. The stubs
  // fill 0x4AB4C0-0x4AB522 and 0x4AD5F0-0x4ADA64 around two stretches of host code.
  static const std::vector<NullGuard> guards = {
      {0x4AB1EE, 7, eax, 0x4AB2FB, 0x4AB4C0, kGuardNear},
      {0x4AB35F, 6, eax, 0x4AB44A, 0x4AB4D4, kGuardCopyFirst},
      {0x4ACECC, 9, eax, 0x4AD081, 0x4AB4E7, kGuardNear},
      {0x4AD10D, 6, eax, 0x4AD1A7, 0x4AB4FD, kGuardNear},
      {0x4AD1FE, 6, eax, 0x4AD298, 0x4AB510, kGuardNear},
      {0x4AD2EC, 6, eax, 0x4AD38C, 0x4AD5F0, kGuardNear},
      {0x4AD532, 7, eax, 0x4AD5D1, 0x4AD603, kGuardShortSkip},
      {0x4AD5A4, 2, eax, 0x4AD5D1, 0x4AD613, kGuardShortEntry | kGuardShortSkip | kGuardShortBack},
      {0x4AF1D1, 6, eax, 0x4AF274, 0x4AD61B, kGuardNear},
      {0x4AF315, 6, eax, 0x4AF3DB, 0x4AD62E, kGuardNear},
      {0x4AF449, 6, eax, 0x4AF4EC, 0x4AD641, kGuardNear},
      {0x4B1F2C, 6, eax, 0x4B2347, 0x4ADA3F, kGuardNear},
      {0x4B1F6D, 7, eax, 0x4B2347, 0x4AD7E7, kGuardNear},
      {0x4B1F8F, 6, eax, 0x4B2347, 0x4AD7FB, kGuardNear},
      {0x4B2059, 7, eax, 0x4B2347, 0x4AD80E, kGuardNear},
      {0x4B207B, 6, eax, 0x4B2347, 0x4AD822, kGuardNear},
      {0x4B2C7E, 10, eax, 0x4B2D00, 0x4AD654, kGuardNear},
      {0x4B2D5C, 10, eax, 0x4B2DE0, 0x4AD66B, kGuardNear},
      {0x4B2E3C, 10, eax, 0x4B2EC0, 0x4AD682, kGuardNear},
      {0x4B2F68, 10, eax, 0x4B2FF6, 0x4AD699, kGuardNear},
      {0x4B3052, 7, eax, 0x4B308B, 0x4AD6B0, kGuardNear},
      {0x4B4A73, 6, eax, 0x4B4AE2, 0x4AD9E2, kGuardNear},
      {0x4B4DDB, 6, eax, 0x4B4E49, 0x4AD9F5, kGuardNear},
      {0x4B4E06, 6, eax, 0x4B4E49, 0x4ADA08, kGuardNear},
      {0x4B51B6, 5, eax, 0x4B51E5, 0x4ADA1B, kGuardNear},
      {0x4B51D3, 5, eax, 0x4B51E5, 0x4ADA2D, kGuardNear},
      {0x4BA719, 7, ecx, 0x4BA77F, 0x4AD6C4, kGuardNear},
      {0x4BA766, 6, ecx, 0x4BA77F, 0x4AD6D8, kGuardNear},
      {0x4CF240, 5, eax, 0x4CF2ED, 0x4AD835, kGuardNear},
      {0x4D0614, 6, eax, 0x4D069F, 0x4AD847, kGuardNear},
      {0x4D1D2C, 6, eax, 0x4D1EE0, 0x4AD85A, kGuardNear},
      {0x4D1D4D, 6, eax, 0x4D1EE0, 0x4AD86D, kGuardNear},
      {0x4D1D6E, 6, eax, 0x4D1EE0, 0x4AD880, kGuardNear},
      {0x4D2FFF, 6, eax, 0x4D3031, 0x4AD893, kGuardNear},
      {0x4D3280, 6, eax, 0x4D330C, 0x4AD920, kGuardNear},
      {0x4D33D9, 7, eax, 0x4D3486, 0x4AD933, kGuardNear},
      {0x4D34DB, 8, eax, 0x4D3503, 0x4AD6EB, kGuardNear},
      {0x4D354B, 8, eax, 0x4D3579, 0x4AD700, kGuardNear},
      {0x4D3C08, 5, eax, 0x4D3C96, 0x4AD947, kGuardNear},
      {0x4D3CD6, 6, eax, 0x4D3D63, 0x4AD715, kGuardNear},
      {0x4D58C6, 7, eax, 0x4D58DD, 0x4AD728, kGuardNear},
      {0x4D5A74, 7, eax, 0x4D5A8B, 0x4AD73C, kGuardNear},
      {0x4D5C24, 6, eax, 0x4D5CF7, 0x4AD750, kGuardNear},
      {0x4D69EF, 5, eax, 0x4D6C93, 0x4AD959, kGuardNear},
      {0x4D6A36, 5, eax, 0x4D6C93, 0x4AD96B, kGuardNear},
      {0x4D6AA3, 6, eax, 0x4D6C93, 0x4AD763, kGuardNear},
      {0x4D6B08, 6, eax, 0x4D6C93, 0x4AD776, kGuardNear},
      {0x4D6CFD, 7, eax, 0x4D7009, 0x4AD97D, kGuardNear},
      {0x4D6DA8, 5, eax, 0x4D7009, 0x4AD991, kGuardNear},
      {0x4D6DE5, 5, eax, 0x4D7009, 0x4AD9D0, kGuardNear},
      {0x4D6E4A, 5, eax, 0x4D7009, 0x4AD789, kGuardNear},
      {0x4D6E8D, 5, eax, 0x4D7009, 0x4AD79B, kGuardNear},
      {0x4D745F, 7, eax, 0x4D757A, 0x4AD7AD, kGuardNear},
      {0x4D767B, 6, eax, 0x4D76F1, 0x4AD7C1, kGuardNear},
      {0x4D772F, 6, eax, 0x4D77B5, 0x4AD7D4, kGuardNear},
      {0x4D77EF, 6, eax, 0x4D786D, 0x4ADA52, kGuardNear},
  };
  return guards;
}

}  // namespace kvl::hooks
