#include "hostsim/stray_words.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>

#include "hostsim/call_trace.h"
#include "hostsim/plugin_words.h"

namespace hostsim {
namespace {

struct Watched {
  std::string name;
  unsigned char* base;
  std::size_t size;
  std::vector<unsigned char> baseline;  // the object as the host last left it
  std::vector<bool> plugin;             // per word: the plugin may write it
};

// Never destroyed: the plugin's detach at process exit may still reach host code that writes.
struct Registry {
  std::mutex lock;
  std::vector<std::unique_ptr<Watched>> objects;
  std::vector<std::string> released;  // the stray words of objects the host has freed
};
Registry& registry() {
  static Registry* r = new Registry;
  return *r;
}
std::recursive_mutex& stepLock() {
  static auto* m = new std::recursive_mutex;
  return *m;
}

std::string kindOf(const std::string& name) {
  std::size_t end = name.size();
  while (end > 0 && name[end - 1] >= '0' && name[end - 1] <= '9') --end;
  return name.substr(0, end);
}

// The baseline takes the object's bytes that [at, at + bytes) covers; the registry is held.
void follow(const unsigned char* at, std::size_t bytes) {
  for (const auto& w : registry().objects) {
    if (at + bytes <= w->base || at >= w->base + w->size) continue;
    const std::size_t from = at > w->base ? static_cast<std::size_t>(at - w->base) : 0;
    const std::size_t to = std::min(w->size, static_cast<std::size_t>(at + bytes - w->base));
    std::memcpy(w->baseline.data() + from, w->base + from, to - from);
  }
}

void addStrays(const Watched& w, std::vector<std::string>& stray) {
  for (std::size_t at = 0; at < w.size; at += 4) {
    const std::size_t n = std::min<std::size_t>(4, w.size - at);
    if (!w.plugin[at / 4] && std::memcmp(w.base + at, w.baseline.data() + at, n) != 0) {
      stray.push_back(w.name + "+" + std::to_string(at));
    }
  }
}

}  // namespace

void fillPattern(void* object, std::size_t bytes) {
  auto* p = static_cast<unsigned char*>(object);
  for (std::size_t at = 0; at < bytes; at += 4) {
    const std::uint32_t word = patternWord(static_cast<std::uint32_t>(at));
    std::memcpy(p + at, &word, bytes - at < 4 ? bytes - at : 4);
  }
}

unsigned char* watchObject(const std::string& name, void* object, std::size_t bytes) {
  auto* base = static_cast<unsigned char*>(object);
  fillPattern(base, bytes);
  auto w = std::make_unique<Watched>();
  w->name = name;
  w->base = base;
  w->size = bytes;
  w->baseline.assign(base, base + bytes);
  w->plugin.assign((bytes + 3) / 4, false);
  for (const PluginWords& words : pluginWords(kindOf(name))) {
    for (std::uint32_t at = words.first; at <= words.last && at / 4 < w->plugin.size(); at += words.stride) {
      w->plugin[at / 4] = true;
    }
  }
  Registry& r = registry();
  std::lock_guard<std::mutex> hold(r.lock);
  r.objects.push_back(std::move(w));
  return base;
}

unsigned char* hostObject(const std::string& name, std::size_t bytes) {
  return watchObject(name, std::malloc(bytes), bytes);
}

void releaseObject(const void* object) {
  std::lock_guard<std::recursive_mutex> between(stepLock());
  Registry& r = registry();
  std::lock_guard<std::mutex> hold(r.lock);
  for (auto it = r.objects.begin(); it != r.objects.end(); ++it) {
    if ((*it)->base != object) continue;
    addStrays(**it, r.released);
    r.objects.erase(it);
    return;
  }
}

bool isWatched(const void* object) {
  Registry& r = registry();
  std::lock_guard<std::mutex> hold(r.lock);
  return std::any_of(r.objects.begin(), r.objects.end(), [object](const auto& w) { return w->base == object; });
}

bool strayWrite(const std::string& name, std::uint32_t offset) {
  Registry& r = registry();
  std::lock_guard<std::mutex> hold(r.lock);
  for (auto it = r.objects.rbegin(); it != r.objects.rend(); ++it) {
    if ((*it)->name != name) continue;
    if (offset % 4 != 0 || offset + 4 > (*it)->size) return false;
    std::uint32_t word;
    std::memcpy(&word, (*it)->base + offset, 4);
    word = ~word;
    std::memcpy((*it)->base + offset, &word, 4);
    return true;
  }
  return false;
}

void hostWrote(const void* at, std::size_t bytes) {
  Registry& r = registry();
  std::lock_guard<std::mutex> hold(r.lock);
  follow(static_cast<const unsigned char*>(at), bytes);
}

void hostWrite(void* at, const void* from, std::size_t bytes) {
  Registry& r = registry();
  std::lock_guard<std::mutex> hold(r.lock);
  std::memcpy(at, from, bytes);
  follow(static_cast<const unsigned char*>(at), bytes);
}

HostStepGuard::HostStepGuard() { stepLock().lock(); }
HostStepGuard::~HostStepGuard() { stepLock().unlock(); }

std::vector<std::string> strayWords() {
  std::lock_guard<std::recursive_mutex> between(stepLock());
  Registry& r = registry();
  std::lock_guard<std::mutex> hold(r.lock);
  std::vector<std::string> stray = r.released;
  for (const auto& w : r.objects) addStrays(*w, stray);
  return stray;
}

void traceStrayWords() {
  const std::vector<std::string> stray = strayWords();
  std::string line = "host stray words " + std::to_string(stray.size());
  for (const std::string& s : stray) line += " " + s;
  trace(line);
}

std::string changedWords(const std::vector<unsigned char>& before, const void* now,
                         const std::vector<std::size_t>& writable) {
  std::string changed;
  const auto* bytes = static_cast<const unsigned char*>(now);
  for (std::size_t at = 0; at + 4 <= before.size(); at += 4) {
    bool allowed = false;
    for (std::size_t w : writable) allowed = allowed || w == at;
    if (!allowed && std::memcmp(before.data() + at, bytes + at, 4) != 0) changed += " +" + std::to_string(at);
  }
  return changed;
}

}  // namespace hostsim
