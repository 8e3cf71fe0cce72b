#pragma once
#include <cstdint>
#include <string>

namespace kvl::rally {

// The parts of a saved car-setup file name: <car>slot<slot>_<name>.<extension>, for example
// "3slot1_Fast gravel.lsp". The car number must be 0 to 7 and the slot number not negative; a
// name that does not follow the form gives an empty name part and is not valid. Parsing never
// throws.
class SaveSlot {
 public:
  explicit SaveSlot(const std::string& fileName);

  // The player's name for the setup; empty when the file name does not follow the form.
  std::string setupName() const { return setupName_; }

  int32_t car = 0;     // the number at the start of the name
  int32_t slot = 0;    // the number after "slot"
  bool valid = false;  // the name follows the form and its name part is not empty

 private:
  std::string setupName_;
};

}  // namespace kvl::rally
