#include "tests/generators/dls_generator.h"

#include <cstdio>
#include <cstring>

namespace kvl::testdata {

void putU32(Bytes& bytes, std::size_t offset, uint32_t value) {
  if (bytes.size() < offset + 4) bytes.resize(offset + 4);
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t getU32(const Bytes& bytes, std::size_t offset) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(bytes[offset + i]) << (8 * i);
  return v;
}

DlsFile buildDls(const DlsLayout& layout) {
  DlsFile f;
  Bytes& b = f.bytes;
  b.assign(56, 0);
  putU32(b, 0, layout.magic1);
  putU32(b, 4, layout.magic2);
  putU32(b, 8, layout.majorVersion);
  putU32(b, 12, 1);  // minor version, not read

  f.nameLimitAt = static_cast<uint32_t>(b.size());
  putU32(b, f.nameLimitAt, layout.nameLimit);
  putU32(b, kDlsNameLimitOffsetField, layout.withNameLimit ? f.nameLimitAt : 0);

  f.idTableAt = static_cast<uint32_t>(b.size());
  putU32(b, f.idTableAt, static_cast<uint32_t>(layout.ids.size()));
  for (const DlsAnimationId& id : layout.ids) {
    putU32(b, b.size(), id.id);
    putU32(b, b.size(), id.nameOffset);
  }
  putU32(b, kDlsIdsOffsetField, layout.withIdTable ? f.idTableAt : 0);

  f.setListAt = static_cast<uint32_t>(b.size());
  putU32(b, kDlsSetsOffsetField, f.setListAt);
  putU32(b, f.setListAt, static_cast<uint32_t>(layout.sets.size()));
  const std::size_t entries = b.size();
  b.resize(entries + 8 * layout.sets.size());
  for (std::size_t s = 0; s < layout.sets.size(); ++s) {
    const DlsAnimationSet& set = layout.sets[s];
    const uint32_t header = static_cast<uint32_t>(b.size());
    f.setHeaderAt.push_back(header);
    putU32(b, entries + 8 * s, header);
    b.resize(header + 48);
    putU32(b, header + 4, set.channelLimit);
    putU32(b, header + kDlsSetReplayCountField, static_cast<uint32_t>(set.replayChannels.size()));
    putU32(b, header + kDlsSetAnimCountField, static_cast<uint32_t>(set.animChannels.size()));
    auto list = [&](const std::vector<uint32_t>& channels, uint32_t field) {
      const uint32_t at = static_cast<uint32_t>(b.size());
      putU32(b, header + field, at);
      b.resize(at + 12 * channels.size());
      for (std::size_t i = 0; i < channels.size(); ++i) {
        putU32(b, at + 12 * i, channels[i]);
        putU32(b, at + 12 * i + 4, static_cast<uint32_t>(i));  // key frame data, not read
      }
      return at;
    };
    f.replayListAt.push_back(list(set.replayChannels, kDlsSetReplayListField));
    f.animListAt.push_back(list(set.animChannels, kDlsSetAnimListField));
  }
  b.resize(b.size() + layout.trailingBytes, 0x5A);
  return f;
}

DlsLayout cleanDlsLayout() {
  DlsLayout l;
  l.nameLimit = 0x100;
  l.ids = {{0x11, 0x10}, {0x22, 0x20}};
  DlsAnimationSet a;
  a.channelLimit = 4;
  a.replayChannels = {0, 1};
  a.animChannels = {0, 1, 2, 3};
  DlsAnimationSet b;
  b.channelLimit = 2;
  b.replayChannels = {};
  b.animChannels = {1};
  l.sets = {a, b};
  return l;
}

uint64_t writeLargeDls(const std::string& path, uint64_t targetBytes) {
  constexpr uint32_t kSets = 16;
  constexpr uint32_t kChannelLimit = 64;
  constexpr uint32_t kEntriesPerChunk = 1 << 16;
  const uint64_t perSet = targetBytes / kSets / 12 / kEntriesPerChunk * kEntriesPerChunk;
  // Everything before the channel lists, built small; the lists are appended as they are written.
  DlsLayout layout = cleanDlsLayout();
  layout.sets.assign(kSets, DlsAnimationSet{});
  DlsFile head = buildDls(layout);
  uint64_t listAt = head.bytes.size();
  for (uint32_t s = 0; s < kSets; ++s) {
    putU32(head.bytes, head.setHeaderAt[s] + 4, kChannelLimit);
    putU32(head.bytes, head.setHeaderAt[s] + kDlsSetAnimCountField, static_cast<uint32_t>(perSet));
    putU32(head.bytes, head.setHeaderAt[s] + kDlsSetAnimListField, static_cast<uint32_t>(listAt));
    listAt += perSet * 12;
  }
  Bytes chunk(static_cast<std::size_t>(kEntriesPerChunk) * 12);
  for (uint32_t i = 0; i < kEntriesPerChunk; ++i) {
    putU32(chunk, std::size_t{i} * 12, i % kChannelLimit);
    putU32(chunk, std::size_t{i} * 12 + 4, i);
  }
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return 0;
  bool ok = std::fwrite(head.bytes.data(), 1, head.bytes.size(), f) == head.bytes.size();
  for (uint64_t n = 0; ok && n < kSets * perSet; n += kEntriesPerChunk)
    ok = std::fwrite(chunk.data(), 1, chunk.size(), f) == chunk.size();
  ok = std::fclose(f) == 0 && ok;
  return ok ? listAt : 0;
}

DlsLayout dlsLayoutFromSeed(const uint8_t* data, std::size_t size) {
  std::size_t pos = 0;
  auto next = [&]() -> uint32_t { return pos < size ? data[pos++] : 0; };
  DlsLayout l;
  l.withNameLimit = next() & 1;
  l.nameLimit = next() * 4;
  l.withIdTable = next() & 1;
  const uint32_t ids = next() % 8;
  for (uint32_t i = 0; i < ids; ++i) l.ids.push_back({next(), next() * 4});
  const uint32_t sets = next() % 5;
  for (uint32_t s = 0; s < sets; ++s) {
    DlsAnimationSet set;
    set.channelLimit = next() % 16;
    const uint32_t replay = next() % 6;
    for (uint32_t i = 0; i < replay; ++i) set.replayChannels.push_back(next() % 20);
    const uint32_t anim = next() % 6;
    for (uint32_t i = 0; i < anim; ++i) set.animChannels.push_back(next() % 20);
    l.sets.push_back(set);
  }
  return l;
}

}  // namespace kvl::testdata
