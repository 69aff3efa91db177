#include "skin/engine/bitmap_dc.h"

#include "fw/graphics/gdi_handles.h"
#include "skin/engine/core/bitmap_blend.h"

namespace skin {

// Linked directly: every system this program runs on has them.
TUpdateLayeredWindow UpdateLayeredWindowProc = ::UpdateLayeredWindow;
TSetLayeredWindowAttributes SetLayeredWindowAttributesProc = ::SetLayeredWindowAttributes;

bool LayeredWindowsAvailable() { return UpdateLayeredWindowProc != nullptr; }

bool GetScanLineLayout(fw::TBitmap& bitmap, uint8_t*& row0, ptrdiff_t& distance) {
  if (bitmap.Empty() || bitmap.PixelFormat() == fw::pfDevice) return false;
  auto* first = static_cast<uint8_t*>(bitmap.ScanLine(0));
  if (!first) return false;
  row0 = first;
  distance = bitmap.Height() > 1 ? static_cast<uint8_t*>(bitmap.ScanLine(1)) - first : 0;
  return true;
}

TPixelView32 View32(fw::TBitmap& bitmap) {
  uint8_t* row0;
  ptrdiff_t distance;
  if (bitmap.PixelFormat() != fw::pf32bit || !GetScanLineLayout(bitmap, row0, distance)) return {};
  return {row0, distance, bitmap.Width(), bitmap.Height()};
}

TPixelView8 View8(fw::TBitmap& bitmap) {
  uint8_t* row0;
  ptrdiff_t distance;
  if (bitmap.PixelFormat() != fw::pf8bit || !GetScanLineLayout(bitmap, row0, distance)) return {};
  return {row0, distance, bitmap.Width(), bitmap.Height()};
}

std::unique_ptr<fw::TBitmap> NewBitmap32(int width, int height) {
  auto bitmap = std::make_unique<fw::TBitmap>();
  bitmap->SetPixelFormat(fw::pf32bit);
  bitmap->SetHandleType(fw::bmDIB);
  bitmap->SetSize(width, height);
  return bitmap;
}

std::unique_ptr<fw::TBitmap> NewBitmapLike(fw::TBitmap& bitmap) {
  auto copy = std::make_unique<fw::TBitmap>();
  copy->SetPixelFormat(bitmap.PixelFormat());
  copy->SetSize(bitmap.Width(), bitmap.Height());
  return copy;
}

void AssignBitmapImage(fw::TBitmap& dest, fw::TBitmap& source) {
  dest.SetPixelFormat(source.PixelFormat());
  dest.SetHandleType(fw::bmDIB);
  dest.SetSize(source.Width(), source.Height());
  BitBlt(dest.Canvas()->Handle(), 0, 0, source.Width(), source.Height(), source.Canvas()->Handle(), 0, 0, SRCCOPY);
}

std::unique_ptr<fw::TBitmap> RotateBitmap90(std::unique_ptr<fw::TBitmap>& bitmap, bool clockwise, bool freeSource) {
  std::unique_ptr<fw::TBitmap> turned;
  if (bitmap && bitmap->PixelFormat() == fw::pf32bit) {
    turned = NewBitmap32(bitmap->Height(), bitmap->Width());
    RotatePixels90(View32(*bitmap), View32(*turned), clockwise);
  }
  if (freeSource) bitmap.reset();
  return turned;
}

void CopyChannel(fw::TBitmap& bitmap32, fw::TBitmap& bitmap8, int channel, bool toChannel8) {
  CopyChannel(View32(bitmap32), View8(bitmap8), channel, toChannel8);
}

namespace {

void FillWith(HDC dc, HBRUSH brush, int l, int t, int r, int b) {
  RECT rc{l, t, r, b};
  FillRect(dc, &rc, brush);
}

}  // namespace

void SolidFillDC(HDC dc, const fw::TRect& r, fw::TColor color) {
  fw::TSavedDC saved(dc);
  fw::TBrushHandle brush(CreateSolidBrush(static_cast<COLORREF>(fw::ColorToRGB(color))));
  FillWith(dc, brush.Get(), r.Left, r.Top, r.Right, r.Bottom);
}

void SolidFillFrameDC(HDC dc, const fw::TRect& r, int leftWidth, int topHeight, int rightWidth, int bottomHeight,
                      fw::TColor color) {
  fw::TSavedDC saved(dc);
  fw::TBrushHandle brush(CreateSolidBrush(static_cast<COLORREF>(fw::ColorToRGB(color))));
  FillWith(dc, brush.Get(), r.Left, r.Top, r.Right, r.Top + topHeight);
  FillWith(dc, brush.Get(), r.Left, r.Top + topHeight, r.Left + leftWidth, r.Bottom);
  FillWith(dc, brush.Get(), r.Left + leftWidth, r.Bottom - bottomHeight, r.Right, r.Bottom);
  FillWith(dc, brush.Get(), r.Right - rightWidth, r.Top + topHeight, r.Right, r.Bottom - bottomHeight);
}

void CopyBorderStrips(HDC dest, int x, int y, int w, int h, HDC source, int sx, int sy, int b) {
  BitBlt(dest, x, y, b, h, source, sx, sy, SRCCOPY);                                // left
  BitBlt(dest, x + b, y, w - b, b, source, sx + b, sy, SRCCOPY);                     // top
  BitBlt(dest, x + w - b, y + b, b, h - b, source, sx + w - b, sy + b, SRCCOPY);     // right
  BitBlt(dest, x + b, y + h - b, w - 2 * b, b, source, sx + b, sy + h - b, SRCCOPY);  // bottom
}

void ExcludeGraphicControlsClip(HDC dc, fw::TWinControl* control, int offsetX, int offsetY) {
  if (!control) return;
  for (int i = 0; i < control->ControlCount(); ++i) {
    fw::TControl* child = control->Controls(i);
    if (!child || dynamic_cast<fw::TWinControl*>(child) || !child->Visible()) continue;
    const fw::TRect b = child->BoundsRect();
    ExcludeClipRect(dc, b.Left + offsetX, b.Top + offsetY, b.Right + offsetX, b.Bottom + offsetY);
  }
}

void DrawArrowMark(fw::TCanvas& canvas, fw::TColor color, const fw::TRect& r, int direction) {
  const int w = r.Right - r.Left, h = r.Bottom - r.Top;
  if (direction == asLeft || direction == asRight) {
    const int x0 = r.Left + (w - 3) / 2, y0 = r.Top + (h - 6) / 2;
    for (int i = 0; i < 4; ++i) {  // i: columns from the base toward the tip
      const int x = direction == asLeft ? x0 + 3 - i : x0 + i;
      for (int y = y0 + i; y <= y0 + 6 - i; ++y) canvas.SetPixel(x, y, color);
    }
  } else if (direction == asTop || direction == asBottom) {
    const int y0 = r.Top + (h - 3) / 2 - 1, x0 = r.Left + (w - 6) / 2 - 1;
    for (int i = 0; i < 4; ++i) {
      const int y = direction == asTop ? y0 + 3 - i : y0 + i;
      for (int x = x0 + i; x <= x0 + 7 - i; ++x) canvas.SetPixel(x, y, color);
    }
  }
}

void DrawFrame3DOnDC(HDC dc, fw::TRect& r, fw::TColor topLeft, fw::TColor bottomRight, int& width) {
  fw::TPenHandle first(CreatePen(PS_SOLID, 1, static_cast<COLORREF>(fw::ColorToRGB(topLeft))));
  fw::TPenHandle second(CreatePen(PS_SOLID, 1, static_cast<COLORREF>(bottomRight)));
  {
    fw::TSelectObject brush(dc, GetStockObject(NULL_BRUSH));
    fw::TSelectObject pen(dc, first.Get());
    --r.Right, --r.Bottom;
    while (width > 0) {
      --width;
      SelectObject(dc, first.Get());
      POINT a[3] = {{r.Left, r.Bottom}, {r.Left, r.Top}, {r.Right, r.Top}};
      Polyline(dc, a, 3);
      SelectObject(dc, second.Get());
      POINT b[3] = {{r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left - 1, r.Bottom}};
      Polyline(dc, b, 3);
      ++r.Left, ++r.Top, --r.Right, --r.Bottom;
    }
    ++r.Right, ++r.Bottom;
  }
}

void DrawDottedFrame(fw::TCanvas& canvas, const fw::TRect& r, fw::TColor first, fw::TColor second) {
  auto dot = [&](int x, int y, fw::TColor c) {
    if (static_cast<uint32_t>(c) != clSkinNone) canvas.SetPixel(x, y, c);
  };
  const int w = r.Right - r.Left, h = r.Bottom - r.Top;
  for (int k = 1; k <= w / 2; ++k)
    for (int y : {r.Top, r.Bottom - 1}) {
      dot(r.Left + 2 * k, y, second);
      dot(r.Left + 2 * k - 1, y, first);
    }
  for (int k = 1; k <= h / 2; ++k)
    for (int x : {r.Left, r.Right - 1}) {
      dot(x, r.Top + 2 * k, second);
      dot(x, r.Top + 2 * k - 1, first);
    }
}

}  // namespace skin
