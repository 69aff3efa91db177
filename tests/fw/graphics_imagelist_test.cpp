// Image lists: masked bitmaps and icons drawn enabled and disabled, change
// links, and wrapping the shell's shared system list.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include "fw/graphics/icon.h"
#include "fw/graphics/imagelist.h"

using namespace fw;

namespace {

struct TCounter : TObject {
  int Count = 0;
  void Notify(TObject*) { ++Count; }
};

std::unique_ptr<TBitmap> Square(TColor inner, TColor outer) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(pf24bit);
  b->SetSize(16, 16);
  b->Canvas()->Brush()->SetColor(outer);
  b->Canvas()->FillRect(Rect(0, 0, 16, 16));
  b->Canvas()->Brush()->SetColor(inner);
  b->Canvas()->FillRect(Rect(4, 4, 12, 12));
  return b;
}

std::unique_ptr<TBitmap> Target() {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(pf24bit);
  b->SetSize(20, 20);
  b->Canvas()->Brush()->SetColor(clBlue);
  b->Canvas()->FillRect(Rect(0, 0, 20, 20));
  return b;
}

}  // namespace

TEST(ImageList, MaskedImagesDrawOnlyTheirShapeEnabledOrEmbossed) {
  TImageList list(nullptr);
  auto img = Square(clRed, clWhite);
  EXPECT_EQ(list.AddMasked(img.get(), clWhite), 0);
  EXPECT_EQ(list.Count(), 1);

  auto dst = Target();
  list.Draw(dst->Canvas(), 0, 0, 0, true);
  EXPECT_EQ(dst->Canvas()->Pixel(8, 8), clRed);
  EXPECT_EQ(dst->Canvas()->Pixel(1, 1), clBlue);

  auto off = Target();
  list.Draw(off->Canvas(), 0, 0, 0, false);
  EXPECT_EQ(off->Canvas()->Pixel(8, 8), ColorToRGB(clBtnShadow));
  EXPECT_EQ(off->Canvas()->Pixel(12, 12), ColorToRGB(clBtnHighlight));  // the offset highlight
  EXPECT_EQ(off->Canvas()->Pixel(1, 1), clBlue);

  TBitmap back;
  back.SetPixelFormat(pf24bit);
  list.GetBitmap(0, &back);
  EXPECT_EQ(back.Canvas()->Pixel(8, 8), clRed);
  EXPECT_THROW(list.Delete(3), EInvalidOperation);
}

TEST(ImageList, ChangeLinksHearEveryChangeUntilTheyGo) {
  TImageList list(nullptr);
  TCounter heard;
  auto link = std::make_unique<TChangeLink>();
  link->OnChange = TNotifyEvent(&heard, &TCounter::Notify);
  list.RegisterChanges(link.get());
  auto img = Square(clRed, clWhite);
  list.Add(img.get(), nullptr);
  TIcon icon;
  icon.SetHandle(CopyIcon(LoadIconW(nullptr, MAKEINTRESOURCEW(32512))));
  EXPECT_EQ(list.AddIcon(&icon), 1);
  list.Delete(0);
  EXPECT_EQ(heard.Count, 3);
  EXPECT_EQ(link->Sender(), &list);
  link.reset();  // unregisters itself
  list.Clear();
  EXPECT_EQ(heard.Count, 3);
  EXPECT_EQ(list.Count(), 0);
}

TEST(ImageList, WrapsTheSharedSystemListWithoutDestroyingIt) {
  SHFILEINFOW info{};
  auto sys = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoW(L"C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  ASSERT_NE(sys, nullptr);
  {
    TImageList list(nullptr);
    list.SetShareImages(true);
    list.SetHandle(sys);
    EXPECT_GT(list.Count(), 0);
    EXPECT_GT(list.Width(), 0);
  }
  EXPECT_GT(ImageList_GetImageCount(sys), 0);  // still alive
}
