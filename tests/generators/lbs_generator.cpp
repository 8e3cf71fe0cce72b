#include "tests/generators/lbs_generator.h"

#include <cstdio>

namespace kvl::testdata {

// Whole pieces at once rather than byte by byte: the fuzz harnesses build frames for every input.
void appendI32(Bytes& b, int32_t v) {
  const uint32_t u = static_cast<uint32_t>(v);
  const uint8_t bytes[4] = {static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8), static_cast<uint8_t>(u >> 16),
                            static_cast<uint8_t>(u >> 24)};
  b.insert(b.end(), bytes, bytes + 4);
}

namespace {

void appendFill(Bytes& b, std::size_t n, uint8_t seed) {
  const std::size_t start = b.size();
  b.resize(start + n);
  uint8_t* p = b.data() + start;
  for (std::size_t i = 0; i < n; ++i) p[i] = static_cast<uint8_t>(seed + i * 7);
}

}  // namespace

Bytes frameBytes(const Frame& f) {
  Bytes b;
  appendI32(b, f.headerLength);
  b.insert(b.end(), f.header.begin(), f.header.end());
  if (f.hasSegmentLength) {
    appendI32(b, f.segmentLength);
    b.insert(b.end(), f.segment.begin(), f.segment.end());
  }
  return b;
}

Bytes framesBytes(const std::vector<Frame>& frames) {
  Bytes b;
  for (const Frame& f : frames) {
    const Bytes one = frameBytes(f);
    b.insert(b.end(), one.begin(), one.end());
  }
  return b;
}

Frame typedFrame(int32_t type01, int32_t type02, const Bytes& segment) {
  return frameWithHeaderBytes(type01, type02, 8, segment);
}

Frame frameWithHeaderBytes(int32_t type01, int32_t type02, int32_t headerLength, const Bytes& segment) {
  Frame f;
  f.headerLength = headerLength;
  Bytes words;
  appendI32(words, type01);
  appendI32(words, type02);
  for (int32_t i = 0; i < headerLength; ++i)
    f.header.push_back(i < 8 ? words[static_cast<std::size_t>(i)] : static_cast<uint8_t>(0xE0 + i));
  f.hasSegmentLength = headerLength > 0;
  f.segmentLength = static_cast<int32_t>(segment.size());
  f.segment = segment;
  return f;
}

Frame bareFrame(int32_t headerLength) {
  Frame f;
  f.headerLength = headerLength;
  f.hasSegmentLength = false;
  return f;
}

Bytes geomBlocksSegment(const GeomBlocksLayout& layout) {
  Bytes b;
  appendFill(b, 8, 0x40);  // geom block header, parsed by the host
  for (std::size_t i = 0; i < 9; ++i) {
    appendI32(b, layout.indexCounts[i]);
    if (layout.indexCounts[i] == 0) {
      appendI32(b, layout.vertexCounts[i]);
      continue;
    }
    appendFill(b, static_cast<std::size_t>(layout.indexCounts[i]) * 2, static_cast<uint8_t>(i));
    appendI32(b, layout.vertexCounts[i]);
    appendFill(b, static_cast<std::size_t>(layout.vertexCounts[i]) * kGeomElementSizes[i], static_cast<uint8_t>(i + 1));
  }
  appendI32(b, layout.renderChunks);
  appendFill(b, static_cast<std::size_t>(layout.renderChunks) * 112, 0x70);
  appendFill(b, 24, 0x24);
  return b;
}

std::size_t geomBlocksDataSize(const GeomBlocksLayout& layout) { return geomBlocksSegment(layout).size() - 8; }

Bytes objectBlockBytes(const ObjectBlock& k) {
  Bytes b;
  appendI32(b, k.flags01);
  appendI32(b, k.flags02);
  if (k.flags01 & 0x10) appendI32(b, k.texIdx);
  if (k.flags01 & 0x20) appendI32(b, k.dummy1);
  appendI32(b, k.initBlock);
  appendI32(b, k.elementLength);
  appendI32(b, k.dummy);
  appendI32(b, k.indexSize);
  appendFill(b, static_cast<std::size_t>(k.indexSize) * 2, 0x11);
  b.push_back(static_cast<uint8_t>(k.indexBuffers));
  if (k.indexBuffers == 2) {
    appendI32(b, k.secondIndexSize);
    appendFill(b, static_cast<std::size_t>(k.secondIndexSize) * 2, 0x22);
  }
  appendI32(b, k.vertices);
  if (k.initBlock != 0) {
    appendFill(b, 24, 0x33);
    if (k.flags01 & 0x10) appendFill(b, 16, 0x44);
  }
  appendFill(b, static_cast<std::size_t>(k.vertices) * static_cast<std::size_t>(k.elementLength), 0x55);
  appendFill(b, 24, 0x66);
  return b;
}

Bytes objectBlocksSegment(const std::vector<ObjectSegment>& segments) {
  Bytes b;
  appendI32(b, static_cast<int32_t>(segments.size()));
  for (const ObjectSegment& s : segments) {
    appendI32(b, s.flag);
    if (s.flag == 0) continue;
    for (const auto* list : {&s.first, &s.second}) {
      appendI32(b, static_cast<int32_t>(list->size()));
      for (const ObjectBlock& k : *list) {
        const Bytes one = objectBlockBytes(k);
        b.insert(b.end(), one.begin(), one.end());
      }
    }
  }
  return b;
}

std::vector<Frame> sampleStageFrames() {
  GeomBlocksLayout g;
  g.indexCounts = {3, 0, 6, 0, 0, 0, 0, 0, 3};
  g.vertexCounts = {2, 0, 4, 0, 0, 0, 0, 0, 1};
  g.renderChunks = 2;
  ObjectBlock plain;
  ObjectBlock rich;
  rich.flags01 = 0x30;
  rich.texIdx = 5;
  rich.initBlock = 1;
  rich.indexBuffers = 2;
  rich.secondIndexSize = 4;
  rich.vertices = 3;
  std::vector<ObjectSegment> objects(2);
  objects[0].first = {plain};
  objects[0].second = {rich, plain};
  objects[1].flag = 0;
  Bytes visible;
  appendFill(visible, 40, 0x77);
  Bytes misc;
  appendFill(misc, 20, 0x12);
  return {typedFrame(0, 1, misc), typedFrame(1, 0, geomBlocksSegment(g)), typedFrame(1, 2, misc),
          typedFrame(1, 1, objectBlocksSegment(objects)), typedFrame(2, 10, visible), typedFrame(3, 3, misc)};
}

std::vector<Frame> sampleLb2Frames() {
  const std::vector<Frame> all = sampleStageFrames();
  return {all[1], all[3], all[4]};
}

std::vector<Frame> framesFromSeed(const uint8_t* data, std::size_t size) {
  std::size_t pos = 0;
  auto next = [&]() -> int32_t { return pos < size ? data[pos++] : 0; };
  std::vector<Frame> frames;
  const int32_t count = next() % 6 + 1;
  for (int32_t i = 0; i < count; ++i) {
    switch (next() % 5) {
      case 0: {
        GeomBlocksLayout g;
        for (std::size_t k = 0; k < 9; ++k) {
          g.indexCounts[k] = next() % 4;
          g.vertexCounts[k] = next() % 3;
        }
        g.renderChunks = next() % 3;
        frames.push_back(typedFrame(1, 0, geomBlocksSegment(g)));
        break;
      }
      case 1: {
        std::vector<ObjectSegment> segs(static_cast<std::size_t>(next() % 3));
        for (ObjectSegment& s : segs) {
          s.flag = next() % 2;
          for (auto* list : {&s.first, &s.second}) {
            const int32_t n = next() % 3;
            for (int32_t k = 0; k < n; ++k) {
              ObjectBlock b;
              b.flags01 = next() & 0x30;
              b.initBlock = next() % 2;
              b.indexSize = next() % 4;
              b.indexBuffers = static_cast<int8_t>(next() % 3);
              b.secondIndexSize = next() % 3;
              b.vertices = next() % 3;
              b.elementLength = next() % 20;
              list->push_back(b);
            }
          }
        }
        frames.push_back(typedFrame(1, 1, objectBlocksSegment(segs)));
        break;
      }
      case 2:
        frames.push_back(typedFrame(2, 10, Bytes(static_cast<std::size_t>(next() % 32), 0x21)));
        break;
      case 3:
        frames.push_back(frameWithHeaderBytes(next() % 3, next() % 11, next() % 14 - 1,
                                              Bytes(static_cast<std::size_t>(next() % 16), 0x31)));
        break;
      default:
        frames.push_back(bareFrame(-(next() % 3)));
        break;
    }
  }
  return frames;
}

uint64_t writeLargeLbs(const std::string& path, uint64_t targetBytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return 0;
  // One round of frames of about 1 MB, written again and again.
  GeomBlocksLayout g;
  g.indexCounts = {3000, 2000, 0, 1000, 0, 500, 0, 0, 100};
  g.vertexCounts = {2000, 1500, 0, 800, 0, 400, 0, 0, 90};
  g.renderChunks = 100;
  std::vector<ObjectSegment> objects(4);
  for (ObjectSegment& s : objects) {
    ObjectBlock k;
    k.flags01 = 0x10;
    k.initBlock = 1;
    k.indexSize = 600;
    k.vertices = 400;
    k.elementLength = 32;
    s.first = {k, k};
    s.second = {k};
  }
  std::vector<Frame> round = {typedFrame(1, 0, geomBlocksSegment(g)), typedFrame(1, 1, objectBlocksSegment(objects)),
                              typedFrame(2, 10, Bytes(150000, 0x42)), typedFrame(4, 2, Bytes(250000, 0x17)),
                              frameWithHeaderBytes(5, 5, 12, Bytes(64, 1)), bareFrame(0)};
  const Bytes chunk = framesBytes(round);
  uint64_t written = 0;
  while (written < targetBytes) {
    if (std::fwrite(chunk.data(), 1, chunk.size(), f) != chunk.size()) {
      std::fclose(f);
      return 0;
    }
    written += chunk.size();
  }
  if (std::fclose(f) != 0) return 0;
  return written;
}

bool writeFile(const std::string& path, const Bytes& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

Bytes readFile(const std::string& path) {
  Bytes b;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return b;
  uint8_t buffer[1 << 16];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) b.insert(b.end(), buffer, buffer + got);
  std::fclose(f);
  return b;
}

}  // namespace kvl::testdata
