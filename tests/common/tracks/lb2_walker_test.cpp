#include "common/lbs/lb2_walker.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "common/lbs/lb2_loader.h"
#include "tests/generators/lbs_generator.h"
#include "tests/support/work_dir.h"

namespace {

using namespace kvl::testdata;
using kvl::tracks::Lb2Walker;
using kvl::tracks::MemoryByteSource;
using kvl::tracks::MemoryLineLog;

// Stands in for the host: records what it receives and, like the host's geom-blocks routine,
// fetches the geom-block data through the walker.
class RecordingSink : public kvl::tracks::Lb2Sink {
 public:
  void geomBlocks(Lb2Walker& walker, const uint8_t* header, std::size_t size) override {
    geomHeaders.emplace_back(header, header + size);
    Bytes data;
    geomResults.push_back(walker.readGeomBlocks(data));
    geomData.push_back(data);
  }
  void objectBlockHolder() override { ++holders; }
  void objectBlock(int32_t segIdx, const uint8_t* block, std::size_t size) override {
    objectSegments.push_back(segIdx);
    objectBlocks.emplace_back(block, block + size);
  }
  void visibleObjects(const uint8_t* segment, std::size_t size) override { visible.emplace_back(segment, segment + size); }

  int holders = 0;
  std::vector<Bytes> geomHeaders, geomData, objectBlocks, visible;
  std::vector<bool> geomResults;
  std::vector<int32_t> objectSegments;
};

struct Walk {
  RecordingSink sink;
  MemoryLineLog log;
};

void walk(const Bytes& bytes, Walk& w) {
  MemoryByteSource in(bytes.data(), bytes.size());
  Lb2Walker walker(in, "t.lb2", w.sink, w.log);
  walker.readLb2File();
}

std::string joined(const std::vector<std::string>& lines) {
  std::string s;
  for (const std::string& l : lines) s += l + "\n";
  return s;
}

// Lines starting with these texts appear in this order (others may lie between them).
void expectInOrder(const std::vector<std::string>& log, const std::vector<std::string>& wanted) {
  std::size_t at = 0;
  for (const std::string& w : wanted) {
    while (at < log.size() && log[at].compare(0, w.size(), w) != 0) ++at;
    ASSERT_LT(at, log.size()) << "missing or out of order: " << w << "\nlog:\n" << joined(log);
    ++at;
  }
}

bool contains(const std::vector<std::string>& log, const std::string& prefix) {
  for (const std::string& l : log)
    if (l.compare(0, prefix.size(), prefix) == 0) return true;
  return false;
}

GeomBlocksLayout smallGeom() {
  GeomBlocksLayout g;
  g.indexCounts[0] = 3;
  g.vertexCounts[0] = 2;
  g.vertexCounts[1] = 5;  // index count 0: only the count word is stored
  g.renderChunks = 1;
  return g;
}

TEST(Lb2Walker, OneFrameOfEachKindExactLog) {
  std::vector<ObjectSegment> objects(1);
  objects[0].first = {ObjectBlock{}};
  const Bytes geom = geomBlocksSegment(smallGeom());
  const Bytes objectSegment = objectBlocksSegment(objects);
  const Bytes bytes =
      framesBytes({typedFrame(1, 0, geom), typedFrame(2, 10, Bytes(5, 9)), typedFrame(1, 1, objectSegment)});
  Walk w;
  walk(bytes, w);
  const std::vector<std::string> expected = {
      "start reading LB2 file t.lb2",
      "HEADER  offset: 0  len: 8  size: 8  type01: 1  type02: 0",
      "SEGMENT  offset: 16  length: 258  type01: 1  type02: 0",
      "loading geom blocks segment",
      "calculating geom block buffer size ...",
      "geom block size: 0x10  index buffer size: 3",
      "geom block index buffer skipped bytes: 6",
      "geom block size: 0x10  vertex buffer size: 2",
      "geom block vertex buffer skipped bytes: 32",
      "geom block size: 0x18  index buffer size: 0",
      "geom block size: 0x30  index buffer size: 0",
      "geom block size: 0x24  index buffer size: 0",
      "geom block size: 0x3c  index buffer size: 0",
      "geom block size: 0x20  index buffer size: 0",
      "geom block size: 0x38  index buffer size: 0",
      "geom block size: 0x2c  index buffer size: 0",
      "geom block size: 0x44  index buffer size: 0",
      "geom blocks render chunks: 1  skipped bytes: 112",
      "required geom block buffer length: 250  offset: 24",
      "HEADER  offset: 274  len: 8  size: 8  type01: 2  type02: 10",
      "SEGMENT  offset: 290  length: 5  type01: 2  type02: 10",
      "loading visible objects segment",
      "HEADER  offset: 295  len: 8  size: 8  type01: 1  type02: 1",
      "SEGMENT  offset: 311  length: 99  type01: 1  type02: 1",
      "loading object blocks segment",
      "loading object blocks ...",
      "num object block segments: 1",
      "segIdx: 0  flag: 1",
      "segIdx: 0  seg: 1  num object blocks: 1",
      "segIdx: 0  seg: 1  blk: 1  flags01: 0  flags02: 0",
      "texIdx: 0  dummy: 0",
      "bInitBlk: 0  element length: 12  dummy: 0",
      "index buffer size: 3  skipped bytes: 6  num index buffers: 1",
      "num vertices: 2",
      "vertices skipped bytes: 24",
      "required object block buffer length: 83  offset: 323",
      "segIdx: 0  seg: 2  num object blocks: 0",
      "finished reading LB2 file t.lb2",
  };
  EXPECT_EQ(joined(w.log.lines), joined(expected));

  ASSERT_EQ(w.sink.geomHeaders.size(), 1u);
  EXPECT_EQ(w.sink.geomHeaders[0], Bytes(geom.begin(), geom.begin() + 8));
  EXPECT_EQ(w.sink.geomData[0], Bytes(geom.begin() + 8, geom.end()));
  ASSERT_EQ(w.sink.visible.size(), 1u);
  EXPECT_EQ(w.sink.visible[0], Bytes(5, 9));
  EXPECT_EQ(w.sink.holders, 1);
  ASSERT_EQ(w.sink.objectBlocks.size(), 1u);
  EXPECT_EQ(w.sink.objectBlocks[0], objectBlockBytes(ObjectBlock{}));
  EXPECT_EQ(w.sink.objectSegments[0], 0);
}

TEST(Lb2Walker, FramingCases) {
  struct Case {
    const char* name;
    Bytes bytes;
    std::vector<std::string> lines;   // in this order
    std::vector<std::string> absent;  // no line starts with these
    std::size_t visible;
  };
  const Bytes visible = framesBytes({typedFrame(2, 10, Bytes(6, 1))});
  std::vector<Case> cases;
  {
    Bytes b = frameBytes(frameWithHeaderBytes(2, 10, 12, Bytes(6, 1)));
    cases.push_back({"12-byte header skips its last 4", b,
                     {"HEADER  offset: 0  len: 12  size: 8  type01: 2  type02: 10", "SEGMENT  offset: 20  length: 6  type01: 2  type02: 10",
                      "loading visible objects segment"},
                     {"offset mismatch"}, 1});
  }
  cases.push_back({"4-byte header gives type01 only", frameBytes(frameWithHeaderBytes(7, 3, 4, Bytes(2, 0))),
                   {"HEADER  offset: 0  len: 4  size: 4  type01: 7  type02: 0", "unhandled segment detected!"},
                   {},
                   0});
  {
    Bytes b = frameBytes(bareFrame(0));
    b.insert(b.end(), visible.begin(), visible.end());
    cases.push_back({"header length 0 is followed by the next frame", b,
                     {"HEADER  offset: 0  len: 0  size: 0  type01: 0  type02: 0", "HEADER  offset: 4  len: 8  size: 8  type01: 2  type02: 10"},
                     {"SEGMENT  offset: 4"},
                     1});
  }
  {
    Bytes b = frameBytes(bareFrame(-7));
    b.insert(b.end(), visible.begin(), visible.end());
    cases.push_back({"negative header length", b,
                     {"HEADER  offset: 0  len: -7  size: 0  type01: 0  type02: 0", "loading visible objects segment"}, {}, 1});
  }
  {
    Bytes b = frameBytes(typedFrame(3, 3, visible));
    b.insert(b.end(), visible.begin(), visible.end());
    cases.push_back({"unknown kind is walked inside its bytes", b,
                     {"unhandled segment detected!", "offset mismatch detected -   new offset: 16  old offset + segment length: 38",
                      "HEADER  offset: 16  len: 8  size: 8  type01: 2  type02: 10", "loading visible objects segment",
                      "HEADER  offset: 38  len: 8  size: 8  type01: 2  type02: 10", "loading visible objects segment"},
                     {},
                     2});
  }
  {
    Bytes b = frameBytes(typedFrame(2, 10, Bytes(100, 0)));
    b.resize(26);
    cases.push_back({"segment cut off by the end of the file", b,
                     {"SEGMENT  offset: 16  length: 100  type01: 2  type02: 10",
                      "segment length 100 at offset 16 runs past the end of the file (file size 26)",
                      "finished reading LB2 file t.lb2"},
                     {"[ERROR]", "loading visible"},
                     0});
  }
  {
    Frame f = typedFrame(2, 10, Bytes(4, 0));
    f.segmentLength = -5;
    cases.push_back({"negative segment length", frameBytes(f),
                     {"negative segment length -5 at offset 16, walk ended", "finished reading LB2 file t.lb2"}, {}, 0});
  }
  {
    Frame f = typedFrame(2, 10, Bytes(4, 0));
    f.segmentLength = 0;
    f.segment.clear();
    Bytes b = frameBytes(f);
    b.insert(b.end(), visible.begin(), visible.end());
    cases.push_back({"segment length 0", b, {"SEGMENT  offset: 16  length: 0  type01: 2  type02: 10", "HEADER  offset: 16"},
                     {"loading visible objects segment  "}, 1});
  }
  {
    Bytes b;
    appendI32(b, 1000);
    appendI32(b, 1);
    appendI32(b, 1);
    cases.push_back({"over-long header length", b,
                     {"header length 1000 at offset 0 runs past the end of the file (file size 12)",
                      "finished reading LB2 file t.lb2"},
                     {"HEADER"},
                     0});
  }
  {
    Bytes b = visible;
    b.push_back(1);
    b.push_back(2);
    cases.push_back({"bytes after the last frame", b,
                     {"loading visible objects segment", "file ends inside the frame at offset 22 (file size 24)"}, {"[ERROR]"}, 1});
  }
  cases.push_back({"empty file", Bytes{}, {"start reading LB2 file t.lb2", "finished reading LB2 file t.lb2"}, {"HEADER"}, 0});

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Walk w;
    walk(c.bytes, w);
    expectInOrder(w.log.lines, c.lines);
    for (const std::string& a : c.absent) EXPECT_FALSE(contains(w.log.lines, a)) << a << "\n" << joined(w.log.lines);
    EXPECT_EQ(w.sink.visible.size(), c.visible);
    EXPECT_EQ(w.log.lines.back(), "finished reading LB2 file t.lb2");
  }
}

TEST(Lb2Walker, BadSegmentDataIsSkippedToTheSegmentEnd) {
  struct Case {
    const char* name;
    Bytes segment;
    int32_t type01, type02;
    std::string finding;
  };
  std::vector<Case> cases;
  {
    GeomBlocksLayout g = smallGeom();
    Bytes s = geomBlocksSegment(g);
    // Index count of the first block made negative.
    s[8] = 0xFB, s[9] = s[10] = s[11] = 0xFF;
    cases.push_back({"negative geom index count", s, 1, 0,
                     "bad segment data, rest of the segment skipped: negative skip of -10 bytes at offset 28"});
  }
  {
    Bytes s = geomBlocksSegment(smallGeom());
    s[8 + 4 + 6] = 0xFF, s[8 + 4 + 6 + 1] = 0xFF, s[8 + 4 + 6 + 2] = 0xFF, s[8 + 4 + 6 + 3] = 0x7F;
    cases.push_back({"huge geom vertex count", s, 1, 0,
                     "bad segment data, rest of the segment skipped: skip of 34359738352 bytes at offset 38 runs past "
                     "the segment end 274"});
  }
  {
    ObjectBlock k;
    k.vertices = 100000;
    std::vector<ObjectSegment> segs(1);
    segs[0].first = {k};
    Bytes s = objectBlocksSegment(segs);
    s.resize(60);
    cases.push_back({"object block vertices beyond the segment", s, 1, 1,
                     "bad segment data, rest of the segment skipped: skip of 1200000 bytes at offset 63 runs past the "
                     "segment end 76"});
  }
  {
    Bytes s;
    appendI32(s, 1);
    appendI32(s, 1);
    appendI32(s, 0x7FFFFFFF);  // block count far beyond the data
    cases.push_back({"object block count beyond the segment", s, 1, 1,
                     "bad segment data, rest of the segment skipped: read of 4 bytes at offset 28 runs past the segment "
                     "end 28"});
  }
  {
    Bytes s;
    appendI32(s, 0x7FFFFFFF);  // object block segment count
    cases.push_back({"object segment count beyond the segment", s, 1, 1,
                     "bad segment data, rest of the segment skipped: read of 4 bytes at offset 20 runs past the segment "
                     "end 20"});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes bytes = framesBytes({typedFrame(c.type01, c.type02, c.segment), typedFrame(2, 10, Bytes(3, 3))});
    Walk w;
    walk(bytes, w);
    const uint64_t end = 16 + c.segment.size();
    expectInOrder(w.log.lines, {c.finding, "HEADER  offset: " + std::to_string(end), "loading visible objects segment",
                                "finished reading LB2 file t.lb2"});
    EXPECT_EQ(w.sink.visible.size(), 1u);
    EXPECT_TRUE(w.sink.objectBlocks.empty());
    for (std::size_t i = 0; i < w.sink.geomResults.size(); ++i) {
      EXPECT_FALSE(w.sink.geomResults[i]);
      EXPECT_TRUE(w.sink.geomData[i].empty());
    }
  }
}

TEST(Lb2Walker, ObjectBlockVariants) {
  struct Case {
    const char* name;
    ObjectBlock block;
    std::vector<std::string> lines;
  };
  ObjectBlock init;
  init.flags01 = 0x10;
  init.texIdx = 42;
  init.initBlock = 1;
  ObjectBlock dummy;
  dummy.flags01 = 0x20;
  dummy.dummy1 = -3;
  ObjectBlock twoBuffers;
  twoBuffers.indexBuffers = 2;
  twoBuffers.secondIndexSize = 5;
  ObjectBlock noInitExtra;
  noInitExtra.flags01 = 0x10;
  const Case cases[] = {
      {"init block with extra data", init,
       {"texIdx: 42  dummy: 0", "bInitBlk: 1  element length: 12  dummy: 0", "init block data skipped bytes: 24",
        "flags01 & 0x10 skipped bytes: 16", "vertices skipped bytes: 24"}},
      {"first dummy", dummy, {"texIdx: 0  dummy: -3", "bInitBlk: 0  element length: 12  dummy: 0"}},
      {"second index buffer", twoBuffers,
       {"index buffer size: 3  skipped bytes: 6  num index buffers: 2", "second index buffer size: 5  skipped bytes: 10"}},
      {"texture index without init block", noInitExtra, {"texIdx: 0  dummy: 0", "num vertices: 2", "vertices skipped bytes: 24"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<ObjectSegment> segs(1);
    segs[0].second = {c.block, c.block};
    Walk w;
    walk(framesBytes({typedFrame(1, 1, objectBlocksSegment(segs))}), w);
    expectInOrder(w.log.lines, c.lines);
    EXPECT_FALSE(contains(w.log.lines, "offset mismatch")) << joined(w.log.lines);
    ASSERT_EQ(w.sink.objectBlocks.size(), 2u);
    EXPECT_EQ(w.sink.objectBlocks[1], objectBlockBytes(c.block));
    const std::string required = "required object block buffer length: " + std::to_string(objectBlockBytes(c.block).size());
    EXPECT_TRUE(contains(w.log.lines, required)) << joined(w.log.lines);
  }
}

TEST(Lb2Walker, EveryTruncationEnds) {
  // The sample stage cut at every length: the walk always ends with its closing line.
  const Bytes whole = framesBytes(sampleLb2Frames());
  for (std::size_t n = 0; n <= whole.size(); n += 3) {
    const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
    Walk w;
    walk(cut, w);
    ASSERT_EQ(w.log.lines.back(), "finished reading LB2 file t.lb2") << n;
  }
  Walk w;
  walk(whole, w);
  EXPECT_FALSE(contains(w.log.lines, "offset mismatch")) << joined(w.log.lines);
  EXPECT_FALSE(contains(w.log.lines, "bad segment")) << joined(w.log.lines);
  EXPECT_EQ(w.sink.objectBlocks.size(), 3u);
  EXPECT_EQ(w.sink.visible.size(), 1u);
  EXPECT_EQ(w.sink.geomData.size(), 1u);
}

// A source whose reads fail once a position is reached.
class FailingSource : public kvl::tracks::ByteSource {
 public:
  FailingSource(const Bytes& bytes, uint64_t failAt) : inner_(bytes.data(), bytes.size()), failAt_(failAt) {}
  uint64_t size() const override { return inner_.size(); }
  uint64_t position() const override { return inner_.position(); }
  bool seek(uint64_t p) override { return !failed_ && inner_.seek(p); }
  std::size_t read(void* d, std::size_t n) override {
    if (inner_.position() + n > failAt_) {
      failed_ = true;
      return 0;
    }
    return inner_.read(d, n);
  }
  bool failed() const override { return failed_; }
  int error() const override { return failed_ ? EIO : 0; }

 private:
  MemoryByteSource inner_;
  uint64_t failAt_;
  bool failed_ = false;
};

TEST(Lb2Walker, ReadFailures) {
  const Bytes bytes = framesBytes(sampleLb2Frames());
  for (const uint64_t failAt : {uint64_t{2}, uint64_t{60}, uint64_t{200}}) {
    SCOPED_TRACE(failAt);
    FailingSource in(bytes, failAt);
    RecordingSink sink;
    MemoryLineLog log;
    Lb2Walker walker(in, "f.lb2", sink, log);
    walker.readLb2File();
    expectInOrder(log.lines, {"[ERROR] LB2 stream read failure: " + std::string(std::strerror(EIO)),
                              "Failed to read from file f.lb2!", "finished reading LB2 file f.lb2"});
  }
}

TEST(Lb2Loader, CompanionFileAndLog) {
  kvl::testing::ScopedWorkDir dir("lb2-loader");
  RecordingSink sink;
  kvl::tracks::Lb2Loader loader;

  // No LB2 file: nothing to walk, nothing logged, the geom hook passes through.
  loader.lb2FileName("stage.lbs");
  EXPECT_FALSE(loader.hasStream());
  EXPECT_EQ(loader.lb2Name(), "");
  loader.readLb2File(sink);
  EXPECT_FALSE(kvl::testing::exists("lbsloading.log"));
  Bytes out;
  EXPECT_FALSE(loader.readGeomBlocks(out));

  ASSERT_TRUE(writeFile("stage.lb2", framesBytes(sampleLb2Frames())));
  loader.lb2FileName("stage.lbs");
  EXPECT_TRUE(loader.hasStream());
  EXPECT_EQ(loader.lb2Name(), "stage.lb2");
  loader.readLb2File(sink);
  EXPECT_FALSE(loader.hasStream());
  EXPECT_EQ(sink.objectBlocks.size(), 3u);
  ASSERT_EQ(sink.geomResults.size(), 1u);
  EXPECT_TRUE(sink.geomResults[0]);
  const std::string log = kvl::testing::readText("lbsloading.log");
  EXPECT_EQ(log.rfind("start reading LB2 file stage.lb2\nHEADER  offset: 0", 0), 0u) << log;
  EXPECT_NE(log.find("\nfinished reading LB2 file stage.lb2\n"), std::string::npos);

  // A second load starts the log afresh.
  loader.lb2FileName("stage.lbs");
  loader.readLb2File(sink);
  const std::string again = kvl::testing::readText("lbsloading.log");
  EXPECT_EQ(again, log);
}

TEST(Lb2Loader, UnreadableCompanionIsReportedAsAReadFailure) {
  kvl::testing::ScopedWorkDir dir("lb2-unreadable");
  // A folder under the LB2 name: it exists, but cannot be read as a file.
  std::filesystem::create_directory("stage.lb2");
  RecordingSink sink;
  MemoryLineLog log;
  kvl::tracks::Lb2Loader loader;
  loader.lb2FileName("stage.lbs");
  ASSERT_TRUE(loader.hasStream());
  loader.readLb2File(sink, log);
  ASSERT_EQ(log.lines.size(), 4u) << joined(log.lines);
  EXPECT_EQ(log.lines[0], "start reading LB2 file stage.lb2");
  EXPECT_EQ(log.lines[1].rfind("[ERROR] LB2 stream read failure: ", 0), 0u) << log.lines[1];
  EXPECT_EQ(log.lines[2], "Failed to read from file stage.lb2!");
  EXPECT_EQ(log.lines[3], "finished reading LB2 file stage.lb2");
  EXPECT_FALSE(loader.hasStream());
}

TEST(Lb2Loader, GeomBlocksOutsideAWalkLeaveTheOpenStreamAlone) {
  kvl::testing::ScopedWorkDir dir("lb2-geom");
  const Bytes segment = geomBlocksSegment(smallGeom());
  const Bytes data(segment.begin() + 8, segment.end());
  ASSERT_TRUE(writeFile("stage.lb2", data));
  kvl::tracks::Lb2Loader loader;
  loader.lb2FileName("stage.lbs");
  Bytes out{1, 2};
  EXPECT_FALSE(loader.readGeomBlocks(out));
  EXPECT_TRUE(out.empty());
  EXPECT_TRUE(loader.hasStream());
}

}  // namespace
