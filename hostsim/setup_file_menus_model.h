#pragma once
// The host's setup-file menus: its catalogue of saved setups (lists by kind, display names), the
// file list (table 0x74C50C) and the chooser (table 0x74C548) with their constructor calls at
// 0x563B31 and 0x56AA83, the menu renderer's list, text and font calls, and the text records'
// wide texts.
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

constexpr std::uint32_t kWidenText = 0x496BF0;         // member of a text record
constexpr std::uint32_t kBeginText = 0x4A8520;         // members of the menu renderer
constexpr std::uint32_t kSetFont = 0x4A4D00;
constexpr std::uint32_t kSetColourIndex = 0x4A57F0;
constexpr std::uint32_t kDrawList = 0x4A79C0;
constexpr std::uint32_t kListOfKind = 0x49E130;        // members of the setup-file catalogue
constexpr std::uint32_t kDisplayName = 0x49E320;
constexpr std::uint32_t kFileListConstructor = 0x5C1CA0;
constexpr std::uint32_t kFileListTable = 0x74C50C;
constexpr std::uint32_t kChooserConstructor = 0x5C1FF0;
constexpr std::uint32_t kChooserTable = 0x74C548;
constexpr std::uint32_t kFileListSite = 0x563B32;      // operand of the CALL at 0x563B31
constexpr std::uint32_t kChooserSite = 0x56AA84;       // operand of the CALL at 0x56AA83

void appendSetupFileMenuRows(std::vector<AddressEntry>& rows);

// Scenario steps (false for any other step):
//   setupfiles N     the catalogue lists N saved setups "setup00.set" ... (item names "Car 00" ...);
//                    file 3 has a name too long for the name column
//   filelist S       the host builds a file list at its constructor call, selects row S and draws
//                    it through its table at (50, 100), then destroys it
//   chooser S B      the same for the chooser, with row S and button B selected
bool runSetupFileMenuStep(const std::string& step, std::istream& arguments);

}  // namespace hostsim
