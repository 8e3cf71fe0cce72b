#pragma once
#include <cstddef>
#include <string>

namespace kvl::io {

constexpr std::size_t kModulePathBufferSize = 261;

// Fills the buffer with the full path of the process's executable (not of this library);
// the last character always stays zero, and a failure leaves an empty text.
char* modulePath(char (&buffer)[kModulePathBufferSize]);
std::string modulePath();

// The directory part of the path as kvl::io::File splits it; of the executable's path it is
// the installation folder.
std::string directoryOf(const char* path);

}  // namespace kvl::io
