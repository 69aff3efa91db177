// Framework buttons with images: a button showing an image of its image
// list beside its caption (the image chosen by state), and a bit button
// with its glyph bitmap (one frame per state) laid out with its caption.
// Both are push buttons painted whole by the button adapter.
#pragma once

#include "skin/controls/btn_wnd.h"
#include "skin/controls/core/button_layout.h"
#include "fw/graphics/imagelist.h"

namespace skin {

// A button with "Images", "ImageIndex", "HotImageIndex",
// "PressedImageIndex", "SelectedImageIndex", "DisabledImageIndex",
// "ImageAlignment" and "ImageMargins" (read by name where it has them).
class TkcButtonWnd : public TkcBtnWnd {
 public:
  TkcButtonWnd(HWND AHandle, TkcSkinSource ASkin, const TkcSkinParams& Params);
  ~TkcButtonWnd() override { Detach(); }

  void DrawGlyph() override;
  fw::TPoint GlyphSize() override;
  fw::TRect CaptionRect() override;

  bool HaveImage() const;
  int GlyphIndex();
  fw::TRect GlyphRect();

  fw::TWinControl* Btn = nullptr;

 protected:
  fw::TCustomImageList* Images() const;
  TkcImageButtonLayout Layout(const fw::TPoint& Text);
};

// A bit button: a framework one with "Glyph", "NumGlyphs", "Layout",
// "Spacing", "Margin" and "Default", or a raw button showing a bitmap.
class TkcBitBtnWnd : public TkcBtnWnd {
 public:
  using TkcBtnWnd::TkcBtnWnd;
  ~TkcBitBtnWnd() override { Detach(); }

  int CurrentState() override;
  void DrawGlyph() override;
  fw::TPoint GlyphSize() override;
  fw::TRect CaptionRect() override;
  int MaxCaptionWidth() override;
  fw::TRect GlyphRect();

 protected:
  fw::TBitmap* Glyph() const;
  TkcBitBtnLayout GlyphLayout() const;
  void DrawRawBitmap();
};

}  // namespace skin
