#include <cstdint>

#include <gtest/gtest.h>

#include "plugin/host/binding/hook_address.h"
#include "plugin/host/binding/time_difference.h"

using namespace kvl::host;

namespace {

int plainHook(int x) { return x; }

struct Owner {
  int value = 3;
  int method(int x) { return x + value; }
};

}  // namespace

TEST(HookAddress, PlainAndMemberFunctions) {
  HookWord out = 0;
  HookWord* at = toHookAddress(out, &plainHook);
  EXPECT_EQ(at, &out);
  EXPECT_EQ(out, reinterpret_cast<HookWord>(&plainHook));
  EXPECT_EQ(hookAddress(&plainHook), out);
  // A non-virtual member function: its entry, callable with the object as first argument in
  // the host's convention; here only the address is checked to be a real code address.
  HookWord member = hookAddress(&Owner::method);
  EXPECT_NE(member, 0u);
  EXPECT_EQ(member & 1u, 0u) << "not a virtual-slot marker";
  BoundHook record{};
  BoundHook& bound = makeBoundHook(record, &plainHook, 778);
  EXPECT_EQ(&bound, &record);
  EXPECT_EQ(record.function, out);
  EXPECT_EQ(record.value, 778u);
}

TEST(ThousandthsDifference, CutsEachTimeBeforeTheDifference) {
  struct Case {
    float a, b, expected;
  } cases[] = {
      {1.2345f, 1.0f, 0.234f},
      {1.0f, 1.2345f, -0.234f},
      {10.0f, 10.0f, 0.0f},
      {0.0009f, 0.0f, 0.0f},
      {65.4321f, 60.0001f, 5.432f},
  };
  for (const auto& c : cases) EXPECT_NEAR(thousandthsDifference(c.a, c.b), c.expected, 1e-6f) << c.a << " " << c.b;
}
