#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/generators/dls_generator.h"
#include "tests/generators/lbs_generator.h"
#include "tests/support/run_program.h"
#include "tests/support/work_dir.h"

namespace {

using namespace kvl::testdata;
using kvl::testing::readText;
using kvl::testing::runProgram;
using kvl::testing::ScopedWorkDir;

const char* const kUsage =
    "\n"
    "Check KVL DLS files for errors.\n"
    "\n"
    "Usage: \n"
    "\n"
    "Animscan [file.dls..]\n"
    "\n"
    "    file.dls  List of DLS file names, separated by white space.\n"
    "\n"
    "    Checks the data of the specified DLS file(s) and writes \n"
    "    the result to the log file 'dlserrors.log' in the current \n"
    "    directory.\n"
    "\n";

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (std::size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
    out.push_back(text.substr(start, nl - start));
  if (start < text.size()) out.push_back(text.substr(start));
  return out;
}

bool endsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(Animscan, NoArgumentsPrintsUsage) {
  ScopedWorkDir dir("animscan-usage");
  const auto r = runProgram(ANIMSCAN_PROGRAM, {});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.output, kUsage);
  EXPECT_FALSE(kvl::testing::exists("dlserrors.log"));
}

TEST(Animscan, VerdictsLogAndUntouchedFiles) {
  ScopedWorkDir dir("animscan-files");
  struct Case {
    const char* file;
    Bytes bytes;
    bool written;
    const char* verdict;
    std::string logTail;  // empty: no log line
  };
  DlsLayout badChannels = cleanDlsLayout();
  badChannels.sets[0].animChannels = {0, 9};
  DlsLayout badVersion = cleanDlsLayout();
  badVersion.majorVersion = 3;
  Bytes cutShort = buildDls(cleanDlsLayout()).bytes;
  putU32(cutShort, 16, 0x7FFFFFF0);
  const std::vector<Case> cases = {
      {"clean.dls", buildDls(cleanDlsLayout()).bytes, true, "OK", ""},
      {"channels.dls", buildDls(badChannels).bytes, true, "NOK",
       "(file channels.dls), animationIdsOffset = 0x3c, count = 2, animation id name offsets out of range: NONE, "
       "animationSetsOffset = 0x50, count = 2, anim set header 0, replay camera channels out of range: NONE, "
       "animation channels out of range: 1(9) , anim set header 1, animation channels out of range: NONE"},
      {"my version.dls", buildDls(badVersion).bytes, true, "NOK",
       "(file my version.dls), no animdata file: major version mismatch"},
      {"sets.dls", cutShort, true, "NOK",
       "(file sets.dls), animationIdsOffset = 0x3c, count = 2, animation id name offsets out of range: NONE, "
       "animationSetsOffset = 0x7ffffff0: animation set list out of range (data size " +
           std::to_string(cutShort.size()) + ")"},
      {"missing.dls", {}, false, "NOK", "(file missing.dls), no animdata file: magic check failed"},
      {"empty.dls", {}, true, "NOK", "(file empty.dls), no animdata file: magic check failed"},
  };
  std::vector<std::string> args;
  std::string expectedOutput;
  std::vector<std::string> expectedLog;
  for (const Case& c : cases) {
    if (c.written) {
      ASSERT_TRUE(writeFile(c.file, c.bytes));
    }
    args.push_back(c.file);
    expectedOutput += std::string("checking file '") + c.file + "' (size " + std::to_string(c.bytes.size()) +
                      "): " + c.verdict + "\n";
    if (!c.logTail.empty()) expectedLog.push_back(" Loading DLS data of stage 0 " + c.logTail);
  }
  const auto r = runProgram(ANIMSCAN_PROGRAM, args);
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.output, expectedOutput);
  const std::vector<std::string> log = lines(readText("dlserrors.log"));
  ASSERT_EQ(log.size(), expectedLog.size()) << readText("dlserrors.log");
  for (std::size_t i = 0; i < log.size(); ++i) EXPECT_TRUE(endsWith(log[i], expectedLog[i])) << log[i];
  for (const Case& c : cases) {
    if (c.written) {
      EXPECT_EQ(readFile(c.file), c.bytes) << c.file;
    }
  }
  // A second run appends to the log.
  const auto again = runProgram(ANIMSCAN_PROGRAM, {"channels.dls"});
  EXPECT_EQ(again.exitCode, 0);
  EXPECT_EQ(lines(readText("dlserrors.log")).size(), expectedLog.size() + 1);
}

}  // namespace
