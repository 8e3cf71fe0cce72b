#include <gtest/gtest.h>

#include <sstream>

#include "common/daemon/daemon_arguments.h"
#include "common/daemon/version_banner.h"

namespace {

TEST(DaemonArguments, NumberForms) {
  struct Case {
    const char* text;
    bool ok;
    int32_t value;
  };
  const Case cases[] = {
      {"0", true, 0},
      {"12", true, 12},
      {"+12", true, 12},
      {"-3", true, -3},
      {"-0", true, 0},
      {"2147483647", true, 2147483647},
      {"-2147483648", true, INT32_MIN},
      {"000000000000000000042", true, 42},
      {"2147483648", false, 0},
      {"-2147483649", false, 0},
      {"99999999999999999999999", false, 0},
      {"", false, 0},
      {"+", false, 0},
      {"-", false, 0},
      {"12 ", false, 0},
      {" 12", false, 0},
      {"0x10", false, 0},
      {"1e3", false, 0},
      {"+-1", false, 0},
      {"12a", false, 0},
  };
  for (const Case& c : cases) {
    int32_t value = 0;
    EXPECT_EQ(kvl::parseSignedDecimal32(c.text, value), c.ok) << "'" << c.text << "'";
    if (c.ok) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
  int32_t value = 0;
  EXPECT_FALSE(kvl::parseSignedDecimal32(nullptr, value));
}

TEST(DaemonArguments, CountAndOrder) {
  kvl::DaemonArguments args;
  const char* tooFew[] = {"d.exe", "1", "2", "3", "4"};
  EXPECT_EQ(kvl::parseDaemonArguments(5, tooFew, args), kvl::DaemonArgumentsResult::TooFew);

  const char* six[] = {"d.exe", "1", "-2", "+3", "4", "5", "not-a-number"};
  ASSERT_EQ(kvl::parseDaemonArguments(7, six, args), kvl::DaemonArgumentsResult::Ok);
  EXPECT_EQ(args.pluginProcess, 1);
  EXPECT_EQ(args.mapping, -2);
  EXPECT_EQ(args.requestEvent, 3);
  EXPECT_EQ(args.replyEvent, 4);
  EXPECT_EQ(args.mutex, 5);

  for (int bad = 1; bad <= 5; ++bad) {
    const char* argv[] = {"d.exe", "1", "2", "3", "4", "5"};
    argv[bad] = "0x10";
    EXPECT_EQ(kvl::parseDaemonArguments(6, argv, args), kvl::DaemonArgumentsResult::NotANumber) << bad;
  }
}

TEST(VersionBanner, ExactLines) {
  struct Case {
    const char* word;
    const char* platform;
    const char* platformLine;
  };
  const Case cases[] = {
      {"32-bit", "x64", "  Running 32-bit build on platform 'x64'."},
      {"64-bit", "arm64", "  Running 64-bit build on platform 'arm64'."},
      {"64-bit", "", "  Running 64-bit build on platform ''."},
  };
  for (const Case& c : cases) {
    std::ostringstream out;
    kvl::writeDaemonBanner(out, "C:\\game\\Daemon.exe", c.word, c.platform);
    const std::string expected = std::string("\n  C:\\game\\Daemon.exe\n\n  Version 7.4.778.7 (2024-09-15)\n\n\n") +
                                 c.platformLine +
                                 "\n\n  This program can't be run standalone.\n"
                                 "  Anyway, all dependencies seem to be satisfied.\n\n";
    EXPECT_EQ(out.str(), expected);
  }
}

}  // namespace
