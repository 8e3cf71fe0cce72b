#pragma once
// Code that mirrors the host runtime's ordered map (map and set) refuses what the runtime
// refuses: erasing at the end position raises the runtime's own out_of_range.
namespace kvl::host {

// Raises vc7::out_of_range "invalid map/set<T> iterator" when position is the map's end (its
// head node); returns otherwise.
void checkMapErasePosition(const void* position, const void* end) noexcept;

}  // namespace kvl::host
