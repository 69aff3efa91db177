// The status bar: the system's msctls_statusbar32 with a collection of
// panels (text, width, alignment, bevel, or drawn by OnDrawPanel), a simple
// one-text mode and a size grip. The last panel reaches to the right end.
#pragma once

#include "fw/core/collection.h"
#include "fw/stdctrls/stdctrls_common.h"

namespace fw {

FW_ENUM(TStatusPanelStyle, psText, psOwnerDraw)
FW_ENUM(TStatusPanelBevel, pbNone, pbLowered, pbRaised)

class TStatusBar;

class TStatusPanel : public TCollectionItem {
  FW_CLASS(TStatusPanel, TCollectionItem)
  TStatusPanel() = default;

  const String& Text() const { return FText; }
  void SetText(const String& Value);
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TStatusPanelBevel Bevel() const { return FBevel; }
  void SetBevel(TStatusPanelBevel Value);
  TStatusPanelStyle Style() const { return FStyle; }
  void SetStyle(TStatusPanelStyle Value);
  String DisplayName() const override { return FText; }

 private:
  String FText;
  int FWidth = 50;
  TAlignment FAlignment = taLeftJustify;
  TStatusPanelBevel FBevel = pbLowered;
  TStatusPanelStyle FStyle = psText;
};

class TStatusPanels : public TCollection {
  FW_CLASS(TStatusPanels, TCollection)
  explicit TStatusPanels(TStatusBar* AOwner);
  TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
  TStatusPanel* Items(int Index) const { return static_cast<TStatusPanel*>(TCollection::Items(Index)); }
  TStatusPanel* operator[](int Index) const { return Items(Index); }

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  TStatusBar* FStatusBar;
};

using TDrawPanelEvent = TEvent<void(TStatusBar* StatusBar, TStatusPanel* Panel, const TRect& Rect)>;

class TStatusBar : public TWinControl {
  FW_CLASS(TStatusBar, TWinControl)
  explicit TStatusBar(TComponent* AOwner);
  ~TStatusBar() override;

  TStatusPanels* Panels() const { return FPanels; }
  void SetPanels(TStatusPanels* Value) { FPanels->Assign(Value); }
  bool SimplePanel() const { return FSimplePanel; }
  void SetSimplePanel(bool Value);
  const String& SimpleText() const { return FSimpleText; }
  void SetSimpleText(const String& Value);
  bool SizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool Value);
  TCanvas* Canvas() const;

  // The rectangle of a panel in the bar's client coordinates.
  TRect PanelRect(int Index) const;

  TDrawPanelEvent OnDrawPanel;

 protected:
  friend class TStatusPanels;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Dispatch(TMessage& Message) override;
  virtual void DrawPanel(TStatusPanel* Panel, const TRect& Rect);
  void UpdatePanels();
  void UpdatePanel(int Index);

 private:
  TStatusPanels* FPanels;
  TControlCanvas* FCanvas;
  bool FSimplePanel = false;
  String FSimpleText;
  bool FSizeGrip = true;
};

}  // namespace fw
