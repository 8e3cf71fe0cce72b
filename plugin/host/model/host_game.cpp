#include "plugin/host/model/host_game.h"

#include "plugin/host/binding/call_through.h"

namespace kvl::host {

void* HostGame::instance() {
  return hostObject<kGlobal>();
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

void* HostGame::menuRenderer(void* game) noexcept {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(fieldAt<HostWord>(game, kMenuRendererOffset)));
}

const char* HostGame::stageFolder(void* game, std::int32_t stageKey) {
  return hostFunction<0x47C7D0, const char*(QZR_THISCALL*)(void*, std::int32_t)>()(game, stageKey);
}

void HostGame::finishStep(void* game) { hostFunction<0x47CA70, void(QZR_THISCALL*)(void*)>()(game); }

void hostRunStep(void* game, float stepSeconds, std::int32_t argument) {
  hostFunction<0x4804F0, void(QZR_THISCALL*)(void*, float, std::int32_t)>()(game, stepSeconds, argument);
}

std::int32_t hostActiveFlag() { return hostGlobal<0x7C0BBC, std::int32_t>(); }

}  // namespace kvl::host
