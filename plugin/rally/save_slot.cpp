#include "plugin/rally/save_slot.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace kvl::rally {

namespace {

// The C runtime's atoi (leading white space, optional sign, decimal digits, 0 without digits),
// with values beyond the 32-bit range held at its ends instead of overflowing.
int32_t leadingNumber(const char* text) {
  errno = 0;
  const long long v = std::strtoll(text, nullptr, 10);
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(v);
}

}  // namespace

SaveSlot::SaveSlot(const std::string& fileName) {
  const std::size_t slotAt = fileName.find("slot");
  if (slotAt == std::string::npos) return;
  car = leadingNumber(fileName.c_str());
  if (car < 0 || car > 7) return;
  const std::size_t afterSlot = slotAt + 4;
  slot = leadingNumber(fileName.c_str() + afterSlot);
  if (slot < 0) return;
  const std::size_t underscore = fileName.find('_', afterSlot);
  if (underscore == std::string::npos) return;
  const std::size_t lastDot = fileName.rfind('.');
  if (lastDot == std::string::npos) return;
  const std::size_t start = underscore + 1;
  // A dot before the start wraps the length around: the name then runs to the end.
  const std::size_t length = lastDot - start;
  setupName_ = fileName.substr(start, length);
  valid = !setupName_.empty();
}

}  // namespace kvl::rally
