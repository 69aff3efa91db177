#include "skin/engine/manager_options.h"

#include "fw/core/rtti.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skinned_forms.h"

namespace skin {

namespace {

// The copies every manager shares.
std::array<bool, TkcOptions::kFlagCount> GlobalOptionFlags{};
bool MemorySaving = false;

bool ManagerBusy(const TkSkinManager* m) {
  return !m || m->ComponentState().Contains(fw::csLoading) || m->NoAutoUpdate;
}

}  // namespace

const char16_t* const kThirdListNames[kThirdListCount] = {
    u"ThirdEdits",      u"ThirdButtons",        u"ThirdBitBtns",      u"ThirdCheckBoxes", u"ThirdComboBoxes",
    u"ThirdGrids",      u"ThirdGroupBoxes",     u"ThirdListViews",    u"ThirdPanels",     u"ThirdTreeViews",
    u"ThirdWWEdits",    u"ThirdGridEh",         u"ThirdVirtualTrees", u"ThirdPageControl", u"ThirdTabControl",
    u"ThirdToolBar",    u"ThirdStatusBar",      u"ThirdSpeedButton",  u"ThirdScrollControl", u"ThirdUpDown",
    u"ThirdScrollBar",  u"ThirdStaticText"};

fw::String ThirdPartyList::DefaultText(int Index) { return Index == 1 ? u"TButton" : u" "; }

void TkcSkinEffects::WriteAllowOuterEffects(bool Value) {
  if (Value == FAllowOuterEffects) return;
  FAllowOuterEffects = Value;
  if (!ManagerBusy(Manager)) Manager->RepaintForms(false);
}

void TkcSkinEffects::WriteDiscoloredGlyphs(bool Value) {
  if (Value == FDiscoloredGlyphs) return;
  FDiscoloredGlyphs = Value;
  if (!ManagerBusy(Manager)) Manager->RepaintForms(true);
}

void TkcScrollBarsSupport::WriteScrollSize(int Value) {
  if (Value == FScrollSize) return;
  FScrollSize = Value;
  if (Manager && !Manager->ComponentState().Contains(fw::csLoading)) {
    fw::TMessage m{WM_SKINCOMMAND, SkinCommand(SKC_FRAMECHANGED), 0, 0};
    BroadcastSkinMessage(m);
  }
}

void TkcScrollBarsSupport::WriteButtonsSize(int Value) {
  if (Value == FButtonsSize) return;
  FButtonsSize = Value;
  if (Manager && !Manager->ComponentState().Contains(fw::csLoading)) Manager->RepaintForms(false);
}

bool TkcOptions::ReadOption(TFlag Flag) const { return FFlags[Flag] || GlobalOptionFlags[Flag]; }

void TkcOptions::WriteOption(TFlag Flag, bool Value) {
  FFlags[Flag] = Value;
  GlobalOptionFlags[Flag] = Value;
}

TkcOptimizingPriority TkcOptions::ReadOptimizingPriority() const { return MemorySaving ? opMemory : FOptimizingPriority; }

void TkcOptions::WriteOptimizingPriority(TkcOptimizingPriority Value) {
  FOptimizingPriority = Value;
  MemorySaving = Value == opMemory;
}

TkcMenuSupport::TkcMenuSupport() : FExtraLineFont(new fw::TFont()) {}
TkcMenuSupport::~TkcMenuSupport() { delete FExtraLineFont; }

FW_REGISTER(TkcSkinEffects) {
  using E = TkcSkinEffects;
  c.Property(u"AllowAeroBluring", &E::FAllowAeroBluring, &E::FAllowAeroBluring).Default(true);
  c.Property(u"AllowGlowing", &E::FAllowGlowing, &E::FAllowGlowing).Default(true);
  c.Property(u"AllowOuterEffects", &E::FAllowOuterEffects, &E::WriteAllowOuterEffects).Default(false);
  c.Property(u"DiscoloredGlyphs", &E::FDiscoloredGlyphs, &E::WriteDiscoloredGlyphs).Default(false);
}

FW_REGISTER(TkcBtnEffects) { c.Property(u"Events", &TkcBtnEffects::FEvents, &TkcBtnEffects::FEvents); }

FW_REGISTER(TkcFormAnimation) {
  using A = TkcFormAnimation;
  c.Property(u"Active", &A::Active, &A::Active).Default(true);
  c.Property(u"Time", &A::Time, [](A& a, int v) { a.Time = std::max(0, std::min(0xFFFF, v)); });
  c.Property(u"Mode", &A::Mode, &A::Mode);
}
FW_REGISTER(TkcFormShow) {}
FW_REGISTER(TkcFormHide) {}
FW_REGISTER(TkcPageChange) {}
FW_REGISTER(TkcDialogShow) {}
FW_REGISTER(TkcSkinChanging) {}
FW_REGISTER(TkcMinimizing) {}
FW_REGISTER(TkcBlendOnMoving) {
  c.Property(u"BlendValue", &TkcBlendOnMoving::BlendValue, &TkcBlendOnMoving::BlendValue).Default(170);
}

FW_REGISTER(TkcAnimEffects) {
  using A = TkcAnimEffects;
  c.Property(u"Buttons", [](A& a) { return &a.Buttons; }, [](A&, TkcBtnEffects*) {});
  c.Property(u"DialogShow", [](A& a) { return &a.DialogShow; }, [](A&, TkcDialogShow*) {});
  c.Property(u"FormShow", [](A& a) { return &a.FormShow; }, [](A&, TkcFormShow*) {});
  c.Property(u"FormHide", [](A& a) { return &a.FormHide; }, [](A&, TkcFormHide*) {});
  c.Property(u"SkinChanging", [](A& a) { return &a.SkinChanging; }, [](A&, TkcSkinChanging*) {});
  c.Property(u"PageChange", [](A& a) { return &a.PageChange; }, [](A&, TkcPageChange*) {});
  c.Property(u"DialogHide", [](A& a) { return &a.DialogHide; }, [](A&, TkcFormHide*) {});
  c.Property(u"Minimizing", [](A& a) { return &a.Minimizing; }, [](A&, TkcMinimizing*) {});
  c.Property(u"BlendOnMoving", [](A& a) { return &a.BlendOnMoving; }, [](A&, TkcBlendOnMoving*) {});
}

FW_REGISTER(TkcScrollBarsSupport) {
  using S = TkcScrollBarsSupport;
  c.Property(u"ScrollSize", &S::FScrollSize, &S::WriteScrollSize).Default(-1);
  c.Property(u"ButtonsSize", &S::FButtonsSize, &S::WriteButtonsSize).Default(-1);
}

FW_REGISTER(TkcButtonsSupport) {
  using B = TkcButtonsSupport;
  c.Property(u"ShowFocusRect", &B::FShowFocusRect, &B::FShowFocusRect).Default(true);
  c.Property(u"ShiftContentOnClick", &B::FShiftContentOnClick, &B::FShiftContentOnClick).Default(true);
}

FW_REGISTER(TkcLabelsSupport) {
  c.Property(u"TransparentAlways", &TkcLabelsSupport::FTransparentAlways, &TkcLabelsSupport::FTransparentAlways)
      .Default(true);
}

FW_REGISTER(TkcOptions) {
  using O = TkcOptions;
  auto flag = [&](const char16_t* name, O::TFlag f) {
    c.Property(name, [f](O& o) { return o.ReadOption(f); }, [f](O& o, bool v) { o.WriteOption(f, v); }).Default(false);
  };
  flag(u"CheckEmptyAlpha", O::oCheckEmptyAlpha);
  flag(u"NoMouseHover", O::oNoMouseHover);
  flag(u"NativeBordersMaximized", O::oNativeBordersMaximized);
  flag(u"StdGlyphsOrder", O::oStdGlyphsOrder);
  c.Property(u"OptimizingPriority", &O::ReadOptimizingPriority, &O::WriteOptimizingPriority).Default(opSpeed);
}

FW_REGISTER(TkcMenuSupport) {
  using M = TkcMenuSupport;
  c.Property(u"IcoLineSkin", &M::FIcoLineSkin, &M::FIcoLineSkin);
  c.Property(u"UseExtraLine", &M::FUseExtraLine, &M::FUseExtraLine).Default(false);
  c.Property(u"ExtraLineWidth", &M::FExtraLineWidth, &M::FExtraLineWidth).Default(32);
  c.Property(u"AlphaBlend", &M::FAlphaBlend, &M::FAlphaBlend).Default(255);
  c.Property(u"ExtraLineFont", &M::ExtraLineFont, &M::SetExtraLineFont);
}

FW_REGISTER(ThirdPartyList) {
  for (int i = 0; i < kThirdListCount; ++i)
    c.Property(kThirdListNames[i], [i](ThirdPartyList& l) { return l.Texts[static_cast<size_t>(i)]; },
               [i](ThirdPartyList& l, const fw::String& v) { l.Texts[static_cast<size_t>(i)] = v; });
}

}  // namespace skin
