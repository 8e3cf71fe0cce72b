#pragma once
// Reading and writing whole files in tests, and splitting text into lines.
#include <string>
#include <vector>

namespace kvl::testing {

// The file's bytes as they are; empty when it cannot be read.
std::string readWholeFile(const std::string& path);
// The file's text with each CR LF read as LF.
std::string readText(const std::string& path);
void writeWholeFile(const std::string& path, const std::string& bytes);
// The lines of a text, CR LF or LF ended, without their line breaks.
std::vector<std::string> splitLines(const std::string& text);

}  // namespace kvl::testing
