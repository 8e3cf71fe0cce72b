// A stand-in for the host's runtime library: malloc and operator delete that count their calls
// and can be told to fail, so the tests see which heap every block goes through.
#include <cstddef>
#include <cstdlib>

namespace {
int allocations = 0;
int releases = 0;
int failNext = 0;
void* lastReleased = nullptr;
}  // namespace

extern "C" void* fixtureMalloc(std::size_t bytes) {
  if (failNext > 0) {
    --failNext;
    return nullptr;
  }
  ++allocations;
  return std::malloc(bytes);
}

extern "C" void fixtureDelete(void* block) {
  ++releases;
  lastReleased = block;
  std::free(block);
}

extern "C" void fixtureCounters(int* allocated, int* released, void** last) {
  *allocated = allocations;
  *released = releases;
  *last = lastReleased;
}

extern "C" void fixtureFailAllocations(int count) { failNext = count; }
