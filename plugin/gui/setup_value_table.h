#pragma once
// The range values (minimum, maximum, step) that the host's differential-map setup pages offer:
// 4 modes x 4 groups x 11 rows of three host float parameters, one block for the process, which
// the host's value items point into.
#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"
#include "plugin/host/model/host_param.h"

namespace kvl::gui {

struct SetupValueEntry {
  host::HostFloatParam minimum;
  host::HostFloatParam maximum;
  host::HostFloatParam step;
};
QZR_HOST_LAYOUT_ASSERT(sizeof(SetupValueEntry) == 48, "three host values");

class SetupValueTable {
 public:
  static constexpr int kModes = 4, kGroups = 4, kRows = 11;
  static constexpr int kEntries = kModes * kGroups * kRows;
  static constexpr std::size_t kBytes = kEntries * sizeof(SetupValueEntry);

  // The index of entry (mode, group, row): mode, then group, the row varying fastest.
  static constexpr int index(int mode, int group, int row) noexcept { return (mode * kGroups + group) * kRows + row; }
  // Its byte offset in the table (48 bytes an entry in the host's layout).
  static constexpr std::size_t offset(int mode, int group, int row) noexcept {
    return sizeof(SetupValueEntry) * static_cast<std::size_t>(index(mode, group, row));
  }
  // Only the modes 0 to 3 have a block; a page with any other mode keeps the host's ranges.
  static constexpr bool hasMode(std::int32_t mode) noexcept { return mode >= 0 && mode < kModes; }

  // The entry's minimum; its maximum follows 16 bytes after it and its step 32. Creates the table
  // on the first call; null when the table could not be allocated. No range check: mode 0-3,
  // group 0-3, row 0-10.
  static host::HostFloatParam* entry(int mode, int group, int row) noexcept;

  // Points the range references of every value item of a host differential-map page at the
  // entries of the page's mode. Nothing happens for a null page, a mode outside 0-3 or when there
  // is no table.
  static void bindPageItems(void* page) noexcept;
};

}  // namespace kvl::gui
