#include "hostsim/car_setup_layout.h"

#include <cstdio>
#include <cstring>

#include "hostsim/call_trace.h"
#include "hostsim/car_model.h"
#include "hostsim/fields.h"

namespace hostsim {
namespace {

// The host classes' tables that parameter objects carry; the second integer kind has none of
// its own that the host names, so it keeps the sentinel.
constexpr std::uint32_t kFloatTable = 0x73B644, kIntTable = 0x740534, kVectorTable = 0x7405EC, kNoTable = 0;
constexpr std::uint32_t kLeftOver = 0x3F3F3F3F;

struct Block {
  std::string name;
  std::uint32_t begin, end;
};

// Which words of an object are values, and what every other word holds when laid out.
struct ObjectLayout {
  std::string name;
  std::uint32_t size = 0;
  std::vector<Block> blocks;
  std::vector<bool> value;
  std::vector<std::uint32_t> host;
};

class Builder {
 public:
  Builder(ObjectLayout& l, const char* name, std::uint32_t size, std::uint32_t sentinel) : l_(l) {
    l.name = name;
    l.size = size;
    l.value.assign(size / 4, false);
    l.host.resize(size / 4);
    for (std::uint32_t i = 0; i < size / 4; ++i) l.host[i] = sentinel | (4 * i);
  }
  // A block from `begin`; its first word is its class table when one is given.
  void block(const std::string& name, std::uint32_t begin, std::uint32_t size, std::uint32_t table = kNoTable) {
    l_.blocks.push_back({name, begin, begin + size});
    if (table != kNoTable) l_.host[begin / 4] = table;
  }
  // `count` 16-byte parameter objects from `at`.
  void params(std::uint32_t at, std::uint32_t count, std::uint32_t table) {
    for (std::uint32_t k = 0; k < count; ++k) {
      if (table != kNoTable) l_.host[(at + 16 * k) / 4] = table;
      l_.value[(at + 16 * k + 12) / 4] = true;
    }
  }
  // `count` 32-byte vector parameters from `at`: x, y, z from +16 are values.
  void vectors(std::uint32_t at, std::uint32_t count) {
    for (std::uint32_t k = 0; k < count; ++k) {
      l_.host[(at + 32 * k) / 4] = kVectorTable;
      for (std::uint32_t c = 0; c < 3; ++c) l_.value[(at + 32 * k + 16 + 4 * c) / 4] = true;
    }
  }

 private:
  ObjectLayout& l_;
};

const ObjectLayout& setupLayout() {
  static const ObjectLayout layout = [] {
    ObjectLayout l;
    Builder b(l, "setup", 5888, 0xDE000000u);
    b.block("values", 0, 12, kSetupValuesSlot - 4);
    b.block("chassis", 12, 60);
    b.params(24, 3, kFloatTable);
    const std::uint32_t d = 72;
    b.block("drivetrain", d, 1596);
    b.params(d + 12, 3, kFloatTable);
    for (std::uint32_t e = 0; e < 12; ++e) {
      const std::uint32_t entry = d + 60 + 80 * e;
      b.params(entry, 1, kFloatTable);
      b.params(entry + 16, 2, kNoTable);
      b.params(entry + 48, 2, kFloatTable);
    }
    b.params(d + 1020, 12, kIntTable);
    b.params(d + 1212, 24, kFloatTable);
    b.block("engine", 1668, 28);
    b.params(1680, 1, kIntTable);
    b.block("differential", 1696, 2928);
    b.params(1708, 4, kIntTable);
    b.params(1772, 2, kFloatTable);
    b.params(1804, 16 * 11, kFloatTable);
    for (std::uint32_t w = 0; w < 4; ++w) {
      const std::uint32_t g = 4624 + 112 * w;
      b.block("geometry" + std::to_string(w), g, 112);
      b.params(g + 12, 1, kFloatTable);
      b.vectors(g + 32, 1);  // the word at +28 pads the vector to 16 bytes
      b.params(g + 64, 3, kFloatTable);
    }
    for (std::uint32_t w = 0; w < 4; ++w) {
      b.block("spring" + std::to_string(w), 5072 + 156 * w, 156);
      b.params(5072 + 156 * w + 12, 9, kFloatTable);
    }
    for (std::uint32_t w = 0; w < 4; ++w) {
      const std::uint32_t t = 5696 + 48 * w;
      b.block("tyre" + std::to_string(w), t, 48);  // its word at +44 is the host's
      b.params(t + 12, 1, kIntTable);
      b.params(t + 28, 1, kFloatTable);
    }
    return l;
  }();
  return layout;
}

const ObjectLayout& rangesLayout() {
  static const ObjectLayout layout = [] {
    ObjectLayout l;
    Builder b(l, "ranges", 22096, 0xDF000000u);
    b.block("header", 0, 16);
    b.block("chassis", 16, 528, 0x72E72C - 4);
    b.params(28, 9, kFloatTable);
    b.vectors(176, 1);
    b.params(208, 21, kFloatTable);
    // Thirty-seven entries of five parameters; seventeen integers; two 32-byte sub-blocks of two
    // parameters each and four integers (the pairs from +3244 to +3340); ten floats; a 160-byte
    // block of ten parameters; fourteen floats; two more such blocks; three floats.
    const std::uint32_t d = 544;
    b.block("drivetrain", d, 4284, 0x72E77C - 4);
    for (std::uint32_t e = 0; e < 37; ++e) {
      const std::uint32_t entry = d + 12 + 80 * e;
      b.params(entry, 1, kFloatTable);
      b.params(entry + 16, 2, kNoTable);
      b.params(entry + 48, 2, kFloatTable);
    }
    b.params(d + 2972, 17, kIntTable);
    b.params(d + 3244, 4, kFloatTable);
    b.params(d + 3308, 4, kIntTable);
    b.params(d + 3372, 10, kFloatTable);
    b.params(d + 3532, 10, kFloatTable);
    b.params(d + 3692, 14, kFloatTable);
    b.params(d + 3916, 20, kFloatTable);
    b.params(d + 4236, 3, kFloatTable);
    b.block("differential", 4828, 204, 0x72E7CC - 4);
    b.params(4840, 12, kFloatTable);
    b.block("engine", 5032, 60, 0x72E81C - 4);
    b.params(5044, 3, kIntTable);
    for (std::uint32_t w = 0; w < 4; ++w) {
      b.block("spring" + std::to_string(w), 5092 + 396 * w, 396, 0x72E86C - 4);
      b.params(5092 + 396 * w + 12, 24, kFloatTable);
    }
    for (std::uint32_t w = 0; w < 4; ++w) {
      b.block("tyre" + std::to_string(w), 6676 + 60 * w, 60, 0x72E8BC - 4);
      b.params(6676 + 60 * w + 12, 3, kFloatTable);
    }
    b.block("padding", 6916, 12);
    // A float; eight vectors from +32 (the word at +28 pads them); nine floats from +288; seven
    // vectors from +432; five floats from +656; two integers; two floats: 800 bytes.
    for (std::uint32_t w = 0; w < 4; ++w) {
      const std::uint32_t g = 6928 + 800 * w;
      b.block("geometry" + std::to_string(w), g, 800, 0x72E90C - 4);
      b.params(g + 12, 1, kFloatTable);
      b.vectors(g + 32, 8);
      b.params(g + 288, 9, kFloatTable);
      b.vectors(g + 432, 7);
      b.params(g + 656, 5, kFloatTable);
      b.params(g + 736, 2, kIntTable);
      b.params(g + 768, 2, kFloatTable);
    }
    b.block("tyretypes", 10128, 7 * 1708);  // the host's own records, no read slot of the plugin's
    b.block("tail", 22084, 12);
    return l;
  }();
  return layout;
}

void layOut(unsigned char* object, const ObjectLayout& l, std::uint32_t value) {
  for (std::uint32_t i = 0; i < l.size / 4; ++i) put(object, 4 * i, l.value[i] ? value : l.host[i]);
}

void fillValues(unsigned char* object, const ObjectLayout& l) {
  for (std::uint32_t i = 0; i < l.size / 4; ++i) {
    if (l.value[i]) put(object, 4 * i, kLeftOver);
  }
}

std::uint32_t check(const unsigned char* object, const ObjectLayout& l) {
  std::uint32_t all = 0;
  for (const Block& b : l.blocks) {
    std::uint32_t changed = 0, first = 0, values = 0, cleared = 0;
    for (std::uint32_t at = b.begin; at < b.end; at += 4) {
      const std::uint32_t word = get(object, at);
      if (l.value[at / 4]) {
        ++values;
        if (word == 0) ++cleared;
      } else if (word != l.host[at / 4]) {
        if (changed++ == 0) first = at;
      }
    }
    all += changed;
    std::string line = "setup words " + l.name + " " + b.name + " host words changed " + std::to_string(changed);
    if (changed != 0) line += " first +" + std::to_string(first);
    trace(line + " values cleared " + std::to_string(cleared) + " of " + std::to_string(values));
  }
  return all;
}

}  // namespace

const std::vector<SetupRangeBlock>& setupRangeBlocks() {
  static const std::vector<SetupRangeBlock> blocks = [] {
    std::vector<SetupRangeBlock> b = {
        {0x72E72C, 16, "chassis"}, {0x72E77C, 544, "drivetrain"}, {0x72E7CC, 4828, "differential"},
        {0x72E81C, 5032, "engine"},
    };
    // The per-wheel blocks, each an object of its class that the host reads.
    for (std::uint32_t w = 0; w < 4; ++w) b.push_back({0x72E86C, 5092 + 396 * w, "spring" + std::to_string(w)});
    for (std::uint32_t w = 0; w < 4; ++w) b.push_back({0x72E8BC, 6676 + 60 * w, "tyre" + std::to_string(w)});
    for (std::uint32_t w = 0; w < 4; ++w) b.push_back({0x72E90C, 6928 + 800 * w, "geometry" + std::to_string(w)});
    return b;
  }();
  return blocks;
}

void layOutCarSetup(unsigned char* setup) { layOut(setup, setupLayout(), kLeftOver); }
void layOutCarSetupRanges(unsigned char* ranges) { layOut(ranges, rangesLayout(), 0); }

bool runSetupLayoutStep(const std::string& step, std::istream& in) {
  if (step != "setupwords") return false;
  std::string what;
  in >> what;
  if (what == "fill") {
    fillValues(carSetupObject(), setupLayout());
    fillValues(carSetupRangesObject(), rangesLayout());
  } else {
    const std::uint32_t all = check(carSetupObject(), setupLayout()) + check(carSetupRangesObject(), rangesLayout());
    trace("setup words host words changed " + std::to_string(all) + " in all");
  }
  return true;
}

}  // namespace hostsim
