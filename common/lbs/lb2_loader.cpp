#include "common/lbs/lb2_loader.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace kvl::tracks {

bool fileExists(const std::string& path) {
#ifdef _WIN32
  return _access(path.c_str(), 0) == 0;
#else
  return access(path.c_str(), F_OK) == 0;
#endif
}

void Lb2Loader::lb2FileName(const std::string& lbsPath) {
  stream_.reset();
  name_ = tracks::lb2FileName(lbsPath);
  if (name_.empty() || !fileExists(name_)) {
    name_.clear();
    return;
  }
  stream_ = std::make_unique<FileByteSource>(name_);
}

void Lb2Loader::readLb2File(Lb2Sink& sink) {
  if (!stream_) return;
  FileLineLog log(kLbsLoadingLogName);
  readLb2File(sink, log);
}

void Lb2Loader::readLb2File(Lb2Sink& sink, LineLog& log) {
  if (!stream_) return;
  struct Drop {
    Lb2Loader& self;
    ~Drop() {
      self.walker_ = nullptr;
      self.stream_.reset();
    }
  } drop{*this};
  Lb2Walker walker(*stream_, name_, sink, log);
  walker_ = &walker;
  walker.readLb2File();
}

bool Lb2Loader::readGeomBlocks(std::vector<uint8_t>& out) noexcept {
  out.clear();
  // Only the walk's own geom blocks come from the LB2 file: an LB2 file left beside an unsplit
  // LBS file must not feed its bytes into the LBS parse.
  return walker_ != nullptr && walker_->readGeomBlocks(out);
}

}  // namespace kvl::tracks
