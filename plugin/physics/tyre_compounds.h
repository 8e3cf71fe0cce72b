#pragma once
// The plugin's seven tyre compounds (Tarmac Dry, Tarmac Intermediate, Tarmac Wet, Gravel Dry,
// Gravel Intermediate, Gravel Wet, Snow) in the host's 1708-byte tyre-type record layout, and
// how one is copied into a wheel.
#include <array>
#include <cstddef>
#include <cstdint>

namespace kvl::physics {

constexpr std::size_t kCompoundRecordSize = 1708;
constexpr std::size_t kCompoundCount = 7;
constexpr std::size_t kTyreRecordSize = 788;

using CompoundRecord = std::array<std::uint8_t, kCompoundRecordSize>;
using CompoundSet = std::array<CompoundRecord, kCompoundCount>;

// The seven records: each value in the last word of its 16-byte parameter object, zero elsewhere.
void buildTyreCompounds(CompoundSet& set) noexcept;

// The value word at a byte offset of a compound record.
float compoundValue(const CompoundRecord& record, std::size_t offset) noexcept;

// The compound a wheel gets for its tyre type: the type below 7, else 0.
std::size_t compoundIndexFor(std::uint32_t tyreType) noexcept;

// Copies a compound into a wheel's 788-byte tyre record, field by field.
void applyCompoundToTyreRecord(const CompoundRecord& compound, std::uint8_t* tyreRecord) noexcept;
// Copies the three values the wheel's second part keeps (+80, +84, +88).
void applyCompoundToWheelPart(const CompoundRecord& compound, std::uint8_t* wheelPart) noexcept;

}  // namespace kvl::physics
