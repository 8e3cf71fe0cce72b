#pragma once
// Four of the host's tyre heat terms, taken over at their call sites. The host calls them with
// the tyre object in ESI and float arguments on the stack, removed by the caller; the result in
// ST(0). The thunks (in tyre_heat_term_thunks.S) pass ESI on as the first argument.
#include "plugin/host/binding/abi.h"

namespace kvl::physics {

// Site 0x534531: -(a x b) over one eighth of the tread band's surface.
extern "C" float QZR_CDECL qzrTyreBandTerm(void* tyre, float a, float b) noexcept;
// Site 0x5344EB: the exchange over one eighth of the tread band's surface.
extern "C" float QZR_CDECL qzrTyreBandExchange(void* tyre, float a, float b, float k) noexcept;
// Site 0x534639: the sidewall's exchange with the air stream of the car's and the wheel's speed.
extern "C" float QZR_CDECL qzrTyreSidewallExchange(void* tyre, float a, float b, float k0) noexcept;
// Site 0x534613: the exchange over the inner surfaces (no ambient correction).
extern "C" float QZR_CDECL qzrTyreInnerExchange(void* tyre, float a, float b, float k) noexcept;

#if QZR_HOST_ABI
extern "C" void tyreBandTermHook();
extern "C" void tyreBandExchangeHook();
extern "C" void tyreSidewallExchangeHook();
extern "C" void tyreInnerExchangeHook();
#endif

}  // namespace kvl::physics
