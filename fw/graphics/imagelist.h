// Image lists over the system's ImageList_* API: masked bitmaps and icons,
// drawn enabled or disabled (embossed), with change links that tell users
// of the list when it changes. A list can also wrap a shared handle, such
// as the shell's system image lists, without owning it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "fw/core/component.h"
#include "fw/graphics/graphics.h"

namespace fw {

class TCustomImageList;
class TIcon;

// Registered with an image list; its OnChange fires when the list changes.
class TChangeLink : public TObject {
  FW_CLASS(TChangeLink, TObject)
  TChangeLink() = default;
  ~TChangeLink() override;
  TCustomImageList* Sender() const { return FSender; }
  void SetSender(TCustomImageList* v) { FSender = v; }
  virtual void Change();
  TNotifyEvent OnChange;

 private:
  TCustomImageList* FSender = nullptr;
};

FW_ENUM(TImageType, itImage, itMask)

class TCustomImageList : public TComponent {
  FW_CLASS(TCustomImageList, TComponent)
  explicit TCustomImageList(TComponent* AOwner);
  ~TCustomImageList() override;

  int Width() const { return FWidth; }
  void SetWidth(int v);
  int Height() const { return FHeight; }
  void SetHeight(int v);
  bool Masked() const { return FMasked; }
  void SetMasked(bool v);
  TColor BkColor() const { return FBkColor; }
  void SetBkColor(TColor v);
  // A shared list is not destroyed with this object.
  bool ShareImages() const { return FShareImages; }
  void SetShareImages(bool v) { FShareImages = v; }

  HIMAGELIST Handle();
  // Wraps an existing list; its size is taken from it.
  void SetHandle(HIMAGELIST list);
  bool HandleAllocated() const { return FHandle != nullptr; }
  int Count();

  // Each returns the index of the first image added (-1 on failure).
  int Add(TBitmap* image, TBitmap* mask);
  int AddMasked(TBitmap* image, TColor maskColor);
  int AddIcon(TIcon* icon);
  void Replace(int index, TBitmap* image, TBitmap* mask);
  void Delete(int index);
  void Clear();

  void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);
  void GetBitmap(int index, TBitmap* image);
  void GetIcon(int index, TIcon* icon);

  void RegisterChanges(TChangeLink* link);
  void UnRegisterChanges(TChangeLink* link);
  TNotifyEvent OnChange;

 protected:
  virtual void Change();

 private:
  void CreateList();
  void FreeList();
  void CheckIndex(int index);
  HIMAGELIST FHandle = nullptr;
  int FWidth = 16;
  int FHeight = 16;
  bool FMasked = true;
  TColor FBkColor = clNone;
  bool FShareImages = false;
  std::vector<TChangeLink*> FLinks;
};

class TImageList : public TCustomImageList {
  FW_CLASS(TImageList, TCustomImageList)
  explicit TImageList(TComponent* AOwner) : TCustomImageList(AOwner) {}
};

}  // namespace fw
