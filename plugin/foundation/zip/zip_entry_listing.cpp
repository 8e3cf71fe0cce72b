#include "plugin/foundation/zip/zip_entry_listing.h"

#include <algorithm>

#ifdef QZR_ZIP_WITH_MINIZIP
#include "plugin/foundation/zip/minizip_zip_reader.h"
#else
#include "plugin/foundation/zip/zip_central_directory.h"
#endif

namespace kvl {

std::unique_ptr<ZipReader> makeZipReader() {
#ifdef QZR_ZIP_WITH_MINIZIP
  return std::make_unique<MinizipZipReader>();
#else
  return std::make_unique<CentralDirectoryZipReader>();
#endif
}

bool listZipEntries(const std::string& archivePath, std::deque<std::string>& names) {
  const std::unique_ptr<ZipReader> reader = makeZipReader();
  return listZipEntries(*reader, archivePath, names);
}

bool listZipEntries(ZipReader& reader, const std::string& archivePath, std::deque<std::string>& names) {
  if (!reader.open(archivePath)) return false;
  uint64_t count = 0;
  bool ok = false;
  if (reader.entryCount(count)) {
    std::string name;
    for (uint64_t i = 0; i < count; ++i) {
      ok = reader.entryName(i, name);
      if (!ok) break;
      std::replace(name.begin(), name.end(), '\\', '/');
      names.push_back(name);
    }
  }
  reader.close();
  return ok;
}

}  // namespace kvl
