#include "plugin/host/model/host_game.h"

#include "plugin/host/binding/call_through.h"

namespace kvl::host {

void* HostGame::instance() {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(hostGlobal<kGlobal, HostWord>()));
}

std::int32_t HostGame::gameState() {
  void* game = instance();
  return game == nullptr ? 0 : fieldAt<std::int32_t>(game, kGameStateOffset);
}

std::int32_t HostGame::language() {
  void* game = instance();
  return game == nullptr ? 0 : fieldAt<std::int32_t>(game, kLanguageOffset);
}

void HostGame::setLanguage(std::int32_t language) {
  if (void* game = instance()) fieldAt<std::int32_t>(game, kLanguageOffset) = language;
}

}  // namespace kvl::host
