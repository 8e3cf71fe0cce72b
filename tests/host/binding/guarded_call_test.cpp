#include <windows.h>

#include <cstdint>

#include <gtest/gtest.h>

#include "plugin/host/binding/guarded_call.h"

using namespace kvl::host;

namespace {

struct Pages {
  unsigned char* base;
  explicit Pages(DWORD protect, DWORD type = MEM_RESERVE | MEM_COMMIT)
      : base(static_cast<unsigned char*>(VirtualAlloc(nullptr, 4096, type, protect))) {}
  ~Pages() { VirtualFree(base, 0, MEM_RELEASE); }
};

}  // namespace

TEST(GuardedCall, FaultsStopTheFunctionAndNotTheProcess) {
  Pages noAccess(PAGE_NOACCESS);
  Pages reserved(PAGE_NOACCESS, MEM_RESERVE);
  Pages readOnly(PAGE_READONLY);
  struct Case {
    const char* name;
    unsigned char* address;
    bool write;
    bool completes;
  } cases[] = {
      {"read of a no-access page", noAccess.base, false, false},
      {"read of reserved memory", reserved.base + 100, false, false},
      {"write to a read-only page", readOnly.base, true, false},
      {"read of a read-only page", readOnly.base + 8, false, true},
  };
  for (const auto& c : cases) {
    int after = 0;
    const bool done = runGuarded([&] {
      if (c.write) {
        *reinterpret_cast<volatile unsigned char*>(c.address) = 1;
      } else {
        (void)*reinterpret_cast<volatile unsigned char*>(c.address);
      }
      after = 1;
    });
    EXPECT_EQ(done, c.completes) << c.name;
    EXPECT_EQ(after, c.completes ? 1 : 0) << c.name;
  }
}

TEST(GuardedCall, ReportsTheExceptionCode) {
  Pages noAccess(PAGE_NOACCESS);
  auto fn = [](void* p) noexcept { (void)*static_cast<volatile int*>(p); };
  GuardOutcome outcome = guardedCall(fn, noAccess.base);
  EXPECT_FALSE(outcome.completed);
  EXPECT_EQ(outcome.exceptionCode, 0xC0000005u);
  int value = 5;
  outcome = guardedCall(fn, &value);
  EXPECT_TRUE(outcome.completed);
  EXPECT_EQ(outcome.exceptionCode, 0u);
}

TEST(GuardedCall, HostExceptionsOnlyWhenAsked) {
  auto raiseHost = [](void*) noexcept { RaiseException(kHostCxxExceptionCode, 0, 0, nullptr); };
  GuardOutcome outer{};
  GuardOutcome inner{};
  struct Context {
    void (*raise)(void*) noexcept;
    GuardOutcome* inner;
  } context{raiseHost, &inner};
  // The inner guard catches memory faults only: the host exception passes it and the outer one,
  // which asked for host exceptions, catches it.
  outer = guardedCall(
      [](void* p) noexcept {
        auto* c = static_cast<Context*>(p);
        *c->inner = guardedCall(c->raise, nullptr, GuardCatch::memoryFaults);
      },
      &context, GuardCatch::memoryFaultsAndHostExceptions);
  EXPECT_FALSE(outer.completed);
  EXPECT_EQ(outer.exceptionCode, kHostCxxExceptionCode);
  EXPECT_FALSE(inner.completed);
  EXPECT_EQ(inner.exceptionCode, 0u) << "the inner guard never returned";
}

TEST(GuardedCall, NestedGuardsCatchInnermostFirst) {
  Pages noAccess(PAGE_NOACCESS);
  int stage = 0;
  const bool outerDone = runGuarded([&] {
    const bool innerDone = runGuarded([&] { (void)*reinterpret_cast<volatile int*>(noAccess.base); });
    stage = innerDone ? 1 : 2;
  });
  EXPECT_TRUE(outerDone);
  EXPECT_EQ(stage, 2);
  // After the guards are gone, guarded helpers still work.
  std::uint8_t byte = 7;
  EXPECT_FALSE(guardedReadByte(noAccess.base, byte));
  EXPECT_EQ(byte, 7);
  unsigned char src[3] = {1, 2, 3}, dst[3] = {};
  EXPECT_TRUE(guardedCopy(dst, src, 3));
  EXPECT_TRUE(guardedEqual(dst, src, 3));
  EXPECT_FALSE(guardedEqual(noAccess.base, src, 3));
}
