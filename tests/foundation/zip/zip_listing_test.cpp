#include "plugin/foundation/zip/zip_entry_listing.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "plugin/foundation/zip/zip_central_directory.h"
#include "tests/foundation/zip/zip_bytes.h"
#include "tests/support/file_text.h"

#ifdef QZR_TEST_WITH_MINIZIP
#include <minizip/zip.h>

#include "plugin/foundation/zip/minizip_zip_reader.h"
#endif

namespace {

using kvl::testing::writeWholeFile;

using Names = std::deque<std::string>;


// Every reader this build can list with: ours everywhere, minizip natively as well.
struct ReaderKind {
  const char* name;
  std::function<std::unique_ptr<kvl::ZipReader>()> make;
};

std::vector<ReaderKind> readers() {
  std::vector<ReaderKind> kinds;
  kinds.push_back({"central directory", [] { return std::make_unique<kvl::CentralDirectoryZipReader>(); }});
#ifdef QZR_TEST_WITH_MINIZIP
  kinds.push_back({"minizip", [] { return std::make_unique<kvl::MinizipZipReader>(); }});
#endif
  kinds.push_back({"default", [] { return kvl::makeZipReader(); }});
  return kinds;
}

// Lists the file with every reader; each must append exactly `appended` after the names already
// held and return `result`.
void expectListing(const std::string& what, const std::string& path, bool result, const Names& appended) {
  for (const ReaderKind& kind : readers()) {
    Names names = {"kept.dds"};
    const std::unique_ptr<kvl::ZipReader> reader = kind.make();
    const bool ok = kvl::listZipEntries(*reader, path, names);
    EXPECT_EQ(ok, result) << what << " with " << kind.name;
    Names expected = {"kept.dds"};
    expected.insert(expected.end(), appended.begin(), appended.end());
    EXPECT_EQ(names, expected) << what << " with " << kind.name;
  }
  Names names;
  EXPECT_EQ(kvl::listZipEntries(path, names), result) << what;
  EXPECT_EQ(names, appended) << what;
}

const std::vector<ziptest::Entry> kTwo = {{"a\\b.dds", "first", ""}, {"c.dds", "second", ""}};

struct Case {
  const char* name;
  std::function<std::string()> bytes;
  bool result;
  Names names;
};

std::vector<Case> cases() {
  using ziptest::build;
  std::vector<Case> list;
  list.push_back({"backslash names", [] { return build(kTwo).bytes; }, true, {"a/b.dds", "c.dds"}});
  list.push_back({"nested folders",
                  [] {
                    return build({{"textures/", "", ""},
                                  {"textures/road/", "", ""},
                                  {"textures/road\\gravel.dds", "g", ""},
                                  {"sky\\clouds\\high.dds", "h", ""}})
                        .bytes;
                  },
                  true,
                  {"textures/", "textures/road/", "textures/road/gravel.dds", "sky/clouds/high.dds"}});
  list.push_back({"names keep their bytes",
                  [] { return build({{"b\xc3\xa4ume.dds", "x", ""}, {"a b  c.DDS", "", ""}}).bytes; },
                  true,
                  {"b\xc3\xa4ume.dds", "a b  c.DDS"}});
  list.push_back({"empty archive", [] { return build({}).bytes; }, false, {}});
  list.push_back({"empty file", [] { return std::string(); }, false, {}});
  list.push_back({"not an archive", [] { return std::string("[Section]\nkey=value\n"); }, false, {}});
  list.push_back({"end record cut off", [] {
                    const ziptest::Archive a = build(kTwo);
                    return a.bytes.substr(0, a.end + 10);
                  },
                  false, {}});
  list.push_back({"cut inside the directory", [] {
                    const ziptest::Archive a = build(kTwo);
                    return a.bytes.substr(0, a.records[1] + 5);
                  },
                  false, {}});
  list.push_back({"second record damaged", [] {
                    ziptest::Archive a = build(kTwo);
                    a.bytes[a.records[1]] = 'X';
                    return a.bytes;
                  },
                  false, {"a/b.dds"}});
  list.push_back({"first record damaged", [] {
                    ziptest::Archive a = build(kTwo);
                    a.bytes[a.records[0] + 1] = 'X';
                    return a.bytes;
                  },
                  false, {}});
  list.push_back({"more entries declared than present", [] {
                    ziptest::Archive a = build(kTwo);
                    ziptest::set16(a.bytes, a.end + 8, 3);
                    ziptest::set16(a.bytes, a.end + 10, 3);
                    return a.bytes;
                  },
                  false, {"a/b.dds", "c.dds"}});
  list.push_back({"fewer entries declared than present", [] {
                    ziptest::Archive a = build(kTwo);
                    ziptest::set16(a.bytes, a.end + 8, 1);
                    ziptest::set16(a.bytes, a.end + 10, 1);
                    return a.bytes;
                  },
                  true, {"a/b.dds"}});
  list.push_back({"entry counts disagree", [] {
                    ziptest::Archive a = build(kTwo);
                    ziptest::set16(a.bytes, a.end + 8, 1);
                    return a.bytes;
                  },
                  false, {}});
  list.push_back({"second disk", [] {
                    ziptest::Archive a = build(kTwo);
                    ziptest::set16(a.bytes, a.end + 4, 1);
                    return a.bytes;
                  },
                  false, {}});
  list.push_back({"directory beyond the end record", [] {
                    ziptest::Archive a = build(kTwo);
                    ziptest::set32(a.bytes, a.end + 16, static_cast<uint32_t>(a.end + 100));
                    return a.bytes;
                  },
                  false, {}});
  list.push_back({"huge directory offset", [] {
                    ziptest::Archive a = build(kTwo);
                    ziptest::set32(a.bytes, a.end + 16, 0xfffffff0u);
                    return a.bytes;
                  },
                  false, {}});
  list.push_back({"name runs past the end of the file", [] {
                    ziptest::Archive a = build(kTwo);
                    ziptest::set16(a.bytes, a.records[1] + 28, 0xffff);
                    return a.bytes;
                  },
                  false, {"a/b.dds"}});
  list.push_back({"stub before the archive",
                  [] {
                    ziptest::Options o;
                    o.stub = std::string(300, 'M');
                    return build(kTwo, o).bytes;
                  },
                  true,
                  {"a/b.dds", "c.dds"}});
  list.push_back({"archive comment",
                  [] {
                    ziptest::Options o;
                    o.comment = "made for the texture tests";
                    return build(kTwo, o).bytes;
                  },
                  true,
                  {"a/b.dds", "c.dds"}});
  list.push_back({"zip64 end record",
                  [] {
                    ziptest::Options o;
                    o.zip64End = true;
                    return build(kTwo, o).bytes;
                  },
                  true,
                  {"a/b.dds", "c.dds"}});
  list.push_back({"zip64 end record with a bad signature", [] {
                    ziptest::Options o;
                    o.zip64End = true;
                    ziptest::Archive a = build(kTwo, o);
                    a.bytes[a.zip64End] = 'X';
                    // The plain end record then counts 0xffff entries it does not have.
                    return a.bytes;
                  },
                  false, {}});
  list.push_back({"extra fields are skipped",
                  [] {
                    std::string extra;
                    ziptest::put16(extra, 0x5455);
                    ziptest::put16(extra, 5);
                    extra += "12345";
                    return build({{"x.dds", "x", extra}, {"y.dds", "y", ""}}).bytes;
                  },
                  true,
                  {"x.dds", "y.dds"}});
  list.push_back({"many entries in order",
                  [] {
                    std::vector<ziptest::Entry> entries;
                    for (int i = 0; i < 300; ++i) entries.push_back({"t\\" + std::to_string(i) + ".dds", "", ""});
                    return build(entries).bytes;
                  },
                  true,
                  [] {
                    Names n;
                    for (int i = 0; i < 300; ++i) n.push_back("t/" + std::to_string(i) + ".dds");
                    return n;
                  }()});
  return list;
}

TEST(ZipListing, ArchivesOfEveryShape) {
  int index = 0;
  for (const Case& c : cases()) {
    const std::string path = "listing_" + std::to_string(index++) + ".zip";
    writeWholeFile(path, c.bytes());
    expectListing(c.name, path, c.result, c.names);
  }
}

TEST(ZipListing, MissingFileAppendsNothing) {
  std::remove("no_such_archive.zip");
  expectListing("missing file", "no_such_archive.zip", false, {});
}

TEST(ZipListing, EntriesReadOutOfOrder) {
  writeWholeFile("out_of_order.zip", ziptest::build({{"a", "", ""}, {"b", "", ""}, {"c", "", ""}}).bytes);
  for (const ReaderKind& kind : readers()) {
    const std::unique_ptr<kvl::ZipReader> reader = kind.make();
    ASSERT_TRUE(reader->open("out_of_order.zip")) << kind.name;
    std::string name;
    EXPECT_TRUE(reader->entryName(2, name)) << kind.name;
    EXPECT_EQ(name, "c") << kind.name;
    EXPECT_TRUE(reader->entryName(1, name)) << kind.name;
    EXPECT_EQ(name, "b") << kind.name;
    EXPECT_FALSE(reader->entryName(3, name)) << kind.name;
    reader->close();
    uint64_t count = 0;
    EXPECT_FALSE(reader->entryCount(count)) << kind.name << ": closed";
  }
}

#ifdef QZR_TEST_WITH_MINIZIP
// Archives written by minizip itself, deflated and with zip64 headers, list the same with both readers.
TEST(ZipListing, ArchivesWrittenByMinizip) {
  for (int zip64 : {0, 1}) {
    const std::string path = "minizip_written_" + std::to_string(zip64) + ".zip";
    zipFile zf = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
    ASSERT_NE(zf, nullptr);
    const char* const entries[] = {"textures\\road\\gravel.dds", "textures/sky.dds", "readme.txt"};
    for (const char* name : entries) {
      zip_fileinfo info = {};
      ASSERT_EQ(zipOpenNewFileInZip64(zf, name, &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                                      Z_DEFAULT_COMPRESSION, zip64),
                ZIP_OK);
      const std::string data(1000, name[0]);
      ASSERT_EQ(zipWriteInFileInZip(zf, data.data(), static_cast<unsigned>(data.size())), ZIP_OK);
      ASSERT_EQ(zipCloseFileInZip(zf), ZIP_OK);
    }
    ASSERT_EQ(zipClose(zf, "archive comment"), ZIP_OK);
    expectListing("written by minizip", path, true, {"textures/road/gravel.dds", "textures/sky.dds", "readme.txt"});
  }
}

// Damaged variants of valid archives (bytes changed, 16-bit fields overwritten, archive comments
// cut short) give the same result and the same names with both readers. (An end record cut short
// is refused by our reader, while minizip reads the missing bytes of a field as copies of the
// last byte it got; the listing cases above cover cut archives.)
TEST(ZipListing, DamagedArchivesListAlikeWithBothReaders) {
  const std::string comment(24, 'c');
  std::vector<std::string> bases;
  ziptest::Options plain;
  plain.comment = comment;
  bases.push_back(ziptest::build(kTwo, plain).bytes);
  ziptest::Options stub;
  stub.stub = std::string(64, 'M');
  stub.comment = comment;
  bases.push_back(ziptest::build(kTwo, stub).bytes);
  ziptest::Options zip64;
  zip64.zip64End = true;
  zip64.comment = comment;
  bases.push_back(ziptest::build({{"a", "1", ""}, {"b\\c", "22", ""}, {"d/", "", ""}}, zip64).bytes);

  uint32_t seed = 12345;
  const auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return seed >> 8;
  };
  int listed = 0;
  int refused = 0;
  for (int round = 0; round < 1500; ++round) {
    std::string bytes = bases[next() % bases.size()];
    const int edits = 1 + static_cast<int>(next() % 3);
    size_t commentLeft = comment.size();
    for (int e = 0; e < edits && !bytes.empty(); ++e) {
      const size_t at = next() % bytes.size();
      switch (next() % 4) {
        case 0:
          bytes[at] = static_cast<char>(next());
          break;
        case 1:
          if (at + 1 < bytes.size()) ziptest::set16(bytes, at, next() % 3 == 0 ? 0xffff : next() % 64);
          break;
        case 2:
          if (commentLeft > 0) {
            const size_t cut = next() % (commentLeft + 1);
            bytes.resize(bytes.size() - cut);
            commentLeft -= cut;
          }
          break;
        default:
          bytes[at] = static_cast<char>(bytes[at] ^ 0x01);
          break;
      }
    }
    writeWholeFile("damaged.zip", bytes);
    Names ours, theirs;
    kvl::CentralDirectoryZipReader own;
    kvl::MinizipZipReader minizip;
    const bool ownResult = kvl::listZipEntries(own, "damaged.zip", ours);
    const bool minizipResult = kvl::listZipEntries(minizip, "damaged.zip", theirs);
    ASSERT_EQ(ownResult, minizipResult) << "round " << round;
    ASSERT_EQ(ours, theirs) << "round " << round;
    ++(ownResult ? listed : refused);
  }
  // Both outcomes must be well represented for the comparison to mean something.
  EXPECT_GT(listed, 200);
  EXPECT_GT(refused, 200);
}
#endif

}  // namespace
