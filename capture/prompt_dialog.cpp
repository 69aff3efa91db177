#include "capture/prompt_dialog.h"

#include "fw/core/rtti.h"

namespace capture {

using namespace fw;

const char16_t* const TfrmPosition::PromptText =
    u"Position the mouse cursor then click the left mouse button to capture an image of the the desktop and the "
    u"cursor.";

TfrmPosition::TfrmPosition(TComponent* AOwner) : TForm(AOwner) {
  SetBorderStyle(bsToolWindow);
  SetBorderIcons(TBorderIcons{});
  SetFormStyle(fsStayOnTop);
  SetPosition(poDesigned);
  SetCaption(u"Position Mouse");
  SetClientSize(260, 64);
  OnPaint = TNotifyEvent(this, &TfrmPosition::FormPaint);
  OnKeyDown = TKeyEvent(this, &TfrmPosition::FormKeyDown);
  OnKeyPress = TKeyPressEvent(this, &TfrmPosition::FormKeyPress);
}

void TfrmPosition::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  Params.WndParent = OwnerWindow;
  Params.ExStyle |= WS_EX_TOPMOST;
}

void TfrmPosition::FormPaint(TObject*) {
  TCanvas* c = Canvas();
  c->Brush()->SetColor(Color());
  TRect r = ClientRect();
  c->FillRect(r);
  RECT text{r.Left + 8, r.Top + 8, r.Right - 8, r.Bottom - 8};
  SetBkMode(c->Handle(), TRANSPARENT);
  DrawTextW(c->Handle(), W(PromptText), -1, &text, DT_WORDBREAK | DT_NOPREFIX);
}

void TfrmPosition::FormKeyDown(TObject*, WORD& Key, TShiftState) {
  if (Key == VK_ESCAPE) Hide();
}

void TfrmPosition::FormKeyPress(TObject*, char16_t&) { Hide(); }

FW_REGISTER(TfrmPosition) {}

}  // namespace capture
