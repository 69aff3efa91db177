// The title's options of a skinned form: the icon at the left of the title,
// the program's own title buttons beside the standard ones, and a second
// text after the caption. They hold settings only; a visible change repaints
// the form's frame through the owner's Repaint unless the owner is loading.
#pragma once

#include <functional>

#include "fw/controls/controls.h"
#include "fw/core/collection.h"
#include "fw/graphics/graphics.h"
#include "skin/forms/core/caption_layout.h"

namespace skin {

// What the options read of their provider.
struct TkTitleOwner {
  std::function<void()> Repaint;  // RepaintFormFrame
  bool Loading = false;
  bool Designing = false;
};

class TkTitleIcon : public fw::TPersistent {
  FW_CLASS(TkTitleIcon, fw::TPersistent)
  explicit TkTitleIcon(TkTitleOwner* AOwner = nullptr);
  ~TkTitleIcon() override;
  // Empty: the form's icon.
  fw::TBitmap* Glyph() const { return FGlyph; }
  void SetGlyph(fw::TBitmap* Value) { FGlyph->Assign(Value); }
  // 0: from the caption's height.
  int Width = 0, Height = 0;
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);

 private:
  TkTitleOwner* FOwner;
  fw::TBitmap* FGlyph;
  bool FVisible = true;
};

class TkTitleButton : public fw::TCollectionItem {
  FW_CLASS(TkTitleButton, fw::TCollectionItem)
  TkTitleButton();
  ~TkTitleButton() override;
  bool UseSkinData = true;  // the skin's "TITLEBUTTON" background
  const fw::String& Name() const { return FName; }
  void SetName(const fw::String& Value) { FName = Value; }
  fw::String DisplayName() const override { return FName; }
  fw::TBitmap* Glyph() const { return FGlyph; }
  void SetGlyph(fw::TBitmap* Value) { FGlyph->Assign(Value); }
  bool Enabled = true;
  fw::String Hint;
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  fw::TMouseEvent OnMouseDown, OnMouseUp;
  // Layout and state (hit code 1000 + index, glow).
  TkCaptionButton Data;
  void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y);
  void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y);
  // Copies everything but the visibility.
  void AssignTo(fw::TPersistent* Dest) override;

 private:
  void GlyphChanged(fw::TObject* Sender);
  TkTitleOwner* Owner() const;
  fw::String FName = u"TkTitleButton";
  fw::TBitmap* FGlyph;
  bool FVisible = true;
};

class TkTitleButtons : public fw::TCollection {
  FW_CLASS(TkTitleButtons, fw::TCollection)
  explicit TkTitleButtons(TkTitleOwner* AOwner = nullptr);
  ~TkTitleButtons() override;
  TkTitleButton* Items(int Index) const { return static_cast<TkTitleButton*>(fw::TCollection::Items(Index)); }
  TkTitleOwner* TitleOwner() const { return FOwner; }

 private:
  TkTitleOwner* FOwner;
};

class TkcAddedTitle : public fw::TPersistent {
  FW_CLASS(TkcAddedTitle, fw::TPersistent)
  explicit TkcAddedTitle(TkTitleOwner* AOwner = nullptr);
  ~TkcAddedTitle() override;
  bool ShowMainCaption() const { return FShowMainCaption; }
  void SetShowMainCaption(bool Value);
  const fw::String& Text() const { return FText; }
  void SetText(const fw::String& Value);
  // Colour clNone (0x1FFFFFFF): the title section's font colour.
  fw::TFont* Font() const { return FFont; }
  void SetFont(fw::TFont* Value);

 private:
  void Repaint();
  TkTitleOwner* FOwner;
  fw::TFont* FFont;
  bool FShowMainCaption = true;
  fw::String FText;
};

}  // namespace skin
