#pragma once
#include <cstdio>
#include <string>
#include <vector>

namespace kvl::tracks {

// Where a loader writes its record, one line at a time.
class LineLog {
 public:
  virtual ~LineLog() = default;
  virtual void line(const std::string& text) = 0;
};

class NullLineLog final : public LineLog {
 public:
  void line(const std::string&) override {}
};

class MemoryLineLog final : public LineLog {
 public:
  void line(const std::string& text) override { lines.push_back(text); }
  std::vector<std::string> lines;
};

// A text file opened for writing (cut to length 0, no sharing restriction); every line is
// flushed. Lines end in CR LF on Windows. A file that cannot be opened drops every line.
class FileLineLog final : public LineLog {
 public:
  explicit FileLineLog(const std::string& path);
  ~FileLineLog() override;
  FileLineLog(const FileLineLog&) = delete;
  FileLineLog& operator=(const FileLineLog&) = delete;
  void line(const std::string& text) override;

 private:
  std::FILE* file_;
};

}  // namespace kvl::tracks
