#pragma once
// A cleanup that runs when an exception of the host passes through a call and host code further
// out unwinds the stack past it, as a destructor in the host's own code would run. A C++ catch
// never sees the host's exceptions, so a step the plugin must undo around a host call that may
// throw goes here.
namespace kvl::host {

// Runs fn(context). Should the call end in an unwind, cleanup(context) runs during it, before the
// host's handler resumes; when fn returns, cleanup does not run (the caller undoes its step
// itself). Elsewhere than in the 32-bit build fn runs alone.
void callWithUnwindCleanup(void (*fn)(void*) noexcept, void (*cleanup)(void*) noexcept, void* context) noexcept;

}  // namespace kvl::host
