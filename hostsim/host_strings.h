#pragma once
// Strings in the host runtime's layout (28 bytes): allocator word, 16 bytes of text or a pointer
// to a block of the runtime's malloc, size at +20, capacity at +24.
#include <string>

namespace hostsim {

// Fills the 28 bytes at s with the text (a heap block from the runtime's malloc above 15
// characters); the previous contents are not freed.
void writeHostString(unsigned char* s, const std::string& text);
std::string readHostString(const unsigned char* s);

}  // namespace hostsim
