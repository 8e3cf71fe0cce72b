#pragma once
// Exception objects laid out like the host runtime's exception classes, their texts on the host
// runtime's heap, with the type information the host runtime needs to catch them.
#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"
#include "plugin/host/binding/host_string.h"

namespace kvl::host::vc7 {

struct exception;

struct ExceptionTable {
  void*(QZR_THISCALL* destroy)(exception* self, std::uint32_t flags) noexcept;
  const char*(QZR_THISCALL* what)(const exception* self) noexcept;
};

struct exception {
  const ExceptionTable* table;
  const char* message = nullptr;
  std::uint32_t ownsMessage = 0;

  exception() noexcept;
  exception(const exception& other) noexcept;
  exception& operator=(const exception&) = delete;
  ~exception();
  const char* what() const noexcept { return table->what(this); }
};
QZR_HOST_LAYOUT_ASSERT(sizeof(exception) == 12, "host runtime exception is 12 bytes");

struct logic_error : exception {
  HostString text;

  // Throws std::bad_alloc when the text needs a block the host runtime cannot give.
  explicit logic_error(const char* message);
  logic_error(const logic_error& other) noexcept;
  ~logic_error();
};
QZR_HOST_LAYOUT_ASSERT(sizeof(logic_error) == 40, "host runtime logic_error is 40 bytes");

struct out_of_range : logic_error {
  explicit out_of_range(const char* message);
  out_of_range(const out_of_range& other) noexcept;
};
QZR_HOST_LAYOUT_ASSERT(sizeof(out_of_range) == 40, "host runtime out_of_range is 40 bytes");

// The host runtime's description of a thrown object: which types catch it and how to copy it.
struct TypeDescriptor {
  const void* typeInfoTable;
  void* spare;
  char name[28];
};

struct CatchableType {
  std::uint32_t properties;
  const TypeDescriptor* type;
  std::int32_t memberDisplacement;
  std::int32_t vbaseTableDisplacement;
  std::int32_t vbaseDisplacement;
  std::int32_t size;
  const void* copyFunction;
};

struct CatchableTypeArray {
  std::int32_t count;
  const CatchableType* types[3];
};

struct ThrowInfo {
  std::uint32_t attributes;
  const void* unwind;  // the thrown object's destructor
  const void* forwardCompat;
  const CatchableTypeArray* catchableTypes;
};

// A thrown out_of_range is caught as out_of_range, logic_error or exception.
const ThrowInfo& outOfRangeThrowInfo() noexcept;

// Raises an out_of_range with the text the way the host runtime throws (exception 0xE06D7363
// with the object and outOfRangeThrowInfo), so host code catches it as its own. Without a block
// from the host runtime for a long text the object is raised with an empty text.
[[noreturn]] void raiseOutOfRange(const char* text) noexcept;

}  // namespace kvl::host::vc7
