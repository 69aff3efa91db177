// Drawing on device contexts: colours, the three drawing tools (font, pen,
// brush), the canvas, the graphic base class and the bitmap.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <vector>

#include "fw/core/colors.h"
#include "fw/core/events.h"
#include "fw/core/exceptions.h"
#include "fw/core/object.h"
#include "fw/core/sets.h"
#include "fw/core/streams.h"
#include "fw/core/typeinfo.h"
#include "fw/core/types.h"
#include "fw/graphics/gdi_handles.h"

namespace fw {

namespace codecs {
struct BmpImage;
}

// ---- Colours (constants in fw/core/colors.h) -------------------------------

// A system colour becomes its current RGB value; other values pass as they are.
TColor ColorToRGB(TColor color);

// ---- Enumerations ---------------------------------------------------------

FW_ENUM(TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut)
using TFontStyles = TSet<TFontStyle>;
FW_ENUM(TFontPitch, fpDefault, fpVariable, fpFixed)
FW_ENUM(TFontQuality, fqDefault, fqDraft, fqProof, fqNonAntialiased, fqAntialiased, fqClearType, fqClearTypeNatural)
FW_ENUM(TPenStyle, psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame)
FW_ENUM(TPenMode, pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot, pmMergeNotPen,
        pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor)
FW_ENUM(TBrushStyle, bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross)
FW_ENUM(TFillStyle, fsSurface, fsBorder)
FW_ENUM(TPixelFormat, pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom)
FW_ENUM(TTransparentMode, tmAuto, tmFixed)
FW_ENUM(TBitmapHandleType, bmDIB, bmDDB)
FW_ENUM(TProgressStage, psStarting, psRunning, psEnding)

// Font character sets (ANSI_CHARSET...) with their names.
using TFontCharset = uint8_t;
const TTypeInfo* TypeInfoTFontCharset();

// Raster operations of CopyMode.
using TCopyMode = DWORD;
constexpr TCopyMode cmBlackness = BLACKNESS;
constexpr TCopyMode cmDstInvert = DSTINVERT;
constexpr TCopyMode cmMergeCopy = MERGECOPY;
constexpr TCopyMode cmMergePaint = MERGEPAINT;
constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
constexpr TCopyMode cmPatCopy = PATCOPY;
constexpr TCopyMode cmPatInvert = PATINVERT;
constexpr TCopyMode cmPatPaint = PATPAINT;
constexpr TCopyMode cmSrcAnd = SRCAND;
constexpr TCopyMode cmSrcCopy = SRCCOPY;
constexpr TCopyMode cmSrcErase = SRCERASE;
constexpr TCopyMode cmSrcInvert = SRCINVERT;
constexpr TCopyMode cmSrcPaint = SRCPAINT;
constexpr TCopyMode cmWhiteness = WHITENESS;

class TGraphicsObject;
class TCanvas;
using TSize = SIZE;
class TGraphic;
class TBitmap;

using TProgressEvent = TEvent<void(TObject* Sender, TProgressStage Stage, uint8_t PercentDone, bool RedrawNow,
                                   const TRect& R, const String& Msg)>;

// ---- Drawing tools ----------------------------------------------------------

// Base of font, pen and brush: a value that owns one GDI object made on demand
// and tells its owner when it changes.
class TGraphicsObject : public TPersistent {
  FW_CLASS(TGraphicsObject, TPersistent)
  TNotifyEvent OnChange;

 protected:
  virtual void Changed();
};

class TFont : public TGraphicsObject {
  FW_CLASS(TFont, TGraphicsObject)
  TFont();
  void Assign(TPersistent* Source) override;

  const String& Name() const { return FName; }
  void SetName(const String& v);
  // Size in points; Height in pixels (negative: character height, positive:
  // cell height), both at PixelsPerInch.
  int Size() const;
  void SetSize(int points);
  int Height() const { return FHeight; }
  void SetHeight(int v);
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int v) { FPixelsPerInch = v; }
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles v);
  TColor Color() const { return FColor; }
  void SetColor(TColor v);
  TFontCharset Charset() const { return FCharset; }
  void SetCharset(TFontCharset v);
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch v);
  TFontQuality Quality() const { return FQuality; }
  void SetQuality(TFontQuality v);
  // Escapement and orientation in tenths of a degree.
  int Orientation() const { return FOrientation; }
  void SetOrientation(int v);

  HFONT Handle();
  // Takes over the given font: its properties are read back from it.
  void SetHandle(HFONT font);
  bool HandleAllocated() const { return bool(FHandle); }

 protected:
  void Changed() override;

 private:
  String FName;
  int FHeight;
  int FPixelsPerInch = 96;
  TFontStyles FStyle;
  TColor FColor = clWindowText;
  TFontCharset FCharset = DEFAULT_CHARSET;
  TFontPitch FPitch = fpDefault;
  TFontQuality FQuality = fqDefault;
  int FOrientation = 0;
  TFontHandle FHandle;
};

class TPen : public TGraphicsObject {
  FW_CLASS(TPen, TGraphicsObject)
  void Assign(TPersistent* Source) override;
  TColor Color() const { return FColor; }
  void SetColor(TColor v);
  int Width() const { return FWidth; }
  void SetWidth(int v);
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle v);
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode v);
  HPEN Handle();
  void SetHandle(HPEN pen);

 protected:
  void Changed() override;

 private:
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
  TPenHandle FHandle;
};

class TBrush : public TGraphicsObject {
  FW_CLASS(TBrush, TGraphicsObject)
  TBrush() = default;
  ~TBrush() override;
  void Assign(TPersistent* Source) override;
  TColor Color() const { return FColor; }
  void SetColor(TColor v);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle v);
  // A pattern bitmap (not owned); while set it is the brush's pattern.
  TBitmap* Bitmap() const { return FBitmap; }
  void SetBitmap(TBitmap* v);
  HBRUSH Handle();
  void SetHandle(HBRUSH brush);

 protected:
  void Changed() override;

 private:
  void FreeHandle();
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
  TBitmap* FBitmap = nullptr;
  HBRUSH FHandle = nullptr;
  bool FOwnsHandle = false;
};

// ---- Canvas -------------------------------------------------------------------

// Drawing surface over a device context. The canvas selects its font, pen and
// brush into the DC when a drawing call needs them and selects the DC's own
// objects back when the handle goes.
class TCanvas : public TPersistent {
  FW_CLASS(TCanvas, TPersistent)
  TCanvas();
  ~TCanvas() override;

  HDC Handle();
  // Attaches the canvas to a DC it does not own (nullptr detaches).
  void SetHandle(HDC dc);
  bool HandleAllocated() const { return FHandle != nullptr; }
  // Selects the DC's own objects back so that the tools can change freely.
  void Refresh();

  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* v) { FFont->Assign(v); }
  TPen* Pen() const { return FPen.get(); }
  void SetPen(TPen* v) { FPen->Assign(v); }
  TBrush* Brush() const { return FBrush.get(); }
  void SetBrush(TBrush* v) { FBrush->Assign(v); }
  TCopyMode CopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode v) { FCopyMode = v; }

  void FillRect(const TRect& r);
  void FrameRect(const TRect& r);
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
  void Ellipse(int x1, int y1, int x2, int y2);
  void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
  void Polygon(const std::vector<TPoint>& points);
  void Polyline(const std::vector<TPoint>& points);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  TPoint PenPos();
  void SetPenPos(const TPoint& p) { MoveTo(p.x, p.y); }
  // Writes the text at (x, y) and moves the pen position past it.
  void TextOut(int x, int y, const String& text);
  // Writes the text at (x, y) clipped to r; an opaque brush fills r first.
  void TextRect(const TRect& r, int x, int y, const String& text);
  TSize TextExtent(const String& text);
  int TextWidth(const String& text) { return TextExtent(text).cx; }
  int TextHeight(const String& text) { return TextExtent(text).cy; }
  void DrawFocusRect(const TRect& r);
  void FloodFill(int x, int y, TColor color, TFillStyle style);
  void Draw(int x, int y, TGraphic* graphic);
  void StretchDraw(const TRect& r, TGraphic* graphic);
  // Copies source's rectangle into dest, stretched, with CopyMode.
  void CopyRect(const TRect& dest, TCanvas* canvas, const TRect& source);
  // Copies the bitmap's rectangle, painting the brush where it has color.
  void BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& source, TColor color);
  TColor Pixel(int x, int y);
  void SetPixel(int x, int y, TColor color);
  TRect ClipRect();

  // Serialises drawing from several threads; nested locks count.
  void Lock();
  bool TryLock();
  void Unlock();
  int LockCount() const { return FLockCount; }

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  enum : unsigned { csHandleValid = 1, csFontValid = 2, csPenValid = 4, csBrushValid = 8 };
  // A canvas that makes its own DC (bitmap, control) does so here.
  virtual void CreateHandle() {}
  virtual void Changing();
  virtual void Changed();
  void RequiredState(unsigned state);
  // Detaches the tools from the DC; the DC stays.
  void DeselectHandles();

 private:
  void SelectFont();
  void SelectPen();
  void SelectBrush();
  // Polygon or Polyline through the points (none: nothing drawn).
  void DrawPoints(const std::vector<TPoint>& points, BOOL(WINAPI* draw)(HDC, const POINT*, int));
  void FontChanged(TObject* Sender);
  void PenChanged(TObject* Sender);
  void BrushChanged(TObject* Sender);

  HDC FHandle = nullptr;
  unsigned FState = 0;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
  TCopyMode FCopyMode = cmSrcCopy;
  HGDIOBJ FOldFont = nullptr;
  HGDIOBJ FOldPen = nullptr;
  HGDIOBJ FOldBrush = nullptr;
  std::recursive_mutex FLock;
  int FLockCount = 0;
};

// Locks a canvas and attaches it to a DC it does not own for the holder's
// life (a paint message's or an owner-draw item's DC); at the end the
// canvas lets go of the DC and is unlocked.
class TCanvasDCScope {
 public:
  TCanvasDCScope(TCanvas* Canvas, HDC DC) : FCanvas(Canvas) {
    FCanvas->Lock();
    FCanvas->SetHandle(DC);
  }
  ~TCanvasDCScope() {
    FCanvas->SetHandle(nullptr);
    FCanvas->Unlock();
  }
  TCanvasDCScope(const TCanvasDCScope&) = delete;
  TCanvasDCScope& operator=(const TCanvasDCScope&) = delete;

 private:
  TCanvas* FCanvas;
};

// ---- Graphics ---------------------------------------------------------------

// A graphic class: its registered class information (the class registry
// creates instances by it).
using TGraphicClass = TClass;
// A new, empty graphic of the class.
TGraphic* CreateGraphic(TGraphicClass graphicClass);

// Base of every picture kind: something that has a size, draws itself into
// a rectangle of a canvas and reads and writes its own file format.
class TGraphic : public TPersistent {
  FW_CLASS(TGraphic, TPersistent)

  virtual bool Empty() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void SetWidth(int v) = 0;
  virtual void SetHeight(int v) = 0;
  virtual void SetSize(int w, int h) {
    SetWidth(w);
    SetHeight(h);
  }
  virtual bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool v);
  virtual HPALETTE Palette() { return nullptr; }
  virtual void SetPalette(HPALETTE) {}
  bool Modified() const { return FModified; }
  void SetModified(bool v);

  virtual void LoadFromStream(TStream& stream) = 0;
  virtual void SaveToStream(TStream& stream) = 0;
  void LoadFromFile(const String& fileName);
  void SaveToFile(const String& fileName);

  TNotifyEvent OnChange;
  TProgressEvent OnProgress;

 protected:
  friend class TCanvas;
  virtual void Draw(TCanvas* canvas, const TRect& r) = 0;
  virtual void Changed();
  void Progress(TProgressStage stage, uint8_t percentDone, bool redrawNow, const TRect& r,
                const String& msg);

 private:
  bool FTransparent = false;
  bool FModified = false;
};

class TBitmapCanvas;

// A bitmap held as a DIB section (or, for pfDevice, a device-dependent
// bitmap until its pixels are addressed).
class TBitmap : public TGraphic {
  FW_CLASS(TBitmap, TGraphic)
  TBitmap();
  ~TBitmap() override;

  bool Empty() const override { return FWidth == 0 || FHeight == 0; }
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  void SetWidth(int v) override { SetSize(v, FHeight); }
  void SetHeight(int v) override { SetSize(FWidth, v); }
  // New area is white; the old picture stays in the top-left corner.
  void SetSize(int w, int h) override;

  TPixelFormat PixelFormat() const { return FPixelFormat; }
  // Converts the pixels to the new format; palette formats get a standard
  // palette (1 bit black and white, 4 bits the 16 VGA colours, 8 bits halftone).
  void SetPixelFormat(TPixelFormat v);
  bool Monochrome() const { return FPixelFormat == pf1bit; }
  void SetMonochrome(bool v);
  TBitmapHandleType HandleType() const { return FHandleType; }
  void SetHandleType(TBitmapHandleType v);

  // Row access from the top (row 0) down, whatever the DIB's orientation.
  void* ScanLine(int row);
  // Bytes of one stored row (DWORD aligned).
  int RowBytes() const;

  TCanvas* Canvas();
  HBITMAP Handle();
  // Takes ownership of the given bitmap (DIB section or device bitmap).
  void SetHandle(HBITMAP bitmap);
  // Gives the bitmap handle to the caller; the bitmap becomes empty.
  HBITMAP ReleaseHandle();
  bool HandleAllocated() const { return bool(FHandle); }

  HPALETTE Palette() override;
  void SetPalette(HPALETTE palette) override;
  // The colour table of a palette format (empty for other formats).
  std::vector<RGBQUAD> ColorTable() const;
  void SetColorTable(const std::vector<RGBQUAD>& colors);

  // tmAuto: the colour of the bottom-left pixel; tmFixed: the set colour.
  TColor TransparentColor();
  void SetTransparentColor(TColor v);
  TTransparentMode TransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode v);

  // From another bitmap: a copy; from any other graphic: drawn onto a white
  // bitmap of its size.
  void Assign(TPersistent* Source) override;
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) override;
  void LoadFromResourceName(HINSTANCE instance, const String& name);
  void LoadFromResourceID(HINSTANCE instance, int id);
  // Reads a packed DIB (info header, colour table, pixels; no file header).
  void LoadFromDib(const uint8_t* data, size_t size);

  // Frees the image; the bitmap becomes 0 x 0 and keeps its pixel format.
  void FreeImage();

 protected:
  void Draw(TCanvas* canvas, const TRect& r) override;

 private:
  friend class TBitmapCanvas;
  void Release();
  void ReplaceImage(HBITMAP bitmap, void* bits, int w, int h, TPixelFormat pf, bool topDown,
                    TBitmapHandleType type, std::vector<RGBQUAD> colors = {});
  void MakeImage(int w, int h, TPixelFormat pf, const std::vector<RGBQUAD>* colors,
                 HBITMAP copyFrom, int copyW, int copyH);
  void AdoptHandle(HBITMAP bitmap);
  void TakeDecoded(const codecs::BmpImage& img);
  void CanvasChanged(TObject* Sender);

  TBitmapHandle FHandle;
  void* FBits = nullptr;
  int FWidth = 0;
  int FHeight = 0;
  bool FTopDown = false;
  TPixelFormat FPixelFormat = pfDevice;
  TBitmapHandleType FHandleType = bmDDB;
  TPaletteHandle FPalette;
  std::vector<RGBQUAD> FColors;  // colour table of palette formats
  TColor FTransparentColor = clDefault;
  TTransparentMode FTransparentMode = tmAuto;
  std::unique_ptr<TBitmapCanvas> FCanvas;
};

// Bits per pixel of a format (0 for pfDevice and pfCustom).
int PixelFormatBits(TPixelFormat pf);

}  // namespace fw
