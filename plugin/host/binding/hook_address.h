#pragma once
// Entry addresses of plugin functions, as the values that patches write into host code.
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace kvl::host {

using HookWord = std::uintptr_t;

namespace detail {
template <typename F>
HookWord entryOf(F function) noexcept {
  static_assert(std::is_pointer_v<F> || std::is_member_function_pointer_v<F>,
                "a hook is a function or a member function");
  // A plain function pointer, or the address word of a non-virtual member function pointer.
  HookWord word = 0;
  std::memcpy(&word, &function, sizeof word);
  return word;
}
}  // namespace detail

// Stores the function's entry address into out and returns out's address.
template <typename F>
HookWord* toHookAddress(HookWord& out, F function) noexcept {
  out = detail::entryOf(function);
  return &out;
}

// The entry address itself.
template <typename F>
HookWord hookAddress(F function) noexcept {
  return detail::entryOf(function);
}

// A function with one fixed 32-bit argument, as a host table entry that expects one takes it.
struct BoundHook {
  HookWord function;
  std::uint32_t value;
};

template <typename F>
BoundHook& makeBoundHook(BoundHook& out, F function, std::uint32_t value) noexcept {
  out.function = detail::entryOf(function);
  out.value = value;
  return out;
}

}  // namespace kvl::host
