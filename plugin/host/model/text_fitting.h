#pragma once
// Shortening a text to a width, with any measure of width.
#include <functional>
#include <string>

namespace kvl::host {

std::string fitText(const std::string& text, float limit, const std::function<float(const std::string&)>& width);

}  // namespace kvl::host
