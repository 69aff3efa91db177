// What the user does with the view: clicks on a thumbnail's picture, its
// title, its frame and the gaps, double clicks, the navigation keys in each
// scroll mode, scrolling (by the scroll bars and to a new selection), and
// the button look of a pressed thumbnail.
#include <gtest/gtest.h>

#include <algorithm>

#include "fw/core/sysutils.h"
#include "thumbview_test_util.h"

using namespace ck;
using cktest::CropFolder;
using cktest::ThumbForm;
using fw::String;

namespace {

void MouseDown(HWND wnd, int x, int y) { SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
void MouseUp(HWND wnd, int x, int y) { SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }
void MouseMove(HWND wnd, int x, int y) { SendMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y)); }
void Key(HWND wnd, WORD key) {
  SendMessageW(wnd, WM_KEYDOWN, key, 1);
  SendMessageW(wnd, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
}

// The crop list of the main window over a folder of five bitmaps and a
// damaged one, with its click and selection events logged by the form.
struct CropView {
  CropFolder crop;
  ThumbForm f;
  explicit CropView(const char* name) : crop(name) {
    f.view->SetDirectory(crop.Dir());
    f.view->OnClick = fw::TNotifyEvent(f.operator->(), &cktest::TThumbTestForm::thumbClick);
    f.view->OnChanging = fw::TNotifyEvent(f.operator->(), &cktest::TThumbTestForm::thumbChanging);
    f.view->OnChange = fw::TNotifyEvent(f.operator->(), &cktest::TThumbTestForm::thumbChange);
    f->log.clear();
  }
  TCkThumbnail* Thumb(int i) const { return f.Thumb(i); }
  std::vector<std::string>& Log() { return f->log; }
};

TEST(ThumbViewInput, ClicksOnPictureTitleFrameAndGapSelect) {
  CropView v("thumb_clicks");
  ASSERT_EQ(v.f.view->Count(), 6);
  ASSERT_EQ(v.f.view->Selected(), 0);

  // On the picture of the second thumbnail: the press travels from the
  // picture to the thumbnail to the view.
  TCkThumbnail* second = v.Thumb(1);
  fw::TRect pic = second->Photo()->BoundsRect();
  ASSERT_GT(pic.Width(), 0);
  MouseDown(second->Handle(), pic.Left + 2, pic.Top + 2);
  MouseUp(second->Handle(), pic.Left + 2, pic.Top + 2);
  EXPECT_EQ(v.f.view->Selected(), 1);
  EXPECT_EQ(v.Log(), (std::vector<std::string>{"thumb changing", "thumb change", "thumb click"}));

  // On the title band of the first: the band has no clicks of its own.
  v.Log().clear();
  HWND title = v.Thumb(0)->TitlePanel()->Handle();
  MouseDown(title, 5, 5);
  MouseUp(title, 5, 5);
  EXPECT_EQ(v.f.view->Selected(), 0);
  EXPECT_EQ(v.Log(), (std::vector<std::string>{"thumb changing", "thumb change"}));

  // In the gap above the first thumbnail: nothing is selected.
  v.Log().clear();
  HWND view = v.f.view->Handle();
  MouseDown(view, 60, 2);
  MouseUp(view, 60, 2);
  EXPECT_EQ(v.f.view->Selected(), -1);
  EXPECT_TRUE(v.f.view->SelectedFile().empty());
  EXPECT_EQ(v.Log(), (std::vector<std::string>{"thumb changing", "thumb change", "thumb click"}));
  // Right of the column, level with a thumbnail: also no selection.
  MouseDown(view, 110, 150);
  EXPECT_EQ(v.f.view->Selected(), -1);
  MouseUp(view, 110, 150);

  // On the frame of the third, below its picture.
  MouseDown(v.Thumb(2)->Handle(), 3, 50);
  MouseUp(v.Thumb(2)->Handle(), 3, 50);
  EXPECT_EQ(v.f.view->Selected(), 2);
}

TEST(ThumbViewInput, DoubleClickOnAPictureReachesTheOwner) {
  CropView v("thumb_dblclick");
  TCkThumbnail* second = v.Thumb(1);
  fw::TRect pic = second->Photo()->BoundsRect();
  for (int i = 0; i < 2; ++i) {
    MouseDown(second->Handle(), pic.Left + 3, pic.Top + 3);
    MouseUp(second->Handle(), pic.Left + 3, pic.Top + 3);
  }
  EXPECT_EQ(v.f.view->Selected(), 1);
  // Bound by name in the form description, it hears the view once.
  EXPECT_EQ(std::count(v.Log().begin(), v.Log().end(), "thumb dblclick"), 1);
  EXPECT_EQ(fw::StringToUtf8(v.f.view->SelectedFile()), fw::StringToUtf8(v.crop.Path(2)));
}

// A view of thumbnails without files laid out as asked.
struct KeyView {
  fwtest::TestForm form{700, 700};
  TCkThumbView* view;
  std::vector<int> seenAtKeyDown;
  KeyView(int w, int h, TScrollMode mode, int count) {
    view = new TCkThumbView(form.form);
    view->SetParent(form.form);
    view->SetBorderStyle(fw::bsNone);
    view->SetBounds(0, 0, w, h);
    view->SetScrollMode(mode);
    view->SetSize(50);
    for (int i = 0; i < count; ++i) view->AddThumb(u"t" + fw::IntToStr(i), true);
    view->OnKeyDown = fw::TKeyEvent(this, &KeyView::KeyDown);
    form->Show();
  }
  void KeyDown(fw::TObject*, WORD&, fw::TShiftState) { seenAtKeyDown.push_back(view->Selected()); }
};

struct KeyCase {
  const char* name;
  int w, h;
  TScrollMode mode;
  int start;
  WORD key;
  int expected;
};

TEST(ThumbViewInput, NavigationKeysMoveTheSelection) {
  const KeyCase cases[] = {
      {"column: down", 130, 400, smVertical, 0, VK_DOWN, 1},
      {"column: up at the top", 130, 400, smVertical, 0, VK_UP, 0},
      {"column: right is the next", 130, 400, smVertical, 0, VK_RIGHT, 1},
      {"column: left at the first", 130, 400, smVertical, 0, VK_LEFT, 0},
      {"column: end", 130, 400, smVertical, 2, VK_END, 5},
      {"column: home", 130, 400, smVertical, 3, VK_HOME, 0},
      {"column: down at the last", 130, 400, smVertical, 5, VK_DOWN, 5},
      {"column: right at the last", 130, 400, smVertical, 5, VK_RIGHT, 5},
      {"column: other keys", 130, 400, smVertical, 1, VK_SPACE, 1},
      {"rows of two: down", 300, 400, smVertical, 0, VK_DOWN, 2},
      {"rows of two: right wraps", 300, 400, smVertical, 1, VK_RIGHT, 2},
      {"rows of two: down from the last row", 300, 400, smVertical, 4, VK_DOWN, 4},
      {"rows of two: up", 300, 400, smVertical, 3, VK_UP, 1},
      {"columns of two: right", 400, 230, smHorizontal, 0, VK_RIGHT, 2},
      {"columns of two: down", 400, 230, smHorizontal, 0, VK_DOWN, 1},
      {"columns of two: left", 400, 230, smHorizontal, 2, VK_LEFT, 0},
      {"columns of two: up", 400, 230, smHorizontal, 1, VK_UP, 0},
      {"square grid: down", 400, 400, smBoth, 0, VK_DOWN, 3},
  };
  for (const KeyCase& c : cases) {
    KeyView k(c.w, c.h, c.mode, 6);
    k.view->SetSelected(c.start);
    Key(k.view->Handle(), c.key);
    EXPECT_EQ(k.view->Selected(), c.expected) << c.name;
    // The view's own key event comes first.
    EXPECT_EQ(k.seenAtKeyDown, std::vector<int>{c.start}) << c.name;
  }

  KeyView off(130, 400, smVertical, 6);
  off.view->SetAutoHandleKeyb(false);
  off.view->SetSelected(1);
  Key(off.view->Handle(), VK_DOWN);
  EXPECT_EQ(off.view->Selected(), 1);
  EXPECT_EQ(off.seenAtKeyDown.size(), 1u);
}

TEST(ThumbViewInput, KeysThatReachAThumbnailMoveTheViewsSelection) {
  CropView v("thumb_keyfwd");
  Key(v.Thumb(0)->TitlePanel()->Handle(), VK_DOWN);
  EXPECT_EQ(v.f.view->Selected(), 1);
  Key(v.Thumb(0)->Handle(), VK_END);
  EXPECT_EQ(v.f.view->Selected(), 5);
}

TEST(ThumbViewInput, SelectingOutOfSightScrollsAndReportsAClick) {
  CropView v("thumb_autoscroll");
  TCkThumbView* view = v.f.view;
  ASSERT_EQ(view->ClientHeight(), 300);
  EXPECT_EQ(view->VertScrollBar()->Range(), 524 + 100);

  // Thumbnail 5 lies at 524..624: the view scrolls as far as it can.
  view->SetSelected(5);
  EXPECT_EQ(view->Selected(), 5);
  EXPECT_EQ(view->VertScrollBar()->Position(), 624 - 300);
  EXPECT_EQ(v.Thumb(5)->Top(), 524 - 324);
  EXPECT_EQ(v.Log(), std::vector<std::string>{"thumb click"});
  // The highlight moved with the selection.
  EXPECT_EQ(v.Thumb(5)->TitleColor(), fw::clHighlight);
  EXPECT_EQ(v.Thumb(5)->TitlePanel()->Font()->Color(), fw::clHighlightText);
  EXPECT_EQ(v.Thumb(0)->TitleColor(), v.Thumb(0)->Color());

  v.Log().clear();
  Key(view->Handle(), VK_HOME);
  EXPECT_EQ(view->Selected(), 0);
  EXPECT_EQ(view->VertScrollBar()->Position(), 0);
  EXPECT_EQ(v.Thumb(0)->Top(), 4);
  // The view's key event, bound by the form description, comes first.
  EXPECT_EQ(v.Log(), (std::vector<std::string>{"thumb keydown 36", "thumb click"}));

  // Without AutoScrolling the selection stays out of sight.
  view->SetAutoScrolling(false);
  v.Log().clear();
  view->SetSelected(4);
  EXPECT_EQ(view->VertScrollBar()->Position(), 0);
  EXPECT_EQ(v.Log(), (std::vector<std::string>{"thumb changing", "thumb change"}));
}

TEST(ThumbViewInput, ScrollBarsMoveTheThumbnailsAndClicksFollow) {
  CropView v("thumb_scrollbar");
  HWND view = v.f.view->Handle();
  SendMessageW(view, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(v.f.view->VertScrollBar()->Position(), 8);
  EXPECT_EQ(v.Thumb(0)->Top(), 4 - 8);
  SendMessageW(view, WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(v.f.view->VertScrollBar()->Position(), 308);
  SendMessageW(view, WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(v.f.view->VertScrollBar()->Position(), 324);
  EXPECT_EQ(v.Thumb(4)->Top(), 420 - 324);

  // A press on the view at a client point counts the scrolled distance.
  MouseDown(view, 50, 150);
  MouseUp(view, 50, 150);
  EXPECT_EQ(v.f.view->Selected(), 4);
  SendMessageW(view, WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(v.Thumb(0)->Top(), 4);
}

TEST(ThumbViewInput, PressedThumbnailLooksLikeAButton) {
  CropView v("thumb_button");
  TCkThumbnail* t = v.Thumb(1);
  HWND h = t->Handle();
  ASSERT_TRUE(t->AsButton());
  EXPECT_EQ(t->BevelOuter(), fw::bvRaised);
  EXPECT_EQ(t->TitlePanel()->BevelOuter(), fw::bvLowered);
  MouseDown(h, 3, 96);
  EXPECT_EQ(t->BevelOuter(), fw::bvLowered);
  EXPECT_EQ(t->TitlePanel()->BevelOuter(), fw::bvRaised);
  MouseMove(h, 300, 30);
  EXPECT_EQ(t->BevelOuter(), fw::bvRaised);
  EXPECT_EQ(t->TitlePanel()->BevelOuter(), fw::bvLowered);
  MouseMove(h, 30, 30);
  EXPECT_EQ(t->BevelOuter(), fw::bvLowered);
  MouseUp(h, 30, 30);
  EXPECT_EQ(t->BevelOuter(), fw::bvRaised);
  EXPECT_EQ(t->TitlePanel()->BevelOuter(), fw::bvLowered);

  // Without the button look the bevels stay.
  v.f.view->SetAsButtons(false);
  MouseDown(h, 3, 96);
  EXPECT_EQ(t->BevelOuter(), fw::bvRaised);
  MouseUp(h, 3, 96);
}

}  // namespace
