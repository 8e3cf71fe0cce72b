#pragma once
// Host objects that start in a recognisable pattern instead of zeros, and the check every
// scenario ends with. Each word of a watched object starts as its pattern word; the host's own
// writes (put() in fields.h, or hostWrite) move the object's baseline along with them, so at the
// end a word that differs from the baseline was written by the plugin. Where that word is not one
// the plugin may write there (hostsim/plugin_words.cpp), it is a stray write:
//   host stray words N[ OBJECT+OFFSET...]
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace hostsim {

// The pattern word at byte offset `offset` of an object: a NaN as a float, a kernel-space address
// as a pointer, a large negative number as an int, and its low 20 bits tell where it was read.
constexpr std::uint32_t patternWord(std::uint32_t offset) { return 0xFFF00000u | (offset & 0xFFFFFu); }

// Fills `bytes` of `object` with its pattern words (a last partial word with their first bytes).
void fillPattern(void* object, std::size_t bytes);

// A new host object of `bytes` bytes, pattern-filled and watched under `name` ("car",
// "wheel2", ...), with the plugin's words of its kind (the name without its digits).
unsigned char* hostObject(const std::string& name, std::size_t bytes);
// Pattern-fills and watches an object that hostsim keeps elsewhere (a static, a block of the
// runtime's allocator); returns it.
unsigned char* watchObject(const std::string& name, void* object, std::size_t bytes);

// The host frees a watched object: its stray words so far are kept for the end, and its memory is
// no longer watched.
void releaseObject(const void* object);

// Whether `object` is the start of a watched object.
bool isWatched(const void* object);
// A write the host does not account for, as a stray write of the plugin's would be: inverts the
// word at `offset` of the object last watched under `name`. False when no watched object of that
// name holds that word. For a scenario that shows the check failing a run.
bool strayWrite(const std::string& name, std::uint32_t offset);

// The host wrote `bytes` at `at` (already in place): a watched object's baseline takes them.
void hostWrote(const void* at, std::size_t bytes);
// The host's own write of `bytes` from `from` to `at`, the baseline taking them at once.
void hostWrite(void* at, const void* from, std::size_t bytes);

// Held while the host's physics step runs, so that the check never sees a value that a hook
// changes only for the length of the host call it wraps.
class HostStepGuard {
 public:
  HostStepGuard();
  ~HostStepGuard();
  HostStepGuard(const HostStepGuard&) = delete;
  HostStepGuard& operator=(const HostStepGuard&) = delete;
};

// The stray words of every watched object, "NAME+OFFSET" each, in the order the objects were
// watched.
std::vector<std::string> strayWords();
// Traces "host stray words N" and the offsets.
void traceStrayWords();

// The offsets (" +N" each) of the 32-bit words that differ between `before` and the object now,
// outside the offsets in `writable`; "" when none changed. For a check around one host call.
std::string changedWords(const std::vector<unsigned char>& before, const void* now,
                         const std::vector<std::size_t>& writable);

}  // namespace hostsim
