#include "skin/controls/grid_wnd.h"

#include "fw/core/rtti.h"
#include "fw/graphics/graphics.h"
#include "skin/engine/core/pixel_colors.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skin_utils.h"
#include "skin/engine/window_utils.h"

namespace skin {

namespace {

constexpr fw::TColor kWhite = 0xFFFFFF, kBlack = 0;

// The value of an ordinal property when the object publishes one.
template <class T>
bool ReadProp(fw::TObject* Object, fw::StringView Name, T& Value) {
  const fw::TPropInfo* info = Object ? fw::GetPropInfo(Object, Name) : nullptr;
  if (!info) return false;
  const fw::TValue v = info->GetValue(Object);
  if (v.Kind() != fw::TValueKind::Ordinal) return false;
  Value = T(v.AsOrdinal());
  return true;
}

// A colour property whose "none" stands for the given colour.
bool ReadColorOr(fw::TObject* Object, fw::StringView Name, fw::TColor Instead, fw::TColor& Value) {
  if (!ReadProp(Object, Name, Value)) return false;
  if (Value == fw::clNone) Value = Instead;
  return true;
}

fw::TObject* Sub(fw::TObject* Object, fw::StringView Name) { return ReadObjectPropByName(Object, Name); }

fw::TFont* FontProp(fw::TObject* Object, fw::StringView Name) {
  return dynamic_cast<fw::TFont*>(ReadObjectPropByName(Object, Name));
}

void SetFontColor(fw::TFont* Font, fw::TColor Color) {
  if (Font && Font->Color() != Color) Font->SetColor(Color);
}

fw::TColor Mix(fw::TColor A, fw::TColor B, double R) {
  return fw::TColor(MixColors(uint32_t(fw::ColorToRGB(A)), uint32_t(fw::ColorToRGB(B)), R) & 0xFFFFFF);
}

bool BeingDestroyed(fw::TControl* Control) {
  return !Control || Control->ComponentState().Contains(fw::csDestroying);
}

}  // namespace

// ---- TkcGridWnd

TkcGridWnd::TkcGridWnd(HWND AHandle, TkcSkinSource ASkin, const TkcSkinParams& Params, bool Repaint)
    : TkcEditWnd(AHandle, std::move(ASkin), Params, Repaint) {
  SaveGridParams();
}

bool TkcGridWnd::FrameworkGrid() const {
  fw::TControl* c = Control();
  for (fw::TClass k = c ? c->ClassType() : nullptr; k; k = k->ClassParent())
    if (k->ClassName() == u"TCustomGrid") return true;
  return false;
}

bool TkcGridWnd::DataAware() const { return HasPublishedProp(Control(), u"DataSource"); }

void TkcGridWnd::Subclass() {
  TkcEditWnd::Subclass();
  if (Skinned()) SetSkinParams();
}

void TkcGridWnd::SaveStdParams() {
  TkcEditWnd::SaveStdParams();
  SaveGridParams();
}

void TkcGridWnd::SaveGridParams() {
  fw::TControl* c = Control();
  if (!c) return;
  const bool framework = FrameworkGrid();
  fw::TObject* look = Sub(c, u"ControlLook");
  fw::TObject* title = Sub(Sub(c, u"GridStyle"), u"Title");
  fw::TObject* lines = Sub(c, u"LineColors");

  ReadProp(c, u"FixedColor", FixedColor);
  if (framework) ReadProp(c, u"DrawingStyle", DrawingStyle);
  // The last place found wins.
  if (framework) {
    ReadProp(c, u"GradientStartColor", FixedGradientFrom);
    ReadProp(c, u"GradientEndColor", FixedGradientTo);
  }
  ReadColorOr(look, u"FixedGradientFrom", fw::clBtnFace, FixedGradientFrom);
  ReadColorOr(look, u"FixedGradientTo", fw::clBtnFace, FixedGradientTo);
  ReadColorOr(title, u"StartColor", fw::clBtnFace, FixedGradientFrom);
  ReadColorOr(title, u"EndColor", fw::clBtnFace, FixedGradientTo);
  ReadColorOr(look, u"FixedGradientMirrorFrom", fw::clBtnFace, FixedGradientMirrorFrom);
  ReadColorOr(look, u"FixedGradientMirrorTo", fw::clBtnFace, FixedGradientMirrorTo);

  if (fw::TFont* f = FontProp(c, u"TitleFont")) TitleFontColor = f->Color();
  if (fw::TFont* f = look ? FontProp(c, u"FixedFont") : nullptr) TitleFontColor = f->Color();
  if (look) {
    ReadProp(c, u"GridFixedLineColor", GridFixedLineColor);
    ReadProp(c, u"GridLineColor", GridLineColor);
    ReadProp(c, u"SelectionColor", SelectionColor);
    ReadProp(c, u"SelectionTextColor", SelectionTextColor);
  }
  ReadProp(lines, u"FixedColor", GridFixedLineColor);
  ReadProp(lines, u"DataColor", GridLineColor);
  // Its own colour comes back too, not the data lines' one.
  ReadProp(lines, u"ShadowColor", LineShadowColor);
  ReadProp(c, u"FooterColor", FooterColor);
  ReadProp(c, u"FooterCellColor", FooterCellColor);
  ReadProp(c, u"TitleColor", TitleColor);
  ReadProp(c, u"IndicatorIconColor", IndColor);
}

void TkcGridWnd::SetSkinParams() {
  if (bPreventStyleChange) return;
  TkcEditWnd::SetSkinParams();
  TkLoadedSkin* skin = Destroyed ? nullptr : Skin();
  fw::TControl* c = Control();
  if (!skin || !c) return;
  const fw::TColor g = skin->GetGlobalColor(), e = skin->GetActiveEditColor(),
                   ef = skin->GetActiveEditFontColor(), border = skin->Palette[pcBorder];
  fw::TObject* look = Sub(c, u"ControlLook");
  fw::TObject* title = Sub(Sub(c, u"GridStyle"), u"Title");
  fw::TObject* lines = Sub(c, u"LineColors");

  WriteOrdPropByName(c, u"FixedColor", g);
  const bool framework = FrameworkGrid();
  if (framework && DrawingStyle != gdsClassic) WriteOrdPropByName(c, u"DrawingStyle", gdsGradient);
  // The framework grid's own gradient, set through its setters.
  fw::TObject* own = framework ? c : nullptr;
  const fw::TColor from = Mix(g, e, 0.5);
  WriteOrdPropByName(own, u"GradientStartColor", from);
  WriteOrdPropByName(look, u"FixedGradientFrom", from);
  WriteOrdPropByName(title, u"StartColor", from);
  WriteOrdPropByName(own, u"GradientEndColor", g);
  WriteOrdPropByName(look, u"FixedGradientTo", g);
  WriteOrdPropByName(title, u"EndColor", g);
  WriteOrdPropByName(look, u"FixedGradientMirrorFrom", Mix(g, kBlack, 0.95));
  WriteOrdPropByName(look, u"FixedGradientMirrorTo", Mix(g, kWhite, 0.9));

  const fw::TColor gf = skin->GetGlobalFontColor();
  SetFontColor(FontProp(c, u"TitleFont"), gf);
  if (look) {
    SetFontColor(FontProp(c, u"FixedFont"), gf);
    WriteOrdPropByName(c, u"GridFixedLineColor", border);
    WriteOrdPropByName(c, u"GridLineColor", Mix(e, ef, 0.7));
    WriteOrdPropByName(c, u"SelectionColor", skin->GetHighLightColor(true));
    WriteOrdPropByName(c, u"SelectionTextColor", skin->GetHighLightFontColor(true));
  }
  WriteOrdPropByName(lines, u"FixedColor", border);
  WriteOrdPropByName(lines, u"DataColor", Mix(e, ef, 0.8));
  WriteOrdPropByName(lines, u"ShadowColor", Mix(e, ef, 0.8));

  const int info = skin->ConstData.IndexGLobalInfo;
  if (skin->IsValidSkinIndex(info)) {
    const fw::TColor gi = skin->gd[size_t(info)].Props[0].Color;
    WriteOrdPropByName(c, u"FooterColor", gi);
    WriteOrdPropByName(c, u"FooterCellColor", gi);
    WriteOrdPropByName(c, u"TitleColor", gi);
  }
  if (AdapterSection(*this)) WriteOrdPropByName(c, u"IndicatorIconColor", SectionFontColor(*this, 0));
}

void TkcGridWnd::RestoreStdParams() {
  TkcEditWnd::RestoreStdParams();
  fw::TControl* c = Control();
  if (BeingDestroyed(c)) return;
  fw::TObject* look = Sub(c, u"ControlLook");
  fw::TObject* title = Sub(Sub(c, u"GridStyle"), u"Title");
  fw::TObject* lines = Sub(c, u"LineColors");
  const bool framework = FrameworkGrid();

  WriteOrdPropByName(c, u"FixedColor", FixedColor);
  if (framework) {
    WriteOrdPropByName(c, u"DrawingStyle", DrawingStyle);
    WriteOrdPropByName(c, u"GradientStartColor", FixedGradientFrom);
    WriteOrdPropByName(c, u"GradientEndColor", FixedGradientTo);
  }
  WriteOrdPropByName(look, u"FixedGradientFrom", FixedGradientFrom);
  WriteOrdPropByName(title, u"StartColor", FixedGradientFrom);
  WriteOrdPropByName(look, u"FixedGradientTo", FixedGradientTo);
  WriteOrdPropByName(title, u"EndColor", FixedGradientTo);
  WriteOrdPropByName(look, u"FixedGradientMirrorFrom", FixedGradientMirrorFrom);
  WriteOrdPropByName(look, u"FixedGradientMirrorTo", FixedGradientMirrorTo);
  SetFontColor(FontProp(c, u"TitleFont"), TitleFontColor);
  if (look) {
    SetFontColor(FontProp(c, u"FixedFont"), TitleFontColor);
    WriteOrdPropByName(c, u"GridFixedLineColor", GridFixedLineColor);
    WriteOrdPropByName(c, u"GridLineColor", GridLineColor);
    WriteOrdPropByName(c, u"SelectionColor", SelectionColor);
    WriteOrdPropByName(c, u"SelectionTextColor", SelectionTextColor);
  }
  WriteOrdPropByName(lines, u"FixedColor", GridFixedLineColor);
  WriteOrdPropByName(lines, u"DataColor", GridLineColor);
  WriteOrdPropByName(lines, u"ShadowColor", LineShadowColor);
  WriteOrdPropByName(c, u"FooterColor", FooterColor);
  WriteOrdPropByName(c, u"FooterCellColor", FooterCellColor);
  WriteOrdPropByName(c, u"TitleColor", TitleColor);
  WriteOrdPropByName(c, u"IndicatorIconColor", IndColor);
}

void TkcGridWnd::kcWndProc(fw::TMessage& Message) {
  if (Destroyed || !Skinned()) {
    TkcEditWnd::kcWndProc(Message);
    AfterRemoval(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      // The grid paints every cell itself.
      Message.Result = 1;
      return;
    case WM_VSCROLL:
      if (DataAware()) {
        const int code = LOWORD(Message.WParam);
        if (code == SB_THUMBPOSITION || code == SB_THUMBTRACK) {
          // A data-aware grid reads the position from its bar: the skinned
          // bar's tracked position goes there first.
          TkScrollState& i = sBarVert.Info;
          i.nPos = i.nTrackPos;
          SCROLLINFO si{sizeof(si), SIF_ALL, i.nMin, i.nMax, i.nPage, i.nPos, i.nTrackPos};
          SetScrollInfo(CtrlHandle, SB_VERT, &si, FALSE);
        } else if (code == SB_ENDSCROLL && Control() && Control()->ClassName() == u"TwwDBGrid") {
          SendScrollMessage(WM_VSCROLL, SB_THUMBPOSITION, sBarVert.Info.nTrackPos);
        }
      }
      break;
    case WM_LBUTTONUP:
      if (sBarVert.Visible) {
        const POINT p = ScrollCursorPos();
        const fw::TRect r = VertBarRect();
        if (p.x >= r.Left && p.x < r.Right && p.y >= r.Top && p.y < r.Bottom) {
          Message.WParam = WPARAM(-1);
          HandleLButtonUp(Message);
          return;
        }
      }
      break;
    default: break;
  }
  TkcEditWnd::kcWndProc(Message);
  if (Destroyed) return;
  switch (Message.Msg) {
    case WM_PAINT: RefreshScrollBars(); break;
    case WM_WINDOWPOSCHANGED:
      if (IsWindowVisible(CtrlHandle)) SendMessageW(CtrlHandle, WM_NCPAINT, 0, 0);
      break;
    default: AfterRemoval(Message); break;
  }
}

void TkcGridWnd::AfterRemoval(const fw::TMessage& Message) {
  if (Destroyed || Message.Msg != WM_SKINCOMMAND || SkinCommandCode(Message.WParam) != SKC_REMOVESKIN ||
      !OwnManagerCommand(Message) || !FrameworkGrid())
    return;
  // The grid's window is made again, with its own scroll bars.
  fw::TControl* c = Control();
  const int64_t bars = ReadOrdPropByName(c, u"ScrollBars");
  if (bars > 0) {
    WriteOrdPropByName(c, u"ScrollBars", 0);
    WriteOrdPropByName(c, u"ScrollBars", bars);
  }
}

// ---- TkcGridEhWnd

TkcGridEhWnd::TkcGridEhWnd(HWND AHandle, TkcSkinSource ASkin, const TkcSkinParams& Params, bool Repaint)
    : TkcGridWnd(AHandle, std::move(ASkin), Params, Repaint) {
  SaveEhParams();
}

void TkcGridEhWnd::SaveStdParams() {
  TkcGridWnd::SaveStdParams();
  SaveEhParams();
}

void TkcGridEhWnd::SaveEhParams() {
  fw::TControl* c = Control();
  if (!c) return;
  ReadColorOr(c, u"EvenRowColor", fw::clWindow, EvenRowColor);
  ReadColorOr(c, u"OddRowColor", fw::clWindow, OddRowColor);
  fw::TObject* lines = Sub(c, u"GridLineParams");
  ReadProp(lines, u"BrightColor", BrightColor);
  ReadProp(lines, u"DataHorzColor", DataHorzColor);
  ReadProp(lines, u"DataVertColor", DataVertColor);
  ReadProp(lines, u"DarkColor", DarkColor);
  fw::TObject* ind = Sub(c, u"IndicatorParams");
  ReadProp(ind, u"Color", IndParamsColor);
  ReadProp(ind, u"HorzLines", IndHorzLines);
  ReadProp(ind, u"VertLines", IndVertLines);
  ReadProp(ind, u"FillStyle", InfFillStyle);
  fw::TObject* title = Sub(c, u"TitleParams");
  ReadProp(title, u"Color", TitleParamsColor);
  ReadProp(title, u"SecondColor", TitleSecondColor);
  ReadProp(title, u"HorzLines", TitleHorzLines);
  ReadProp(title, u"FillStyle", TitleFillStyle);
  ReadProp(title, u"VertLineColor", TitleVertLineColor);
  ReadProp(Sub(c, u"RowDetailPanel"), u"Color", RowDetailColor);
}

void TkcGridEhWnd::SetSkinParams() {
  if (bPreventStyleChange) return;
  TkcGridWnd::SetSkinParams();
  TkLoadedSkin* skin = Destroyed ? nullptr : Skin();
  fw::TControl* c = Control();
  if (!skin || !c) return;
  const fw::TColor g = skin->GetGlobalColor(), e = skin->GetActiveEditColor(),
                   ef = skin->GetActiveEditFontColor(), main = skin->Palette[pcMainColor];
  // Rows striped alike stay alike.
  if (fw::ColorToRGB(EvenRowColor) != fw::ColorToRGB(OddRowColor)) {
    WriteOrdPropByName(c, u"EvenRowColor", skin->Palette[pcEditBG_EvenRow]);
    WriteOrdPropByName(c, u"OddRowColor", skin->Palette[pcEditBG_OddRow]);
  }
  fw::TObject* lines = Sub(c, u"GridLineParams");
  WriteOrdPropByName(lines, u"BrightColor", Mix(kWhite, e, 0.2));
  WriteOrdPropByName(lines, u"DataHorzColor", Mix(ef, e, 0.2));
  WriteOrdPropByName(lines, u"DataVertColor", Mix(ef, e, 0.2));
  WriteOrdPropByName(lines, u"DarkColor", Mix(kBlack, g, 0.3));
  fw::TObject* ind = Sub(c, u"IndicatorParams");
  WriteOrdPropByName(ind, u"Color", main);
  WriteOrdPropByName(ind, u"HorzLines", 0);
  WriteOrdPropByName(ind, u"VertLines", 0);
  WriteOrdPropByName(ind, u"FillStyle", 2);
  fw::TObject* title = Sub(c, u"TitleParams");
  WriteOrdPropByName(title, u"Color", main);
  WriteOrdPropByName(title, u"SecondColor", Mix(kWhite, main, 0.1));
  WriteOrdPropByName(title, u"HorzLines", 0);
  WriteOrdPropByName(title, u"FillStyle", 3);
  WriteOrdPropByName(title, u"VertLineColor", skin->Palette[pcBorder]);
  WriteOrdPropByName(Sub(c, u"RowDetailPanel"), u"Color", g);
}

void TkcGridEhWnd::RestoreStdParams() {
  TkcGridWnd::RestoreStdParams();
  fw::TControl* c = Control();
  if (BeingDestroyed(c)) return;
  WriteOrdPropByName(c, u"EvenRowColor", EvenRowColor);
  WriteOrdPropByName(c, u"OddRowColor", OddRowColor);
  fw::TObject* lines = Sub(c, u"GridLineParams");
  WriteOrdPropByName(lines, u"BrightColor", BrightColor);
  WriteOrdPropByName(lines, u"DataHorzColor", DataHorzColor);
  WriteOrdPropByName(lines, u"DataVertColor", DataVertColor);
  WriteOrdPropByName(lines, u"DarkColor", DarkColor);
  fw::TObject* ind = Sub(c, u"IndicatorParams");
  WriteOrdPropByName(ind, u"Color", IndParamsColor);
  WriteOrdPropByName(ind, u"HorzLines", IndHorzLines);
  WriteOrdPropByName(ind, u"VertLines", IndVertLines);
  WriteOrdPropByName(ind, u"FillStyle", InfFillStyle);
  fw::TObject* title = Sub(c, u"TitleParams");
  WriteOrdPropByName(title, u"Color", TitleParamsColor);
  WriteOrdPropByName(title, u"SecondColor", TitleSecondColor);
  WriteOrdPropByName(title, u"HorzLines", TitleHorzLines);
  WriteOrdPropByName(title, u"FillStyle", TitleFillStyle);
  WriteOrdPropByName(title, u"VertLineColor", TitleVertLineColor);
  WriteOrdPropByName(Sub(c, u"RowDetailPanel"), u"Color", RowDetailColor);
}

void TkcGridEhWnd::kcWndProc(fw::TMessage& Message) {
  TkcGridWnd::kcWndProc(Message);
  // A control made inside the grid (its in-place editor) gets its adapter.
  if (!Destroyed && Message.Msg == WM_PARENTNOTIFY && LOWORD(Message.WParam) == WM_CREATE && DefaultSkinManager &&
      DefaultSkinManager->SkinningRules().Contains(srThirdParty))
    RequestControlAdapters(Control());
}

}  // namespace skin
