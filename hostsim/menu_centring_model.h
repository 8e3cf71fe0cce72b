#pragma once
// The host's centred menus: its renderer's screen size and menu-area width query, the graphics
// object's centring switch, its menu drawing routine with the call that reaches it, and its screen
// quad (table 0x72D80C) with two Direct3D vertex buffers, built at the constructor call 0x4BFC78.
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

constexpr std::uint32_t kScreenWidth = 0x40E9F0;       // member of the renderer
constexpr std::uint32_t kScreenHeight = 0x40EA00;      // member of the renderer
constexpr std::uint32_t kCentresMenus = 0x4C02A0;      // member of the graphics object
constexpr std::uint32_t kMenuDraw = 0x4C2160;          // member of a drawable, seven arguments
constexpr std::uint32_t kQuadConstructor = 0x471C00;   // member, four integers
constexpr std::uint32_t kQuadTable = 0x72D80C;
constexpr std::uint32_t kQuadTableSlots = 96;
constexpr std::uint32_t kQuadSite = 0x4BFC79;          // operand of the CALL at 0x4BFC78
constexpr std::uint32_t kMenuDrawSite = 0x4728B7;      // operand of the CALL at 0x4728B6
constexpr std::uint32_t kMenuWidthSite = 0x4C1A5C;     // operand of the CALL at 0x4C1A5B

void appendMenuCentringRows(std::vector<AddressEntry>& rows);

// Scenario steps (false for any other step):
//   screen W H       the renderer's screen size
//   centring on|off  whether the host centres its menus
//   menuwidth        the host asks its renderer for the menu area's width (site 0x4C1A5B)
//   menudraw X       the host draws its menu item at x = X through its call at 0x4728B6 (the
//                    trace says "on another object" when the item the call gets is not it)
//   quad W           the host builds a screen quad of width W at its constructor call, traces its
//                    table and the x of both buffers' vertices, draws it with the xs 10 and 20
//                    through slot 54 (its slot 83 converts a layout value to twice the value),
//                    and destroys it
bool runMenuCentringStep(const std::string& step, std::istream& arguments);

}  // namespace hostsim
