#include "plugin/gui/setup_value_table.h"

#include <cstdlib>
#include <new>

namespace kvl::gui {
namespace {

SetupValueEntry* table = nullptr;

void destroyTable() {
  if (table == nullptr) return;
  for (int i = 0; i < SetupValueTable::kEntries; ++i) table[i].~SetupValueEntry();
  std::free(table);
  table = nullptr;
}

SetupValueEntry* createTable() noexcept {
  void* block = std::calloc(1, SetupValueTable::kBytes);
  if (block == nullptr) return nullptr;
  auto* entries = static_cast<SetupValueEntry*>(block);
  for (int i = 0; i < SetupValueTable::kEntries; ++i) new (&entries[i]) SetupValueEntry();
  table = entries;
  std::atexit(&destroyTable);
  return table;
}

}  // namespace

host::HostFloatParam* SetupValueTable::entry(int mode, int group, int row) noexcept {
  if (table == nullptr && createTable() == nullptr) return nullptr;
  auto* base = reinterpret_cast<unsigned char*>(table);
  return reinterpret_cast<host::HostFloatParam*>(base + offset(mode, group, row));
}

}  // namespace kvl::gui
