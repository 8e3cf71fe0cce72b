#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <set>
#include <string>

#include "plugin/foundation/files/dir_list.h"
#include "plugin/foundation/files/exception.h"
#include "plugin/foundation/files/file.h"
#include "plugin/foundation/files/file_handle.h"
#include "plugin/foundation/files/module_path.h"
#include "tests/support/scratch_folder.h"

namespace {

using kvl::io::DirList;
using kvl::io::File;
using kvl::io::FileHandle;
using kvl::testing::currentDirectory;
using kvl::testing::makeFolder;
using kvl::testing::ScratchFolder;
using kvl::testing::writeWholeFile;

std::set<std::string> pathsOf(DirList& list) {
  std::set<std::string> paths;
  for (const File& f : list.entries()) paths.insert(f.path());
  return paths;
}

TEST(FileResolution, FullPathAndExistence) {
  ScratchFolder scratch;
  const std::string here = currentDirectory();
  writeWholeFile("present.txt", "x");
  makeFolder("folder");
  const struct {
    const char* path;
    std::string full;
    bool exists;
  } cases[] = {
      {"present.txt", here + "\\present.txt", true},
      {"folder", here + "\\folder", true},
      {"folder/", here + "\\folder", true},
      {"absent.txt", here + "\\absent.txt", false},
      {"folder/../present.txt", here + "\\present.txt", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(File(c.path).fullPath(), c.full) << c.path;
    EXPECT_EQ(File(c.path).exists(), c.exists) << c.path;
  }
  std::string tooLong;
  while (tooLong.size() < 4200) tooLong += "deep\\";
  EXPECT_EQ(File(tooLong + "x").fullPath(), "");
  EXPECT_FALSE(File(tooLong + "x").exists());
}

TEST(ModulePath, IsTheRunningProgram) {
  char buffer[kvl::io::kModulePathBufferSize];
  std::fill(std::begin(buffer), std::end(buffer), 'x');
  const char* text = kvl::io::modulePath(buffer);
  EXPECT_EQ(text, buffer);
  EXPECT_EQ(buffer[kvl::io::kModulePathBufferSize - 1], '\0');
  const File program(text);
  EXPECT_EQ(program.name(), "file_system_test.exe");
  EXPECT_TRUE(program.exists());
  EXPECT_EQ(kvl::io::directoryOf(text), program.directory());
  EXPECT_EQ(kvl::io::modulePath(), std::string(text));
  EXPECT_EQ(kvl::io::directoryOf("C:\\Games\\Korvala_SSE.exe"), "C:\\Games");
  EXPECT_EQ(kvl::io::directoryOf(nullptr), "");
}

TEST(DirListing, ListsMatchingFilesOnly) {
  ScratchFolder scratch;
  makeFolder("maps");
  makeFolder("maps\\sub.dls");  // a folder that matches the pattern
  writeWholeFile("maps\\a.dls", "a");
  writeWholeFile("maps\\b.dls", "b");
  writeWholeFile("maps\\c.txt", "c");
  writeWholeFile("maps\\sub.dls\\deep.dls", "d");

  const struct {
    const char* pattern;
    std::set<std::string> paths;
  } cases[] = {
      {"maps\\*.dls", {"maps\\a.dls", "maps\\b.dls"}},
      {"maps/*", {"maps\\a.dls", "maps\\b.dls", "maps\\c.txt"}},
      {"maps\\*.lbs", {}},
      {"nowhere\\*.dls", {}},
      {"maps\\a.dls", {"maps\\a.dls"}},
  };
  for (const auto& c : cases) {
    DirList list(c.pattern);
    EXPECT_EQ(list.pattern(), c.pattern);
    EXPECT_EQ(pathsOf(list), c.paths) << c.pattern;
  }
  DirList bare("*.none");
  EXPECT_EQ(bare.patternDirectory(), "");
  EXPECT_TRUE(bare.entries().empty());
  EXPECT_EQ(DirList("maps/sub\\*.dls").patternDirectory(), "maps/sub");
}

TEST(DirListing, ReadsTheDiskOnce) {
  ScratchFolder scratch;
  writeWholeFile("one.ini", "1");
  DirList list("*.ini");
  EXPECT_EQ(list.entries().size(), 1u);
  writeWholeFile("two.ini", "2");
  EXPECT_EQ(list.entries().size(), 1u);
  EXPECT_EQ(&list.entries(), &list.entries());
  list.readDir();  // an explicit read sees the disk again
  EXPECT_EQ(list.entries().size(), 2u);
}

TEST(DirListing, FailedSearchThrowsOnceWithItsText) {
  ScratchFolder scratch;
  // A wildcard in a folder part is refused by the system as an invalid name, not "not found".
  DirList list("x\\*\\y.ini");
  bool thrown = false;
  try {
    list.entries();
  } catch (const kvl::Exception& e) {
    thrown = true;
    const std::string text =
        std::string("scan dir failed: x\\*\\y.ini errno: ") + std::to_string(EINVAL) + " - " + std::strerror(EINVAL);
    EXPECT_EQ(e.where(), "kvl::io::DirList::readDir");
    EXPECT_EQ(e.text(), text);
    EXPECT_EQ(e.message(), "kvl::io::DirList::readDir: " + text);
  }
  EXPECT_TRUE(thrown);
  EXPECT_NO_THROW(list.entries());  // not read again
  EXPECT_TRUE(list.entries().empty());
}

// Changes a file's last-write time without opening it for writing.
bool touch(const std::string& path, int64_t shift) {
  const HANDLE h =
      CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  FILETIME time;
  GetSystemTimeAsFileTime(&time);
  ULARGE_INTEGER t;
  t.LowPart = time.dwLowDateTime;
  t.HighPart = time.dwHighDateTime;
  t.QuadPart += shift;
  time.dwLowDateTime = t.LowPart;
  time.dwHighDateTime = t.HighPart;
  const bool ok = SetFileTime(h, nullptr, nullptr, &time) != 0;
  CloseHandle(h);
  return ok;
}

TEST(FileWatch, OpenFailuresAndUnopenedHandles) {
  ScratchFolder scratch;
  makeFolder("folder");
  FileHandle handle;
  EXPECT_FALSE(handle.isUnchanged());
  EXPECT_FALSE(handle.queryInformation());
  EXPECT_FALSE(handle.open("absent.dat"));
  EXPECT_FALSE(handle.open(""));
  EXPECT_FALSE(handle.isUnchanged());
}

TEST(FileWatch, NoticesNewWriteTimesButNotAttributes) {
  ScratchFolder scratch;
  writeWholeFile("watched.dat", "content");
  ASSERT_TRUE(touch("watched.dat", -36000000000LL));  // an hour ago
  auto handle = std::make_shared<FileHandle>();
  ASSERT_TRUE(handle->open("watched.dat"));
  EXPECT_TRUE(handle->isUnchanged());

  EXPECT_TRUE(SetFileAttributesA("watched.dat", FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(handle->isUnchanged());
  SetFileAttributesA("watched.dat", FILE_ATTRIBUTE_NORMAL);

  // Nobody can write the file while it is held.
  const HANDLE writer =
      CreateFileA("watched.dat", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
  if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);

  ASSERT_TRUE(touch("watched.dat", 0));
  EXPECT_FALSE(handle->isUnchanged());
  EXPECT_TRUE(handle->queryInformation());  // remembers the new state
  EXPECT_TRUE(handle->isUnchanged());
}

TEST(FileWatch, ClosesItsFileWhenDropped) {
  ScratchFolder scratch;
  writeWholeFile("first.dat", "1");
  writeWholeFile("second.dat", "2");
  {
    auto handle = std::make_shared<FileHandle>();
    ASSERT_TRUE(handle->open("first.dat"));
    EXPECT_FALSE(DeleteFileA("first.dat"));
    // Opening another file lets go of the first one.
    ASSERT_TRUE(handle->open("second.dat"));
    EXPECT_TRUE(DeleteFileA("first.dat"));
    EXPECT_FALSE(DeleteFileA("second.dat"));
  }
  EXPECT_TRUE(DeleteFileA("second.dat"));
  // Many watches in a row leave no handles behind.
  writeWholeFile("third.dat", "3");
  for (int i = 0; i < 200; ++i) {
    FileHandle handle;
    ASSERT_TRUE(handle.open("third.dat"));
  }
  writeWholeFile("third.dat", "rewritten");
  EXPECT_EQ(kvl::testing::readWholeFile("third.dat"), "rewritten");
}

}  // namespace
