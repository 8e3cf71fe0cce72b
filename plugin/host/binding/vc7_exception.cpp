#include "plugin/host/binding/vc7_exception.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <new>

#include "plugin/host/binding/guarded_call.h"
#include "plugin/host/binding/host_allocators.h"

namespace kvl::host::vc7 {
namespace {

const char* QZR_THISCALL exceptionWhat(const exception* self) noexcept {
  return self->message != nullptr ? self->message : "unknown vc7 exception";
}

const char* QZR_THISCALL logicErrorWhat(const exception* self) noexcept {
  return static_cast<const logic_error*>(self)->text.c_str();
}

void* QZR_THISCALL exceptionDestroy(exception* self, std::uint32_t flags) noexcept {
  self->~exception();
  if ((flags & 1u) != 0) ::operator delete(self);
  return self;
}

void* QZR_THISCALL logicErrorDestroy(exception* self, std::uint32_t flags) noexcept {
  auto* object = static_cast<logic_error*>(self);
  object->~logic_error();
  if ((flags & 1u) != 0) ::operator delete(object);
  return self;
}

const ExceptionTable kExceptionTable = {exceptionDestroy, exceptionWhat};
const ExceptionTable kLogicErrorTable = {logicErrorDestroy, logicErrorWhat};
const ExceptionTable kOutOfRangeTable = {logicErrorDestroy, logicErrorWhat};

}  // namespace

exception::exception() noexcept : table(&kExceptionTable) {}

exception::exception(const exception& other) noexcept : table(&kExceptionTable), ownsMessage(1) {
  if (&other == this) return;
  const char* text = other.what();
  if (text == nullptr) return;
  const std::size_t length = std::strlen(text);
  auto* block = static_cast<char*>(vc7Malloc(length + 1));
  if (block == nullptr) return;  // no host heap: the copy has no message
  std::memcpy(block, text, length + 1);
  message = block;
  ownsMessage = 1;
}

exception::~exception() {
  if (message != nullptr && ownsMessage != 0) vc7OperatorDelete(const_cast<char*>(message));
  message = nullptr;
  ownsMessage = 0;
}

logic_error::logic_error(const char* message) : exception(), text(message) {
  table = &kLogicErrorTable;
}

logic_error::logic_error(const logic_error& other) noexcept : exception(other), text() {
  (void)text.assign(other.text.data(), other.text.size());  // empty when the heap is missing
  table = &kLogicErrorTable;
}

logic_error::~logic_error() = default;

out_of_range::out_of_range(const char* message) : logic_error(message) { table = &kOutOfRangeTable; }

out_of_range::out_of_range(const out_of_range& other) noexcept : logic_error(other) {
  table = &kOutOfRangeTable;
}

namespace {

// Copy functions and the destructor as the host runtime calls them (object as `this`).
void QZR_THISCALL copyException(exception* self, const exception* other) noexcept {
  new (self) exception(*other);
}
void QZR_THISCALL copyLogicError(logic_error* self, const logic_error* other) noexcept {
  new (self) logic_error(*other);
}
void QZR_THISCALL copyOutOfRange(out_of_range* self, const out_of_range* other) noexcept {
  new (self) out_of_range(*other);
}
void QZR_THISCALL destroyOutOfRange(out_of_range* self) noexcept { self->~out_of_range(); }

const TypeDescriptor kExceptionType = {nullptr, nullptr, ".?AVexception@std@@"};
const TypeDescriptor kLogicErrorType = {nullptr, nullptr, ".?AVlogic_error@std@@"};
const TypeDescriptor kOutOfRangeType = {nullptr, nullptr, ".?AVout_of_range@std@@"};

const CatchableType kCatchOutOfRange = {0, &kOutOfRangeType, 0, -1, 0, 40,
                                        reinterpret_cast<const void*>(&copyOutOfRange)};
const CatchableType kCatchLogicError = {0, &kLogicErrorType, 0, -1, 0, 40,
                                        reinterpret_cast<const void*>(&copyLogicError)};
const CatchableType kCatchException = {0, &kExceptionType, 0, -1, 0, 12,
                                       reinterpret_cast<const void*>(&copyException)};
const CatchableTypeArray kOutOfRangeCatchables = {3, {&kCatchOutOfRange, &kCatchLogicError, &kCatchException}};
const ThrowInfo kOutOfRangeThrowInfo = {0, reinterpret_cast<const void*>(&destroyOutOfRange), nullptr,
                                        &kOutOfRangeCatchables};

}  // namespace

const ThrowInfo& outOfRangeThrowInfo() noexcept { return kOutOfRangeThrowInfo; }

void raiseOutOfRange(const char* text) noexcept {
  // The object stays in this frame while the host's handlers run; the catching runtime copies it
  // and destroys it through the throw information's destructor. Built empty first, so that a
  // missing host heap cannot throw here.
  out_of_range error("");
  (void)error.text.assign(text);
  constexpr ULONG_PTR kMagic = 0x19930520;  // the host runtime's exception-record version
  const ULONG_PTR arguments[3] = {kMagic, reinterpret_cast<ULONG_PTR>(&error),
                                  reinterpret_cast<ULONG_PTR>(&kOutOfRangeThrowInfo)};
  RaiseException(kHostCxxExceptionCode, EXCEPTION_NONCONTINUABLE, 3, arguments);
  std::abort();  // a non-continuable exception never comes back
}

}  // namespace kvl::host::vc7
