// The skin command message: its code and flag, and the routines that send it
// to windows and controls.
#include <gtest/gtest.h>

#include <windows.h>

#include "fw/controls_test_util.h"
#include "skin/engine/skin_messages.h"

namespace skin {
namespace {

// Answers the skin command as a skinned control would: 1 to code 7, a
// pointer-sized value to codes 4 and 37, the flag echoed for code 8.
template <class Base>
class TAnswering : public Base {
 public:
  explicit TAnswering(fw::TComponent* owner) : Base(owner) {}
  int received = 0;

 protected:
  void WndProc(fw::TMessage& m) override {
    if (m.Msg == WM_SKINCOMMAND) {
      ++received;
      switch (SkinCommandCode(m.WParam)) {
        case SKC_ISHANDLED: m.Result = 1; return;
        case SKC_GETPROVIDER:
        case SKC_GETSKINDATA: m.Result = static_cast<LRESULT>(0x123456789ABCull); return;
        case SKC_SETUPDATING: m.Result = SkinCommandFlag(m.WParam) + 100; return;
      }
    }
    Base::WndProc(m);
  }
};

using TAnsweringGraphic = TAnswering<fw::TGraphicControl>;
using TAnsweringWindow = TAnswering<fw::TCustomControl>;

TEST(SkinCommand, CodeAndFlagTravelInTheHighAndLowWords) {
  struct Case {
    WORD code, flag;
  } cases[] = {{SKC_NEWSKIN, 0}, {SKC_SETUPDATING, 1}, {SKC_BGCHANGED, 1}, {SKC_MOVED, 0xFFFF}, {SKC_LOADPREVIEW, 0}};
  for (const Case& c : cases) {
    WPARAM w = SkinCommand(c.code, c.flag);
    EXPECT_EQ(SkinCommandCode(w), c.code);
    EXPECT_EQ(SkinCommandFlag(w), c.flag);
  }
  EXPECT_EQ(SkinCommand(SKC_LOADPREVIEW), WPARAM(71) << 16);
}

TEST(SkinCommand, PlainWindowsAnswerNothing) {
  HWND plain = CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(plain);
  for (WORD code = 1; code <= 71; ++code) EXPECT_EQ(SendSkinCommand(plain, code, 0), 0) << code;
  EXPECT_FALSE(SkinCommandIsOne(plain, SKC_ISHANDLED));
  DestroyWindow(plain);
}

TEST(SkinCommand, ControlsAreReachedByDispatchOrTheirWindow) {
  fwtest::TestForm form;
  auto* graphic = new TAnsweringGraphic(form.form);
  graphic->SetParent(form.form);
  auto* window = new TAnsweringWindow(form.form);
  window->SetParent(form.form);

  // A windowed control without its window yet gets nothing and gets no window.
  EXPECT_EQ(QuerySkinCommand(window, SKC_ISHANDLED), 0);
  EXPECT_FALSE(window->HandleAllocated());
  EXPECT_EQ(window->received, 0);

  EXPECT_EQ(QuerySkinCommand(graphic, SKC_ISHANDLED), 1);
  EXPECT_EQ(SendSkinCommandToControl(graphic, SKC_SETUPDATING, 0), 100);
  EXPECT_EQ(QuerySkinCommand(nullptr, SKC_ISHANDLED), 0);

  window->Handle();
  EXPECT_TRUE(SkinCommandIsOne(window->WindowHandle(), SKC_ISHANDLED));
  // Pointers above 4 GB come back whole.
  EXPECT_EQ(QuerySkinCommand(window, SKC_GETPROVIDER), static_cast<LRESULT>(0x123456789ABCull));
  EXPECT_EQ(SendSkinCommand(window->WindowHandle(), SKC_GETSKINDATA, 0), static_cast<LRESULT>(0x123456789ABCull));
  EXPECT_EQ(QuerySkinCommand(window, SKC_REFRESH), 0);
}

}  // namespace
}  // namespace skin
