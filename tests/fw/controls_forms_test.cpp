// Forms built from their description: nested panels, alignment and anchors
// on resize, the order of the form's events, and freeing on close.
#include <gtest/gtest.h>

#include "controls_test_util.h"
#include "fw/controls/button.h"
#include "fw/core/rtti.h"
#include "fw/system/screen.h"

using namespace fw;
using fwtest::Log;
using fwtest::TTestPanel;

namespace {

class TLayoutForm : public TForm {
  FW_CLASS(TLayoutForm, TForm)
  explicit TLayoutForm(TComponent* AOwner) : TForm(AOwner) {}
  TTestPanel* Header = nullptr;
  TTestPanel* Side = nullptr;
  TTestPanel* Body = nullptr;
  TTestPanel* Corner = nullptr;
  TButton* OkButton = nullptr;
  Log log;
  TCloseAction closeAction = caHide;
  void FormCreate(TObject*) { log.push_back("create"); }
  void FormShow(TObject*) { log.push_back("show"); }
  void FormActivate(TObject*) { log.push_back("activate"); }
  void FormHide(TObject*) { log.push_back("hide"); }
  void FormClose(TObject*, TCloseAction& Action) {
    log.push_back("close");
    Action = closeAction;
  }
  void FormDestroy(TObject*) { log.push_back("destroy"); }
};

FW_REGISTER(TLayoutForm) {
  c.Field(u"Header", &TLayoutForm::Header);
  c.Field(u"Side", &TLayoutForm::Side);
  c.Field(u"Body", &TLayoutForm::Body);
  c.Field(u"Corner", &TLayoutForm::Corner);
  c.Field(u"OkButton", &TLayoutForm::OkButton);
  c.Method(u"FormCreate", &TLayoutForm::FormCreate);
  c.Method(u"FormShow", &TLayoutForm::FormShow);
  c.Method(u"FormActivate", &TLayoutForm::FormActivate);
  c.Method(u"FormHide", &TLayoutForm::FormHide);
  c.Method(u"FormClose", &TLayoutForm::FormClose);
  c.Method(u"FormDestroy", &TLayoutForm::FormDestroy);
}

const char16_t kLayout[] = uR"(object LayoutForm: TLayoutForm
  Left = 60
  Top = 60
  BorderStyle = bsNone
  Caption = 'Layout'
  ClientHeight = 200
  ClientWidth = 300
  Color = clWhite
  Position = poDesigned
  OnActivate = FormActivate
  OnClose = FormClose
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  OnHide = FormHide
  OnShow = FormShow
  object Header: TTestPanel
    Height = 30
    Align = alTop
    Color = clRed
  end
  object Side: TTestPanel
    Width = 40
    Align = alLeft
    Color = clLime
  end
  object Body: TTestPanel
    Align = alClient
    Color = clBlue
    object Corner: TTestPanel
      Left = 200
      Top = 140
      Width = 50
      Height = 20
      Anchors = [akRight, akBottom]
      Color = clYellow
    end
    object OkButton: TButton
      Left = 8
      Top = 8
      Caption = 'OK'
      Default = True
      ModalResult = 1
      TabOrder = 0
    end
  end
end
)";

// Tells when watched components go.
class TWatcher : public TComponent {
 public:
  TWatcher() : TComponent(nullptr) {}
  std::vector<TComponent*> gone;
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    if (op == opRemove) gone.push_back(c);
  }
};

struct Forms : ::testing::Test {
  static void SetUpTestSuite() { RegisterFormDescription(u"TLayoutForm", kLayout); }
};

TEST_F(Forms, DescriptionBuildsNestedPanelsAlignedInTheirParents) {
  TLayoutForm* f = NewForm<TLayoutForm>(nullptr);
  ASSERT_NE(f->Body, nullptr);
  EXPECT_EQ(f->Name(), u"LayoutForm");
  EXPECT_EQ(f->log, (Log{"create"}));
  EXPECT_EQ(f->Corner->Parent(), f->Body);
  EXPECT_EQ(f->OkButton->Parent(), f->Body);
  EXPECT_EQ(f->Header->BoundsRect(), Bounds(0, 0, 300, 30));
  EXPECT_EQ(f->Side->BoundsRect(), Bounds(0, 30, 40, 170));
  EXPECT_EQ(f->Body->BoundsRect(), Bounds(40, 30, 260, 170));

  f->Show();
  fwtest::Pump();
  EXPECT_TRUE(IsWindowVisible(f->Body->WindowHandle()));
  EXPECT_EQ(f->ClientWidth(), 300);
  // A wider and taller form: the client panel grows and the anchored corner
  // panel keeps its distances to the right and bottom edges.
  f->SetClientWidth(400);
  f->SetClientHeight(260);
  EXPECT_EQ(f->Body->BoundsRect(), Bounds(40, 30, 360, 230));
  EXPECT_EQ(f->Corner->BoundsRect(), Bounds(300, 200, 50, 20));
  EXPECT_EQ(f->Side->Height(), 230);
  f->Free();
}

struct AlignCase {
  const char* name;
  TAlign align;
  TAnchors anchors;
  TRect after;  // the child's bounds once the parent went from 200x100 to 300x150
};

class AlignOnResize : public ::testing::TestWithParam<AlignCase> {};

TEST_P(AlignOnResize, ChildFollowsItsParentAsItsAlignAndAnchorsSay) {
  const AlignCase& tc = GetParam();
  fwtest::TestForm form(500, 400);
  auto* parent = new TTestPanel(form.form);
  parent->SetParent(form.form);
  parent->SetBounds(0, 0, 200, 100);
  auto* child = new TTestPanel(form.form);
  child->SetBounds(10, 10, 50, 20);
  child->SetParent(parent);
  child->SetAnchors(tc.anchors);
  child->SetAlign(tc.align);
  form->Show();
  parent->SetBounds(0, 0, 300, 150);
  EXPECT_EQ(child->BoundsRect(), tc.after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AlignOnResize,
    ::testing::Values(AlignCase{"LeftTop", alNone, {akLeft, akTop}, Bounds(10, 10, 50, 20)},
                      AlignCase{"LeftTopRight", alNone, {akLeft, akTop, akRight}, Bounds(10, 10, 150, 20)},
                      AlignCase{"RightBottom", alNone, {akRight, akBottom}, Bounds(110, 60, 50, 20)},
                      AlignCase{"AllFour", alNone, {akLeft, akTop, akRight, akBottom}, Bounds(10, 10, 150, 70)},
                      AlignCase{"NoneKeepsCentre", alNone, {}, Bounds(28, 20, 50, 20)},
                      AlignCase{"Top", alTop, {akLeft, akTop}, Bounds(0, 0, 300, 20)},
                      AlignCase{"Bottom", alBottom, {akLeft, akTop}, Bounds(0, 130, 300, 20)},
                      AlignCase{"Left", alLeft, {akLeft, akTop}, Bounds(0, 0, 50, 150)},
                      AlignCase{"Right", alRight, {akLeft, akTop}, Bounds(250, 0, 50, 150)},
                      AlignCase{"Client", alClient, {akLeft, akTop}, Bounds(0, 0, 300, 150)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Align, EdgesAreTakenInOrderAndConstraintsLimitWhatAControlTakes) {
  fwtest::TestForm form(400, 300);
  auto* parent = new TTestPanel(form.form);
  parent->SetParent(form.form);
  parent->SetBounds(0, 0, 200, 100);
  parent->DisableAlign();
  auto* client = new TTestPanel(form.form);
  client->SetParent(parent);
  client->SetAlign(alClient);
  auto* top = new TTestPanel(form.form);
  top->SetParent(parent);
  top->SetHeight(10);
  top->SetAlign(alTop);
  auto* left = new TTestPanel(form.form);
  left->SetParent(parent);
  left->SetWidth(30);
  left->Constraints()->SetMaxWidth(20);
  left->SetAlign(alLeft);
  auto* bottom = new TTestPanel(form.form);
  bottom->SetParent(parent);
  bottom->SetHeight(15);
  bottom->SetAlign(alBottom);
  // Nothing moves while alignment is disabled.
  EXPECT_EQ(client->BoundsRect(), Bounds(0, 0, 100, 50));
  parent->EnableAlign();
  EXPECT_EQ(top->BoundsRect(), Bounds(0, 0, 200, 10));
  EXPECT_EQ(bottom->BoundsRect(), Bounds(0, 85, 200, 15));
  EXPECT_EQ(left->BoundsRect(), Bounds(0, 10, 20, 75));
  EXPECT_EQ(client->BoundsRect(), Bounds(20, 10, 180, 75));
  // A hidden control gives its edge back.
  top->SetVisible(false);
  EXPECT_EQ(client->BoundsRect(), Bounds(20, 0, 180, 85));
}

TEST_F(Forms, CloseWithFreeActionReleasesTheFormAndEverythingOnIt) {
  TLayoutForm* f = NewForm<TLayoutForm>(nullptr);
  f->closeAction = caFree;
  TWatcher watcher;
  f->FreeNotification(&watcher);
  f->Corner->FreeNotification(&watcher);
  f->OkButton->FreeNotification(&watcher);
  f->Show();
  fwtest::Pump();
  HWND formWnd = f->WindowHandle();
  HWND buttonWnd = f->OkButton->WindowHandle();
  TComponent* corner = f->Corner;
  TComponent* button = f->OkButton;
  ASSERT_TRUE(IsWindow(buttonWnd));
  int forms = Screen->CustomFormCount();
  f->Close();
  // Freed from the message loop, not inside Close.
  EXPECT_TRUE(watcher.gone.empty());
  ASSERT_TRUE(fwtest::PumpUntil([&] { return watcher.gone.size() == 3; }));
  EXPECT_NE(std::find(watcher.gone.begin(), watcher.gone.end(), corner), watcher.gone.end());
  EXPECT_NE(std::find(watcher.gone.begin(), watcher.gone.end(), button), watcher.gone.end());
  EXPECT_FALSE(IsWindow(formWnd));
  EXPECT_FALSE(IsWindow(buttonWnd));
  EXPECT_EQ(FindControl(formWnd), nullptr);
  EXPECT_EQ(Screen->CustomFormCount(), forms - 1);
}

TEST_F(Forms, EventsComeInOrderFromCreationToDestruction) {
  TLayoutForm* f = NewForm<TLayoutForm>(nullptr);
  Log* log = &f->log;
  Log copy;
  f->Show();
  fwtest::PumpUntil([&] { return f->Active(); }, 1000);
  f->Close();
  copy = *log;
  f->Free();
  ASSERT_GE(copy.size(), 4u);
  EXPECT_EQ(copy[0], "create");
  EXPECT_EQ(copy[1], "show");
  // Activation depends on the window manager; closing always ends with
  // OnClose and then OnHide.
  EXPECT_EQ(copy[copy.size() - 2], "close");
  EXPECT_EQ(copy.back(), "hide");
}

TEST_F(Forms, CloseQueryCanKeepTheFormOpen) {
  struct Refuser {
    void Query(TObject*, bool& can) { can = false; }
  } refuser;
  fwtest::TestForm form;
  form->OnCloseQuery = TCloseQueryEvent(&refuser, &Refuser::Query);
  form->Show();
  form->Close();
  EXPECT_TRUE(form->Visible());
  form->OnCloseQuery = TCloseQueryEvent();
  form->Close();
  EXPECT_FALSE(form->Visible());
}

TEST(Forms2, BorderStylesGiveTheirWindowStyles) {
  struct Case {
    TFormBorderStyle style;
    DWORD has, hasNot, exHas;
  } cases[] = {
      {bsNone, WS_POPUP, WS_CAPTION | WS_THICKFRAME, 0},
      {bsSingle, WS_CAPTION, WS_THICKFRAME, 0},
      {bsSizeable, WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZEBOX, 0, 0},
      {bsDialog, WS_CAPTION, WS_THICKFRAME | WS_MAXIMIZEBOX, WS_EX_DLGMODALFRAME},
      {bsToolWindow, WS_CAPTION, WS_THICKFRAME, WS_EX_TOOLWINDOW},
      {bsSizeToolWin, WS_CAPTION | WS_THICKFRAME, 0, WS_EX_TOOLWINDOW},
  };
  for (const Case& c : cases) {
    fwtest::TestForm form;
    form->SetBorderStyle(c.style);
    form->SetFormStyle(fsStayOnTop);
    HWND h = form->Handle();
    DWORD style = GetWindowLongW(h, GWL_STYLE), ex = GetWindowLongW(h, GWL_EXSTYLE);
    EXPECT_EQ(style & c.has, c.has) << c.style;
    EXPECT_EQ(style & c.hasNot, 0u) << c.style;
    EXPECT_EQ(ex & c.exHas, c.exHas) << c.style;
    EXPECT_TRUE(ex & WS_EX_TOPMOST) << c.style;
    // The client size survives a change of frame.
    form->SetClientWidth(150);
    EXPECT_EQ(form->ClientWidth(), 150);
  }
}

}  // namespace
