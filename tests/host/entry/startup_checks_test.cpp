#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "plugin/host/entry/startup_checks.h"
#include "tests/support/scratch_folder.h"

using namespace kvl;
using kvl::testing::ScratchFolder;

namespace {

std::string full(const std::string& relative) {
  char buffer[4096];
  const DWORD n = GetFullPathNameA(relative.c_str(), sizeof buffer, buffer, nullptr);
  return std::string(buffer, n);
}

void makeFolders() {
  CreateDirectoryA("Plugins", nullptr);
  CreateDirectoryA("Plugins\\QZR", nullptr);
  CreateDirectoryA("Plugins\\QZR\\bin", nullptr);
  CreateDirectoryA("Plugins\\QZR\\bin\\x64", nullptr);
}

}  // namespace

TEST(StartupChecks, Messages) {
  const std::string bin = "Plugins\\QZR\\bin\\x64\\";
  const std::string plugins = "Plugins\\";
  const std::string c0 = plugins + kConflictingPlugins[0] + ".dll";
  const std::string c2 = plugins + kConflictingPlugins[2] + ".dll";
  struct Case {
    const char* name;
    std::vector<std::string> files;
    bool ok;
    std::vector<std::string> listed;  // paths in the message, in order
    const char* heading;
    const char* closing;
  } cases[] = {
      {"complete installation", {bin + "QzrFmodDaemon.exe", bin + "fmod.dll", bin + "fmodstudio.dll"}, true, {}, "", ""},
      {"fmod.dll missing", {bin + "QzrFmodDaemon.exe", bin + "fmodstudio.dll"}, false, {bin + "fmod.dll"},
       "Missing FMOD executable files:\n\n", "\n\nPlease verify installation and restart!"},
      {"bin folder empty", {}, false, {bin + "QzrFmodDaemon.exe", bin + "fmod.dll", bin + "fmodstudio.dll"},
       "Missing FMOD executable files:\n\n", "\n\nPlease verify installation and restart!"},
      {"two conflicting plugins", {c2, c0, bin + "QzrFmodDaemon.exe", bin + "fmod.dll", bin + "fmodstudio.dll"}, false,
       {c0, c2}, "Incompatible plugins found:\n\n", "\n\nPlease delete and restart!"},
      {"conflict hides missing files", {c2}, false, {c2}, "Incompatible plugins found:\n\n",
       "\n\nPlease delete and restart!"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchFolder scratch;
    makeFolders();
    for (const auto& f : c.files) kvl::testing::writeWholeFile(f, "x");
    const auto message = startupCheckMessage("x64");
    ASSERT_EQ(message.has_value(), !c.ok);
    if (c.ok) continue;
    std::string expected = c.heading;
    for (const auto& path : c.listed) expected += full(path) + "\n";
    expected += c.closing;
    EXPECT_EQ(*message, expected);
  }
}

TEST(StartupChecks, TheArchitectureNamesTheFolder) {
  ScratchFolder scratch;
  makeFolders();
  CreateDirectoryA("Plugins\\QZR\\bin\\x86", nullptr);
  for (const char* f : {"QzrFmodDaemon.exe", "fmod.dll", "fmodstudio.dll"}) {
    kvl::testing::writeWholeFile(std::string("Plugins\\QZR\\bin\\x86\\") + f, "x");
  }
  EXPECT_FALSE(startupCheckMessage("x86").has_value());
  ASSERT_TRUE(startupCheckMessage("x64").has_value());
  EXPECT_NE(startupCheckMessage("x64")->find(full("Plugins\\QZR\\bin\\x64\\fmod.dll")), std::string::npos);
}

TEST(StartupChecks, FailureMessageNamesTheError) {
  const std::string text = startupFailureMessage("kvl::io::File::fullPath: path too long");
  EXPECT_NE(text.find("kvl::io::File::fullPath: path too long"), std::string::npos);
  EXPECT_STREQ(kSanityCheckCaption, "QZR Plugin Sanity Check");
  EXPECT_EQ(kSanityCheckExitCode, 42u);
}
