#include <gtest/gtest.h>

#include "plugin/foundation/files/exception.h"
#include "plugin/foundation/files/file.h"

namespace {

using kvl::io::File;

TEST(FilePath, Splitting) {
  const struct {
    const char* path;
    const char* directory;
    const char* name;
    const char* joined;
  } cases[] = {
      {"Plugins/QZR/strings.ini", "Plugins/QZR", "strings.ini", "Plugins/QZR\\strings.ini"},
      {"a\\b\\", "a", "b", "a\\b"},
      {"a/b//", "a", "b", "a\\b"},
      {"x.ini", "", "x.ini", "x.ini"},
      {"C:\\", "", "C:", "C:"},
      {"\\/\\", "", "", ""},
      {"", "", "", ""},
      {"C:\\Games\\Korvala\\Korvala_SSE.exe", "C:\\Games\\Korvala", "Korvala_SSE.exe",
       "C:\\Games\\Korvala\\Korvala_SSE.exe"},
      {"\\x", "", "x", "x"},
  };
  for (const auto& c : cases) {
    const File fromText(c.path);
    const File fromString{std::string(c.path)};
    EXPECT_EQ(fromText.directory(), c.directory) << c.path;
    EXPECT_EQ(fromText.name(), c.name) << c.path;
    EXPECT_EQ(fromText.path(), c.joined) << c.path;
    EXPECT_EQ(fromString.path(), c.joined) << c.path;
  }
  const File none(static_cast<const char*>(nullptr));
  EXPECT_EQ(none.directory(), "");
  EXPECT_EQ(none.name(), "");
  EXPECT_EQ(File().path(), "");
}

TEST(FilePath, SetPathReplacesBothParts) {
  File file("a\\b\\c.txt");
  file.setPath("d.txt");
  EXPECT_EQ(file.directory(), "");
  EXPECT_EQ(file.name(), "d.txt");
}

TEST(FilePath, Joining) {
  const struct {
    const char* directory;
    const char* name;
    const char* joinedDirectory;
    const char* joinedName;
  } cases[] = {
      {"", "\\x.ini", "", "x.ini"},
      {"dir/", "x.ini", "dir", "x.ini"},
      {"Plugins", "QZR/bin", "Plugins\\QZR", "bin"},
      {"C:\\Games", "Plugins\\Kestrun\\Kestrun.ini", "C:\\Games\\Plugins\\Kestrun", "Kestrun.ini"},
      {"a", "//b", "a", "b"},
      {"a", "", "", "a"},  // trailing separators of the join are dropped again
      {"a\\b", "c/", "a\\b", "c"},
  };
  for (const auto& c : cases) {
    const File joined(File(c.directory), c.name);
    EXPECT_EQ(joined.directory(), c.joinedDirectory) << c.directory << " + " << c.name;
    EXPECT_EQ(joined.name(), c.joinedName) << c.directory << " + " << c.name;
  }
  EXPECT_EQ(File(File("dir/"), "x.ini").path(), "dir\\x.ini");
  EXPECT_EQ(File(File(""), "\\x.ini").path(), "x.ini");
}

TEST(FileLayerException, MessageTextAndWhere) {
  const struct {
    const char* text;
    const char* where;
    const char* message;
  } cases[] = {
      {"scan dir failed: x errno: 13 - Permission denied", "kvl::io::DirList::readDir",
       "kvl::io::DirList::readDir: scan dir failed: x errno: 13 - Permission denied"},
      {"plain", "", "plain"},
      {"", "where", "where: "},
  };
  for (const auto& c : cases) {
    const kvl::Exception e(c.text, c.where);
    EXPECT_EQ(e.message(), c.message);
    EXPECT_EQ(e.text(), c.text);
    EXPECT_EQ(e.where(), c.where);
  }
}

TEST(FileLayerException, SettersAndCopies) {
  kvl::Exception e("one", "a");
  e.setText("two");
  e.setWhere("b");
  kvl::Exception copy(e);
  e.setText("three");
  EXPECT_EQ(copy.message(), "b: two");
  EXPECT_EQ(e.message(), "b: three");
  copy = e;
  EXPECT_EQ(copy.text(), "three");
  try {
    throw kvl::Exception("thrown", "kvl::io::DirList::readDir");
  } catch (const kvl::Exception& caught) {
    EXPECT_EQ(caught.message(), "kvl::io::DirList::readDir: thrown");
  }
}

}  // namespace
