// Feeds the DLS checker raw bytes, or (first byte odd) a generated file with words overwritten
// at chosen places, so that the walk reaches the tables as well as the header.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "common/dls/dls_check.h"
#include "tests/generators/dls_generator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  std::vector<uint8_t> bytes;
  if (size > 0 && (data[0] & 1)) {
    const std::size_t layoutBytes = size / 2;
    kvl::testdata::DlsFile file = kvl::testdata::buildDls(kvl::testdata::dlsLayoutFromSeed(data + 1, layoutBytes));
    bytes = file.bytes;
    // Damage: (offset byte, four value bytes) groups from the rest of the input.
    for (std::size_t p = 1 + layoutBytes; p + 5 <= size; p += 5) {
      const std::size_t at = data[p] % (bytes.size() + 1);
      for (std::size_t i = 0; i < 4 && at + i < bytes.size(); ++i) bytes[at + i] = data[p + 1 + i];
    }
    if (size > 2 && (data[0] & 2)) bytes.resize(bytes.size() * data[1] / 256);
  } else {
    bytes.assign(data, data + size);
  }
  const std::vector<uint8_t> before = bytes;
  const kvl::tracks::DlsCheckReport report = kvl::tracks::inspectDlsData(0, bytes.data(), bytes.size(), "f.dls");
  // A file that passes is never changed; repairs only ever clear list counts.
  if (report.ok && bytes != before) std::abort();
  if (bytes.size() != before.size()) std::abort();
  return 0;
}
