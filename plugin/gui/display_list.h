#pragma once
// The content of an overlay page: shared elements in drawing order. Pages append to the end;
// nothing is taken out of the middle.
#include <cstddef>
#include <deque>
#include <memory>
#include <utility>

namespace kvl::gui {

class OverlayElement;

class DisplayList {
 public:
  using Elements = std::deque<std::shared_ptr<OverlayElement>>;

  // Appends the element, sharing it.
  void push(std::shared_ptr<OverlayElement> element) { elements_.push_back(std::move(element)); }
  void clear() noexcept { elements_.clear(); }

  bool empty() const noexcept { return elements_.empty(); }
  std::size_t size() const noexcept { return elements_.size(); }
  Elements::const_iterator begin() const noexcept { return elements_.begin(); }
  Elements::const_iterator end() const noexcept { return elements_.end(); }
  const std::shared_ptr<OverlayElement>& operator[](std::size_t i) const { return elements_[i]; }

 private:
  Elements elements_;
};

}  // namespace kvl::gui
