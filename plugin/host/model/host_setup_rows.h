#pragma once
// The host's value rows of its car-setup pages (made by host 0x550130) and the option record
// behind the progressive bump-stop switch (host 0x558570 on a copy of table 0x7452AC).
#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"
#include "plugin/host/model/host_text.h"

namespace kvl::host {

// Layout values of one row; their meaning is the host's.
struct SetupRowLayout {
  float l1;
  float l2;
  float l3;
  std::int32_t l4;
  std::int32_t l5;
};

struct HostSetupRow {
  // Host 0x550130, caller cleans: label record by value, display kind, L1, the 16-byte value the
  // row edits, the first of its three range values (minimum, maximum, step), L2, L3, L4, L5.
  // Null when the host has no memory.
  static void* create(const HostText& label, std::int32_t kind, void* value, void* range,
                      const SetupRowLayout& layout);
  // The row's label record: +8 of the label object at +36, as the host's differentials page rows
  // keep it. Where the row keeps the value it edits is not known: the plugin keeps the value it
  // passed instead.
  static HostText* label(const void* row) noexcept {
    void* object = reinterpret_cast<void*>(static_cast<std::uintptr_t>(fieldAt<HostWord>(row, 36)));
    return object == nullptr ? nullptr : static_cast<HostText*>(addressAt(object, 8));
  }
};

// The 48-byte choice list of the bump-stop settings menu: three text records of the plugin's
// part, then the host option record built by 0x558570 (label, two choices, a value).
struct HostProgressiveSwitchItem {
  static constexpr std::size_t kSize = 48;
  static void* construct(void* item, const HostText& label, const HostText& first, const HostText& second,
                         float value);
};

}  // namespace kvl::host
