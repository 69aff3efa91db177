#include "fw/graphics/imagelist.h"

#include <algorithm>

#include "fw/core/rtti.h"
#include "fw/graphics/icon.h"

namespace fw {

FW_REGISTER(TChangeLink) {}

FW_REGISTER(TCustomImageList) {
  c.Property(u"BkColor", &TCustomImageList::BkColor, &TCustomImageList::SetBkColor).Type(TypeInfoTColor()).Default(clNone);
  c.Property(u"Height", &TCustomImageList::Height, &TCustomImageList::SetHeight).Default(16);
  c.Property(u"Masked", &TCustomImageList::Masked, &TCustomImageList::SetMasked).Default(true);
  c.Property(u"ShareImages", &TCustomImageList::ShareImages, &TCustomImageList::SetShareImages).Default(false);
  c.Property(u"Width", &TCustomImageList::Width, &TCustomImageList::SetWidth).Default(16);
  c.Event(u"OnChange", &TCustomImageList::OnChange);
}

FW_REGISTER(TImageList) {}

TChangeLink::~TChangeLink() {
  if (FSender) FSender->UnRegisterChanges(this);
}

void TChangeLink::Change() {
  if (FSender) OnChange(FSender);
}

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::~TCustomImageList() {
  for (TChangeLink* link : FLinks) link->SetSender(nullptr);
  FLinks.clear();
  FreeList();
}

namespace {
COLORREF ListColor(TColor c) { return c == clNone ? CLR_NONE : c == clDefault ? CLR_DEFAULT : ColorToRGB(c); }
}  // namespace

void TCustomImageList::CreateList() {
  if (FHandle) return;
  FHandle = ImageList_Create(FWidth, FHeight, ILC_COLOR32 | (FMasked ? ILC_MASK : 0), 4, 4);
  if (!FHandle) throw EOutOfResources(u"Failed to create image list");
  ImageList_SetBkColor(FHandle, ListColor(FBkColor));
}

void TCustomImageList::FreeList() {
  if (FHandle && !FShareImages) ImageList_Destroy(FHandle);
  FHandle = nullptr;
}

HIMAGELIST TCustomImageList::Handle() {
  CreateList();
  return FHandle;
}

void TCustomImageList::SetHandle(HIMAGELIST list) {
  FreeList();
  FHandle = list;
  if (list) {
    int w = 0, h = 0;
    ImageList_GetIconSize(list, &w, &h);
    FWidth = w;
    FHeight = h;
    FBkColor = ImageList_GetBkColor(list) == CLR_NONE ? clNone : static_cast<TColor>(ImageList_GetBkColor(list));
  }
  Change();
}

// A new size or kind starts a new, empty list.
void TCustomImageList::SetWidth(int v) {
  if (v == FWidth) return;
  FWidth = v;
  FreeList();
  Change();
}

void TCustomImageList::SetHeight(int v) {
  if (v == FHeight) return;
  FHeight = v;
  FreeList();
  Change();
}

void TCustomImageList::SetMasked(bool v) {
  if (v == FMasked) return;
  FMasked = v;
  FreeList();
  Change();
}

void TCustomImageList::SetBkColor(TColor v) {
  FBkColor = v;
  if (FHandle) ImageList_SetBkColor(FHandle, ListColor(v));
  Change();
}

int TCustomImageList::Count() { return FHandle ? ImageList_GetImageCount(FHandle) : 0; }

void TCustomImageList::CheckIndex(int index) {
  if (index < 0 || index >= Count()) throw EInvalidOperation(u"Invalid image list index");
}

int TCustomImageList::Add(TBitmap* image, TBitmap* mask) {
  if (!image || image->Empty()) return -1;
  CreateList();
  // The list copies the bitmaps; they must not be selected into a DC.
  TBitmap img;
  img.Assign(image);
  TBitmap msk;
  if (mask) msk.Assign(mask);
  int r = ImageList_Add(FHandle, img.Handle(), mask ? msk.Handle() : nullptr);
  Change();
  return r;
}

int TCustomImageList::AddMasked(TBitmap* image, TColor maskColor) {
  if (!image || image->Empty()) return -1;
  CreateList();
  TBitmap img;
  img.Assign(image);
  img.SetPixelFormat(pfDevice);
  int r = ImageList_AddMasked(FHandle, img.Handle(), ColorToRGB(maskColor));
  Change();
  return r;
}

int TCustomImageList::AddIcon(TIcon* icon) {
  if (!icon || icon->Empty()) return -1;
  CreateList();
  int r = ImageList_AddIcon(FHandle, icon->Handle());
  Change();
  return r;
}

void TCustomImageList::Replace(int index, TBitmap* image, TBitmap* mask) {
  CheckIndex(index);
  TBitmap img;
  img.Assign(image);
  TBitmap msk;
  if (mask) msk.Assign(mask);
  ImageList_Replace(FHandle, index, img.Handle(), mask ? msk.Handle() : nullptr);
  Change();
}

void TCustomImageList::Delete(int index) {
  CheckIndex(index);
  ImageList_Remove(FHandle, index);
  Change();
}

void TCustomImageList::Clear() {
  if (FHandle) ImageList_Remove(FHandle, -1);
  Change();
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) {
  if (!FHandle || index < 0 || index >= Count()) return;
  HDC dc = canvas->Handle();
  if (enabled) {
    ImageList_DrawEx(FHandle, index, dc, x, y, 0, 0, CLR_NONE, CLR_DEFAULT, FMasked ? ILD_TRANSPARENT : ILD_NORMAL);
    return;
  }
  // Disabled: the image's shape embossed, highlight offset by one pixel
  // under the shadow.
  TMemoryDC maskDC(dc);
  TBitmapHandle mask(CreateBitmap(FWidth, FHeight, 1, 1, nullptr));
  TSelectObject sel(maskDC.Get(), mask.Get());
  RECT r{0, 0, FWidth, FHeight};
  FillRect(maskDC.Get(), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ImageList_DrawEx(FHandle, index, maskDC.Get(), 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_MASK);
  // Non-mask images: every pixel that is not the background counts.
  if (!FMasked) {
    TMemoryDC colorDC(dc);
    TBitmapHandle color(CreateCompatibleBitmap(dc, FWidth, FHeight));
    TSelectObject selColor(colorDC.Get(), color.Get());
    ImageList_DrawEx(FHandle, index, colorDC.Get(), 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_NORMAL);
    ::SetBkColor(colorDC.Get(), RGB(255, 255, 255));
    BitBlt(maskDC.Get(), 0, 0, FWidth, FHeight, colorDC.Get(), 0, 0, SRCCOPY);
  }
  COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  COLORREF oldBk = ::SetBkColor(dc, RGB(255, 255, 255));
  for (int pass = 0; pass < 2; ++pass) {
    TBrushHandle brush(CreateSolidBrush(GetSysColor(pass == 0 ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW)));
    TSelectObject selBrush(dc, brush.Get());
    int off = pass == 0 ? 1 : 0;
    // Brush where the mask is black (the shape), destination elsewhere.
    BitBlt(dc, x + off, y + off, FWidth, FHeight, maskDC.Get(), 0, 0, 0x00B8074A);
  }
  SetTextColor(dc, oldText);
  ::SetBkColor(dc, oldBk);
}

void TCustomImageList::GetBitmap(int index, TBitmap* image) {
  CheckIndex(index);
  image->SetSize(FWidth, FHeight);
  TCanvas* c = image->Canvas();
  c->Brush()->SetColor(clWhite);
  c->FillRect(Rect(0, 0, FWidth, FHeight));
  ImageList_DrawEx(FHandle, index, c->Handle(), 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_NORMAL);
}

void TCustomImageList::GetIcon(int index, TIcon* icon) {
  CheckIndex(index);
  icon->SetHandle(ImageList_GetIcon(FHandle, index, ILD_NORMAL));
}

void TCustomImageList::RegisterChanges(TChangeLink* link) {
  if (!link || std::find(FLinks.begin(), FLinks.end(), link) != FLinks.end()) return;
  link->SetSender(this);
  FLinks.push_back(link);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* link) {
  auto it = std::find(FLinks.begin(), FLinks.end(), link);
  if (it == FLinks.end()) return;
  FLinks.erase(it);
  link->SetSender(nullptr);
}

void TCustomImageList::Change() {
  std::vector<TChangeLink*> links = FLinks;
  for (TChangeLink* link : links) link->Change();
  OnChange(this);
}

}  // namespace fw
