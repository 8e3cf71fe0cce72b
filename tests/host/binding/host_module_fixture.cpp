// A stand-in for the host executable, loaded by the address tests at a base other than the
// host's: a large zeroed region in which the tests lay out host globals.
#include <cstddef>

namespace {
unsigned char region[0x1400000];  // past the highest host global the plugin writes (0x1659AD8)
}

extern "C" __declspec(dllexport) void fixtureRegion(unsigned char** begin, std::size_t* size) {
  *begin = region;
  *size = sizeof region;
}
