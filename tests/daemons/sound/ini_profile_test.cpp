// The sound daemon's ini paths on the real file system: relative names against the current
// directory, and a name the system cannot make absolute looked for by its name part beside the
// daemon's own program.
#include "daemons/sound/ini_profile.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/program_folder.h"
#include "tests/support/scratch_folder.h"

namespace {

using kvl::IniProfile;
using kvl::testing::currentDirectory;
using kvl::testing::programFolder;
using kvl::testing::ScratchFolder;

TEST(SoundIniProfilePath, RelativeNamesAndTheProgramFolderFallback) {
  ScratchFolder scratch;
  const std::string here = currentDirectory();
  std::string tooLong;
  while (tooLong.size() < 4200) tooLong += "deep/";
  const struct {
    std::string name;
    std::string expected;
  } cases[] = {
      {"AudioFMOD\\AudioFMOD.ini", here + "\\AudioFMOD\\AudioFMOD.ini"},
      {"AudioFMOD/AudioFMOD.ini", here + "\\AudioFMOD\\AudioFMOD.ini"},
      {"", ""},
      {tooLong + "AudioFMOD.ini", programFolder() + "\\AudioFMOD.ini"},
  };
  for (const auto& c : cases) EXPECT_EQ(IniProfile::path(c.name), c.expected) << c.name.substr(0, 40);
}

}  // namespace
