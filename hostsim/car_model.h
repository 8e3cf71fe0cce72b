#pragma once
// The host's car as the simulated host keeps it: the current car (7520 bytes) with its parameter
// block, four wheels (5152 bytes each) and the objects around them, the car-setup values and
// ranges with their classes' virtual tables, the surface grip table, the surface-effects object,
// the table-valued parameter class, and the key tables and descriptors through which the host's
// car-file parser reads a car.
//
// Scenario steps:
//   carfile PATH              the host reads another car file (game folder relative) into the car
//   carvalue OBJECT OFFSET int|float|byte   traces "car OBJECT +OFFSET = VALUE"
//   carset OBJECT OFFSET int|float VALUE    writes a word of the object (as the host's own code
//                                           would at run time)
//   carkey DESCRIPTOR|TABLE INDEX           traces "key ADDRESS[INDEX] NAME LOCATOR" of the table a
//                                           descriptor (or the table at that address) holds now
//   carkeys DESCRIPTOR        traces "keys DESCRIPTOR count N plugin|host"
//   hostfloat ADDRESS         traces "host float ADDRESS = VALUE" (a float word in host code)
//   setuplog clear|show       removes or traces the lines of the user's "QZR_SetupErrors.log"
//   tableparam TOKEN...       builds a table-valued parameter through its host call site and
//                             parses the tokens with it; an array word the parse left in its
//                             pattern traces as "-"
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

std::vector<AddressEntry> carEntries();
// The car-setup ranges object (22096 bytes) behind the global 0x7ECD04.
unsigned char* carSetupRangesObject();
// The car-setup values object (5888 bytes) behind the global 0x7ECD00.
unsigned char* carSetupObject();
// The current car (7520 bytes) behind the global 0x8EF660, with its parameter block at +52 and
// its wheels at +1136: the one car every part of the simulated host works on.
unsigned char* hostCarObject();
// Wheel 0..3's tyre parameter record (788 bytes), where the car file's tyre keys land.
unsigned char* tyreParameterRecord(int wheel);
// One of the car's objects by its scenario name ("engine", "drivetrain", "gearbox", ...; the
// drivetrain solver's "solverstate" and "solveraux").
unsigned char* carObject(const std::string& name);
// Reads the simulated host's own car file (stock.car beside the executable) into the car.
void loadStockCar();
bool runCarStep(const std::string& step, std::istream& in);

}  // namespace hostsim
