#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/lbs/byte_source.h"
#include "common/lbs/lb2_walker.h"
#include "common/lbs/line_log.h"

namespace kvl::tracks {

// The loader's record of the last LB2 file read, in the current directory.
inline constexpr const char* kLbsLoadingLogName = "lbsloading.log";

// The LB2 companion of the stage being loaded: its name and its open stream. One stage load at
// a time: the LBS read sets the name and opens the stream, the LB2 walk reads it and drops it.
class Lb2Loader {
 public:
  // Sets the LB2 name from the LBS path and opens the file when it exists; the stream stays
  // even when opening fails, so that the walk reports the failure. No such file: no stream and
  // an empty name.
  void lb2FileName(const std::string& lbsPath);

  bool hasStream() const { return stream_ != nullptr; }
  bool walking() const { return walker_ != nullptr; }
  const std::string& lb2Name() const { return name_; }

  // Walks the LB2 file into the sink, writing the record to "lbsloading.log" (cut to length 0),
  // then closes and drops the stream. Without a stream it does nothing.
  void readLb2File(Lb2Sink& sink);
  void readLb2File(Lb2Sink& sink, LineLog& log);

  // The hook inside the host's geom-blocks routine: while a walk runs, the walker measures and
  // reads the geom-block data. False outside a walk (the caller then passes through) and when
  // the data could not be read (out is then empty).
  bool readGeomBlocks(std::vector<uint8_t>& out) noexcept;

 private:
  std::string name_;
  std::unique_ptr<FileByteSource> stream_;
  Lb2Walker* walker_ = nullptr;
};

// True when a file or folder of that name exists.
bool fileExists(const std::string& path);

}  // namespace kvl::tracks
