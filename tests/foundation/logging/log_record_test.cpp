#include "plugin/foundation/logging/log_record.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iomanip>
#include <sstream>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

#include "tests/support/file_text.h"

namespace {

using kvl::testing::readWholeFile;
using kvl::LogRecord;


bool exists(const std::string& path) { return std::ifstream(path).good(); }

// Points the temporary folder at a folder of the test's own.
std::string useOwnTemporaryFolder() {
#ifdef _WIN32
  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, current);
  const std::string folder = std::string(current) + "\\log_record_tmp\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  SetEnvironmentVariableA("TMP", folder.c_str());
  SetEnvironmentVariableA("TEMP", folder.c_str());
#else
  const std::string folder = "log_record_tmp/";
  std::string command = "mkdir -p '" + folder + "'";
  if (std::system(command.c_str()) != 0) ADD_FAILURE() << command;
  setenv("TMPDIR", folder.c_str(), 1);
#endif
  return folder;
}

TEST(LogRecord, StreamsValuesInDefaultFormat) {
  struct Case {
    const char* name;
    std::function<void(LogRecord&)> write;
    const char* text;
  };
  const Case cases[] = {
      {"text and char", [](LogRecord& r) { r << std::string("ab") << 'c' << "de"; }, "abcde"},
      {"numbers", [](LogRecord& r) { r << -3 << ' ' << 4u << ' ' << 1.5f << ' ' << 0.1; }, "-3 4 1.5 0.1"},
      {"bools as words", [](LogRecord& r) { r << true << '/' << false; }, "true/false"},
      {"manipulators apply", [](LogRecord& r) { r << std::hex << 255 << std::dec << ' ' << 255; }, "ff 255"},
      {"null text", [](LogRecord& r) { r << static_cast<const char*>(nullptr) << 'x'; }, "x"},
  };
  for (const Case& c : cases) {
    LogRecord r;
    c.write(r);
    EXPECT_EQ(r.text(), c.text) << c.name;
  }
}

TEST(LogRecord, DisabledRecordWritesNothingAndEmpties) {
  const std::string folder = useOwnTemporaryFolder();
  const std::string path = kvl::logFilePath();
  EXPECT_EQ(path, folder + "QZR.log");
  std::remove(path.c_str());

  LogRecord r;
  EXPECT_FALSE(r.isEnabled());
  r << "first";
  r << kvl::endRecord;
  EXPECT_EQ(r.text(), "");
  r << "second" << kvl::endRecord;
  r << "third";
  EXPECT_EQ(r.text(), "third");
  r.flush();
  EXPECT_EQ(r.text(), "");
  EXPECT_FALSE(exists(path));
}

TEST(LogRecord, LineHeader) {
  struct Case {
    kvl::SystemTime time;
    unsigned pid, tid;
    const char* header;
  };
  kvl::SystemTime t1;
  t1.year = 2024;
  t1.month = 9;
  t1.day = 5;
  t1.hour = 7;
  t1.minute = 3;
  t1.second = 9;
  t1.milliseconds = 42;
  kvl::SystemTime t2 = t1;
  t2.day = 31;
  t2.month = 12;
  t2.hour = 23;
  t2.minute = 59;
  t2.second = 59;
  t2.milliseconds = 999;
  const Case cases[] = {
      {t1, 1234, 56, "05.09.2024 07:03:09.042 [1234:56]:"},
      {t2, 4294967295u, 4294967295u, "31.12.2024 23:59:59.999 [4294967295:4294967295]:"},
  };
  for (const Case& c : cases) EXPECT_EQ(kvl::logLineHeader(c.time, c.pid, c.tid), c.header);
}

TEST(LogRecord, LinesAreAppended) {
  const std::string folder = useOwnTemporaryFolder();
  const std::string path = folder + "append.log";
  std::remove(path.c_str());
  kvl::appendLogLine(path, "H1:", "one");
  kvl::appendLogLine(path, "H2:", "two");
#ifdef _WIN32
  EXPECT_EQ(readWholeFile(path), "H1: one\r\nH2: two\r\n");
#else
  EXPECT_EQ(readWholeFile(path), "H1: one\nH2: two\n");
#endif
  // A file that cannot be opened loses the line quietly.
  kvl::appendLogLine(folder + "no-such-folder/x.log", "H:", "lost");
  EXPECT_FALSE(exists(folder + "no-such-folder/x.log"));
}

}  // namespace
