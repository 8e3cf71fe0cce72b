// Splits raw bytes, or (first byte odd) generated frames cut at a chosen length, as an LBS file.
// A complete split must account for every input byte in exactly one of the two outputs.
#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <vector>

#include "tests/generators/lbs_generator.h"
#include "tools/cleaver/lbs_splitter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  std::vector<uint8_t> bytes;
  if (size > 1 && (data[0] & 1)) {
    bytes = kvl::testdata::framesBytes(kvl::testdata::framesFromSeed(data + 2, size - 2));
    if (data[0] & 2) bytes.resize(bytes.size() * data[1] / 256);
  } else {
    bytes.assign(data, data + size);
  }
  kvl::tracks::MemoryByteSource in(bytes.data(), bytes.size());
  kvl::tools::MemoryByteSink lbs;
  kvl::tools::MemoryByteSink lb2;
  std::ostream report(nullptr);
  const kvl::tools::SplitOutcome outcome = kvl::tools::splitLbsFrames(in, lbs, lb2, report);
  if (outcome.bytesRead > bytes.size()) std::abort();
  if (!outcome.truncated && !outcome.inputFailed) {
    if (outcome.bytesRead != bytes.size()) std::abort();
    if (lbs.bytes.size() + lb2.bytes.size() != bytes.size()) std::abort();
  } else if (lbs.bytes.size() + lb2.bytes.size() > outcome.bytesRead) {
    std::abort();
  }
  return 0;
}
