#include "hostsim/stage_model.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "hostsim/call_trace.h"
#include "hostsim/site_coverage.h"
#include "hostsim/fields.h"
#include "hostsim/host_handlers.h"
#include "hostsim/host_strings.h"
#include "hostsim/stray_words.h"
#include "hostsim/site_invoker.h"

extern "C" void hostsimReadFileEntry();
extern "C" void hostsimVisibleObjectsEntry();
extern "C" void hostsimHolderEntry();

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))

constexpr std::uint32_t kApplicationGlobal = 0x7EA990;
// The module's routines (addresses of the module), and its own whole-file reader. Where the
// module keeps that reader is named nowhere; the read site only needs a CALL to some routine of the
// module, so the simulated module puts its reader at an address of its own choosing.
constexpr std::uint32_t kReadWholeFile = 0x60051F00;
constexpr std::uint32_t kReadSite = 0x60052285;
constexpr std::uint32_t kProcessSite = 0x600523BD;
constexpr std::uint32_t kProcessLbs = 0x60053B70;
constexpr std::uint32_t kGeomBlocks = 0x600553B0;
constexpr std::uint32_t kGeomReadSite = 0x600554E4;
constexpr std::uint32_t kReadGeomData = 0x6005F1E0;
constexpr std::uint32_t kObjectBlock = 0x60056150;
constexpr std::uint32_t kAddToList = 0x60024A60;
constexpr std::uint32_t kHolder = 0x6002D980;
constexpr std::uint32_t kVisibleObjects = 0x60056D90;
constexpr std::uint32_t kSegmentLists = 3;
// The segment structure's vector of per-segment object lists sits at +0x190, its begin pointer at
// +0x194 and so its end at +0x198 (a vector's begin and end pointers follow each other, as in
// every vector of the geometry reset). Segment 0's list is the element at the begin pointer; the
// size of one list, and so where the later lists lie, is the simulated host's own.
constexpr std::uint32_t kListsBegin = 0x194, kListsEnd = 0x198;
constexpr std::uint32_t kListSize = 20;
// The host's read buffer record: data pointer, read position, size.
constexpr std::uint32_t kReadBufferRecordSize = 12;
const std::uint32_t kElementSizes[9] = {16, 24, 48, 36, 60, 32, 56, 44, 68};

struct Objects {
  unsigned char* application;
  unsigned char* paths;
  unsigned char* loader;
  unsigned char* segmentSource;  // loader +0x18; its first word leads to the segment structure
  unsigned char* segments;
  unsigned char* lists;
};

Objects& objects() {
  static Objects o = [] {
    Objects r{};
    r.application = hostObject("application", 0x100);
    r.paths = hostObject("paths", 0x200);
    put(r.application, 0x40, wordOf(r.paths));
    r.loader = hostObject("loader", 0x40);
    r.segmentSource = hostObject("segmentsource", 16);
    r.segments = hostObject("segments", 0x200);
    r.lists = hostObject("segmentlists", kSegmentLists * kListSize);
    put(r.loader, 0x18, wordOf(r.segmentSource));
    put(r.segmentSource, 0, wordOf(r.segments));
    put(r.segments, kListsBegin, wordOf(r.lists));
    put(r.segments, kListsEnd, wordOf(r.lists + kSegmentLists * kListSize));
    return r;
  }();
  return o;
}

// --- the loader's read buffer: data, read position, size -------------------------------------

struct Reader {
  unsigned char* record;
  bool ok = true;
  std::uint32_t start;
  explicit Reader(unsigned char* r) : record(r), start(get<std::uint32_t>(r, 4)) {}
  std::uint32_t position() const { return get<std::uint32_t>(record, 4); }
  bool has(std::uint32_t n) const {
    return ok && static_cast<std::uint64_t>(position()) + n <= get<std::uint32_t>(record, 8);
  }
  const unsigned char* take(std::uint32_t n) {
    if (!has(n)) {
      ok = false;
      return nullptr;
    }
    const unsigned char* at = pointer(get<std::uint32_t>(record, 0)) + position();
    put<std::uint32_t>(record, 4, position() + n);
    return at;
  }
  std::int32_t i32() {
    const unsigned char* at = take(4);
    return at == nullptr ? 0 : get<std::int32_t>(at, 0);
  }
  void skip(std::int64_t count, std::int64_t size) {
    const std::int64_t n = count * size;
    if (n < 0 || n > 0x7FFFFFFF) {
      ok = false;
      return;
    }
    take(static_cast<std::uint32_t>(n));
  }
  // "N bytes DIGEST" of what was taken since the start, or "past the buffer".
  std::string digest() const {
    if (!ok) return "past the buffer";
    std::uint32_t h = 2166136261u;
    const unsigned char* data = pointer(get<std::uint32_t>(record, 0));
    for (std::uint32_t i = start; i < position(); ++i) h = (h ^ data[i]) * 16777619u;
    char text[48];
    std::snprintf(text, sizeof text, "%u bytes %08x", position() - start, h);
    return text;
  }
};

unsigned char* readBuffer(void* loader) { return pointer(get<std::uint32_t>(loader, 0x20)); }

// --- the module's routines ---------------------------------------------------------------------

std::int32_t __cdecl readGeomData(std::int32_t, unsigned char* buffer) {
  Reader r(buffer);
  for (std::uint32_t size : kElementSizes) {
    const std::int32_t indices = r.i32();
    if (indices != 0) r.skip(indices, 2);
    const std::int32_t vertices = r.i32();
    if (indices != 0) r.skip(vertices, size);
  }
  r.skip(r.i32(), 112);
  r.skip(1, 24);
  trace("host geom blocks " + r.digest());
  return r.ok ? 1 : 0;
}

void THISCALL geomBlocks(void* loader, void*) {
  Reader r(readBuffer(loader));
  r.skip(1, 8);
  trace("host geom header " + r.digest());
  runCallSite(kGeomReadSite, {7, wordOf(readBuffer(loader))}, 0, false);
}

void* THISCALL objectBlock(void* loader, void*) {
  Reader r(readBuffer(loader));
  const std::int32_t flags01 = r.i32();
  r.i32();
  if (flags01 & 0x10) r.i32();
  if (flags01 & 0x20) r.i32();
  const std::int32_t initBlock = r.i32();
  const std::int32_t elementLength = r.i32();
  r.i32();
  r.skip(r.i32(), 2);
  const unsigned char* buffers = r.take(1);
  if (buffers != nullptr && *buffers == 2) r.skip(r.i32(), 2);
  const std::int32_t vertices = r.i32();
  if (initBlock != 0) r.skip(1, (flags01 & 0x10) ? 40 : 24);
  r.skip(vertices, elementLength);
  r.skip(1, 24);
  trace("host object block " + r.digest());
  // The new block object, whose words are the module's, named nowhere.
  return hostObject("objectblock", 16);
}

void THISCALL addToList(unsigned char* list, void* block) {
  const std::ptrdiff_t at = list - objects().lists;
  if (at < 0 || at >= static_cast<std::ptrdiff_t>(kSegmentLists * kListSize) || at % kListSize != 0) {
    trace("host list add to a word that is no list");
    releaseObject(block);
    std::free(block);
    return;
  }
  trace("host list " + std::to_string(at / kListSize) + " add");
  put(list, 4, get<std::uint32_t>(list, 4) + 1);
  releaseObject(block);
  std::free(block);
}

extern "C" void __cdecl hostsimVisibleObjects(void* loader) {
  Reader r(readBuffer(loader));
  r.skip(r.i32(), 16);
  trace("host visible objects " + r.digest());
}

extern "C" void __cdecl hostsimConstructHolder(unsigned char* holder, void* source) {
  put(holder, 0, wordOf(source));
  trace(std::string("host holder built") + (source == objects().segmentSource ? " from the loader" : ""));
}

// The module's own object-block loop over an LBS object blocks segment.
void loadObjectBlocks(void* loader) {
  Reader r(readBuffer(loader));
  const std::int32_t segmentCount = r.i32();
  for (std::int32_t s = 0; s < segmentCount && r.ok; ++s) {
    if (r.i32() == 0) continue;
    for (int sub = 0; sub < 2 && r.ok; ++sub) {
      const std::int32_t blocks = r.i32();
      for (std::int32_t b = 0; b < blocks && r.ok; ++b) {
        void* block = objectBlock(loader, loader);
        if (static_cast<std::uint32_t>(s) < kSegmentLists) addToList(objects().lists + s * kListSize, block);
      }
    }
  }
}

// The module's processing of the LBS data in the loader's read buffer, frame by frame.
void THISCALL processLbs(unsigned char* loader, void*) {
  unsigned char* buffer = readBuffer(loader);
  Reader frames(buffer);
  while (frames.has(4)) {
    const std::int32_t headerLength = frames.i32();
    if (headerLength <= 0) continue;
    const unsigned char* header = frames.take(static_cast<std::uint32_t>(headerLength));
    const std::int32_t segmentLength = frames.i32();
    if (header == nullptr || !frames.has(static_cast<std::uint32_t>(segmentLength))) break;
    const std::int32_t type01 = headerLength >= 4 ? get<std::int32_t>(header, 0) : 0;
    const std::int32_t type02 = headerLength >= 8 ? get<std::int32_t>(header, 4) : 0;
    const std::uint32_t segmentStart = frames.position();
    if (type01 == 1 && type02 == 0) {
      geomBlocks(loader, loader);
    } else if (type01 == 1 && type02 == 1) {
      loadObjectBlocks(loader);
    } else if (type01 == 2 && type02 == 10) {
      hostsimVisibleObjects(loader);
    } else {
      trace("host lbs segment " + std::to_string(type01) + " " + std::to_string(type02) + " " +
            std::to_string(segmentLength) + " bytes");
    }
    put<std::uint32_t>(buffer, 4, segmentStart + static_cast<std::uint32_t>(segmentLength));
  }
}

// The block of a filled read buffer lies on the process heap, which every user of the track
// files' read buffers may release it on: the host releases it there. A block of any other heap is
// traced and left alone.
void releaseReadBlock(unsigned char* record) {
  void* block = pointer(get<std::uint32_t>(record, 0));
  if (block == nullptr || !HeapValidate(GetProcessHeap(), 0, block)) {
    trace("host lbs block not of the process heap");
    return;
  }
  HeapFree(GetProcessHeap(), 0, block);
  trace("host lbs block released on the process heap");
}

// The module's own whole-file read, its block on the process heap like every read buffer's.
extern "C" std::uint8_t __cdecl hostsimReadWholeFile(unsigned char* record, const unsigned char* path) {
  const std::uint32_t size = get<std::uint32_t>(path, 20);
  const char* text = size > 15 || get<std::uint32_t>(path, 24) > 15 ? reinterpret_cast<const char*>(pointer(get<std::uint32_t>(path, 4)))
                                                                  : reinterpret_cast<const char*>(path + 4);
  std::ifstream in(text, std::ios::binary);
  if (!in) return 0;
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  void* data = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes.size() + 1);
  if (data == nullptr) return 0;
  std::memcpy(data, bytes.data(), bytes.size());
  put(record, 0, wordOf(data));
  put<std::uint32_t>(record, 4, 0);
  put<std::uint32_t>(record, 8, static_cast<std::uint32_t>(bytes.size()));
  return 1;
}

// --- stage files --------------------------------------------------------------------------------

using Bytes = std::vector<unsigned char>;

void add32(Bytes& b, std::int32_t v) {
  unsigned char w[4];
  std::memcpy(w, &v, 4);
  b.insert(b.end(), w, w + 4);
}
void addFill(Bytes& b, std::size_t n, unsigned char seed) {
  for (std::size_t i = 0; i < n; ++i) b.push_back(static_cast<unsigned char>(seed + i * 7));
}

Bytes frame(std::int32_t type01, std::int32_t type02, const Bytes& segment) {
  Bytes f;
  add32(f, 8);
  add32(f, type01);
  add32(f, type02);
  add32(f, static_cast<std::int32_t>(segment.size()));
  f.insert(f.end(), segment.begin(), segment.end());
  return f;
}

Bytes geomSegment(unsigned char seed) {
  Bytes s;
  addFill(s, 8, seed);  // the geom block header
  for (int k = 0; k < 9; ++k) {
    const std::int32_t indices = k % 3 == 1 ? 0 : 3 + k;
    add32(s, indices);
    if (indices != 0) addFill(s, static_cast<std::size_t>(indices) * 2, seed);
    add32(s, 2);
    if (indices != 0) addFill(s, 2 * kElementSizes[k], static_cast<unsigned char>(seed + k));
  }
  add32(s, 2);
  addFill(s, 2 * 112 + 24, seed);
  return s;
}

Bytes objectBlockBytes(std::int32_t flags01, bool initBlock, unsigned char seed) {
  Bytes b;
  add32(b, flags01);
  add32(b, 5);
  if (flags01 & 0x10) add32(b, 9);
  if (flags01 & 0x20) add32(b, 0);
  add32(b, initBlock ? 1 : 0);
  add32(b, 12);
  add32(b, 0);
  add32(b, 3);
  addFill(b, 6, seed);
  b.push_back(2);
  add32(b, 2);
  addFill(b, 4, seed);
  add32(b, 4);
  if (initBlock) addFill(b, (flags01 & 0x10) ? 40 : 24, seed);
  addFill(b, 4 * 12 + 24, seed);
  return b;
}

Bytes objectSegment() {
  Bytes s;
  add32(s, 2);
  add32(s, 1);  // segment 0: two blocks, then one
  add32(s, 2);
  for (const Bytes& b : {objectBlockBytes(0x30, true, 3), objectBlockBytes(0x10, true, 4)}) s.insert(s.end(), b.begin(), b.end());
  add32(s, 1);
  const Bytes third = objectBlockBytes(0, false, 5);
  s.insert(s.end(), third.begin(), third.end());
  add32(s, 1);  // segment 1: none, then one
  add32(s, 0);
  add32(s, 1);
  const Bytes fourth = objectBlockBytes(0x20, false, 6);
  s.insert(s.end(), fourth.begin(), fourth.end());
  return s;
}

Bytes visibleSegment() {
  Bytes s;
  add32(s, 2);
  addFill(s, 32, 11);
  return s;
}

void writeBytes(const std::string& path, const Bytes& bytes) {
  CreateDirectoryA("Maps", nullptr);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void makeStage(const std::string& name, const std::string& kind) {
  Bytes other;
  addFill(other, 16, 1);
  const Bytes frames[4] = {frame(3, 0, other), frame(1, 0, geomSegment(20)), frame(1, 1, objectSegment()),
                           frame(2, 10, visibleSegment())};
  Bytes lbs = frames[0], lb2;
  for (int i = 1; i < 4; ++i) {
    Bytes& to = kind == "split" ? lb2 : lbs;
    to.insert(to.end(), frames[i].begin(), frames[i].end());
  }
  if (kind == "stale") lb2 = frame(1, 0, geomSegment(90));
  writeBytes("Maps\\" + name + ".lbs", lbs);
  DeleteFileA(("Maps\\" + name + ".lb2").c_str());
  if (!lb2.empty()) writeBytes("Maps\\" + name + ".lb2", lb2);
}

// The path as a host string; its allocator word is the host's, named nowhere.
unsigned char* hostString(const std::string& text) {
  unsigned char* s = hostObject("lbspath", 28);
  writeHostString(s, text);
  hostWrote(s, 28);
  return s;
}

// With `lists` false the segment structure's vector holds no list during the load.
void loadStage(const std::string& name, bool lists) {
  unsigned char* loader = objects().loader;
  unsigned char* record = hostObject("readbuffer", kReadBufferRecordSize);
  put(loader, 0x20, wordOf(record));
  put(objects().segments, kListsEnd, wordOf(objects().lists + (lists ? kSegmentLists * kListSize : 0)));
  put<std::uint32_t>(applicationPaths(), 0x1CC, 0);
  for (std::uint32_t i = 0; i < kSegmentLists; ++i) put<std::uint32_t>(objects().lists + i * kListSize, 4, 0);
  unsigned char* path = hostString("Maps\\" + name + ".lbs");
  noteHostCodeRun(kReadSite - 1, kReadSite + 4);
  SiteOutcome outcome;
  const std::uint32_t read = hostsimInvokeSiteRegs(&outcome, reinterpret_cast<const void*>(kReadSite - 1),
                                                    wordOf(record), 0, wordOf(path)) & 0xFF;
  if (read == 0) {
    trace("host lbs read failed");
  } else {
    trace("host lbs read " + std::to_string(get<std::uint32_t>(record, 8)) + " bytes");
    runCallSite(kProcessSite, {wordOf(loader)}, wordOf(loader));
  }
  const bool kept = get<std::uint32_t>(loader, 0x20) == wordOf(record);
  trace(std::string("host lbs loaded, holder ") + (get<std::uint32_t>(applicationPaths(), 0x1CC) != 0 ? "set" : "none") +
        ", read buffer " + (kept ? "kept" : "changed"));
  std::string filed = "host object lists hold";
  for (std::uint32_t i = 0; i < kSegmentLists; ++i) filed += " " + std::to_string(get<std::uint32_t>(objects().lists + i * kListSize, 4));
  trace(filed);
  if (read != 0) releaseReadBlock(record);
  put(objects().segments, kListsEnd, wordOf(objects().lists + kSegmentLists * kListSize));
  releaseObject(record);
  std::free(record);
  releaseObject(path);
  std::free(path);
}

}  // namespace

unsigned char* applicationPaths() { return objects().paths; }
unsigned char* applicationObject() { return objects().application; }

void appendStageRows(std::vector<AddressEntry>& rows) {
  rows.push_back({EntryKind::global, kApplicationGlobal, "application", wordOf(objects().application)});
  appendFunctions(rows, {
                            {kReadWholeFile, "readWholeFile", addressOf(&hostsimReadFileEntry)},
                            {kProcessLbs, "processLbs", addressOf(&processLbs)},
                            {kGeomBlocks, "geomBlocks", addressOf(&geomBlocks)},
                            {kReadGeomData, "readGeomData", addressOf(&readGeomData)},
                            {kObjectBlock, "objectBlock", addressOf(&objectBlock)},
                            {kAddToList, "addToList", addressOf(&addToList)},
                            {kHolder, "holder", addressOf(&hostsimHolderEntry)},
                            {kVisibleObjects, "visibleObjects", addressOf(&hostsimVisibleObjectsEntry)},
                        });
  rows.push_back({EntryKind::callSite, kReadSite, "lbsReadSite", kReadWholeFile});
  rows.push_back({EntryKind::callSite, kProcessSite, "lbsProcessSite", kProcessLbs});
  rows.push_back({EntryKind::callSite, kGeomReadSite, "geomReadSite", kReadGeomData});
}

bool runStageStep(const std::string& step, std::istream& in) {
  std::string name, kind;
  if (step == "makestage") {
    in >> name >> kind;
    makeStage(name, kind);
  } else if (step == "loadstage") {
    in >> name >> kind;
    loadStage(name, kind != "nolists");
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
