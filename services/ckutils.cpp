#include "services/ckutils.h"

#include <windows.h>

#include <algorithm>
#include <set>
#include <vector>

#include "fw/controls/controls.h"
#include "fw/core/mathutils.h"
#include "fw/graphics/graphics.h"
#include "services/ckdrawutils.h"

namespace services {

using namespace fw;

bool SwapComponentReference(TComponent* Owner, TComponent* New, TComponent*& Field) {
  if (New == Field || !Owner) return false;
  if (Field) Field->RemoveFreeNotification(Owner);
  Field = New;
  if (New) New->FreeNotification(Owner);
  return true;
}

bool SwapImageListReference(TComponent* Owner, TCustomImageList* New, TCustomImageList*& Field,
                            TChangeLink* ChangeLink) {
  if (New == Field || !Owner) return false;
  if (Field) {
    if (ChangeLink) Field->UnRegisterChanges(ChangeLink);
    Field->RemoveFreeNotification(Owner);
  }
  Field = New;
  if (New) {
    if (ChangeLink) New->RegisterChanges(ChangeLink);
    New->FreeNotification(Owner);
  }
  return true;
}

void SyncHotTrackFont(TFont* HotFont, TFont* Font, TCkTrackFontOptions Options) {
  if (!HotFont || !Font || !Options.Contains(hoFollowFont)) return;
  if (!Options.Contains(hoPreserveCharSet)) HotFont->SetCharset(Font->Charset());
  if (!Options.Contains(hoPreserveColor)) HotFont->SetColor(Font->Color());
  if (!Options.Contains(hoPreserveHeight)) HotFont->SetHeight(Font->Height());
  if (!Options.Contains(hoPreserveName)) HotFont->SetName(Font->Name());
  if (!Options.Contains(hoPreservePitch)) HotFont->SetPitch(Font->Pitch());
  if (!Options.Contains(hoPreserveStyle)) HotFont->SetStyle(Font->Style());
}

bool HotTrackFontDiffers(TFont* HotFont, TFont* Font, TCkTrackFontOptions Options) {
  if (!HotFont || !Font || !Options.Contains(hoFollowFont)) return false;
  return (Options.Contains(hoPreserveCharSet) && HotFont->Charset() != Font->Charset()) ||
         (Options.Contains(hoPreserveColor) && HotFont->Color() != Font->Color()) ||
         (Options.Contains(hoPreserveHeight) && HotFont->Height() != Font->Height()) ||
         (Options.Contains(hoPreservePitch) && HotFont->Pitch() != Font->Pitch()) ||
         (Options.Contains(hoPreserveStyle) && HotFont->Style() != Font->Style()) ||
         (Options.Contains(hoPreserveOrientation) && HotFont->Orientation() != Font->Orientation()) ||
         (Options.Contains(hoPreserveQuality) && HotFont->Quality() != Font->Quality()) ||
         (Options.Contains(hoPreserveName) && HotFont->Name() != Font->Name());
}

namespace {

// Controls whose parent image is being painted: a parent that paints its
// graphic children would otherwise come back to the same control.
std::set<TControl*>& ParentImagePainters() {
  static thread_local std::set<TControl*> painters;
  return painters;
}

bool Intersects(const TRect& a, const TRect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

}  // namespace

namespace {

// Puts a DC's state back as it was, also when a painter raises.
class TSavedDC {
 public:
  explicit TSavedDC(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~TSavedDC() {
    if (saved_) RestoreDC(dc_, saved_);
  }
  TSavedDC(const TSavedDC&) = delete;
  TSavedDC& operator=(const TSavedDC&) = delete;

 private:
  HDC dc_;
  int saved_;
};

// Marks a control as painting a copy for as long as it lives.
class TPaintingCopy {
 public:
  explicit TPaintingCopy(TControl* c) : c_(c) { c_->SetControlState(c_->ControlState() + TControlState{csPaintCopy}); }
  ~TPaintingCopy() { c_->SetControlState(c_->ControlState() - TControlState{csPaintCopy}); }
  TPaintingCopy(const TPaintingCopy&) = delete;
  TPaintingCopy& operator=(const TPaintingCopy&) = delete;

 private:
  TControl* c_;
};

class TPainterEntry {
 public:
  explicit TPainterEntry(TControl* c) : c_(c), entered_(ParentImagePainters().insert(c).second) {}
  ~TPainterEntry() {
    if (entered_) ParentImagePainters().erase(c_);
  }
  TPainterEntry(const TPainterEntry&) = delete;
  TPainterEntry& operator=(const TPainterEntry&) = delete;
  bool Entered() const { return entered_; }

 private:
  TControl* c_;
  bool entered_;
};

}  // namespace

void PaintParentImage(TControl* Control, TCanvas* Canvas) {
  if (!Control || !Canvas || !Control->Parent()) return;
  TPainterEntry entry(Control);
  if (!entry.Entered()) return;
  TWinControl* parent = Control->Parent();
  TPaintingCopy parentCopy(parent);
  HDC dc = Canvas->Handle();
  POINT org;
  GetViewportOrgEx(dc, &org);
  const int ox = org.x - Control->Left(), oy = org.y - Control->Top();
  {
    TSavedDC saved(dc);
    SetViewportOrgEx(dc, ox, oy, nullptr);
    TRect pc = parent->ClientRect();
    IntersectClipRect(dc, 0, 0, pc.Width(), pc.Height());
    parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  }
  const TRect self = Control->BoundsRect();
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (c == Control) break;
    if (!c || !c->Visible() || !Intersects(c->BoundsRect(), self)) continue;
    TPaintingCopy copy(c);
    TSavedDC saved(dc);
    SetViewportOrgEx(dc, ox + c->Left(), oy + c->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  }
}

int DrawTextUnmodifiedDC(HDC DC, const String& Text, int Length, TRect& R, UINT Flags) {
  int n = Length < 0 ? static_cast<int>(Text.size()) : std::min(Length, static_cast<int>(Text.size()));
  RECT r{R.Left, R.Top, R.Right, R.Bottom};
  // DrawTextW may write into the text only with DT_MODIFYSTRING; without it
  // the text is read only.
  int result = DrawTextW(DC, W(Text), n, &r, Flags & ~static_cast<UINT>(DT_MODIFYSTRING));
  R = Rect(r.left, r.top, r.right, r.bottom);
  return result;
}

int DrawTextUnmodified(TCanvas* Canvas, const String& Text, int Length, TRect& R, UINT Flags) {
  // An empty TextRect makes the canvas select its font and brush and set the
  // text colour and background mode, without drawing anything.
  Canvas->TextRect(TRect{}, 0, 0, String());
  return DrawTextUnmodifiedDC(Canvas->Handle(), Text, Length, R, Flags);
}

void GradientFillBands(TCanvas* Canvas, const TRect& R, TColor StartColor, TColor EndColor, int Direction,
                       int ColorCount) {
  Canvas->Lock();
  struct Unlock {
    TCanvas* c;
    ~Unlock() { c->Unlock(); }
  } unlock{Canvas};
  if (StartColor == clNone && EndColor == clNone) return;
  if ((R.Right <= R.Left || R.Bottom <= R.Top) && GetMapMode(Canvas->Handle()) == MM_TEXT) return;
  TColor start = ColorToRGB(StartColor), end = ColorToRGB(EndColor);
  if (Direction == gdBottomToTop || Direction == gdRightToLeft) {
    std::swap(start, end);
    Direction = Direction == gdBottomToTop ? gdTopToBottom : gdLeftToRight;
  }
  TBrush* brush = Canvas->Brush();
  brush->SetStyle(bsSolid);
  if (ColorCount < 2 || start == end) {
    brush->SetColor(start);
    Canvas->FillRect(R);
    return;
  }
  bool vertical = Direction == gdTopToBottom;
  int extent = vertical ? R.Height() : R.Width();
  int bands = std::max(2, std::min(ColorCount, extent));
  int bandSize = extent / bands;
  Canvas->Pen()->SetStyle(psSolid);
  Canvas->Pen()->SetMode(pmCopy);
  auto channel = [](TColor c, int shift) { return (c >> shift) & 0xFF; };
  if (bandSize > 0) {
    for (int i = 0; i < bands; ++i) {
      TColor color = 0;
      for (int shift : {0, 8, 16}) {
        int s = channel(start, shift), e = channel(end, shift);
        color |= ((s + fw::MulDiv(i, e - s, bands - 1)) & 0xFF) << shift;
      }
      brush->SetColor(color);
      int a = i * bandSize;
      Canvas->FillRect(vertical ? Rect(R.Left, R.Top + a, R.Right, R.Top + a + bandSize)
                                : Rect(R.Left + a, R.Top, R.Left + a + bandSize, R.Bottom));
    }
  }
  int rest = extent % bands;
  if (rest > 0) {
    brush->SetColor(end);
    Canvas->FillRect(vertical ? Rect(R.Left, R.Bottom - rest, R.Right, R.Bottom)
                              : Rect(R.Right - rest, R.Top, R.Right, R.Bottom));
  }
}

}  // namespace services

namespace services {

void StretchBitmapKeyed(TCanvas* Canvas, TRect Dest, TBitmap* Bitmap, TRect Source, TColor TransparentColor) {
  if (!Canvas || !Bitmap || Bitmap->Empty()) return;
  if (Dest.Width() < 1) Dest.Right = Dest.Left + Bitmap->Width();
  if (Dest.Height() < 1) Dest.Bottom = Dest.Top + Bitmap->Height();
  if (Source.Width() < 1 || Source.Height() < 1) Source = Rect(0, 0, Bitmap->Width(), Bitmap->Height());
  HDC dst = Canvas->Handle();
  HDC src = Bitmap->Canvas()->Handle();
  int oldMode = 0;
  if (!Bitmap->Monochrome()) oldMode = SetStretchBltMode(dst, COLORONCOLOR);
  if (TransparentColor == clNone) {
    StretchBlt(dst, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), src, Source.Left, Source.Top,
               Source.Width(), Source.Height(), static_cast<DWORD>(Canvas->CopyMode()));
  } else {
    if (TransparentColor == clDefault) TransparentColor = Bitmap->Canvas()->Pixel(0, Bitmap->Height() - 1);
    COLORREF key = Bitmap->Monochrome() ? RGB(255, 255, 255) : static_cast<COLORREF>(ColorToRGB(TransparentColor));
    StretchBlitKeyed(dst, Dest, src, Source, key & 0xFFFFFF, Bitmap->Palette());
  }
  if (oldMode) SetStretchBltMode(dst, oldMode);
}

void DrawBitmapKeyed(TCanvas* Canvas, int X, int Y, TBitmap* Bitmap, TColor TransparentColor) {
  if (!Bitmap) return;
  StretchBitmapKeyed(Canvas, Rect(X, Y, X + Bitmap->Width(), Y + Bitmap->Height()), Bitmap,
                     Rect(0, 0, Bitmap->Width(), Bitmap->Height()), TransparentColor);
}

void DrawBitmapPartKeyed(TCanvas* Canvas, int X, int Y, const TRect& Source, TBitmap* Bitmap,
                         TColor TransparentColor) {
  StretchBitmapKeyed(Canvas, Rect(X, Y, X + Source.Width(), Y + Source.Height()), Bitmap, Source,
                     TransparentColor);
}

std::unique_ptr<TBitmap> BuildDisabledBitmapColored(TBitmap* Bitmap, TColor OutlineColor, TColor BackColor,
                                                    TColor HighlightColor, TColor ShadowColor, bool DrawHighlight) {
  auto result = std::make_unique<TBitmap>();
  result->SetPixelFormat(pf24bit);
  if (!Bitmap || Bitmap->Empty()) return result;
  int w = Bitmap->Width(), h = Bitmap->Height();
  result->SetSize(w, h);
  // The lines: pixels of the outline colour (white ones of a monochrome
  // bitmap).
  TColor outline = Bitmap->Monochrome() ? clWhite : ColorToRGB(OutlineColor);
  std::vector<bool> lines(static_cast<size_t>(w) * static_cast<size_t>(h));
  TCanvas* src = Bitmap->Canvas();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) lines[static_cast<size_t>(y) * w + x] = ColorToRGB(src->Pixel(x, y)) == outline;
  TCanvas* dst = result->Canvas();
  dst->Brush()->SetColor(BackColor);
  dst->FillRect(Rect(0, 0, w, h));
  TColor light = ColorToRGB(HighlightColor), dark = ColorToRGB(ShadowColor);
  if (DrawHighlight)
    for (int y = 0; y + 1 < h; ++y)
      for (int x = 0; x + 1 < w; ++x)
        if (lines[static_cast<size_t>(y) * w + x]) dst->SetPixel(x + 1, y + 1, light);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (lines[static_cast<size_t>(y) * w + x]) dst->SetPixel(x, y, dark);
  return result;
}

std::unique_ptr<TBitmap> BuildDisabledBitmap(TBitmap* Bitmap, TColor OutlineColor) {
  return BuildDisabledBitmapColored(Bitmap, OutlineColor, clBtnFace, clBtnHighlight, clBtnShadow, true);
}

namespace {
BOOL CALLBACK IsActiveWindowProc(HWND Window, LPARAM Param) {
  auto* found = reinterpret_cast<bool*>(Param);
  if (Window == GetActiveWindow()) {
    *found = true;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

bool ThreadOwnsActiveWindow() {
  bool found = false;
  EnumThreadWindows(GetCurrentThreadId(), &IsActiveWindowProc, reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace services
