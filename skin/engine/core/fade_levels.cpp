#include "skin/engine/core/fade_levels.h"

#include <algorithm>

namespace skin {

int TkcFadeLevels::Step() const {
  if (MaxIterations == 0) return 255;
  return std::max(255 / MaxIterations, 0);
}

void TkcFadeLevels::StartAnimation(int NewState, bool ToUp, TkcFadeSink& Sink) {
  if (NewState == CurrentState) return;
  CurrentState = NewState;
  if (NewState != 0) {
    if (NewState == 2) Sink.DropImage();
    CurrentLevel = 1;
    Up = ToUp;
    Sink.ShowAt(std::min(Step(), 255));
    CurrentLevel = 2;
  } else {
    Up = false;
    CurrentLevel = std::max(CurrentLevel - 1, 0);
    Sink.ShowAt(FZeroShowsFull ? 255 : std::min(Step(), 255));
  }
  Running = MaxIterations > 1;
  FCarriedMs = 0;
}

void TkcFadeLevels::Retarget(int NewState, int Iterations, bool ToUp, TkcFadeSink& Sink) {
  if (ToUp) CurrentState = NewState;
  SetIterations(Iterations);
  Up = ToUp;
  Running = true;
  FCarriedMs = 0;
  if (NewState == 2) {
    CurrentLevel = MaxIterations;
    Sink.DropImage();
  }
}

void TkcFadeLevels::Tick(TkcFadeSink& Sink) {
  if (!Running) return;
  if (Up) {
    if (CurrentLevel < MaxIterations) {
      Sink.ShowAt(std::clamp(Step() * CurrentLevel, 0, 255));
      ++CurrentLevel;
      return;
    }
    if (Sink.MouseOutside()) {
      Running = false;
      Sink.MouseLeft();
      // The owner may have turned the fade round meanwhile.
      if (!Up) return;
    }
    if (MaxIterations != -1) {
      MaxIterations = -1;
      Sink.ShowAt(255);
      Sink.FadedIn();
    }
    return;
  }
  if (CurrentLevel > 0) {
    Sink.ShowAt(std::clamp(Step() * CurrentLevel, 0, 255));
    --CurrentLevel;
    return;
  }
  CurrentState = -1;
  Running = false;
  Sink.DropImage();
}

void TkcFadeLevels::Elapse(unsigned ElapsedMs, TkcFadeSink& Sink) {
  if (!Running) {
    FCarriedMs = 0;
    return;
  }
  FCarriedMs += ElapsedMs;
  while (Running && FCarriedMs >= kInterval) {
    FCarriedMs -= kInterval;
    Tick(Sink);
  }
  if (!Running) FCarriedMs = 0;
}

}  // namespace skin
