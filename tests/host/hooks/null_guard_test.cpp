#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "plugin/hooks/null_guard.h"
#include "plugin/hooks/sound_null_guards.h"

namespace kvl::hooks {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes joined(const std::vector<GuardPiece>& pieces) {
  Bytes all;
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    if (k > 0) {
      EXPECT_EQ(pieces[k].address, pieces[k - 1].address + pieces[k - 1].bytes.size());
    }
    all.insert(all.end(), pieces[k].bytes.begin(), pieces[k].bytes.end());
  }
  return all;
}

const NullGuard& guardAt(std::uint32_t site) {
  const auto& guards = soundNullGuards();
  return *std::find_if(guards.begin(), guards.end(), [&](const NullGuard& g) { return g.site == site; });
}

// The host's own encodings of four guards: both near forms, the short forms and the copy-first
// stub.
TEST(NullGuard, EncodesTheHostsGuards) {
  struct Case {
    std::uint32_t site;
    Bytes displaced, entry, stub;
  } cases[] = {
      {0x4AB1EE, {0x89, 0xC6, 0xA1, 0x38, 0x53, 0x8D, 0x00}, {0xE9, 0xCD, 0x02, 0x00, 0x00, 0x90, 0x90},
       {0x85, 0xC0, 0x0F, 0x84, 0x33, 0xFE, 0xFF, 0xFF, 0x89, 0xC6, 0xA1, 0x38, 0x53, 0x8D, 0x00, 0xE9, 0x21, 0xFD,
        0xFF, 0xFF}},
      {0x4BA719, {0xA1, 0x10, 0x0E, 0x66, 0x01, 0x8B, 0x11}, {0xE9, 0xA6, 0x2F, 0xFF, 0xFF, 0x90, 0x90},
       {0x85, 0xC9, 0x0F, 0x84, 0xB3, 0xD0, 0x00, 0x00, 0xA1, 0x10, 0x0E, 0x66, 0x01, 0x8B, 0x11, 0xE9, 0x48, 0xD0,
        0x00, 0x00}},
      // 0x4AD5A4 -> stub 0x4AD613; zero -> 0x4AD5D1; back to 0x4AD5A6.
      {0x4AD5A4, {0x8B, 0x10}, {0xEB, 0x6D}, {0x85, 0xC0, 0x74, 0xBA, 0x8B, 0x10, 0xEB, 0x8B}},
      // 0x4AB35F: the store runs before the test.
      {0x4AB35F, {0x89, 0x86, 0x88, 0x00, 0x00, 0x00}, {0xE9, 0x70, 0x01, 0x00, 0x00, 0x90},
       {0x89, 0x86, 0x88, 0x00, 0x00, 0x00, 0x85, 0xC0, 0x0F, 0x84, 0x68, 0xFF, 0xFF, 0xFF, 0xE9, 0x7E, 0xFE, 0xFF,
        0xFF}},
  };
  for (const Case& c : cases) {
    const NullGuard& guard = guardAt(c.site);
    const auto entry = guardEntryPieces(guard);
    EXPECT_EQ(entry.front().address, c.site);
    EXPECT_EQ(entry.size(), 1 + c.entry.size() - (c.entry[0] == 0xEB ? 2 : 5)) << std::hex << c.site;
    EXPECT_EQ(joined(entry), c.entry) << std::hex << c.site;
    const auto stub = guardStubPieces(guard, c.displaced);
    EXPECT_EQ(stub.front().address, guard.stub);
    EXPECT_EQ(stub.size(), 4u);
    EXPECT_EQ(joined(stub), c.stub) << std::hex << c.site;
  }
}

// Every stub of the table fits the two stretches the host leaves for them, outside the host code
// between them, and no two stubs overlap: a wrong length or address in the table shows here.
TEST(NullGuard, TheStubsTileTheirStretches) {
  struct Span {
    std::uint32_t from, to;  // [from, to)
  };
  std::vector<Span> stubs;
  for (const NullGuard& guard : soundNullGuards()) {
    const auto entry = guardEntryPieces(guard);
    EXPECT_EQ(entry.back().address + entry.back().bytes.size(), guard.site + guard.length) << std::hex << guard.site;
    const auto stub = guardStubPieces(guard, Bytes(guard.length, 0x90));
    stubs.push_back({guard.stub, static_cast<std::uint32_t>(stub.back().address + stub.back().bytes.size())});
  }
  EXPECT_EQ(stubs.size(), 56u);
  std::sort(stubs.begin(), stubs.end(), [](const Span& a, const Span& b) { return a.from < b.from; });
  const Span stretches[] = {{0x4AB4C0, 0x4AB523}, {0x4AD5F0, 0x4ADA65}};
  const Span hostCode[] = {{0x4AD8A6, 0x4AD920}, {0x4AD9A3, 0x4AD9D0}};
  std::uint32_t used = 0;
  for (std::size_t k = 0; k < stubs.size(); ++k) {
    const Span& s = stubs[k];
    used += s.to - s.from;
    if (k > 0) {
      EXPECT_LE(stubs[k - 1].to, s.from) << std::hex << s.from;
    }
    EXPECT_TRUE(std::any_of(std::begin(stretches), std::end(stretches),
                            [&](const Span& r) { return r.from <= s.from && s.to <= r.to; }))
        << std::hex << s.from;
    for (const Span& h : hostCode) EXPECT_TRUE(s.to <= h.from || h.to <= s.from) << std::hex << s.from;
  }
  // The stretches less the host code: every byte holds a stub.
  EXPECT_EQ(used, (0x4AB523u - 0x4AB4C0u) + (0x4ADA65u - 0x4AD5F0u) - (0x4AD920u - 0x4AD8A6u) - (0x4AD9D0u - 0x4AD9A3u));
}

}  // namespace
}  // namespace kvl::hooks
