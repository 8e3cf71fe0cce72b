#include "plugin/hooks/patch_group.h"

#include <utility>

namespace kvl {

PatchGroup::PatchGroup(std::string name, std::int32_t id) : name_(std::move(name)), id_(id) {}

PatchGroup& PatchGroup::add(std::shared_ptr<host::MemoryPatch> patch) {
  patches_.push_back(std::move(patch));
  return *this;
}

bool PatchGroup::applyAll() {
  if (isEmpty() || !enabled_) return false;
  for (const auto& patch : patches_) {
    if (patch) patch->apply();
  }
  return allApplied();
}

bool PatchGroup::allApplied() const {
  if (isEmpty() || !enabled_) return false;
  for (const auto& patch : patches_) {
    if (!patch || !patch->isApplied()) return false;
  }
  return true;
}

bool PatchGroup::revertAll() {
  if (isEmpty() || !enabled_) return false;
  for (const auto& patch : patches_) {
    if (patch) patch->revert();
  }
  return !allApplied();
}

PatchGroup& PatchGroup::setText(std::string text) {
  text_ = std::move(text);
  return *this;
}

PatchGroup& PatchGroup::setEnabled(bool enabled) noexcept {
  enabled_ = enabled;
  return *this;
}

PatchGroup& PatchGroup::setId(std::int32_t id) noexcept {
  id_ = id;
  return *this;
}

std::string PatchGroup::status() const {
  if (!text_.empty()) return text_;
  if (isEmpty()) return "Missing";
  if (allApplied()) return "Applied";
  return "Failed";
}

}  // namespace kvl
