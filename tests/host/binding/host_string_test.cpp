#include <windows.h>

#include <cstring>
#include <new>
#include <string>

#include <gtest/gtest.h>

#include "plugin/host/binding/guarded_call.h"
#include "plugin/host/binding/host_allocators.h"
#include "plugin/host/binding/host_map_iterator.h"
#include "plugin/host/binding/host_string.h"
#include "plugin/host/binding/vc7_exception.h"

using namespace kvl::host;

namespace {

// The stand-in runtime library beside the test program, loaded by its full path (the system may
// have a library of that name of its own); the lookups by name then find it.
HMODULE loadStandIn() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, n);
  folder.erase(folder.find_last_of("\\/") + 1);
  return LoadLibraryA((folder + "msvcr71.dll").c_str());
}

struct Runtime {
  HMODULE module = loadStandIn();
  void (*counters)(int*, int*, void**) = nullptr;
  void (*failAllocations)(int) = nullptr;
  Runtime() {
    counters = reinterpret_cast<void (*)(int*, int*, void**)>(
        reinterpret_cast<void*>(GetProcAddress(module, "fixtureCounters")));
    failAllocations =
        reinterpret_cast<void (*)(int)>(reinterpret_cast<void*>(GetProcAddress(module, "fixtureFailAllocations")));
  }
  int allocated() const { int a, r; void* l; counters(&a, &r, &l); return a; }
  int released() const { int a, r; void* l; counters(&a, &r, &l); return r; }
  void* lastReleased() const { int a, r; void* l; counters(&a, &r, &l); return l; }
};

Runtime& runtime() {
  static Runtime r;
  return r;
}

class HostStringTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(runtime().module, nullptr);
    ASSERT_NE(runtime().counters, nullptr);
  }
};

}  // namespace

TEST_F(HostStringTest, InlineOrHeapByLength) {
  struct Case {
    std::size_t length;
    std::uint32_t capacity;
    bool heap;
  } cases[] = {{0, 15, false}, {1, 15, false}, {15, 15, false}, {16, 16, true}, {40, 40, true}};
  for (const auto& c : cases) {
    const std::string text(c.length, 'k');
    const int before = runtime().allocated();
    {
      HostString s(text);
      EXPECT_EQ(s.size(), c.length);
      EXPECT_EQ(s.capacity(), c.capacity);
      EXPECT_EQ(s.onHeap(), c.heap);
      EXPECT_EQ(std::string(s.c_str()), text);
      EXPECT_EQ(s.c_str()[c.length], '\0');
      EXPECT_EQ(runtime().allocated() - before, c.heap ? 1 : 0) << c.length;
    }
    EXPECT_EQ(runtime().released(), runtime().allocated()) << "every block went back";
  }
}

TEST_F(HostStringTest, ShorterTextReusesTheBlock) {
  HostString s("a text of twenty chars");
  const char* block = s.data();
  const int before = runtime().allocated();
  ASSERT_TRUE(s.assign("short"));
  EXPECT_EQ(s.data(), block);
  EXPECT_EQ(s.capacity(), 22u);
  EXPECT_EQ(s.size(), 5u);
  EXPECT_STREQ(s.c_str(), "short");
  EXPECT_EQ(runtime().allocated(), before);
  // A string on the heap stays there.
  ASSERT_TRUE(s.assign(""));
  EXPECT_TRUE(s.onHeap());
}

TEST_F(HostStringTest, GrowingFreesTheOldBlockFirst) {
  HostString s("sixteen chars!!!");
  const char* old = s.data();
  const int released = runtime().released();
  ASSERT_TRUE(s.assign("a longer text than sixteen"));
  EXPECT_EQ(runtime().released(), released + 1);
  EXPECT_EQ(runtime().lastReleased(), old);
  EXPECT_EQ(s.capacity(), 26u);
  EXPECT_STREQ(s.c_str(), "a longer text than sixteen");
}

TEST_F(HostStringTest, CopyIsIndependent) {
  HostString a("a heap-sized text, copied");
  HostString b(a);
  EXPECT_NE(a.data(), b.data());
  EXPECT_STREQ(b.c_str(), a.c_str());
  EXPECT_EQ(b.capacity(), a.size());
}

TEST_F(HostStringTest, NoBlockFromTheRuntimeFailsCleanly) {
  HostString s("inline");
  runtime().failAllocations(1);
  EXPECT_FALSE(s.assign("needs a block of its own"));
  EXPECT_EQ(s.size(), 0u);
  EXPECT_STREQ(s.c_str(), "");
  EXPECT_FALSE(s.onHeap());
  runtime().failAllocations(1);
  EXPECT_THROW(HostString("needs a block of its own"), std::bad_alloc);
  // Short texts need no block.
  runtime().failAllocations(1);
  EXPECT_NO_THROW(HostString("fits inline"));
  runtime().failAllocations(0);
}

TEST_F(HostStringTest, ExceptionTexts) {
  vc7::exception plain;
  EXPECT_STREQ(plain.what(), "unknown vc7 exception");
  vc7::out_of_range error("invalid map/set<T> iterator");
  EXPECT_STREQ(error.what(), "invalid map/set<T> iterator");
  vc7::out_of_range copy(error);
  EXPECT_STREQ(copy.what(), "invalid map/set<T> iterator");
  EXPECT_EQ(copy.ownsMessage, 1u);
  ASSERT_NE(copy.message, nullptr);
  EXPECT_NE(copy.message, error.message);
  EXPECT_EQ(copy.table, error.table);
}

TEST_F(HostStringTest, ExceptionCopyWithoutAHostHeapHasNoMessage) {
  vc7::logic_error error("a text");
  runtime().failAllocations(1);
  vc7::exception copy(error);
  EXPECT_EQ(copy.message, nullptr);
  EXPECT_EQ(copy.ownsMessage, 1u);
  EXPECT_STREQ(copy.what(), "unknown vc7 exception");
}

TEST_F(HostStringTest, ExceptionTextsGoBackThroughTheRuntime) {
  const int allocated = runtime().allocated();
  {
    vc7::out_of_range error("a message long enough for the heap");
    vc7::out_of_range copy(error);
  }
  EXPECT_GT(runtime().allocated(), allocated);
  EXPECT_EQ(runtime().released(), runtime().allocated());
}

namespace {

// What a host-side handler sees of a raised exception: the record, and what a catch by value of
// the first catchable type would hold, copied and destroyed as the host runtime does.
struct HostCatch {
  DWORD code = 0;
  DWORD parameters = 0;
  ULONG_PTR magic = 0;
  const vc7::ThrowInfo* info = nullptr;
  std::string typeName;
  std::string caughtText;
};
HostCatch caught;

LONG CALLBACK catchTheHostsWay(EXCEPTION_POINTERS* pointers) {
  const EXCEPTION_RECORD* record = pointers->ExceptionRecord;
  if (record->ExceptionCode != 0xE06D7363u) return EXCEPTION_CONTINUE_SEARCH;
  caught.code = record->ExceptionCode;
  caught.parameters = record->NumberParameters;
  caught.magic = record->ExceptionInformation[0];
  caught.info = reinterpret_cast<const vc7::ThrowInfo*>(record->ExceptionInformation[2]);
  const vc7::CatchableType* type = caught.info->catchableTypes->types[0];
  caught.typeName = type->type->name;
  auto* thrown = reinterpret_cast<vc7::exception*>(record->ExceptionInformation[1]);
  alignas(8) unsigned char copy[40];
  using Copy = void(QZR_THISCALL*)(void*, const void*);
  reinterpret_cast<Copy>(const_cast<void*>(type->copyFunction))(copy, thrown);
  auto* held = reinterpret_cast<vc7::exception*>(copy);
  caught.caughtText = held->what();
  held->table->destroy(held, 0);
  using Unwind = void(QZR_THISCALL*)(void*);
  reinterpret_cast<Unwind>(const_cast<void*>(caught.info->unwind))(thrown);
  return EXCEPTION_CONTINUE_SEARCH;  // the guard below ends the raising function
}

}  // namespace

TEST_F(HostStringTest, ErasingAtTheMapsEndRaisesTheHostsOutOfRange) {
  (void)runGuarded([] {});  // the guard's handler first, so that the one below runs before it
  void* handler = AddVectoredExceptionHandler(1, catchTheHostsWay);
  const int allocated = runtime().allocated(), released = runtime().released();
  int head = 0, node = 0;
  struct Positions {
    const void* position;
    const void* end;
  };
  auto erase = [](void* p) noexcept {
    auto* at = static_cast<Positions*>(p);
    checkMapErasePosition(at->position, at->end);
  };
  Positions inside{&node, &head};
  EXPECT_TRUE(guardedCall(erase, &inside, GuardCatch::memoryFaultsAndHostExceptions).completed);
  EXPECT_EQ(caught.code, 0u);
  Positions atEnd{&head, &head};
  const GuardOutcome outcome = guardedCall(erase, &atEnd, GuardCatch::memoryFaultsAndHostExceptions);
  RemoveVectoredExceptionHandler(handler);
  EXPECT_FALSE(outcome.completed);
  EXPECT_EQ(caught.code, 0xE06D7363u);
  EXPECT_EQ(caught.parameters, 3u);
  EXPECT_EQ(caught.magic, 0x19930520u);
  EXPECT_EQ(caught.info, &vc7::outOfRangeThrowInfo());
  EXPECT_EQ(caught.typeName, ".?AVout_of_range@std@@");
  EXPECT_EQ(caught.caughtText, "invalid map/set<T> iterator");
  EXPECT_EQ(runtime().allocated() - allocated, runtime().released() - released)
      << "the thrown text and the caught copy go back through the runtime";
}
