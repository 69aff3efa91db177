// The arithmetic of the window animations: how many frames an animation of
// a given time has, the constant alpha of each frame, the zoom rectangle of
// the aero mode and the alpha of the old image during a skin-change
// transition. Frames are 12 ms apart; a time below 12 ms means no stepping.
#pragma once

#include <vector>

namespace skin {

constexpr int kAnimFrameMs = 12;
constexpr int AnimStepCount(unsigned timeMs) { return static_cast<int>((timeMs & 0xFFFF) / kAnimFrameMs); }

// Alpha of frames 0..StepCount of a form shown in steps of MaxAlpha /
// StepCount (capped at MaxAlpha); empty when StepCount is 0.
std::vector<int> FormShowAlphas(unsigned timeMs, int maxAlpha);
// The same for a dialog, whose step is MaxAlpha / (StepCount + 1).
std::vector<int> DialogShowAlphas(unsigned timeMs, int maxAlpha);
// Alpha of frames 0..StepCount of a hide animation, falling from StartAlpha
// by StartAlpha / StepCount and never below 0.
std::vector<int> HideAlphas(unsigned timeMs, int startAlpha);

struct TZoomRect {
  double l = 0, t = 0, r = 0, b = 0;
  // A rectangle reaching past the top-left is drawn as a plain copy.
  bool PlainCopy() const { return l < 0 || t < 0; }
};
// The rectangle of each frame of an aero show: from an inset of an eighth
// on every side up to the full size at the last frame.
std::vector<TZoomRect> ShowZoomRects(int width, int height, int stepCount);
// The rectangle of each frame of an aero hide: from the full size down to
// an inset of an eighth.
std::vector<TZoomRect> HideZoomRects(int width, int height, int stepCount);

// The old image's alpha while the new one has reached alpha: opaque until
// the new one passes two thirds of MaxAlpha.
int TransitionOldAlpha(int maxAlpha, int newAlpha);
// The weights (of 255) of the old screen image in the frames of a
// transition without layered windows.
std::vector<int> ScreenBlendWeights(int stepCount);

}  // namespace skin
