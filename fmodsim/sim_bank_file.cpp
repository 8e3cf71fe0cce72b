#include "fmodsim/sim_bank_file.h"

#include <sstream>

namespace fmodsim {

bool parseBankText(const std::string& text, std::vector<BankEvent>& events) {
  std::istringstream in(text);
  std::string line;
  bool header = false;
  events.clear();
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!header) {
      if (line != "fmodsim bank") return false;
      header = true;
      continue;
    }
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    std::string kind;
    words >> kind;
    if (kind == "event") {
      BankEvent event;
      if (!(words >> event.path)) return false;
      events.push_back(event);
    } else if (kind == "property") {
      BankProperty property;
      if (events.empty() || !(words >> property.name >> property.type)) return false;
      if (property.type != "int" && property.type != "bool" && property.type != "float" &&
          property.type != "string") {
        return false;
      }
      std::getline(words >> std::ws, property.value);
      events.back().properties.push_back(property);
    } else {
      return false;
    }
  }
  return header;
}

}  // namespace fmodsim
