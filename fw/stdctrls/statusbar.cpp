#include "fw/stdctrls/statusbar.h"

#include <commctrl.h>

#include <vector>

#include "fw/controls/controlcanvas.h"
#include "fw/core/rtti.h"

namespace fw {

// ---- TStatusPanel

void TStatusPanel::SetText(const String& Value) {
  if (FText == Value) return;
  FText = Value;
  Changed(false);
}

void TStatusPanel::SetWidth(int Value) {
  if (FWidth == Value) return;
  FWidth = Value;
  Changed(true);
}

void TStatusPanel::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Changed(false);
}

void TStatusPanel::SetBevel(TStatusPanelBevel Value) {
  if (FBevel == Value) return;
  FBevel = Value;
  Changed(false);
}

void TStatusPanel::SetStyle(TStatusPanelStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  Changed(false);
}

// ---- TStatusPanels

TStatusPanels::TStatusPanels(TStatusBar* AOwner)
    : TCollection(TStatusPanel::StaticClass(), AOwner), FStatusBar(AOwner) {}

void TStatusPanels::Update(TCollectionItem* Item) {
  if (!FStatusBar) return;
  if (Item) FStatusBar->UpdatePanel(Item->Index());
  else FStatusBar->UpdatePanels();
}

// ---- TStatusBar

TStatusBar::TStatusBar(TComponent* AOwner)
    : TWinControl(AOwner), FPanels(new TStatusPanels(this)), FCanvas(new TControlCanvas(this)) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque};
  FColor = clBtnFace;
  FParentColor = false;
  FWidth = 150;
  FHeight = 19;
  FAlign = alBottom;
}

TStatusBar::~TStatusBar() {
  if (FHandle) DestroyHandle();
  delete FPanels;
  FPanels = nullptr;
  delete FCanvas;
}

void TStatusBar::CreateParams(TCreateParams& Params) {
  InitCommonControlClasses(ICC_BAR_CLASSES);
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, STATUSCLASSNAMEW);
  // The framework places the bar (Align); the window must not move itself.
  Params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
  if (FSizeGrip) Params.Style |= SBARS_SIZEGRIP;
  Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TStatusBar::CreateWnd() {
  TWinControl::CreateWnd();
  UpdatePanels();
  SendMessageW(FHandle, SB_SIMPLE, FSimplePanel ? 1 : 0, 0);
}

void TStatusBar::UpdatePanels() {
  if (!FHandle) return;
  int count = FPanels->Count();
  std::vector<int> edges;
  int edge = 0;
  for (int i = 0; i + 1 < count; ++i) {
    edge += FPanels->Items(i)->Width();
    edges.push_back(edge);
  }
  edges.push_back(-1);
  SendMessageW(FHandle, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  if (count == 0) SendMessageW(FHandle, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
  for (int i = 0; i < count; ++i) UpdatePanel(i);
  SendMessageW(FHandle, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
}

void TStatusBar::UpdatePanel(int Index) {
  if (!FHandle || Index < 0 || Index >= FPanels->Count()) return;
  TStatusPanel* panel = FPanels->Items(Index);
  WPARAM flags = static_cast<WPARAM>(Index);
  if (panel->Bevel() == pbNone) flags |= SBT_NOBORDERS;
  else if (panel->Bevel() == pbRaised) flags |= SBT_POPOUT;
  if (panel->Style() == psOwnerDraw) {
    SendMessageW(FHandle, SB_SETTEXTW, flags | SBT_OWNERDRAW, static_cast<LPARAM>(Index));
    return;
  }
  // A tab before the text centres it, two put it at the right.
  String text = panel->Alignment() == taCenter         ? u"\t" + panel->Text()
                : panel->Alignment() == taRightJustify ? u"\t\t" + panel->Text()
                                                       : panel->Text();
  SendMessageW(FHandle, SB_SETTEXTW, flags, reinterpret_cast<LPARAM>(text.c_str()));
}

void TStatusBar::SetSimplePanel(bool Value) {
  if (FSimplePanel == Value) return;
  FSimplePanel = Value;
  if (FHandle) SendMessageW(FHandle, SB_SIMPLE, Value ? 1 : 0, 0);
}

void TStatusBar::SetSimpleText(const String& Value) {
  if (FSimpleText == Value) return;
  FSimpleText = Value;
  if (!FHandle) return;
  SendMessageW(FHandle, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
  if (FPanels->Count() == 0) SendMessageW(FHandle, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
}

void TStatusBar::SetSizeGrip(bool Value) {
  if (FSizeGrip == Value) return;
  FSizeGrip = Value;
  RecreateWnd();
}

TCanvas* TStatusBar::Canvas() const { return FCanvas; }

TRect TStatusBar::PanelRect(int Index) const {
  RECT r{};
  if (FHandle) SendMessageW(FHandle, SB_GETRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r));
  return TRect{r.left, r.top, r.right, r.bottom};
}

void TStatusBar::DrawPanel(TStatusPanel* Panel, const TRect& Rect) {
  if (OnDrawPanel) OnDrawPanel(this, Panel, Rect);
  else FCanvas->FillRect(Rect);
}

void TStatusBar::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_DRAWITEM) {
    auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
    int index = static_cast<int>(d->itemID);
    if (index < 0 || index >= FPanels->Count()) return;
    {
      TCanvasDCScope onDC(FCanvas, d->hDC);
      FCanvas->SetFont(Font());
      FCanvas->Brush()->SetStyle(bsSolid);
      FCanvas->Brush()->SetColor(clBtnFace);
      DrawPanel(FPanels->Items(index), TRect{d->rcItem.left, d->rcItem.top, d->rcItem.right, d->rcItem.bottom});
    }
    Message.Result = 1;
    return;
  }
  TWinControl::Dispatch(Message);
}

FW_REGISTER(TStatusPanel) {
  c.Property(u"Alignment", &TStatusPanel::Alignment, &TStatusPanel::SetAlignment).Default(taLeftJustify);
  c.Property(u"Bevel", &TStatusPanel::Bevel, &TStatusPanel::SetBevel).Default(pbLowered);
  c.Property(u"Style", &TStatusPanel::Style, &TStatusPanel::SetStyle).Default(psText);
  c.Property(u"Text", &TStatusPanel::Text, &TStatusPanel::SetText);
  c.Property(u"Width", &TStatusPanel::Width, &TStatusPanel::SetWidth).Default(50);
}

FW_REGISTER(TStatusPanels) {}

FW_REGISTER(TStatusBar) {
  c.Property(u"Panels", &TStatusBar::Panels, &TStatusBar::SetPanels);
  c.Property(u"SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel).Default(false);
  c.Property(u"SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText);
  c.Property(u"SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip).Default(true);
  c.Event(u"OnDrawPanel", &TStatusBar::OnDrawPanel);
}

}  // namespace fw
