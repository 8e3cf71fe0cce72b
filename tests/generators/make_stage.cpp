// Writes a small generated stage into a folder: a track geometry file with its segments, a clean
// animation data file and a damaged one. Used by the demo to give the tools real work.
#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/generators/dls_generator.h"
#include "tests/generators/lbs_generator.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_stage FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  using namespace kvl::testdata;
  bool ok = writeFile(folder + "/track-01_demo.lbs", framesBytes(sampleStageFrames()));
  ok = writeFile(folder + "/track-01_demo.dls", buildDls(cleanDlsLayout()).bytes) && ok;
  DlsFile damaged = buildDls(cleanDlsLayout());
  // A set whose animation list points far past the end of the file.
  if (!damaged.setHeaderAt.empty()) {
    putU32(damaged.bytes, damaged.setHeaderAt[0] + kDlsSetAnimListField, 0x7FFFFFF0u);
  }
  ok = writeFile(folder + "/track-02_demo.dls", damaged.bytes) && ok;
  if (!ok) {
    std::fprintf(stderr, "make_stage: cannot write into %s\n", folder.c_str());
    return 1;
  }
  std::printf("stage written to %s\n", folder.c_str());
  return 0;
}
