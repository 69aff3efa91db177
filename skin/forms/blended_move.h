// Moving a skinned form or dialog half-transparent: while the system's move
// loop runs, the window (or its extended border window) fades from its own
// alpha to the skin manager's BlendValue on a threaded timer at 12 ms, and
// it is made opaque again when the move ends. Off unless the manager's
// BlendOnMoving is active (the program keeps it off).
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "skin/engine/threaded_timer.h"
#include "skin/forms/border_window.h"

namespace skin {

// What a blended move reads of the form or dialog being moved.
class TkcBlendedMoveHost {
 public:
  TkcBlendedMoveHost() : FormState(FOwnState) {}
  // The state bits kept by the provider itself.
  explicit TkcBlendedMoveHost(uint32_t& State) : FormState(State) {}
  virtual ~TkcBlendedMoveHost();
  TkcBlendedMoveHost(const TkcBlendedMoveHost&) = delete;
  TkcBlendedMoveHost& operator=(const TkcBlendedMoveHost&) = delete;

 private:
  uint32_t FOwnState = 0;

 public:
  uint32_t& FormState;  // 0x80 while a blended move runs
  std::unique_ptr<TkcThreadedTimer> MoveTimer;
  TkcBorderForm* BorderForm = nullptr;

  virtual HWND MovedWindow() const = 0;
  // A dialog takes its step as (255 - BlendValue) div 30; a form by the time.
  virtual bool IsDialog() const { return false; }
  // The manager's BlendOnMoving (and the provider's AllowBlendOnMoving).
  virtual bool BlendOnMovingActive() const { return false; }
  virtual int BlendValue() const { return 170; }
  virtual int BlendTime() const { return 1000; }
  virtual bool AlphaBlend() const { return false; }
  virtual int AlphaBlendValue() const { return 255; }
  // The window's whole image (the border window shows it).
  virtual fw::TBitmap* CacheBitmap() { return nullptr; }
};

// The alpha lost per 12 ms tick: at once below 13 ms, else spread over the
// time (a form); (255 - BlendValue) div 30 (a dialog).
double FormMoveBlendStep(int BlendValue, int TimeMs);
double DialogMoveBlendStep(int BlendValue);

class TkcMoveTimer : public TkcThreadedTimer {
  FW_CLASS(TkcMoveTimer, TkcThreadedTimer)
  TkcMoveTimer(fw::TComponent* AOwner);
  int BlendValue = 255;
  double CurrentBlendValue = 255;
  double BlendStep = 0;
  TkcBorderForm* BorderForm = nullptr;
  HWND FormHandle = nullptr;
  fw::TBitmap* BorderImage = nullptr;
  void Tick() { TimeHandler(); }

 protected:
  void TimeHandler() override;
};

// Starts a blended move; with RunLoop the system's move loop runs and the
// move is finished when it returns. False when nothing was started.
bool MoveWithBlending(TkcBlendedMoveHost& Host, bool RunLoop);
// Makes the window opaque again and ends the move.
void FinishBlendedMove(TkcBlendedMoveHost& Host);

}  // namespace skin
