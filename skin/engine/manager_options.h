// The option objects of the skin manager: effects, animations, scroll-bar,
// button and label options, general options, the menu options and the 22
// class lists of controls that get a skin adapter. Each is created and
// freed by its manager; defaults are set by the constructors.
#pragma once

#include <array>

#include "fw/core/component.h"
#include "fw/core/sets.h"
#include "fw/core/typeinfo.h"
#include "fw/graphics/graphics.h"

namespace skin {

class TkSkinManager;

FW_ENUM(TkcAnimType, atFading, atAero);
FW_ENUM(TkcBtnEvent, beMouseEnter, beMouseLeave, beMouseDown, beMouseUp);
using TkcBtnEvents = fw::TSet<TkcBtnEvent>;
FW_ENUM(TkcOptimizingPriority, opSpeed, opMemory);
FW_ENUM(TkcSkinningRule, srStdForms, srStdDialogs, srThirdParty);
using TkcSkinningRules = fw::TSet<TkcSkinningRule>;

class TkcSkinEffects : public fw::TPersistent {
  FW_CLASS(TkcSkinEffects, fw::TPersistent)
 public:
  TkSkinManager* Manager = nullptr;
  bool FAllowAeroBluring = true, FAllowGlowing = true, FAllowOuterEffects = false, FDiscoloredGlyphs = false;
  void WriteAllowOuterEffects(bool Value);
  void WriteDiscoloredGlyphs(bool Value);
};

class TkcBtnEffects : public fw::TPersistent {
  FW_CLASS(TkcBtnEffects, fw::TPersistent)
 public:
  TkcBtnEvents FEvents{beMouseEnter, beMouseLeave, beMouseDown, beMouseUp};
};

class TkcFormAnimation : public fw::TPersistent {
  FW_CLASS(TkcFormAnimation, fw::TPersistent)
 public:
  TkcFormAnimation() = default;
  TkcFormAnimation(int time, TkcAnimType mode) : Time(time), Mode(mode) {}
  bool Active = true;
  int Time = 0;  // milliseconds, 0..65535
  TkcAnimType Mode = atAero;
};
class TkcFormShow : public TkcFormAnimation {
  FW_CLASS(TkcFormShow, TkcFormAnimation)
};
class TkcFormHide : public TkcFormAnimation {
  FW_CLASS(TkcFormHide, TkcFormAnimation)
};
class TkcPageChange : public TkcFormAnimation {
  FW_CLASS(TkcPageChange, TkcFormAnimation)
};
class TkcDialogShow : public TkcFormAnimation {
  FW_CLASS(TkcDialogShow, TkcFormAnimation)
};
class TkcSkinChanging : public TkcFormAnimation {
  FW_CLASS(TkcSkinChanging, TkcFormAnimation)
 public:
  TkcSkinChanging() : TkcFormAnimation(100, atFading) {}
};
class TkcMinimizing : public TkcFormAnimation {
  FW_CLASS(TkcMinimizing, TkcFormAnimation)
 public:
  TkcMinimizing() : TkcFormAnimation(120, atAero) {}
};
class TkcBlendOnMoving : public TkcFormAnimation {
  FW_CLASS(TkcBlendOnMoving, TkcFormAnimation)
 public:
  TkcBlendOnMoving() : TkcFormAnimation(1000, atAero) { Active = false; }
  uint8_t BlendValue = 170;
};

class TkcAnimEffects : public fw::TPersistent {
  FW_CLASS(TkcAnimEffects, fw::TPersistent)
 public:
  TkSkinManager* Manager = nullptr;
  TkcBtnEffects Buttons;
  TkcDialogShow DialogShow;
  TkcFormShow FormShow;
  TkcFormHide FormHide;
  TkcSkinChanging SkinChanging;
  TkcPageChange PageChange;
  TkcFormHide DialogHide;
  TkcMinimizing Minimizing;
  TkcBlendOnMoving BlendOnMoving;
};

class TkcScrollBarsSupport : public fw::TPersistent {
  FW_CLASS(TkcScrollBarsSupport, fw::TPersistent)
 public:
  TkSkinManager* Manager = nullptr;
  int FScrollSize = -1, FButtonsSize = -1;
  void WriteScrollSize(int Value);
  void WriteButtonsSize(int Value);
};

class TkcButtonsSupport : public fw::TPersistent {
  FW_CLASS(TkcButtonsSupport, fw::TPersistent)
 public:
  bool FShowFocusRect = true, FShiftContentOnClick = true;
};

class TkcLabelsSupport : public fw::TPersistent {
  FW_CLASS(TkcLabelsSupport, fw::TPersistent)
 public:
  bool FTransparentAlways = true;
};

// Each flag is kept here and in a copy shared by every manager; either one
// set reads as set.
class TkcOptions : public fw::TPersistent {
  FW_CLASS(TkcOptions, fw::TPersistent)
 public:
  enum TFlag { oCheckEmptyAlpha, oNoMouseHover, oNativeBordersMaximized, oStdGlyphsOrder, kFlagCount };
  bool ReadOption(TFlag Flag) const;
  void WriteOption(TFlag Flag, bool Value);
  TkcOptimizingPriority ReadOptimizingPriority() const;
  void WriteOptimizingPriority(TkcOptimizingPriority Value);
  bool NoMouseHover() const { return ReadOption(oNoMouseHover); }

 private:
  std::array<bool, kFlagCount> FFlags{};
  TkcOptimizingPriority FOptimizingPriority = opSpeed;
};

// The options of skinned menus the manager carries.
class TkcMenuSupport : public fw::TPersistent {
  FW_CLASS(TkcMenuSupport, fw::TPersistent)
 public:
  TkcMenuSupport();
  ~TkcMenuSupport() override;
  fw::String FIcoLineSkin;
  // The vertical band down the left of popups, and its width.
  bool FUseExtraLine = false;
  int FExtraLineWidth = 32;
  uint8_t FAlphaBlend = 255;
  fw::TFont* ExtraLineFont() const { return FExtraLineFont; }
  void SetExtraLineFont(fw::TFont* Value) { FExtraLineFont->Assign(Value); }

 private:
  fw::TFont* FExtraLineFont;
};

// The class names, one a line, of the controls that get the adapter of
// each of the 22 kinds.
constexpr int kThirdListCount = 22;
class ThirdPartyList : public fw::TPersistent {
  FW_CLASS(ThirdPartyList, fw::TPersistent)
 public:
  std::array<fw::String, kThirdListCount> Texts;
  // The built-in text of an index: "TButton" for the buttons, one blank
  // for every other list.
  static fw::String DefaultText(int Index);
};
extern const char16_t* const kThirdListNames[kThirdListCount];

}  // namespace skin
