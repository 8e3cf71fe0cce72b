#pragma once
// The stand-in's bank files: small text files of our own. The first line is "fmodsim bank";
// then, one per line:
//   event <path>                         an event of the bank
//   property <name> int|bool|float|string <value>   a user property of the last event
// Blank lines and lines starting with "#" are skipped.
#include <string>
#include <vector>

namespace fmodsim {

struct BankProperty {
  std::string name;
  std::string type;  // "int", "bool", "float", "string"
  std::string value;
};

struct BankEvent {
  std::string path;
  std::vector<BankProperty> properties;
};

// False when the text is not a bank (wrong first line, unknown line, property before event).
bool parseBankText(const std::string& text, std::vector<BankEvent>& events);

}  // namespace fmodsim
