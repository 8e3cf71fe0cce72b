#pragma once
#include <cstdint>

namespace kvl::physics {

// The effects' rate: 144 steps per second.
constexpr int kEffectsStepRate = 144;
constexpr float kEffectsStepSeconds = 0.0069444445f;

// Whether the effects advance in this game state (GAME, MENU, REPLAY, END_RACE, COUNTDOWN,
// CUTSCENE).
bool effectsAdvanceIn(int gameState);

// The step for the whole periods a timer reports: their time, or one period after a backlog of
// more than 10; false when no period elapsed.
bool effectsStepFor(int periods, int64_t elapsedMicroseconds, float& seconds);

}  // namespace kvl::physics
