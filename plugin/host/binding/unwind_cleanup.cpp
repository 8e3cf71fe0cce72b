#include "plugin/host/binding/unwind_cleanup.h"

#include "plugin/host/binding/handler_chain.h"

namespace kvl::host {

#if defined(__i386__)
namespace {

struct CleanupRecord {
  ChainRecord record;  // first: the handler finds the cleanup from its record's address
  void (*cleanup)(void*) noexcept;
  void* context;
};

EXCEPTION_DISPOSITION __cdecl cleanupHandler(EXCEPTION_RECORD* exception, void* establisher, CONTEXT*, void*) {
  if (isUnwinding(exception)) {
    auto* entry = static_cast<CleanupRecord*>(establisher);
    entry->cleanup(entry->context);
  }
  return ExceptionContinueSearch;
}

}  // namespace

__attribute__((noinline)) void callWithUnwindCleanup(void (*fn)(void*) noexcept, void (*cleanup)(void*) noexcept,
                                                     void* context) noexcept {
  volatile CleanupRecord entry{};
  auto* self = const_cast<CleanupRecord*>(&entry);
  self->cleanup = cleanup;
  self->context = context;
  self->record.next = handlerChain();
  self->record.handler = reinterpret_cast<void*>(&cleanupHandler);
  setHandlerChain(&self->record);
  fn(context);
  setHandlerChain(self->record.next);
}

#else

void callWithUnwindCleanup(void (*fn)(void*) noexcept, void (*)(void*) noexcept, void* context) noexcept { fn(context); }

#endif

}  // namespace kvl::host
