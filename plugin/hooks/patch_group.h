#pragma once
// A named, ordered group of memory patches, applied and checked as a unit and shown as one row
// of the status page.
#include <cstdint>
#include <deque>
#include <memory>
#include <string>

#include "plugin/host/binding/memory_patch.h"

namespace kvl {

class PatchGroup {
 public:
  PatchGroup(std::string name, std::int32_t id);

  PatchGroup& add(std::shared_ptr<host::MemoryPatch> patch);
  // Applies every patch in order (a failing one does not stop the others); false for an empty or
  // disabled group, else whether every patch reads back as applied.
  bool applyAll();
  bool allApplied() const;
  // Reverts every patch; true once at least one no longer reads back as applied.
  bool revertAll();

  bool isEmpty() const noexcept { return patches_.empty(); }
  bool enabled() const noexcept { return enabled_; }
  std::int32_t id() const noexcept { return id_; }
  std::string name() const { return name_; }
  std::string text() const { return text_; }
  PatchGroup& setText(std::string text);
  PatchGroup& setEnabled(bool enabled) noexcept;
  PatchGroup& setId(std::int32_t id) noexcept;
  const std::deque<std::shared_ptr<host::MemoryPatch>>& patches() const noexcept { return patches_; }

  // The state the status page shows: the text when set, else "Missing" for an empty group, else
  // "Applied" when every patch reads back, else "Failed".
  std::string status() const;

 private:
  std::string name_;
  std::deque<std::shared_ptr<host::MemoryPatch>> patches_;
  std::string text_;
  bool enabled_ = true;
  std::int32_t id_;
};

}  // namespace kvl
