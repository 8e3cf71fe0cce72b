#pragma once
#include <cstdint>

namespace kvl {

// The page the host's front end shows for the plugin (the overlay status page): the plugin
// object forwards the host's draw and input calls to it.
class FrontEndPage {
 public:
  virtual ~FrontEndPage() = default;
  virtual void render() = 0;
  // Six words from the host; the first is the character code.
  virtual void onKey(const std::uint32_t (&words)[6]) = 0;
};

}  // namespace kvl
