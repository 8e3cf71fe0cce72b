#include "plugin/foundation/files/file.h"

namespace kvl::io {

namespace {

std::string withoutTrailingSeparators(std::string text) {
  while (!text.empty() && isPathSeparator(text.back())) text.pop_back();
  return text;
}

std::string withoutLeadingSeparators(const std::string& text) {
  std::string::size_type first = 0;
  while (first < text.size() && isPathSeparator(text[first])) ++first;
  return text.substr(first);
}

}  // namespace

File::File() = default;

File::File(const char* path) {
  if (path != nullptr) setPath(path);
}

File::File(const std::string& path) { setPath(path); }

File::File(const File& dir, const std::string& name) {
  std::string joined = withoutTrailingSeparators(dir.path());
  if (!joined.empty()) joined += '\\';
  joined += withoutLeadingSeparators(name);
  setPath(joined);
}

File::~File() = default;

void File::setPath(const std::string& path) {
  const std::string rest = withoutTrailingSeparators(path);
  const std::string::size_type k = rest.find_last_of("\\/");
  if (k == std::string::npos) {
    directory_.clear();
    name_ = rest;
  } else {
    directory_ = rest.substr(0, k);
    name_ = rest.substr(k + 1);
  }
}

std::string File::directory() const { return directory_; }

std::string File::name() const { return name_; }

std::string File::path() const {
  if (directory_.empty()) return name_;
  return directory_ + "\\" + name_;
}

}  // namespace kvl::io
