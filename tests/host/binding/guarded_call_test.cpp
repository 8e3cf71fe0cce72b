#include <windows.h>

#include <cstdint>

#include <gtest/gtest.h>

#include "plugin/host/binding/guarded_call.h"
#if defined(__i386__)
#include "tests/support/host_frame_handler.h"
#endif

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

namespace {

void raiseHostException(void*) noexcept { RaiseException(kHostCxxExceptionCode, EXCEPTION_NONCONTINUABLE, 0, nullptr); }
void touchNoAccess(void* page) noexcept { (void)*static_cast<volatile int*>(page); }

}  // namespace

// A guard catches what it asks for; the rest goes on to the guard further out.
TEST(GuardedCall, EachGuardCatchesOnlyItsKinds) {
  Pages noAccess(PAGE_NOACCESS);
  struct Case {
    const char* name;
    GuardCatch inner;
    void (*fn)(void*) noexcept;
    std::uint32_t innerCode, outerCode;  // 0: that guard did not stop
  } cases[] = {
      {"host exception, host exceptions", GuardCatch::hostExceptions, &raiseHostException, kHostCxxExceptionCode, 0},
      {"fault, host exceptions", GuardCatch::hostExceptions, &touchNoAccess, 0, 0xC0000005u},
      {"fault, memory faults", GuardCatch::memoryFaults, &touchNoAccess, 0xC0000005u, 0},
      {"host exception, memory faults", GuardCatch::memoryFaults, &raiseHostException, 0, kHostCxxExceptionCode},
  };
  for (const auto& c : cases) {
    struct Context {
      const Case* c;
      void* page;
      GuardOutcome inner;
    } context{&c, noAccess.base, {}};
    const GuardOutcome outer = guardedCall(
        [](void* p) noexcept {
          auto* x = static_cast<Context*>(p);
          x->inner = guardedCall(x->c->fn, x->page, x->c->inner);
        },
        &context, GuardCatch::memoryFaultsAndHostExceptions);
    EXPECT_EQ(context.inner.exceptionCode, c.innerCode) << c.name;
    EXPECT_EQ(outer.exceptionCode, c.outerCode) << c.name;
    EXPECT_EQ(outer.completed, c.outerCode == 0) << c.name;
  }
}

#if defined(__i386__)
// Host frames come first: host code inside the call takes its own exception, host code outside
// takes a fault the guard lets pass, and a caught exception leaves no registration of the frames
// it ended on the thread's chain.
TEST(GuardedCall, HostFramesTakeTheirOwnFirst) {
  using kvl::testing::runUnderHostHandler;
  auto* chain = kvl::testing::handlerChainHead();
  std::uint32_t innerCaught = 0;
  GuardOutcome outcome = guardedCall(
      [](void* p) noexcept {
        *static_cast<std::uint32_t*>(p) = runUnderHostHandler(&raiseHostException, nullptr, kHostCxxExceptionCode);
      },
      &innerCaught, GuardCatch::hostExceptions);
  EXPECT_TRUE(outcome.completed);
  EXPECT_EQ(innerCaught, kHostCxxExceptionCode);

  // A host frame that takes other exceptions only is left by the caught one.
  outcome = guardedCall([](void*) noexcept { runUnderHostHandler(&raiseHostException, nullptr, 0xE0000001u); },
                        nullptr, GuardCatch::hostExceptions);
  EXPECT_EQ(outcome.exceptionCode, kHostCxxExceptionCode);
  EXPECT_EQ(kvl::testing::handlerChainHead(), chain);

  Pages noAccess(PAGE_NOACCESS);
  const std::uint32_t hostCaught = runUnderHostHandler(
      [](void* page) { guardedCall(&touchNoAccess, page, GuardCatch::hostExceptions); }, noAccess.base, 0xC0000005u);
  EXPECT_EQ(hostCaught, 0xC0000005u);
  EXPECT_EQ(kvl::testing::handlerChainHead(), chain);
  // The guard the host's unwind ended is gone: the next one catches as before.
  EXPECT_EQ(guardedCall(&touchNoAccess, noAccess.base).exceptionCode, 0xC0000005u);
}
#endif
