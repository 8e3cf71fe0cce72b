// The order in which an ini file's name is resolved, over a file class whose answers the test
// decides: the system's full-path call may fail once and work when asked again, and a name
// that cannot be resolved is looked for beside the program by its name part.
#include "common/ini/ini_full_path.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// What the file class answers, and what it was asked.
struct Answers {
  std::vector<std::string> fullPaths;  // one per fullPath call, in order; then empty texts
  bool exists = false;
  std::vector<std::string> asked;      // the paths whose full path was asked for
  int programFolderCalls = 0;
};
Answers* answers = nullptr;

class ScriptedFile {
 public:
  explicit ScriptedFile(const std::string& path) : path_(path) {}
  ScriptedFile(const ScriptedFile& directory, const std::string& name) : path_(directory.path_ + "\\" + name) {}
  std::string name() const {
    const auto cut = path_.find_last_of("\\/");
    return cut == std::string::npos ? path_ : path_.substr(cut + 1);
  }
  std::string fullPath() const {
    const std::size_t call = answers->asked.size();
    answers->asked.push_back(path_);
    return call < answers->fullPaths.size() ? answers->fullPaths[call] : std::string();
  }
  bool exists() const { return answers->exists; }

 private:
  std::string path_;
};

std::string resolve(const std::string& name) {
  return kvl::iniFullPath<ScriptedFile>(name, [] {
    ++answers->programFolderCalls;
    return std::string("C:\\Game");
  });
}

}  // namespace

TEST(IniFullPath, StepsInOrder) {
  using Paths = std::vector<std::string>;
  const struct {
    const char* what;
    std::string name;
    Paths fullPaths;
    bool exists;
    std::string expected;
    Paths asked;
    int programFolderCalls;
  } cases[] = {
      {"an empty name asks nothing", "", {"C:\\x.ini"}, true, "", {}, 0},
      {"the full path", "AudioFMOD\\AudioFMOD.ini", {"C:\\Run\\AudioFMOD\\AudioFMOD.ini"}, true,
       "C:\\Run\\AudioFMOD\\AudioFMOD.ini", {"AudioFMOD\\AudioFMOD.ini"}, 0},
      {"an existing file is asked once more", "Korvala.ini", {"", "C:\\Run\\Korvala.ini"}, true,
       "C:\\Run\\Korvala.ini", {"Korvala.ini", "Korvala.ini"}, 0},
      {"else its name part beside the program", "deep/er\\Korvala.ini", {"", "C:\\Game\\Korvala.ini"}, false,
       "C:\\Game\\Korvala.ini", {"deep/er\\Korvala.ini", "C:\\Game\\Korvala.ini"}, 1},
  };
  for (const auto& c : cases) {
    Answers a;
    a.fullPaths = c.fullPaths;
    a.exists = c.exists;
    answers = &a;
    EXPECT_EQ(resolve(c.name), c.expected) << c.what;
    EXPECT_EQ(a.asked, c.asked) << c.what;
    EXPECT_EQ(a.programFolderCalls, c.programFolderCalls) << c.what;
    answers = nullptr;
  }
}
