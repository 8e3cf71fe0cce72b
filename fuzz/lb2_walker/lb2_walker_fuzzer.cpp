// Walks raw bytes, or (first byte odd) generated LB2 frames with bytes overwritten at chosen
// places, as an LB2 file; the sink behaves like the host and fetches the geom-block data.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "common/lbs/lb2_walker.h"
#include "tests/generators/lbs_generator.h"

namespace {

class HostLikeSink final : public kvl::tracks::Lb2Sink {
 public:
  explicit HostLikeSink(uint64_t fileSize) : fileSize_(fileSize) {}
  void geomBlocks(kvl::tracks::Lb2Walker& walker, const uint8_t*, std::size_t size) override {
    if (size != 8) std::abort();
    std::vector<uint8_t> data;
    check(walker.readGeomBlocks(data) ? data.size() : 0);
  }
  void objectBlockHolder() override {}
  void objectBlock(int32_t segIdx, const uint8_t*, std::size_t size) override {
    if (segIdx < 0) std::abort();
    check(size);
  }
  void visibleObjects(const uint8_t*, std::size_t size) override { check(size); }

 private:
  // Nothing handed over can be larger than the file.
  void check(std::size_t size) const {
    if (size > fileSize_) std::abort();
  }
  uint64_t fileSize_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  std::vector<uint8_t> bytes;
  if (size > 0 && (data[0] & 1)) {
    const std::size_t seedBytes = size / 2;
    bytes = kvl::testdata::framesBytes(kvl::testdata::framesFromSeed(data + 1, seedBytes));
    for (std::size_t p = 1 + seedBytes; p + 2 <= size; p += 2) {
      if (bytes.empty()) break;
      bytes[data[p] * 7 % bytes.size()] = data[p + 1];
    }
  } else {
    bytes.assign(data, data + size);
  }
  kvl::tracks::MemoryByteSource in(bytes.data(), bytes.size());
  HostLikeSink sink(bytes.size());
  kvl::tracks::NullLineLog log;
  kvl::tracks::Lb2Walker walker(in, "f.lb2", sink, log);
  walker.readLb2File();
  return 0;
}
