#include "controls/base/ckswitch.h"

#include "controls/base/ckthemes.h"
#include "fw/core/rtti.h"
#include "services/ckutils.h"

namespace ck {

using namespace fw;

namespace {
const char16_t* const kBuiltInGlyphs[2] = {u"CkSwitchOFF", u"CkSwitchON"};
}

TCkSwitch::TCkSwitch(TComponent* AOwner) : TCkExCustomControl(AOwner) {
  FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks};
  AddThemeStyleFlags(this, TControlStyle{csParentBackground});
  FWidth = 50;
  FHeight = 60;
  for (int i = 0; i < 2; ++i) {
    FBitmaps[i] = new TBitmap();
    LoadBuiltIn(i);
    FBitmaps[i]->OnChange = TNotifyEvent(this, &TCkSwitch::GlyphChanged);
  }
  FTabStop = true;
}

TCkSwitch::~TCkSwitch() {
  for (TBitmap*& bitmap : FBitmaps) {
    bitmap->OnChange = TNotifyEvent();
    delete bitmap;
    bitmap = nullptr;
  }
}

void TCkSwitch::LoadBuiltIn(int Index) {
  try {
    FBitmaps[Index]->LoadFromResourceName(GetModuleHandleW(nullptr), kBuiltInGlyphs[Index]);
  } catch (const EInvalidGraphic&) {
    FBitmaps[Index]->FreeImage();
  }
  FUserBitmaps.Exclude(static_cast<TSwitchBitmap>(Index));
}

void TCkSwitch::GlyphChanged(TObject* Sender) {
  for (int i = 0; i < 2; ++i)
    if (Sender == FBitmaps[i]) FDisableBitmaps[i] = services::BuildDisabledBitmap(FBitmaps[i], clBlack);
  Invalidate();
}

TBitmap* TCkSwitch::Glyph(int Index) {
  // The reader fills the picture it asked for: it is the user's.
  if (ComponentState().Contains(csLoading)) FUserBitmaps.Include(static_cast<TSwitchBitmap>(Index));
  return FBitmaps[Index];
}

void TCkSwitch::SetGlyph(int Index, TBitmap* Value) {
  if (Value) {
    FBitmaps[Index]->Assign(Value);
    FUserBitmaps.Include(static_cast<TSwitchBitmap>(Index));
    return;
  }
  FBitmaps[Index]->FreeImage();
  LoadBuiltIn(Index);
}

void TCkSwitch::WriteStateOn(bool Value) {
  if (Value == FStateOn) return;
  FStateOn = Value;
  Invalidate();
  if (Value) FireOn();
  else FireOff();
}

void TCkSwitch::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCkSwitch::SetShowFocus(bool Value) {
  if (Value == FShowFocus) return;
  FShowFocus = Value;
  if (!ComponentState().Contains(csDesigning)) Invalidate();
}

void TCkSwitch::SetTextPosition(TTextPos Value) {
  if (Value == FTextPosition) return;
  FTextPosition = Value;
  Invalidate();
}

void TCkSwitch::CreateParams(TCreateParams& Params) {
  TCkExCustomControl::CreateParams(Params);
  Params.WindowClass.style |= CS_HREDRAW | CS_VREDRAW;
  if (FBorderStyle == bsSingle) Params.Style |= WS_BORDER;
}

void TCkSwitch::Paint() {
  TCanvas* canvas = Canvas();
  TRect r = ClientRect();
  canvas->SetFont(Font());
  canvas->Brush()->SetColor(Color());
  PaintThemedBackground(this, canvas, r, Color(), ParentBackground());
  int index = FStateOn ? 1 : 0;
  TBitmap* picture = !Enabled() && FDisableBitmaps[index] ? FDisableBitmaps[index].get() : FBitmaps[index];
  int w = picture->Width(), h = picture->Height();
  int width = r.Width(), height = r.Height();
  int x = 0, y = 0;
  TRect text = r;
  switch (FTextPosition) {
    case tpNone: x = (width - w) / 2; y = (height - h) / 2; break;
    case tpLeft: x = width - w; y = (height - h) / 2; text.Right -= w; break;
    case tpRight: x = 0; y = (height - h) / 2; text.Left += w; break;
    case tpAbove: x = (width - w) / 2; y = height - h; text.Bottom -= h; break;
    case tpBelow: x = (width - w) / 2; y = 0; text.Top += h; break;
  }
  if (!picture->Empty()) services::DrawBitmapKeyed(canvas, x, y, picture, clDefault);
  if (FActive && FShowFocus && FTabStop && !ComponentState().Contains(csDesigning))
    canvas->DrawFocusRect(Rect(x, y, x + w, y + h));
  if (FTextPosition != tpNone) {
    int th = canvas->TextHeight(u"W");
    text.Top = (text.Top + text.Bottom - th) / 2;
    text.Bottom = text.Top + th;
    canvas->Brush()->SetStyle(bsClear);
    RECT rc{text.Left, text.Top, text.Right, text.Bottom};
    DrawTextW(canvas->Handle(), W(Caption()), -1, &rc, DT_CENTER | DT_VCENTER | DT_EXPANDTABS);
  }
}

void TCkSwitch::TextChanged() {
  TCkExCustomControl::TextChanged();
  Invalidate();
}

bool TCkSwitch::WantsDialogChar(int Key, TShiftState Shift) {
  if (IsAccel(static_cast<WORD>(Key), Caption()) && CanFocus() && Shift.Contains(ssAlt)) {
    SetFocus();
    return true;
  }
  return TCkExCustomControl::WantsDialogChar(Key, Shift);
}

bool TCkSwitch::EraseBackground(TCanvas*, LPARAM) { return true; }

void TCkSwitch::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    if (FTabStop && CanFocus()) SetFocus();
    ToggleSwitch();
  }
  TCkExCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCkSwitch::KeyDown(WORD& Key, TShiftState Shift) {
  TCkExCustomControl::KeyDown(Key, Shift);
  if (Key != 0 && ShortCut(Key, Shift) == FToggleKey) {
    ToggleSwitch();
    Key = 0;
  }
}

void TCkSwitch::FocusChangedNotice(TControl* Control) {
  bool active = Control == this;
  if (active != FActive) {
    FActive = active;
    if (FShowFocus) Invalidate();
  }
  TCkExCustomControl::FocusChangedNotice(Control);
}

void TCkSwitch::EnabledChanged() {
  TCkExCustomControl::EnabledChanged();
  Invalidate();
}

// "Data": one byte, bit 0 when the off picture is the user's, bit 1 the on
// picture.
struct TCkSwitchStreaming {
  static void Read(TObject* o, TStream& s) {
    uint8_t bits = 0;
    s.ReadBuffer(&bits, 1);
    fw::detail::InstanceOf<TCkSwitch>(o).FUserBitmaps = TSwitchBitmaps::FromMask(bits & 0x03);
  }
  static void Write(TObject* o, TStream& s) {
    auto bits = static_cast<uint8_t>(fw::detail::InstanceOf<TCkSwitch>(o).FUserBitmaps.Mask());
    s.WriteBuffer(&bits, 1);
  }
  static bool Has(TObject* o) { return !fw::detail::InstanceOf<TCkSwitch>(o).FUserBitmaps.Empty(); }
};

FW_REGISTER(TCkSwitch) {
  TDefinedProperty& data = c.DefineBinaryProperty(u"Data");
  data.ReadData = &TCkSwitchStreaming::Read;
  data.WriteData = &TCkSwitchStreaming::Write;
  data.HasData = &TCkSwitchStreaming::Has;
  c.Property(u"BorderStyle", &TCkSwitch::BorderStyle, &TCkSwitch::SetBorderStyle)
      .Type(TypeInfoTBorderStyle())
      .Default(bsNone);
  c.Property(u"GlyphOff", &TCkSwitch::GlyphOff, &TCkSwitch::SetGlyphOff).Stored(&TCkSwitch::GlyphOffStored);
  c.Property(u"GlyphOn", &TCkSwitch::GlyphOn, &TCkSwitch::SetGlyphOn).Stored(&TCkSwitch::GlyphOnStored);
  c.Property(u"ShowFocus", &TCkSwitch::ShowFocus, &TCkSwitch::SetShowFocus).Default(true);
  c.Property(u"StateOn", &TCkSwitch::StateOn, &TCkSwitch::SetStateOn).Default(false);
  c.Property(u"TextPosition", &TCkSwitch::TextPosition, &TCkSwitch::SetTextPosition).Default(tpNone);
  c.Property(u"ToggleKey", &TCkSwitch::ToggleKey, &TCkSwitch::SetToggleKey).Default(32);
  c.Property(u"TabStop", &TCkSwitch::TabStop, &TCkSwitch::SetTabStop).Default(true);
  c.Event(u"OnOn", &TCkSwitch::OnOn);
  c.Event(u"OnOff", &TCkSwitch::OnOff);
}

}  // namespace ck
