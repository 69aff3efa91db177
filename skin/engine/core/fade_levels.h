// The level/step machine behind every fade of the skinning: a state image
// shown at Step x Level of 255, climbing one level per tick up to full
// strength or falling back to nothing. The title-button glow, the hover of
// title-bar items and whatever else fades in steps drive one of these from
// their timer and do the showing through a sink.
#pragma once

namespace skin {

// What the owner of a fade does when the machine asks.
class TkcFadeSink {
 public:
  virtual ~TkcFadeSink() = default;
  // Shows the state's image (made when missing) at the constant alpha.
  virtual void ShowAt(int Alpha) = 0;
  // The image and its window go; the next show makes them again.
  virtual void DropImage() = 0;
  // True when the mouse is no longer over the faded element.
  virtual bool MouseOutside() { return false; }
  // The mouse left after a full fade-in (the timer is stopped already).
  virtual void MouseLeft() {}
  // A fade-in reached full strength.
  virtual void FadedIn() {}
};

class TkcFadeLevels {
 public:
  static constexpr int kInterval = 12;  // ms between ticks

  // ZeroShowsFull: a return to state 0 first shows the image at 255 (the
  // title-bar items) instead of at one step (the title buttons).
  explicit TkcFadeLevels(bool ZeroShowsFull = false) : FZeroShowsFull(ZeroShowsFull) {}

  int CurrentLevel = 0;
  int CurrentState = 0;  // -1 once a fade-out has ended
  int MaxIterations = 0; // -1 once a fade-in has reached full strength
  bool Up = false;
  bool Running = false;  // the owner's timer runs while this is set

  // 255 div MaxIterations, never negative (0 after a completed fade-in).
  int Step() const;
  // The number of steps of the next fade, at least one.
  void SetIterations(int Iterations) { MaxIterations = Iterations < 1 ? 1 : Iterations; }
  // Begins showing NewState; nothing when it is shown already.
  void StartAnimation(int NewState, bool ToUp, TkcFadeSink& Sink);
  // Turns a fade that exists already towards NewState: fading in takes the
  // state over at once (a running fade-in goes on from its level), a press
  // jumps to the last level with a fresh image, fading out falls from the
  // current level.
  void Retarget(int NewState, int Iterations, bool ToUp, TkcFadeSink& Sink);
  // One timer tick; nothing while not running.
  void Tick(TkcFadeSink& Sink);
  // The ticks that fall into ElapsedMs more milliseconds of a running fade
  // (the rest is carried over); for owners driven by a clock of their own.
  void Elapse(unsigned ElapsedMs, TkcFadeSink& Sink);

 private:
  bool FZeroShowsFull;
  unsigned FCarriedMs = 0;
};

}  // namespace skin
