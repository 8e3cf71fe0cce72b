#include "plugin/physics/surface_grip_sets.h"

#include <algorithm>
#include <initializer_list>

namespace kvl::physics {
namespace {

// Column indexes of GripValues::f by byte offset.
enum Col { c24, c40, c72, c88, c104, c120, c136, c152, c184, c200, c216, c232, c248, c264, c280, c296, c312 };

bool in(int k, int first, int last) { return k >= first && k <= last; }
bool any(int k, std::initializer_list<int> list) { return std::find(list.begin(), list.end(), k) != list.end(); }
// Step 0, 1 or 2 within a triple 4m+1, 4m+2, 4m+3 (0 for an entry outside one).
int step(int k) { return k % 4 == 0 ? 0 : k % 4 - 1; }
bool inTriples(int k, std::initializer_list<int> firsts) {
  for (int f : firsts) {
    if (in(k, f, f + 2)) return true;
  }
  return false;
}

struct Tail {  // +40, +200, +216, +232, +264, +280, +296, +312, class, kind
  float c40, c200, c216, c232, c264, c280, c296, c312;
  std::int32_t cls, kind;
};

GripValues fromTail(const Tail& t) {
  GripValues v;
  v.f = {0, t.c40, 0.3f, 0.225f, 0.24f, 0.18f, 2e-07f, 1000, 0.01f, t.c200, t.c216, t.c232, 0.1f, t.c264, t.c280, t.c296, t.c312};
  v.surfaceClass = t.cls;
  v.kind = t.kind;
  return v;
}

std::optional<Tail> uniformTail(int k) {
  const int s = step(k);
  const float rise40[3] = {0, 0.25f, 0.5f}, rise232[3] = {0, 0.5f, 1}, rise264[3] = {0.8f, 0.9f, 0.9f};
  if (k == 0) return Tail{0, 0.001f, 0.5f, 0, 0.8f, 0.3f, 0.05f, 0.02f, 0, 5};
  auto gravel = [&](float c216) { return Tail{rise40[s], 0.001667f, c216, rise232[s], rise264[s], 0.3f, 0.05f, 0.02f, 1, 5}; };
  if (inTriples(k, {1, 9, 17, 177, 185, 193})) return gravel(0.8f);
  if (inTriples(k, {5, 13, 21})) return gravel(0.6f);
  if (inTriples(k, {33, 41, 49, 181, 189, 197})) return gravel(0.4f);
  if (inTriples(k, {153})) return gravel(0.7f);
  if (in(k, 24, 32) || in(k, 59, 61) || k == 63) return Tail{0, 0, 0, 0, 0.9f, 0.3f, 0.05f, 0.01f, 0, 5};
  if (k == 57 || k == 58) return Tail{0, 0, 0, 0, k == 57 ? 0.9f : 0.8f, 0.3f, 0.05f, 0.02f, 0, 5};
  if (any(k, {37, 45, 53}) || in(k, 89, 94)) return Tail{0, 0.0005f, 0.75f, 0, 0.5f, 0.2f, 0.05f, 0.02f, 2, 5};
  if (any(k, {38, 46, 54})) return Tail{0.25f, 0.0005f, 0.725f, 0.5f, 0.5f, 0.2f, 0.05f, 0.02f, 2, 5};
  if (any(k, {39, 47, 55})) return Tail{0.5f, 0.0005f, 0.7f, 1, 0.5f, 0.2f, 0.05f, 0.02f, 2, 5};
  if (inTriples(k, {65, 73, 81})) {
    const float c216[3] = {0.55f, 0.525f, 0.5f};
    return Tail{rise40[s], 0.0008f, c216[s], rise232[s], 0.5f, 0.2f, 0.05f, 0.02f, 2, 5};
  }
  if (inTriples(k, {69, 77, 85})) {
    const float c216[3] = {0.35f, 0.325f, 0.3f};
    return Tail{rise40[s], 0.001f, c216[s], rise232[s], 0.5f, 0.2f, 0.05f, 0.02f, 2, 5};
  }
  if (any(k, {62, 88}) || in(k, 101, 103)) return Tail{0.5f, 0.0001f, 1, 0, 0.9f, 0.3f, 0.05f, 0.02f, 3, 5};
  if (in(k, 117, 119)) return Tail{0.5f, 0.0001f, 1, 0, 0.8f, 0.3f, 0.05f, 0.02f, 3, 5};
  if (in(k, 97, 99)) {
    const float c264[3] = {1, 1, 1.2f}, c280[3] = {0.3f, 0.4f, 0.4f};
    return Tail{rise40[s], 0.002f, 1, rise232[s], c264[s], c280[s], 0.05f, 0.02f, 5, 5};
  }
  if (in(k, 105, 107) || in(k, 113, 115)) {
    const bool first = k <= 107;
    const float c264[3] = {0.9f, 1.2f, 1.2f};
    const float c280[3] = {0.5f, first ? 0.4f : 0.2f, first ? 0.4f : 0.2f};
    return Tail{rise40[s], 0.002f, first ? 0.8f : 0.6f, rise232[s], c264[s], c280[s], 0.05f, 0.02f, 5, 5};
  }
  if (k == 116 || k == 254) return Tail{0, 0.0005f, 0.75f, 0, 0.5f, 0.2f, 0.05f, 0.02f, 5, 5};
  if (k == 56) return Tail{0, 0.0025f, 0.4f, 0, 1, 1, 10000, 500000, 4, 13};
  if (k == 120) return Tail{0, 0.0025f, 0.4f, 0, 1.5f, 1.5f, 15000, 600000, 4, 13};
  if (k == 121) return Tail{0, 0.0025f, 0.4f, 0, 5, 5, 1000, 200000, 4, 13};
  if (k == 129 || k == 130) return Tail{k == 129 ? 0.0f : 0.5f, 0.0025f, 1, k == 129 ? 0.0f : 1.0f, 1.2f, 0.4f, 0.05f, 0.02f, 0, 5};
  if (k == 131 || k == 139) return Tail{0, 0.0005f, 0.75f, 0, 0.5f, 0.2f, 0.05f, 0.02f, 0, 5};
  if (k == 137 || k == 138) return Tail{k == 137 ? 0.0f : 0.5f, 0.0025f, 0.75f, k == 137 ? 0.0f : 1.0f, 1.2f, 0.4f, 0.05f, 0.02f, 0, 5};
  if (inTriples(k, {133, 141, 149, 161})) {
    const float c216 = in(k, 133, 135) ? 0.6f : in(k, 141, 143) ? 0.5f : in(k, 149, 151) ? 0.4f : 0.55f;
    return Tail{rise40[s], 0.0025f, c216, rise232[s], 1.2f, 0.4f, 0.05f, 0.02f, 4, 5};
  }
  if (k == 157) return Tail{1, 0, 0, 1, 0, 0, 0, 0, 0, 1};
  if (in(k, 165, 168) || k == 255) return Tail{0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
  if (k == 64) return Tail{0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  return std::nullopt;
}

std::optional<GripValues> uniform(int k) {
  const auto tail = uniformTail(k);
  if (!tail) return std::nullopt;
  GripValues v = fromTail(*tail);
  if (k == 64 || k == 255) v.f[c72] = v.f[c88] = v.f[c104] = v.f[c120] = 0;
  return v;
}

GripValues row(std::initializer_list<float> values) {
  GripValues v;
  auto it = values.begin();
  for (float& f : v.f) f = *it++;
  v.surfaceClass = static_cast<std::int32_t>(*it++);
  v.kind = static_cast<std::int32_t>(*it);
  return v;
}

std::optional<GripValues> tellingRow(int k) {
  switch (k) {
    case 0: return row({0, 0, 0.95f, 0.87875f, 0, 0, 0, 0, 0, 0.001f, 0.5f, 0, 0.1f, 0.8f, 0.3f, 0.05f, 0.02f, 0, 5});
    case 1: return row({-0.016667f, 0, 0.8725f, 0.7329f, 0.811425f, 0.630477f, 2.5e-07f, 1300, 0.025f, 0.004167f, 0.8f, 0, 0.07f, 0.8f, 0.3f, 0.05f, 0.02f, 1, 5});
    case 3: return row({-0.016667f, 1, 0.741625f, 0.5933f, 0.689711f, 0.510386f, 2.7e-07f, 1500, 0.025f, 0.004167f, 0.8f, 1, 0.07f, 0.9f, 0.3f, 0.05f, 0.02f, 1, 5});
    case 37: return row({0, 0, 1.3f, 1.04f, 0, 0, 0, 0, 0, 0.0005f, 0.75f, 0, 0.04f, 0.5f, 0.2f, 0.05f, 0.02f, 2, 5});
    case 62: return row({-0.0285f, 1, 0.87f, 0.87f, 0.8265f, 0.8265f, 0, 22000, 0.03f, 0.0003f, 1, 1, 2.5f, 0.9f, 0.3f, 0.05f, 0.02f, 3, 5});
    case 97: return row({-0.016f, 0, 0.65f, 0.56875f, 0.6175f, 0.486281f, 3e-07f, 2000, 0.02f, 0.004f, 1, 0, 0.06f, 1, 0.3f, 0.05f, 0.02f, 5, 5});
    case 120: return row({-0.015f, 0, 0.795f, 0.67575f, 0.75525f, 0.577766f, 3e-07f, 1000, 0.02f, 0.005f, 0.4f, 0, 0.16f, 1.5f, 1.5f, 15000, 600000, 4, 13});
    case 254: return row({0, 0, 0.3f, 0.24f, 0, 0, 0, 0, 0, 0.0005f, 0.75f, 0, 0.02f, 0.5f, 0.2f, 0.05f, 0.02f, 5, 5});
    default: return std::nullopt;
  }
}

// Per surface class: +24, +72, +88, +104, +120, +136, +152, +184, +200, +248 of a triple's first
// entry; the grip values fall within a triple.
struct ClassBase {
  float c24, c72, c88, c104, c120, c136, c152, c184, c200, c248;
};
const ClassBase kClassBase[6] = {
    {-0.006f, 0.95f, 0.87875f, 0.9f, 0.8f, 2.5e-07f, 1200, 0.02f, 0.0025f, 0.08f},
    {-0.016667f, 0.8725f, 0.7329f, 0.811425f, 0.630477f, 2.5e-07f, 1300, 0.025f, 0.004167f, 0.07f},
    {0, 1.3f, 1.04f, 0, 0, 0, 0, 0, 0.0005f, 0.04f},
    {-0.0285f, 0.87f, 0.87f, 0.8265f, 0.8265f, 0, 22000, 0.03f, 0.0003f, 2.5f},
    {-0.012f, 0.78f, 0.66f, 0.74f, 0.56f, 2.8e-07f, 1600, 0.02f, 0.004f, 0.08f},
    {-0.016f, 0.65f, 0.56875f, 0.6175f, 0.486281f, 3e-07f, 2000, 0.02f, 0.004f, 0.06f},
};

std::optional<GripValues> detailed(int k) {
  if (auto t = tellingRow(k)) return t;
  auto u = uniform(k);
  if (!u) return std::nullopt;
  GripValues v = *u;
  if (in(k, 24, 32) || in(k, 57, 61) || k == 63 || k == 157 || in(k, 165, 168)) {
    v.f[c72] = 0.73f;
    v.f[c88] = 0.63875f;
    v.f[c104] = v.f[c120] = v.f[c136] = v.f[c152] = v.f[c184] = 0;
    if (k == 157 || in(k, 165, 168)) v.f[c248] = 0;
    return v;
  }
  if (k == 64 || k == 255) {
    GripValues zero;
    zero.kind = k == 64 ? 0 : 1;
    return zero;
  }
  if (k == 56 || k == 121) {
    v.f[c24] = -0.015f;
    v.f[c72] = 0.795f;
    v.f[c88] = 0.67575f;
    v.f[c104] = 0.75525f;
    v.f[c120] = 0.577766f;
    v.f[c136] = 3e-07f;
    v.f[c184] = 0.02f;
    v.f[c200] = 0.005f;
    v.f[c248] = 0.16f;
    return v;
  }
  const ClassBase& b = kClassBase[std::clamp(v.surfaceClass, 0, 5)];
  const int s = step(k);
  const float fall[3] = {1, 0.925f, 0.85f};
  const float rise40[3] = {0, 0.5f, 1}, rise232[3] = {0, 0.25f, 1};
  v.f[c24] = b.c24;
  v.f[c72] = b.c72 * fall[s];
  v.f[c88] = b.c88 * fall[s];
  v.f[c104] = b.c104 * fall[s];
  v.f[c120] = b.c120 * fall[s];
  v.f[c136] = b.c136;
  v.f[c152] = b.c152;
  v.f[c184] = b.c184;
  v.f[c200] = b.c200;
  v.f[c248] = b.c248;
  if (in(k, 101, 103) || in(k, 117, 119)) {
    v.f[c40] = v.f[c232] = 1;
  } else if (in(k, 129, 131) || in(k, 137, 139)) {
    const int swapped[3] = {0, 2, 1};
    v.f[c40] = rise40[swapped[s]];
    v.f[c232] = rise232[swapped[s]];
  } else {
    v.f[c40] = rise40[s];
    v.f[c232] = rise232[s];
  }
  return v;
}

}  // namespace

const std::vector<int>& gripEntriesWritten() {
  static const std::vector<int> entries = [] {
    std::vector<int> out;
    for (int k = 0; k < kGripEntryCount; ++k) {
      if (uniformTail(k)) out.push_back(k);
    }
    return out;
  }();
  return entries;
}

std::optional<GripValues> gripValues(std::int32_t revision, int k) {
  return revision == kDetailedGripRevision ? detailed(k) : uniform(k);
}

}  // namespace kvl::physics
