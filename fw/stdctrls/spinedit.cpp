#include "fw/stdctrls/spinedit.h"

#include <commctrl.h>

#include <algorithm>

#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"
#include "fw/platform/clipboard.h"

namespace fw {

TSpinEdit::TSpinEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
  FText = u"0";
  FHeight = 22;
  FControlStyle.Exclude(csSetCaption);
}

void TSpinEdit::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN;
  if (!FEditorEnabled) Params.Style |= ES_READONLY;
}

int TSpinEdit::ButtonWidth() const { return 15; }

void TSpinEdit::CreateWnd() {
  TCustomEdit::CreateWnd();
  InitCommonControlClasses(ICC_UPDOWN_CLASS);
  FButton = CreateWindowExW(0, UPDOWN_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, ButtonWidth(), FHeight,
                            FHandle, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (FButton) {
    // The buttons never move a position of their own: every press arrives
    // as UDN_DELTAPOS and steps the value here.
    SendMessageW(FButton, UDM_SETRANGE32, 0, 100);
    SendMessageW(FButton, UDM_SETPOS32, 0, 50);
  }
  PlaceButton();
}

void TSpinEdit::DestroyWnd() {
  FButton = nullptr;  // a child of the edit: it goes with it
  TCustomEdit::DestroyWnd();
}

void TSpinEdit::PlaceButton() {
  if (!FHandle) return;
  TRect r = ClientRect();
  int w = ButtonWidth();
  if (FButton) SetWindowPos(FButton, nullptr, r.Right - w, 0, w, r.Bottom, SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(FHandle, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, w + 2));
}

void TSpinEdit::Resize() {
  PlaceButton();
  TCustomEdit::Resize();
}

void TSpinEdit::SetMinValue(int Value) { FMinValue = Value; }

void TSpinEdit::SetMaxValue(int Value) { FMaxValue = Value; }

void TSpinEdit::SetEditorEnabled(bool Value) {
  if (FEditorEnabled == Value) return;
  FEditorEnabled = Value;
  if (FHandle) SendMessageW(FHandle, EM_SETREADONLY, Value ? 0 : 1, 0);
}

int TSpinEdit::CheckValue(int Value) const {
  if (FMaxValue == FMinValue) return Value;
  return std::clamp(Value, std::min(FMinValue, FMaxValue), std::max(FMinValue, FMaxValue));
}

int TSpinEdit::Value() const {
  int v = FMinValue;
  if (!TryStrToInt(Trim(Text()), v)) v = FMinValue;
  return CheckValue(v);
}

void TSpinEdit::SetValue(int Value) { SetText(IntToStr(CheckValue(Value))); }

void TSpinEdit::UpClick() {
  if (ReadOnly()) {
    MessageBeep(0);
    return;
  }
  SetValue(static_cast<int>(std::clamp<int64_t>(int64_t{Value()} + FIncrement, INT32_MIN, INT32_MAX)));
}

void TSpinEdit::DownClick() {
  if (ReadOnly()) {
    MessageBeep(0);
    return;
  }
  SetValue(static_cast<int>(std::clamp<int64_t>(int64_t{Value()} - FIncrement, INT32_MIN, INT32_MAX)));
}

bool TSpinEdit::IsValidChar(char16_t Key) const {
  bool valid = (Key >= u'0' && Key <= u'9') || (Key < 0x20 && Key != VK_RETURN) ||
               (Key == u'-' && (FMinValue < 0 || FMinValue == FMaxValue));
  if (!FEditorEnabled && valid && (Key >= 0x20 || Key == VK_BACK)) valid = false;
  return valid;
}

void TSpinEdit::KeyDown(WORD& Key, TShiftState Shift) {
  if (Key == VK_UP) {
    UpClick();
    Key = 0;
  } else if (Key == VK_DOWN) {
    DownClick();
    Key = 0;
  }
  TCustomEdit::KeyDown(Key, Shift);
}

void TSpinEdit::KeyPress(char16_t& Key) {
  if (!IsValidChar(Key)) {
    Key = 0;
    MessageBeep(0);
    return;
  }
  TCustomEdit::KeyPress(Key);
}

void TSpinEdit::DoExit() {
  int typed = 0;
  if (TryStrToInt(Trim(Text()), typed) && CheckValue(typed) != typed) SetValue(typed);
  TCustomEdit::DoExit();
}

void TSpinEdit::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(Message.LParam);
      if (hdr && hdr->hwndFrom == FButton && FButton) {
        if (hdr->code == UDN_DELTAPOS) {
          auto* ud = reinterpret_cast<NMUPDOWN*>(Message.LParam);
          if (ud->iDelta > 0) UpClick();
          else if (ud->iDelta < 0) DownClick();
          if (CanFocus() && !Focused()) SetFocus();
        }
        Message.Result = 1;
        return;
      }
      break;
    }
    case WM_VSCROLL:
      if (reinterpret_cast<HWND>(Message.LParam) == FButton && FButton) return;
      break;
    case WM_PASTE: {
      // Pasted text goes through the same filter as typed keys.
      String text;
      try {
        text = Clipboard().AsText();
      } catch (const Exception&) {
        return;
      }
      for (char16_t ch : text)
        if (!IsValidChar(ch) || ch < 0x20) {
          MessageBeep(0);
          return;
        }
      break;
    }
    case WM_SIZE:
      TCustomEdit::WndProc(Message);
      PlaceButton();
      return;
    default:
      break;
  }
  TCustomEdit::WndProc(Message);
}

FW_REGISTER(TSpinEdit) {
  c.Property(u"EditorEnabled", &TSpinEdit::EditorEnabled, &TSpinEdit::SetEditorEnabled).Default(true);
  c.Property(u"Increment", &TSpinEdit::Increment, &TSpinEdit::SetIncrement).Default(1);
  c.Property(u"MaxLength", &TSpinEdit::MaxLength, &TSpinEdit::SetMaxLength).Default(0);
  c.Property(u"MaxValue", &TSpinEdit::MaxValue, &TSpinEdit::SetMaxValue).Default(0);
  c.Property(u"MinValue", &TSpinEdit::MinValue, &TSpinEdit::SetMinValue).Default(0);
  c.Property(u"ReadOnly", &TSpinEdit::ReadOnly, &TSpinEdit::SetReadOnly).Default(false);
  c.Property(u"Value", &TSpinEdit::Value, &TSpinEdit::SetValue);
}

}  // namespace fw
