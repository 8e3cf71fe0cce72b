#include "plugin/host/binding/host_allocators.h"

#include <windows.h>

#include "plugin/host/binding/abi.h"
#include "plugin/host/binding/call_through.h"

namespace kvl::host {
namespace {

constexpr const char* kRuntimeName = "msvcr71.dll";

// One host-runtime entry point: its own module handle and its own function pointer.
class RuntimeEntry {
 public:
  explicit RuntimeEntry(const char* name) : name_(name), module_(GetModuleHandleA(kRuntimeName)) {}

  FARPROC get() noexcept {
    if (module_ == nullptr) module_ = LoadLibraryExA(kRuntimeName, nullptr, 0);
    if (!looked_) {
      // Looked up once, whatever the result: a missing entry stays missing.
      looked_ = true;
      function_ = module_ != nullptr ? GetProcAddress(module_, name_) : nullptr;
    }
    return function_;
  }

 private:
  const char* name_;
  HMODULE module_;
  bool looked_ = false;
  FARPROC function_ = nullptr;
};

RuntimeEntry& mallocEntry() {
  static RuntimeEntry entry("malloc");
  return entry;
}

RuntimeEntry& deleteEntry() {
  static RuntimeEntry entry("??3@YAXPAX@Z");
  return entry;
}

}  // namespace

void* vc7Malloc(std::size_t bytes) noexcept {
  using Malloc = void*(QZR_CDECL*)(std::size_t);
  FARPROC f = mallocEntry().get();
  if (f == nullptr) return nullptr;
  return reinterpret_cast<Malloc>(reinterpret_cast<void*>(f))(bytes);
}

void vc7OperatorDelete(void* block) noexcept {
  using Delete = void(QZR_CDECL*)(void*);
  FARPROC f = deleteEntry().get();
  if (f == nullptr) return;
  reinterpret_cast<Delete>(reinterpret_cast<void*>(f))(block);
}

void* hostRuntimeMalloc(std::uint32_t bytes) {
  return hostFunction<0x70BEC2, void*(QZR_CDECL*)(std::uint32_t)>()(bytes);
}

void hostRuntimeFree(void* block) { hostFunction<0x70C260, void(QZR_CDECL*)(void*)>()(block); }

void* hostNew(std::uint32_t bytes) {
  return hostFunction<0x581580, void*(QZR_CDECL*)(std::uint32_t)>()(bytes);
}

void hostDelete(void* block) noexcept { hostFunction<0x581670, void(QZR_CDECL*)(void*)>()(block); }

void* hostRuntimeAlloc(std::uint32_t bytes) { return hostRuntimeMalloc(bytes); }
void* hostRuntimeAllocRecord(std::uint32_t bytes) { return hostRuntimeMalloc(bytes); }
void hostRuntimeRelease(void* block) noexcept { hostRuntimeFree(block); }
void hostRuntimeReleaseRecord(void* block) noexcept { hostRuntimeFree(block); }

}  // namespace kvl::host
