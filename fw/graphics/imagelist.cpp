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
  if (sender_) sender_->UnRegisterChanges(this);
}

void TChangeLink::Change() {
  if (sender_) OnChange(sender_);
}

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::~TCustomImageList() {
  for (TChangeLink* link : links_) link->SetSender(nullptr);
  links_.clear();
  FreeList();
}

namespace {
COLORREF ListColor(TColor c) { return c == clNone ? CLR_NONE : c == clDefault ? CLR_DEFAULT : ColorToRGB(c); }
}  // namespace

void TCustomImageList::CreateList() {
  if (handle_) return;
  handle_ = ImageList_Create(width_, height_, ILC_COLOR32 | (masked_ ? ILC_MASK : 0), 4, 4);
  if (!handle_) throw EOutOfResources(u"Failed to create image list");
  ImageList_SetBkColor(handle_, ListColor(bkColor_));
}

void TCustomImageList::FreeList() {
  if (handle_ && !shareImages_) ImageList_Destroy(handle_);
  handle_ = nullptr;
}

HIMAGELIST TCustomImageList::Handle() {
  CreateList();
  return handle_;
}

void TCustomImageList::SetHandle(HIMAGELIST list) {
  FreeList();
  handle_ = list;
  if (list) {
    int w = 0, h = 0;
    ImageList_GetIconSize(list, &w, &h);
    width_ = w;
    height_ = h;
    bkColor_ = ImageList_GetBkColor(list) == CLR_NONE ? clNone : static_cast<TColor>(ImageList_GetBkColor(list));
  }
  Change();
}

// A new size or kind starts a new, empty list.
void TCustomImageList::SetWidth(int v) {
  if (v == width_) return;
  width_ = v;
  FreeList();
  Change();
}

void TCustomImageList::SetHeight(int v) {
  if (v == height_) return;
  height_ = v;
  FreeList();
  Change();
}

void TCustomImageList::SetMasked(bool v) {
  if (v == masked_) return;
  masked_ = v;
  FreeList();
  Change();
}

void TCustomImageList::SetBkColor(TColor v) {
  bkColor_ = v;
  if (handle_) ImageList_SetBkColor(handle_, ListColor(v));
  Change();
}

int TCustomImageList::Count() { return handle_ ? ImageList_GetImageCount(handle_) : 0; }

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
  int r = ImageList_Add(handle_, img.Handle(), mask ? msk.Handle() : nullptr);
  Change();
  return r;
}

int TCustomImageList::AddMasked(TBitmap* image, TColor maskColor) {
  if (!image || image->Empty()) return -1;
  CreateList();
  TBitmap img;
  img.Assign(image);
  img.SetPixelFormat(pfDevice);
  int r = ImageList_AddMasked(handle_, img.Handle(), ColorToRGB(maskColor));
  Change();
  return r;
}

int TCustomImageList::AddIcon(TIcon* icon) {
  if (!icon || icon->Empty()) return -1;
  CreateList();
  int r = ImageList_AddIcon(handle_, icon->Handle());
  Change();
  return r;
}

void TCustomImageList::Replace(int index, TBitmap* image, TBitmap* mask) {
  CheckIndex(index);
  TBitmap img;
  img.Assign(image);
  TBitmap msk;
  if (mask) msk.Assign(mask);
  ImageList_Replace(handle_, index, img.Handle(), mask ? msk.Handle() : nullptr);
  Change();
}

void TCustomImageList::Delete(int index) {
  CheckIndex(index);
  ImageList_Remove(handle_, index);
  Change();
}

void TCustomImageList::Clear() {
  if (handle_) ImageList_Remove(handle_, -1);
  Change();
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) {
  if (!handle_ || index < 0 || index >= Count()) return;
  HDC dc = canvas->Handle();
  if (enabled) {
    ImageList_DrawEx(handle_, index, dc, x, y, 0, 0, CLR_NONE, CLR_DEFAULT, masked_ ? ILD_TRANSPARENT : ILD_NORMAL);
    return;
  }
  // Disabled: the image's shape embossed, highlight offset by one pixel
  // under the shadow.
  TMemoryDC maskDC(dc);
  TBitmapHandle mask(CreateBitmap(width_, height_, 1, 1, nullptr));
  TSelectObject sel(maskDC.Get(), mask.Get());
  RECT r{0, 0, width_, height_};
  FillRect(maskDC.Get(), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ImageList_DrawEx(handle_, index, maskDC.Get(), 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_MASK);
  // Non-mask images: every pixel that is not the background counts.
  if (!masked_) {
    TMemoryDC colorDC(dc);
    TBitmapHandle color(CreateCompatibleBitmap(dc, width_, height_));
    TSelectObject selColor(colorDC.Get(), color.Get());
    ImageList_DrawEx(handle_, index, colorDC.Get(), 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_NORMAL);
    ::SetBkColor(colorDC.Get(), RGB(255, 255, 255));
    BitBlt(maskDC.Get(), 0, 0, width_, height_, colorDC.Get(), 0, 0, SRCCOPY);
  }
  COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  COLORREF oldBk = ::SetBkColor(dc, RGB(255, 255, 255));
  for (int pass = 0; pass < 2; ++pass) {
    TBrushHandle brush(CreateSolidBrush(GetSysColor(pass == 0 ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW)));
    TSelectObject selBrush(dc, brush.Get());
    int off = pass == 0 ? 1 : 0;
    // Brush where the mask is black (the shape), destination elsewhere.
    BitBlt(dc, x + off, y + off, width_, height_, maskDC.Get(), 0, 0, 0x00B8074A);
  }
  SetTextColor(dc, oldText);
  ::SetBkColor(dc, oldBk);
}

void TCustomImageList::GetBitmap(int index, TBitmap* image) {
  CheckIndex(index);
  image->SetSize(width_, height_);
  TCanvas* c = image->Canvas();
  c->Brush()->SetColor(clWhite);
  c->FillRect(Rect(0, 0, width_, height_));
  ImageList_DrawEx(handle_, index, c->Handle(), 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_NORMAL);
}

void TCustomImageList::GetIcon(int index, TIcon* icon) {
  CheckIndex(index);
  icon->SetHandle(ImageList_GetIcon(handle_, index, ILD_NORMAL));
}

void TCustomImageList::RegisterChanges(TChangeLink* link) {
  if (!link || std::find(links_.begin(), links_.end(), link) != links_.end()) return;
  link->SetSender(this);
  links_.push_back(link);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* link) {
  auto it = std::find(links_.begin(), links_.end(), link);
  if (it == links_.end()) return;
  links_.erase(it);
  link->SetSender(nullptr);
}

void TCustomImageList::Change() {
  std::vector<TChangeLink*> links = links_;
  for (TChangeLink* link : links) link->Change();
  OnChange(this);
}

}  // namespace fw
