#include "tests/support/work_dir.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace kvl::testing {

namespace {

fs::path scratchRoot() {
  std::string root = QZR_SCRATCH_DIR;
#ifdef _WIN32
  // The build tree's Linux path, as Wine shows it.
  if (!root.empty() && root[0] == '/') root = "Z:" + root;
#endif
  return fs::path(root);
}

}  // namespace

ScopedWorkDir::ScopedWorkDir(const std::string& name) {
  previous_ = fs::current_path().string();
  const fs::path dir = scratchRoot() / name;
  std::error_code ec;
  fs::remove_all(dir, ec);
  fs::create_directories(dir);
  path_ = dir.string();
  fs::current_path(dir);
}

ScopedWorkDir::~ScopedWorkDir() {
  std::error_code ec;
  fs::current_path(previous_, ec);
}

bool exists(const std::string& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

}  // namespace kvl::testing
