#include "plugin/host/model/differentials_page_hook.h"

#include <atomic>

namespace kvl::host {
namespace {

std::atomic<DifferentialsPageFactory> pageFactory{nullptr};

}  // namespace

void setDifferentialsPageFactory(DifferentialsPageFactory factory) noexcept { pageFactory.store(factory); }

void* QZR_CDECL differentialsPageHook() noexcept {
  const DifferentialsPageFactory factory = pageFactory.load();
  if (factory == nullptr) return nullptr;
  try {
    return factory();
  } catch (...) {
    return nullptr;
  }
}

}  // namespace kvl::host
