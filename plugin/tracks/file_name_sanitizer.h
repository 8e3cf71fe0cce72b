#pragma once
#include <string>

namespace kvl::tracks {

// Makes a text usable inside a Windows file name: every character that Windows forbids in file
// names (\ / : * ? " < > |) becomes the replacement character; everything else, bytes of the
// upper half of the code page included, stays. The result has the input's length.
class FileNameSanitizer {
 public:
  FileNameSanitizer& setReplacement(char replacement) {
    replacement_ = replacement;
    return *this;
  }
  std::string sanitize(const std::string& text) const;

 private:
  char replacement_ = '_';
};

}  // namespace kvl::tracks
