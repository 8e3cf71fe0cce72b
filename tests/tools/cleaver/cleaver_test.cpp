#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/generators/lbs_generator.h"
#include "tests/support/run_program.h"
#include "tests/support/work_dir.h"

namespace {

using namespace kvl::testdata;
using kvl::testing::exists;
using kvl::testing::runProgram;
using kvl::testing::ScopedWorkDir;

const char* const kUsage =
    "\n\n"
    "Split LBS file into files LBS and LB2.\n"
    "\n"
    "CLEAVER file.lbs\n"
    "\n"
    "    file.lbs  Name of LBS file to split.\n"
    "\n"
    "    LB2 file contains the following data segments: \n"
    "        * visible objects \n"
    "        * geom blocks \n"
    "        * object blocks \n"
    "\n"
    "    LBS file contains all other segments.\n"
    "\n\n";

const char* const kSuccessEnd = "\nBoth files, LBS and LB2, were successfully written!\n\n\n";
const char* const kFailureEnd = "\nError writing LBS and LB2 files!\n\n\n";

int32_t i32At(const Bytes& b, std::size_t at) {
  return static_cast<int32_t>(static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 |
                              static_cast<uint32_t>(b[at + 2]) << 16 | static_cast<uint32_t>(b[at + 3]) << 24);
}

// Splits well-formed frames by their type words, independently of the program.
void routeFrames(const Bytes& in, Bytes& lbs, Bytes& lb2) {
  std::size_t pos = 0;
  while (pos < in.size()) {
    const int32_t h = i32At(in, pos);
    int32_t t1 = 0, t2 = 0;
    if (h == 4) t1 = i32At(in, pos + 4);
    if (h >= 8) t1 = i32At(in, pos + 4), t2 = i32At(in, pos + 8);
    std::size_t len = 4 + static_cast<std::size_t>(std::max(h, 0));
    if (h > 0) len += 4 + static_cast<std::size_t>(std::max(i32At(in, pos + len), 0));
    const bool toLb2 = (t1 == 1 && (t2 == 0 || t2 == 1)) || (t1 == 2 && t2 == 10);
    Bytes& out = toLb2 ? lb2 : lbs;
    out.insert(out.end(), in.begin() + static_cast<std::ptrdiff_t>(pos), in.begin() + static_cast<std::ptrdiff_t>(pos + len));
    pos += len;
  }
}

// The folder holds exactly these files (besides the program's captured output).
std::vector<std::string> filesIn(const std::vector<std::string>& candidates) {
  std::vector<std::string> found;
  for (const std::string& c : candidates)
    if (exists(c)) found.push_back(c);
  return found;
}

const std::vector<std::string> kAllNames = {"t.lbs", "t.lb2", "t.lbs.orig", "t.lbs.cleaver-tmp", "t.lb2.cleaver-tmp"};

TEST(Cleaver, UsageAndRefusals) {
  ScopedWorkDir dir("cleaver-refusals");
  struct Case {
    const char* name;
    std::vector<std::string> existing;  // created with a few bytes before the run
    std::vector<std::string> args;
    int exitCode;
    std::string output;
  };
  const std::vector<Case> cases = {
      {"no argument", {}, {}, 42, kUsage},
      {"empty name", {}, {""}, 1, "LBS file name is empty!\n"},
      {"missing file", {}, {"t.lbs"}, 1, "LBS file t.lbs not found: No such file or directory\n"},
      {"LB2 file present", {"t.lbs", "t.lb2"}, {"t.lbs"}, 1, "LB2 file t.lb2 already exists!\n"},
      {"backup present", {"t.lbs", "t.lbs.orig"}, {"t.lbs"}, 1, "Backup/working file t.lbs.orig already exists!\n"},
      {"name ending in 2", {"t.lb2"}, {"t.lb2"}, 1, "LB2 file t.lb2 already exists!\n"},
      // A player's files at the working names are neither cut nor deleted.
      {"LBS working file present", {"t.lbs", "t.lbs.cleaver-tmp"}, {"t.lbs"}, 1,
       "Working file t.lbs.cleaver-tmp already exists!\n"},
      {"LB2 working file present", {"t.lbs", "t.lb2.cleaver-tmp"}, {"t.lbs"}, 1,
       "Working file t.lb2.cleaver-tmp already exists!\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const std::string& n : kAllNames) std::remove(n.c_str());
    for (const std::string& n : c.existing) ASSERT_TRUE(writeFile(n, Bytes{1, 2, 3}));
    const auto r = runProgram(CLEAVER_PROGRAM, c.args);
    EXPECT_EQ(r.exitCode, c.exitCode);
    EXPECT_EQ(r.output, c.output);
    EXPECT_EQ(filesIn(kAllNames), filesIn(c.existing));
    for (const std::string& n : c.existing) EXPECT_EQ(readFile(n), (Bytes{1, 2, 3})) << n;
  }
}

TEST(Cleaver, ReportOfOneFrame) {
  ScopedWorkDir dir("cleaver-one");
  ASSERT_TRUE(writeFile("t.lbs", frameBytes(typedFrame(2, 10, Bytes(5, 7)))));
  const auto r = runProgram(CLEAVER_PROGRAM, {"t.lbs"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.output, std::string("HEADER  len: 8  size: 8\n"
                                  "SEGMENT  offset: 12  type01: 2  type02: 10\n"
                                  "LB2 segment type detected\n"
                                  "writing header  type01: 2  type02: 10\n"
                                  "copying segment  type01: 2  type02: 10  segment len: 5\n"
                                  "copying data ...  done!\n"
                                  "\n\n"
                                  "End of LBS file t.lbs reached after reading 21 bytes\n") +
                          kSuccessEnd);
  EXPECT_EQ(readFile("t.lb2"), frameBytes(typedFrame(2, 10, Bytes(5, 7))));
  EXPECT_EQ(readFile("t.lbs"), Bytes{});
}

TEST(Cleaver, SplitsFrameByFrame) {
  struct Case {
    const char* name;
    std::vector<Frame> frames;
    std::vector<std::string> reportLines;  // each appears in the report
  };
  Frame negative = bareFrame(-3);
  Frame negativeSegment = typedFrame(7, 7, {});
  negativeSegment.segmentLength = -9;
  // Larger than a piece of the copy and than the input's buffer.
  Bytes big(300000);
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<uint8_t>(i * 13);
  const std::vector<Case> cases = {
      {"sample stage", sampleStageFrames(), {"LB2 segment type detected", "LBS segment type detected"}},
      {"routing by kind",
       {typedFrame(1, 2, Bytes(3, 1)), typedFrame(2, 10, Bytes(3, 2)), typedFrame(1, 0, Bytes(3, 3)),
        typedFrame(1, 1, Bytes(3, 4)), typedFrame(10, 2, Bytes(3, 5))},
       {"SEGMENT  offset: 12  type01: 1  type02: 2"}},
      {"4-byte header", {frameWithHeaderBytes(1, 1, 4, Bytes(2, 1))},
       {"HEADER  len: 4  size: 4", "short header length: 4", "SEGMENT  offset: 8  type01: 1  type02: 0"}},
      {"12-byte header routes by its first 8", {frameWithHeaderBytes(2, 10, 12, Bytes(6, 1))},
       {"HEADER  len: 12  size: 8", "copying data ...  done!", "LB2 segment type detected"}},
      {"short headers", {frameWithHeaderBytes(1, 0, 2, Bytes(1, 1)), frameWithHeaderBytes(1, 0, 6, Bytes(1, 1))},
       {"invalid header length: 2", "HEADER  len: 6  size: 6", "SEGMENT  offset: 21  type01: 0  type02: 0"}},
      {"bare and negative headers", {bareFrame(0), negative, typedFrame(2, 10, Bytes(2, 2))},
       {"HEADER  len: 0  size: 0", "HEADER  len: -3  size: 0", "invalid header length: 0"}},
      {"negative segment length", {negativeSegment, typedFrame(1, 1, Bytes(1, 1))},
       {"copying segment  type01: 7  type02: 7  segment len: -9"}},
      {"segment larger than the copy buffer", {typedFrame(1, 0, big), typedFrame(5, 0, big)},
       {"copying segment  type01: 1  type02: 0  segment len: 300000"}},
      {"empty file", {}, {"End of LBS file t.lbs reached after reading 0 bytes"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScopedWorkDir dir("cleaver-split");
    const Bytes original = framesBytes(c.frames);
    ASSERT_TRUE(writeFile("t.lbs", original));
    const auto r = runProgram(CLEAVER_PROGRAM, {"t.lbs"});
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(r.output.find("End of LBS file t.lbs reached after reading " + std::to_string(original.size()) +
                            " bytes\n" + kSuccessEnd),
              std::string::npos)
        << r.output;
    for (const std::string& l : c.reportLines) EXPECT_NE(r.output.find(l + "\n"), std::string::npos) << l;
    Bytes lbs, lb2;
    routeFrames(original, lbs, lb2);
    EXPECT_EQ(readFile("t.lbs.orig"), original);
    EXPECT_EQ(readFile("t.lbs"), lbs);
    EXPECT_EQ(readFile("t.lb2"), lb2);
    EXPECT_EQ(filesIn(kAllNames), (std::vector<std::string>{"t.lbs", "t.lb2", "t.lbs.orig"}));
    // A second run refuses: the LB2 file and the backup exist.
    const auto again = runProgram(CLEAVER_PROGRAM, {"t.lbs"});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_EQ(readFile("t.lbs"), lbs);
  }
}

TEST(Cleaver, CutShortInputLeavesTheOriginal) {
  // The sample stage cut inside each part of a frame: length word, header, segment length, segment.
  const Bytes whole = framesBytes(sampleStageFrames());
  const Bytes first = frameBytes(sampleStageFrames()[0]);  // 4 + 8 + 4 + 20 bytes
  struct Case {
    const char* name;
    std::size_t size;
    std::size_t frameOffset;
  };
  const Case cases[] = {
      {"inside the header length", 2, 0},
      {"inside the header", 9, 0},
      {"inside the segment length", 14, 0},
      {"inside the segment", 30, 0},
      {"inside the second frame", first.size() + 100, first.size()},
      {"one byte short", whole.size() - 1, whole.size() - frameBytes(sampleStageFrames().back()).size()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScopedWorkDir dir("cleaver-cut");
    const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(c.size));
    ASSERT_TRUE(writeFile("t.lbs", cut));
    const auto r = runProgram(CLEAVER_PROGRAM, {"t.lbs"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.output.find("LBS file t.lbs is cut short: the frame at offset " + std::to_string(c.frameOffset) +
                            " ends with the file after " + std::to_string(c.size) + " bytes\n"),
              std::string::npos)
        << r.output;
    EXPECT_NE(r.output.find(kFailureEnd), std::string::npos);
    EXPECT_EQ(filesIn(kAllNames), std::vector<std::string>{"t.lbs"});
    EXPECT_EQ(readFile("t.lbs"), cut);
  }
}

TEST(Cleaver, FolderAtAWorkingNameLeavesTheOriginal) {
  const char* const blockers[] = {"t.lbs.cleaver-tmp", "t.lb2.cleaver-tmp"};
  for (const char* blocker : blockers) {
    SCOPED_TRACE(blocker);
    ScopedWorkDir dir("cleaver-unwritable");
    const Bytes original = framesBytes(sampleStageFrames());
    ASSERT_TRUE(writeFile("t.lbs", original));
    // A folder where a temporary file would go: the run stops before it.
    std::filesystem::create_directory(blocker);
    const auto r = runProgram(CLEAVER_PROGRAM, {"t.lbs"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.output, "Working file " + std::string(blocker) + " already exists!\n");
    EXPECT_EQ(readFile("t.lbs"), original);
    EXPECT_TRUE(std::filesystem::is_directory(blocker));
    const std::string other = std::string(blocker) == "t.lbs.cleaver-tmp" ? "t.lb2.cleaver-tmp" : "t.lbs.cleaver-tmp";
    EXPECT_EQ(filesIn({"t.lb2", "t.lbs.orig", other}), std::vector<std::string>{});
  }
}

TEST(Cleaver, UnreadableInputLeavesTheOriginal) {
  ScopedWorkDir dir("cleaver-folder");
  // A folder exists under the given name but cannot be read as a file.
  const auto r = runProgram(CLEAVER_PROGRAM, {"."});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.output.find(kFailureEnd), std::string::npos) << r.output;
  EXPECT_TRUE(filesIn({"2", "..orig", "..cleaver-tmp", "2.cleaver-tmp"}).empty());
}

}  // namespace
