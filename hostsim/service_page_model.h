#pragma once
// The host classes of the rally event's service page: the menu page, the service panel and its
// frame, the information box, the menu element and the service timer (constructors and class
// tables), the page's parent index and item placement, and the menu manager's page entry.
#include <cstdint>
#include <string>
#include <istream>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

void appendServicePageRows(std::vector<AddressEntry>& rows);

// The object of that kind (panel, timer, ...) the host built last, or ("entered page") the page
// it entered last; null before.
unsigned char* lastServiceObject(const std::string& kind);

// Step "failconstruct KIND" (infobox or timer): the next construction of that kind raises a
// host exception after the host's table is in place ("host KIND construct raising").
bool runServicePageStep(const std::string& step, std::istream& arguments);
// Slot 4 of the menu manager's table: enters a page the plugin built.
std::uint32_t menuEnterPageHandler();

// Traces: "host page construct A B C D", "host page parent A B", "host page place KIND at X Y",
// "host service panel construct V", "host service panel start KIND", "host service frame
// construct around KIND", "host info box construct", "host element construct with KIND|none",
// "host service timer construct", "host destroy KIND flags F", "host menu enter KIND" (KIND is
// what the constructors built: page, panel, frame, infobox, element, timer).

}  // namespace hostsim
