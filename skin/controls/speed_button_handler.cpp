#include "skin/controls/speed_button_handler.h"

#include "fw/controls/wndprochook.h"

#include "fw/stdctrls/speedbutton.h"
#include "fw/system/application.h"
#include "skin/controls/adapter_paint.h"
#include "skin/controls/control_cache.h"
#include "skin/engine/alpha_text.h"
#include "skin/engine/background_request.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/common_data.h"
#include "skin/engine/button_glyph.h"
#include "skin/engine/control_border.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/text_out.h"

namespace skin {

namespace {

class TkcSpeedButtonLink : public TkAdapterLink {
 public:
  TkcSpeedButtonLink(fw::TControl* Button, TkcSkinSource Skin, const fw::String& Section)
      : Handler(Button, std::move(Skin), Section) {}
  // Also when the button was freed under the handler.
  bool IsDestroyed() const override { return Handler.Destroyed || Handler.ControlGone(); }
  TkcSpeedButtonHandler Handler;
};

}  // namespace

TkAdapterLink* MakeSpeedButtonLink(fw::TControl* Button, TkCommonData* SkinData, TkcSkinSource Skin) {
  if (!Button) return nullptr;
  return new TkcSpeedButtonLink(Button, std::move(Skin), SkinData ? SkinData->SkinSection() : fw::String());
}

TkcSpeedButtonHandler::TkcSpeedButtonHandler(fw::TControl* Btn, TkcSkinSource ASkin, const fw::String& SkinSection)
    : Ctrl(Btn), FSkin(std::move(ASkin)), FSection(SkinSection) {
  if (!Ctrl) {
    Destroyed = true;
    return;
  }
  FHook = std::make_unique<fw::TWindowProcHook>(Ctrl, fw::TWndMethod(this, &TkcSpeedButtonHandler::kcWndProc));
}

bool TkcSpeedButtonHandler::ControlGone() const { return FHook && !FHook->Control(); }

TkcSpeedButtonHandler::~TkcSpeedButtonHandler() { GiveBack(); }

void TkcSpeedButtonHandler::GiveBack() {
  if (Destroyed) return;
  Destroyed = true;
  // The hook knows whether the button still exists (a graphic control is
  // freed without WM_DESTROY): a freed button is never touched.
  if (ControlGone()) Ctrl = nullptr;
  FHook.reset();
}

LRESULT TkcSpeedButtonHandler::CallPrevWndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (!FHook) return 0;
  fw::TMessage m{Msg, WParam, LParam, 0};
  FHook->CallPrevious(m);
  return m.Result;
}

void TkcSpeedButtonHandler::Repaint() {
  if (Ctrl && Ctrl->Visible()) Ctrl->Invalidate();
}

int TkcSpeedButtonHandler::SkinIndex() const {
  TkLoadedSkin* skin = FSkin ? FSkin() : nullptr;
  if (!skin) return -1;
  return FSection.empty() ? SectionIndexOr(*skin, u"SPEEDBUTTON", u"BUTTON") : skin->GetSkinIndex(FSection);
}

int TkcSpeedButtonHandler::CurrentState() const {
  if (auto* b = dynamic_cast<fw::TSpeedButton*>(Ctrl); b && (b->State() == fw::bsDown || b->State() == fw::bsExclusive))
    return 2;
  return MouseAbove && Ctrl && Ctrl->Enabled() ? 1 : 0;
}

fw::String TkcSpeedButtonHandler::Caption() const { return Ctrl ? Ctrl->Caption() : fw::String(); }

fw::TPoint TkcSpeedButtonHandler::TextRectSize() {
  const fw::String text = Caption();
  if (text.empty() || !Ctrl) return {0, 0};
  return MeasureTextWithFont(Ctrl->Font()->Handle(), text, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS, true, 255);
}

int TkcSpeedButtonHandler::GlyphWidth() const {
  auto* b = dynamic_cast<fw::TSpeedButton*>(Ctrl);
  if (!b || !b->Glyph() || b->Glyph()->Empty()) return 0;
  return b->Glyph()->Width() / std::max(1, b->NumGlyphs());
}

int TkcSpeedButtonHandler::GlyphHeight() const {
  auto* b = dynamic_cast<fw::TSpeedButton*>(Ctrl);
  return !b || !b->Glyph() || b->Glyph()->Empty() ? 0 : b->Glyph()->Height();
}

TkSpeedButtonLayout TkcSpeedButtonHandler::Layout() {
  TkSpeedButtonLayout l;
  if (auto* b = dynamic_cast<fw::TSpeedButton*>(Ctrl)) {
    l.Side = TkGlyphSide(int(b->Layout()));
    l.Margin = b->Margin();
    l.Spacing = b->Spacing();
  }
  l.Size = {Ctrl->Width(), Ctrl->Height()};
  l.Glyph = {GlyphWidth(), GlyphHeight()};
  l.Text = TextRectSize();
  // The pressed shift: only with the manager's option (or no valid section).
  l.Pressed = CurrentState() == 2 && (ShiftContentOnClickOption() || SkinIndex() < 0);
  return l;
}

fw::TRect TkcSpeedButtonHandler::ImgRect() { return SpeedButtonGlyphRect(Layout()); }
fw::TRect TkcSpeedButtonHandler::CaptionRect() { return SpeedButtonCaptionRect(Layout()); }

void TkcSpeedButtonHandler::DrawCaption() {
  const fw::String text = Caption();
  if (text.empty()) return;
  fw::TCanvas& canvas = *FCache->Canvas();
  canvas.SetFont(Ctrl->Font());
  canvas.Brush()->SetStyle(fw::bsClear);
  TControlTextSource s;
  s.Skin = FSkin();
  s.SkinIndex = SkinIndex();
  s.Skinned = s.Skin && s.Skin->IsValidSkinIndex(s.SkinIndex);
  s.Cache = FCache.get();
  DrawControlText(canvas, text, true, CaptionRect(), (DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS) & ~DT_SINGLELINE, s,
                  CurrentState() != 0 ? 1 : 0);
}

void TkcSpeedButtonHandler::DrawGlyph() {
  auto* b = dynamic_cast<fw::TSpeedButton*>(Ctrl);
  if (!b || !b->Glyph() || b->Glyph()->Empty()) return;
  TkcGlyphPaintInfo info;
  info.DstBmp = FCache.get();
  info.Glyph = b->Glyph();
  info.Skin = FSkin();
  info.SkinIndex = SkinIndex();
  info.ImgRect = ImgRect();
  info.NumGlyphs = b->NumGlyphs();
  info.Enabled = b->Enabled();
  info.Down = b->Down();
  info.Grayed = DiscoloredGlyphsOption();
  info.State = CurrentState();
  info.DisabledKind = TkDisabledKind{dkBlended};
  DrawButtonGlyph(info);
}

bool TkcSpeedButtonHandler::PrepareCache() {
  TkLoadedSkin* skin = FSkin ? FSkin() : nullptr;
  if (!skin || !Ctrl) return false;
  const int w = std::max(Ctrl->Width(), 0), h = std::max(Ctrl->Height(), 0);
  if (!FCache || FCache->Width() != w || FCache->Height() != h) FCache = NewBitmap32(w, h);
  const TPixelView32 v = View32(*FCache);
  if (v.Empty()) return false;
  // What lies behind the button in its parent.
  TkcBackgroundInfo info;
  info.Offset = {Ctrl->Left(), Ctrl->Top()};
  info.R = fw::Rect(0, 0, w, h);
  RequestBackground(info, Ctrl->Parent(), false);
  if (info.BgType == btCache && info.Bmp && info.Bmp->Width() == 0) return false;
  const TCacheInfo ci = BgInfoToCacheInfo(info);
  const int state = CurrentState();
  TControlItem item;
  item.SkinIndex = SkinIndex();
  if (skin->IsValidSkinIndex(item.SkinIndex)) {
    const TkGeneralData& g = skin->gd[size_t(item.SkinIndex)];
    item.BorderIndex = g.BorderIndex;
    item.Texture = g.TextureNormal;
  }
  const fw::TRect whole = fw::Rect(0, 0, w, h);
  GdiFlush();
  FillFromBackground(v, whole, ci);
  PaintControlItem(v, *skin, item, ci, true, {}, whole, state);
  TControlBorderSource border;
  border.Skin = skin;
  border.SkinIndex = item.SkinIndex;
  border.BorderIndex = item.BorderIndex;
  border.Owner = Ctrl;
  border.Cache = FCache.get();
  RepaintBorderCorners(border, state, bcAll);
  DrawCaption();
  DrawGlyph();
  if (!Ctrl->Enabled()) {
    GdiFlush();
    PaintDisabledLook(*FCache, TkDisabledKind{dkBlended}, Ctrl->Parent(), {Ctrl->Left(), Ctrl->Top()}, ci);
  }
  BGChanged = false;
  return true;
}

void TkcSpeedButtonHandler::KC_WMPaint(fw::TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  if (!dc) return;
  const int saved = SaveDC(dc);
  if (PrepareCache()) CopyToDC(dc, 0, 0, *FCache);
  RestoreDC(dc, saved);
  Message.Result = 0;
}

void TkcSpeedButtonHandler::kcWndProc(fw::TMessage& Message) {
  TkLoadedSkin* skin = FSkin ? FSkin() : nullptr;
  if (Message.Msg == WM_SKINCOMMAND) {
    switch (SkinCommandCode(Message.WParam)) {
      case SKC_NEWSKIN: BGChanged = true; return;
      case SKC_REMOVESKIN: {
        // The control's own painting at once.
        fw::TControl* c = Ctrl;
        GiveBack();
        if (c && c->Visible()) c->Invalidate();
        return;
      }
      case SKC_REFRESH:
        BGChanged = true;
        Updating = false;
        Repaint();
        return;
      case SKC_UPDATEDONE:
        if (Updating) {
          Updating = false;
          Repaint();
          return;
        }
        break;
      case SKC_ISHANDLED: Message.Result = 1; return;
      case SKC_GETAPPLICATION: Message.Result = reinterpret_cast<LRESULT>(fw::Application); return;
      case SKC_INVALIDATE:
        Updating = false;
        BGChanged = true;
        Repaint();
        break;
      default: break;
    }
    Message.Result = CallPrevWndProc(Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  switch (Message.Msg) {
    case WM_DESTROY: {
      if (FHook) FHook->CallPrevious(Message);
      GiveBack();
      Ctrl = nullptr;
      return;
    }
    case WM_PAINT:
      if (skin) {
        KC_WMPaint(Message);
        return;
      }
      break;
    case fw::CM_MOUSEENTER:
    case fw::CM_MOUSELEAVE:
      MouseAbove = Message.Msg == fw::CM_MOUSEENTER;
      BGChanged = true;
      Message.Result = CallPrevWndProc(Message.Msg, Message.WParam, Message.LParam);
      Repaint();
      return;
    default: break;
  }
  Message.Result = CallPrevWndProc(Message.Msg, Message.WParam, Message.LParam);
}

}  // namespace skin
