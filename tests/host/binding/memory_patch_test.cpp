#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "plugin/host/binding/memory_patch.h"

using namespace kvl::host;

namespace {

// A committed page that records writes, so that a test can tell whether a patch wrote at all.
struct WatchedPage {
  unsigned char* base = static_cast<unsigned char*>(
      VirtualAlloc(nullptr, 4096, MEM_RESERVE | MEM_COMMIT | MEM_WRITE_WATCH, PAGE_READWRITE));
  ~WatchedPage() { VirtualFree(base, 0, MEM_RELEASE); }
  void resetWatch() { ResetWriteWatch(base, 4096); }
  bool written() {
    void* pages[1];
    ULONG_PTR count = 1;
    DWORD granularity = 0;
    if (GetWriteWatch(0, base, 4096, pages, &count, &granularity) != 0) return true;
    return count != 0;
  }
};

// A page that cannot be made writable: a view of a read-only mapping.
struct ReadOnlyView {
  HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, nullptr);
  unsigned char* writable = nullptr;
  unsigned char* view = nullptr;
  ReadOnlyView() {
    writable = static_cast<unsigned char*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 4096));
    view = static_cast<unsigned char*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 4096));
  }
  ~ReadOnlyView() {
    UnmapViewOfFile(view);
    UnmapViewOfFile(writable);
    CloseHandle(mapping);
  }
};

const unsigned char kNew[] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77};
const unsigned char kOld[] = {0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8};

}  // namespace

TEST(MemoryPatch, ApplyVerifyRevertByLength) {
  // Lengths around the four-byte compare steps.
  for (std::int32_t length : {1, 3, 4, 5, 7}) {
    WatchedPage page;
    unsigned char* site = page.base + 100;
    std::memcpy(site, kOld, sizeof kOld);
    MemoryPatch patch(site, kNew, length);
    EXPECT_EQ(std::memcmp(site, kOld, sizeof kOld), 0) << "construction writes nothing";
    ASSERT_NE(patch.savedBytes(), nullptr);
    EXPECT_EQ(std::memcmp(patch.savedBytes(), kOld, length), 0);
    EXPECT_FALSE(patch.isApplied());
    EXPECT_TRUE(patch.apply()) << length;
    EXPECT_TRUE(patch.isApplied());
    EXPECT_EQ(std::memcmp(site, kNew, length), 0);
    EXPECT_EQ(site[length], kOld[length]) << "nothing past the patch";
    EXPECT_TRUE(patch.revert());
    EXPECT_FALSE(patch.isApplied());
    EXPECT_EQ(std::memcmp(site, kOld, sizeof kOld), 0);
  }
}

TEST(MemoryPatch, ApplyingTwiceWritesOnce) {
  WatchedPage page;
  std::memcpy(page.base, kOld, 4);
  MemoryPatch patch(page.base, kNew, 4);
  ASSERT_TRUE(patch.apply());
  page.resetWatch();
  EXPECT_TRUE(patch.apply());
  EXPECT_FALSE(page.written());
}

TEST(MemoryPatch, TargetAlreadyHoldingTheNewBytes) {
  WatchedPage page;
  std::memcpy(page.base, kNew, 4);
  MemoryPatch patch(page.base, kNew, 4);
  page.resetWatch();
  EXPECT_TRUE(patch.apply());
  EXPECT_FALSE(page.written());
  EXPECT_EQ(std::memcmp(patch.savedBytes(), kNew, 4), 0);
}

TEST(MemoryPatch, ZeroLengthReadsAsAppliedAndRevertsToFalse) {
  WatchedPage page;
  MemoryPatch patch(page.base, kNew, 0);
  EXPECT_TRUE(patch.isApplied());
  EXPECT_TRUE(patch.apply());
  EXPECT_FALSE(patch.revert());
}

TEST(MemoryPatch, RevertOfAnUnappliedPatchWritesNothing) {
  WatchedPage page;
  std::memcpy(page.base, kOld, 4);
  MemoryPatch patch(page.base, kNew, 4);
  page.base[0] = 0x99;  // neither the new nor the saved bytes
  page.resetWatch();
  EXPECT_TRUE(patch.revert());
  EXPECT_FALSE(page.written());
  EXPECT_EQ(page.base[0], 0x99);
}

TEST(MemoryPatch, UnwritablePageIsNotApplied) {
  ReadOnlyView mapping;
  ASSERT_NE(mapping.view, nullptr);
  std::memcpy(mapping.writable, kOld, 4);
  MemoryPatch patch(mapping.view, kNew, 4);
  ASSERT_NE(patch.savedBytes(), nullptr);
  EXPECT_FALSE(patch.apply());
  EXPECT_FALSE(patch.isApplied());
  EXPECT_EQ(std::memcmp(mapping.view, kOld, 4), 0) << "the bytes stay as they were";
  DWORD protect = 0;
  MEMORY_BASIC_INFORMATION info{};
  ASSERT_NE(VirtualQuery(mapping.view, &info, sizeof info), 0u);
  protect = info.Protect;
  EXPECT_EQ(protect, static_cast<DWORD>(PAGE_READONLY)) << "protection restored";
}

TEST(MemoryPatch, FaultingPageIsNotApplied) {
  // Reserved, never committed: every access faults and no protection change succeeds.
  auto* reserved = static_cast<unsigned char*>(VirtualAlloc(nullptr, 65536, MEM_RESERVE, PAGE_NOACCESS));
  ASSERT_NE(reserved, nullptr);
  {
    MemoryPatch patch(reserved + 16, kNew, 4);
    EXPECT_EQ(patch.savedBytes(), nullptr) << "nothing could be saved";
    EXPECT_FALSE(patch.isApplied());
    EXPECT_FALSE(patch.apply());
    EXPECT_TRUE(patch.revert()) << "not applied: nothing to revert";
  }
  VirtualFree(reserved, 0, MEM_RELEASE);
}

TEST(MemoryPatch, ReadFaultingPartWayKeepsWhatWasSaved) {
  // The last four bytes of a committed page, then reserved memory.
  auto* reserved = static_cast<unsigned char*>(VirtualAlloc(nullptr, 65536, MEM_RESERVE, PAGE_NOACCESS));
  auto* page = static_cast<unsigned char*>(VirtualAlloc(reserved, 4096, MEM_COMMIT, PAGE_READWRITE));
  ASSERT_EQ(page, reserved);
  unsigned char* site = page + 4092;
  std::memcpy(site, kOld, 4);
  {
    MemoryPatch patch(site, kNew, 7);
    ASSERT_NE(patch.savedBytes(), nullptr) << "the readable part is kept";
    EXPECT_EQ(std::memcmp(patch.savedBytes(), kOld, 4), 0);
    EXPECT_FALSE(patch.apply());
  }
  VirtualFree(reserved, 0, MEM_RELEASE);
}

TEST(MemoryPatch, NoAccessPageIsPatchedAndItsProtectionRestored) {
  auto* page = static_cast<unsigned char*>(VirtualAlloc(nullptr, 4096, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  std::memcpy(page, kOld, 4);
  DWORD old = 0;
  ASSERT_TRUE(VirtualProtect(page, 4096, PAGE_EXECUTE_READ, &old));
  MemoryPatch patch(page, kNew, 4);
  EXPECT_TRUE(patch.apply());
  MEMORY_BASIC_INFORMATION info{};
  VirtualQuery(page, &info, sizeof info);
  EXPECT_EQ(info.Protect, static_cast<DWORD>(PAGE_EXECUTE_READ));
  EXPECT_EQ(std::memcmp(page, kNew, 4), 0);
  VirtualFree(page, 0, MEM_RELEASE);
}

TEST(MemoryPatch, RedirectionNeedsACallOrJumpBeforeItsOperand) {
  struct Case {
    const char* name;
    unsigned char before[2];
    bool applies;
  } cases[] = {
      {"call", {0x90, 0xE8}, true},
      {"jump", {0x90, 0xE9}, true},
      {"conditional near jump", {0x0F, 0x85}, true},
      {"no-operation", {0x90, 0x90}, false},
      {"short jump", {0x90, 0xEB}, false},
      {"mov", {0x8B, 0x45}, false},
      {"0F without a jump", {0x0F, 0x1F}, false},
  };
  for (const auto& c : cases) {
    WatchedPage page;
    unsigned char* operand = page.base + 64;
    operand[-2] = c.before[0];
    operand[-1] = c.before[1];
    std::memcpy(operand, kOld, 4);
    auto patch = MemoryPatch::redirection(operand, page.base + 1000);
    EXPECT_EQ(patch->apply(), c.applies) << c.name;
    EXPECT_EQ(patch->isApplied(), c.applies) << c.name;
    if (c.applies) {
      std::uint32_t written = 0;
      std::memcpy(&written, operand, 4);
      EXPECT_EQ(written, 1000u - 64u - 4u) << c.name;
    } else {
      EXPECT_EQ(std::memcmp(operand, kOld, 4), 0) << c.name << ": host bytes untouched";
    }
  }
}

TEST(MemoryPatch, RedirectionAtTheStartOfAnUnreadableRangeIsNotApplied) {
  auto* reserved = static_cast<unsigned char*>(VirtualAlloc(nullptr, 65536, MEM_RESERVE, PAGE_NOACCESS));
  auto* page = static_cast<unsigned char*>(
      VirtualAlloc(reserved + 4096, 4096, MEM_COMMIT, PAGE_READWRITE));
  ASSERT_EQ(page, reserved + 4096);
  auto patch = MemoryPatch::redirection(page, page + 100);  // the opcode byte lies in reserved memory
  EXPECT_FALSE(patch->apply());
  VirtualFree(reserved, 0, MEM_RELEASE);
}

TEST(BranchDisplacement, IsTargetMinusOperandMinusFour) {
  auto* base = reinterpret_cast<unsigned char*>(0x400000);
  EXPECT_EQ(branchDisplacement(base + 0x1610E9, base + 0x1000), static_cast<std::uint32_t>(0x1000 - 0x1610E9 - 4));
  EXPECT_EQ(branchDisplacement(base, base + 4), 0u);
}

namespace {

int redirectedHook() { return 42; }
int originalTarget() { return 7; }

// Executable memory within reach of a 32-bit displacement from this module's code.
unsigned char* allocateNear(const void* code) {
  SYSTEM_INFO si;
  GetSystemInfo(&si);
  const auto granularity = static_cast<std::uintptr_t>(si.dwAllocationGranularity);
  const auto origin = reinterpret_cast<std::uintptr_t>(code) & ~(granularity - 1);
  for (std::uintptr_t distance = granularity * 16; distance < 0x70000000u; distance += granularity * 16) {
    for (std::uintptr_t candidate : {origin - distance, origin + distance}) {
      void* p = VirtualAlloc(reinterpret_cast<void*>(candidate), 4096, MEM_RESERVE | MEM_COMMIT,
                             PAGE_EXECUTE_READWRITE);
      if (p != nullptr) return static_cast<unsigned char*>(p);
    }
  }
  return nullptr;
}

}  // namespace

TEST(MemoryPatch, RedirectionTakesEffectWhenTheCallSiteRuns) {
  unsigned char* code = allocateNear(reinterpret_cast<const void*>(&redirectedHook));
  ASSERT_NE(code, nullptr);
  // A call-site fragment: CALL rel32 to the original target, then return its result.
#if defined(_WIN64)
  const unsigned char fragment[] = {0x48, 0x83, 0xEC, 0x28, 0xE8, 0, 0, 0, 0, 0x48, 0x83, 0xC4, 0x28, 0xC3};
  const std::size_t operandAt = 5;
#else
  const unsigned char fragment[] = {0xE8, 0, 0, 0, 0, 0xC3};
  const std::size_t operandAt = 1;
#endif
  std::memcpy(code, fragment, sizeof fragment);
  unsigned char* operand = code + operandAt;
  const std::uint32_t toOriginal = branchDisplacement(operand, reinterpret_cast<const void*>(&originalTarget));
  std::memcpy(operand, &toOriginal, 4);
  DWORD old = 0;
  VirtualProtect(code, 4096, PAGE_EXECUTE_READ, &old);
  FlushInstructionCache(GetCurrentProcess(), code, sizeof fragment);
  auto run = reinterpret_cast<int (*)()>(code);
  EXPECT_EQ(run(), 7);

  auto patch = MemoryPatch::redirection(operand, reinterpret_cast<const void*>(&redirectedHook));
  ASSERT_TRUE(patch->apply());
  EXPECT_EQ(run(), 42);
  ASSERT_TRUE(patch->revert());
  EXPECT_EQ(run(), 7);
  VirtualFree(code, 0, MEM_RELEASE);
}
