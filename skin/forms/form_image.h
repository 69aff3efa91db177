// The form image: a skinned form's frame, title, icon, caption and title
// buttons drawn once into a 32-bit bitmap of the window's size, from which
// the non-client area (and the client background) is copied.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "fw/graphics/graphics.h"
#include "skin/engine/core/pixel_buffer.h"
#include "skin/engine/core/skin_data.h"
#include "skin/forms/core/caption_layout.h"

namespace skin {

enum class TkCaptionAlign { Left, Right, Center };

// Everything the image shows, read from the form and the skin by the caller.
struct TkFormImageInput {
  TkFormFrameFacts Frame;
  TkCaptionLayoutInput LayoutInput;
  TkCaptionLayout Layout;  // after CalcCaptionItems
  bool Active = true;
  bool Enabled = true;
  fw::String Caption;
  TkCaptionAlign CaptionAlignment = TkCaptionAlign::Left;
  bool RightToLeft = false;
  HICON Icon = nullptr;  // the small icon; none: no icon painted
  int FormSkinIndex = -1;     // "FORM"
  int TitleSkinIndex = -1;    // "FORMTITLE"
  int CaptionSkinIndex = -1;  // "CAPTION" behind the caption text, -1 none
  bool EnabledClose = true, EnabledMax = true, EnabledMin = true;
  // The program's own title buttons (with Layout.User): picture and enabled.
  struct TkUserButtonLook {
    fw::TBitmap* Glyph = nullptr;
    bool Enabled = true;
  };
  std::vector<TkUserButtonLook> UserLooks;
  // The caption shown (a title bar's ShowCaption, else the added title's
  // ShowMainCaption), and the text after it in its own font.
  bool ShowMainCaption = true;
  fw::String AddedText;
  fw::TFont* AddedFont = nullptr;
  // With a title bar the caption stands between its left and right items.
  bool TitleBarBand = false;
  int BandLeft = 0, BandRight = 0;
  // With a border window: the manager's shadow image for the form's state;
  // none leaves the extended frame out.
  TPixelBuffer* ShadowTemplate = nullptr;
  bool StretchShadowEdges = false;  // else by the extended-border mask's draw mode
};

// The state index of a section: 1 when active, 0 when not, never beyond
// the section's states.
int FormSectionState(const TkLoadedSkin& skin, int skinIndex, bool active);

// Builds the whole image; the bitmap is made (32-bit) or resized to
// CaptionWidth x FormImageHeight. The caption is written in the system's
// caption font. With a border window and a shadow image the frame is opaque
// and the shadow drawn around it; when the skin draws frame and shadow as
// one image, the frame is the section's background under that image and
// the title is drawn over it.
void PaintFormImage(fw::TBitmap& image, TkLoadedSkin& skin, const TkFormImageInput& in);

// The rectangle of the caption text before alignment.
fw::TRect CaptionTextBounds(const TkLoadedSkin& skin, const TkFormImageInput& in, int imageWidth);

// Copies the frame parts of the image (header, side and bottom strips) into
// a window DC, leaving the client area alone.
void PaintFrameToDC(HDC dc, fw::TBitmap& image, const TkFormImageInput& in);

}  // namespace skin
