#include "common/dls/dls_check.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "common/text/date_time_text.h"
#include "tests/generators/dls_generator.h"
#include "tests/support/work_dir.h"

namespace {

using kvl::testdata::buildDls;
using kvl::testdata::Bytes;
using kvl::testdata::cleanDlsLayout;
using kvl::testdata::DlsFile;
using kvl::testdata::DlsLayout;
using kvl::testdata::getU32;
using kvl::testdata::putU32;

const std::string kStart = "Loading DLS data of stage 0";
// The report of the clean sample up to its set list.
const std::string kCleanIds = ", animationIdsOffset = 0x3c, count = 2, animation id name offsets out of range: NONE";

struct Case {
  const char* name;
  std::function<DlsLayout()> layout;
  std::function<void(DlsFile&)> damage;  // applied to the built bytes
  bool ok;
  std::string text;                      // after "Loading DLS data of stage 0"
  // Checks on the bytes after the check; empty: the bytes are left as they were.
  std::function<void(const DlsFile&)> repaired;
};

DlsLayout clean() { return cleanDlsLayout(); }
void none(DlsFile&) {}
constexpr std::nullptr_t unchanged = nullptr;

std::vector<Case> cases() {
  std::vector<Case> c;
  c.push_back({"clean file", clean, none, true,
               kCleanIds + ", animationSetsOffset = 0x50, count = 2, anim set header 0, replay camera channels out of "
                           "range: NONE, animation channels out of range: NONE, anim set header 1, animation channels "
                           "out of range: NONE",
               unchanged});
  c.push_back({"first magic word", clean, [](DlsFile& f) { putU32(f.bytes, 0, 0x4D494E41); }, false,
               ", no animdata file: magic check failed", unchanged});
  c.push_back({"second magic word", clean, [](DlsFile& f) { putU32(f.bytes, 4, 0); }, false,
               ", no animdata file: magic check failed", unchanged});
  c.push_back({"major version", [] { DlsLayout l = clean(); l.majorVersion = 17; return l; }, none, false,
               ", no animdata file: major version mismatch", unchanged});
  c.push_back({"no name limit disables every id",
               [] { DlsLayout l = clean(); l.withNameLimit = false; return l; }, none, false,
               ", animationIdsOffset = 0x3c, count = 2, animation id name offsets out of range:  0x11 (offset 0x10 / "
               "index 0) 0x22 (offset 0x20 / index 1), animationSetsOffset = 0x50, count = 2, anim set header 0, "
               "replay camera channels out of range: NONE, animation channels out of range: NONE, anim set header 1, "
               "animation channels out of range: NONE",
               [](const DlsFile& f) { EXPECT_EQ(getU32(f.bytes, f.idTableAt), 0u); }});
  c.push_back({"zero prints without prefix",
               [] { DlsLayout l = clean(); l.nameLimit = 0; l.ids = {{0, 0}}; l.sets.clear(); return l; }, none, false,
               ", animationIdsOffset = 0x3c, count = 1, animation id name offsets out of range:  0 (offset 0 / index "
               "0), animationSetsOffset = 0x48, count = 0",
               [](const DlsFile& f) { EXPECT_EQ(getU32(f.bytes, f.idTableAt), 0u); }});
  c.push_back({"no id table, no id text",
               [] { DlsLayout l = clean(); l.withIdTable = false; l.sets.resize(1); l.sets[0].replayChannels = {4}; return l; },
               none, false,
               ", animationSetsOffset = 0x50, count = 1, anim set header 0, replay camera channels out of range: 0(4) "
               ", animation channels out of range: NONE",
               [](const DlsFile& f) {
                 EXPECT_EQ(getU32(f.bytes, f.setHeaderAt[0] + 8), 0u);
                 EXPECT_EQ(getU32(f.bytes, f.setHeaderAt[0] + 12), 4u);
               }});
  c.push_back({"animation channel out of range",
               [] { DlsLayout l = clean(); l.sets[1].animChannels = {1, 2, 7}; return l; }, none, false,
               kCleanIds + ", animationSetsOffset = 0x50, count = 2, anim set header 0, replay camera channels out of "
                           "range: NONE, animation channels out of range: NONE, anim set header 1, animation channels "
                           "out of range: 1(2) 2(7) ",
               [](const DlsFile& f) { EXPECT_EQ(getU32(f.bytes, f.setHeaderAt[1] + 12), 0u); }});
  c.push_back({"negative sets offset", clean, [](DlsFile& f) { putU32(f.bytes, 16, 0xFFFFFFF0); }, false,
               kCleanIds + ", animationSetsOffset = 0xfffffff0: negative animation sets offset", unchanged});
  c.push_back({"negative set header offset keeps earlier repairs",
               [] { DlsLayout l = clean(); l.sets[0].replayChannels = {9}; return l; },
               [](DlsFile& f) { putU32(f.bytes, f.setListAt + 4 + 8, 0x80000000); }, false,
               kCleanIds + ", animationSetsOffset = 0x50, count = 2, anim set header 0, replay camera channels out of "
                           "range: 0(9) , animation channels out of range: NONE, anim set header 1: negative data "
                           "header offset",
               [](const DlsFile& f) { EXPECT_EQ(getU32(f.bytes, f.setHeaderAt[0] + 8), 0u); }});
  c.push_back({"negative set count adds nothing", clean, [](DlsFile& f) { putU32(f.bytes, f.setListAt, 0xFFFFFFFF); },
               true, kCleanIds + ", animationSetsOffset = 0x50, count = -1", unchanged});
  // Offsets and counts that point outside the data.
  c.push_back({"header cut short", clean, [](DlsFile& f) { f.bytes.resize(40); }, false,
               ", no animdata file: header cut short (data size 40)", unchanged});
  c.push_back({"name limit offset past the end", clean, [](DlsFile& f) { putU32(f.bytes, 44, 0x7FFFFFF0); }, false,
               ", name offset limit at 0x7ffffff0 out of range (data size " + std::to_string(buildDls(clean()).bytes.size()) + ")",
               unchanged});
  c.push_back({"id count beyond the data (unsigned)", clean, [](DlsFile& f) { putU32(f.bytes, f.idTableAt, 0x80000000); },
               false,
               ", animationIdsOffset = 0x3c, count = 2147483648, animation id table out of range (data size " +
                   std::to_string(buildDls(clean()).bytes.size()) + ")",
               [](const DlsFile& f) { EXPECT_EQ(getU32(f.bytes, f.idTableAt), 0x80000000u); }});
  c.push_back({"id table offset past the end", clean, [](DlsFile& f) { putU32(f.bytes, 52, 0x10000000); }, false,
               ", animationIdsOffset = 0x10000000, animation id table out of range (data size " +
                   std::to_string(buildDls(clean()).bytes.size()) + ")",
               unchanged});
  c.push_back({"set count beyond the data", clean, [](DlsFile& f) { putU32(f.bytes, f.setListAt, 0x7FFFFFFF); }, false,
               kCleanIds + ", animationSetsOffset = 0x50, count = 2147483647: animation set list out of range (data "
                           "size " + std::to_string(buildDls(clean()).bytes.size()) + ")",
               unchanged});
  c.push_back({"set header past the end", clean, [](DlsFile& f) { putU32(f.bytes, f.setListAt + 4, 0x00FFFFFF); }, false,
               kCleanIds + ", animationSetsOffset = 0x50, count = 2, anim set header 0: data header out of range (data "
                           "size " + std::to_string(buildDls(clean()).bytes.size()) + ")",
               unchanged});
  c.push_back({"channel list past the end", clean,
               [](DlsFile& f) { putU32(f.bytes, f.setHeaderAt[0] + 44, static_cast<uint32_t>(f.bytes.size() - 12)); },
               false,
               kCleanIds + ", animationSetsOffset = 0x50, count = 2, anim set header 0, replay camera channels out of "
                           "range: NONE, animation channel list out of range (data size " +
                   std::to_string(buildDls(clean()).bytes.size()) + ")",
               unchanged});
  c.push_back({"negative channel list offset", clean, [](DlsFile& f) { putU32(f.bytes, f.setHeaderAt[0] + 40, 0xFFFFFFFC); },
               false,
               kCleanIds + ", animationSetsOffset = 0x50, count = 2, anim set header 0, replay camera channel list out "
                           "of range (data size " + std::to_string(buildDls(clean()).bytes.size()) + ")",
               unchanged});
  c.push_back({"channel count beyond the data", clean, [](DlsFile& f) { putU32(f.bytes, f.setHeaderAt[1] + 12, 0x15555556); },
               false,
               kCleanIds + ", animationSetsOffset = 0x50, count = 2, anim set header 0, replay camera channels out of "
                           "range: NONE, animation channels out of range: NONE, anim set header 1, animation channel "
                           "list out of range (data size " + std::to_string(buildDls(clean()).bytes.size()) + ")",
               unchanged});
  return c;
}

TEST(DlsCheck, ReportsAndRepairs) {
  for (const Case& c : cases()) {
    SCOPED_TRACE(c.name);
    DlsFile file = buildDls(c.layout());
    c.damage(file);
    const Bytes before = file.bytes;
    const kvl::tracks::DlsCheckReport report =
        kvl::tracks::inspectDlsData(0, file.bytes.data(), file.bytes.size(), nullptr);
    EXPECT_EQ(report.ok, c.ok);
    EXPECT_EQ(report.text, kStart + c.text);
    if (c.repaired) {
      c.repaired(file);
    } else {
      EXPECT_EQ(file.bytes, before);
    }
    // Nothing but list counts ever changes.
    ASSERT_EQ(file.bytes.size(), before.size());
    std::size_t changed = 0;
    for (std::size_t i = 0; i < before.size(); ++i) changed += before[i] != file.bytes[i];
    if (c.ok) {
      EXPECT_EQ(changed, 0u);
    }
  }
}

TEST(DlsCheck, EmptyDataAndFileName) {
  const auto report = kvl::tracks::inspectDlsData(7, nullptr, 0, "x.dls");
  EXPECT_FALSE(report.ok);
  EXPECT_EQ(report.text, "Loading DLS data of stage 7 (file x.dls), no animdata file: magic check failed");
}

TEST(DlsCheck, EveryTruncationIsCaught) {
  // Cut the sample at every length: the check never reads past the end (the sanitizers watch)
  // and only the whole file passes.
  const Bytes whole = buildDls(cleanDlsLayout()).bytes;
  for (std::size_t n = 0; n <= whole.size(); ++n) {
    std::vector<uint8_t> copy(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
    const auto report = kvl::tracks::inspectDlsData(0, copy.data(), copy.size(), nullptr);
    EXPECT_EQ(report.ok, n == whole.size()) << n;
  }
}

TEST(DlsCheck, LogLinesOnlyForFindings) {
  kvl::testing::ScopedWorkDir dir("dls-log");
  Bytes good = buildDls(cleanDlsLayout()).bytes;
  EXPECT_TRUE(kvl::tracks::checkDlsData(3, good.data(), good.size(), "good.dls"));
  EXPECT_FALSE(kvl::testing::exists("dlserrors.log"));

  Bytes bad = good;
  putU32(bad, 8, 19);
  EXPECT_FALSE(kvl::tracks::checkDlsData(3, bad.data(), bad.size(), "bad.dls"));
  EXPECT_FALSE(kvl::tracks::checkDlsData(4, bad.data(), bad.size()));
  const std::string log = kvl::testing::readText("dlserrors.log");
  const std::string first = " Loading DLS data of stage 3 (file bad.dls), no animdata file: major version mismatch\n";
  const std::string second = " Loading DLS data of stage 4, no animdata file: major version mismatch\n";
  const std::size_t split = log.find('\n') + 1;
  ASSERT_NE(split, 0u);
  const std::string line1 = log.substr(0, split);
  const std::string line2 = log.substr(split);
  ASSERT_GE(line1.size(), first.size());
  EXPECT_EQ(line1.substr(line1.size() - first.size()), first);
  ASSERT_GE(line2.size(), second.size());
  EXPECT_EQ(line2.substr(line2.size() - second.size()), second);
  // The line starts with the local date and time text.
  EXPECT_GT(line1.size(), first.size());
}

}  // namespace
