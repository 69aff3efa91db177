// A wizard built from a form description: pages in description order, the
// first selectable page active whatever the description says, nested page
// objects and button faces set by path, events bound by handler name.
#include <gtest/gtest.h>

#include "fw/core/form_loader.h"
#include "fw/core/rtti.h"
#include "wizard_test_util.h"

using namespace ck;
using namespace fw;

namespace {

class TWizardTestForm : public TForm {
  FW_CLASS(TWizardTestForm, TForm)
  explicit TWizardTestForm(TComponent* owner) : TForm(owner) {}
  TCkWizard* Wizard = nullptr;
  TCkWizardInteriorPage* MainPanel = nullptr;
  TCkWizardInteriorPage* ImageLoad = nullptr;
  TCkWizardInteriorPage* Run = nullptr;
  TCkWizardInteriorPage* Multipreview = nullptr;
  std::vector<std::string> log;
  void WizardCancelButtonClick(TObject* Sender) { log.push_back(Sender == Wizard->ButtonControl(bkCancel) ? "cancel" : "?"); }
  void ImageLoadEnterPage(TObject*, TCkWizardCustomPage* const& from) {
    log.push_back("enter from " + StringToUtf8(from ? from->Name() : u"nil"));
  }
  void ImageLoadNextButtonClick(TObject*, bool& Stop) { Stop = true; }
};

FW_REGISTER(TWizardTestForm) {
  c.Field(u"Wizard", &TWizardTestForm::Wizard);
  c.Field(u"MainPanel", &TWizardTestForm::MainPanel);
  c.Field(u"ImageLoad", &TWizardTestForm::ImageLoad);
  c.Field(u"Run", &TWizardTestForm::Run);
  c.Field(u"Multipreview", &TWizardTestForm::Multipreview);
  c.Method(u"WizardCancelButtonClick", &TWizardTestForm::WizardCancelButtonClick);
  c.Method(u"ImageLoadEnterPage", &TWizardTestForm::ImageLoadEnterPage);
  c.Method(u"ImageLoadNextButtonClick", &TWizardTestForm::ImageLoadNextButtonClick);
}

const char16_t* kDescription =
    u"object WizardTestForm: TWizardTestForm\n"
    u"  Left = 0\n"
    u"  Top = 0\n"
    u"  Width = 700\n"
    u"  Height = 500\n"
    u"  object Wizard: TCkWizard\n"
    u"    Left = 0\n"
    u"    Top = 0\n"
    u"    Width = 700\n"
    u"    Height = 500\n"
    u"    ActivePage = Run\n"
    u"    ButtonNext.Caption = '&Weiter >'\n"
    u"    ButtonCancel.Width = 90\n"
    u"    ShowDivider = False\n"
    u"    OnCancelButtonClick = WizardCancelButtonClick\n"
    u"    object MainPanel: TCkWizardInteriorPage\n"
    u"      Header.Height = 0\n"
    u"      Header.ShowDivider = False\n"
    u"      Header.Title.Text = ''\n"
    u"      Header.Subtitle.Text = 'Start here'\n"
    u"      VisibleButtons = [bkNext]\n"
    u"      Color = clWhite\n"
    u"      Caption = 'MainPanel'\n"
    u"    end\n"
    u"    object ImageLoad: TCkWizardInteriorPage\n"
    u"      Header.Visible = False\n"
    u"      Panel.Visible = True\n"
    u"      Panel.BorderWidth = 3\n"
    u"      EnabledButtons = [bkBack, bkNext, bkCancel]\n"
    u"      VisibleButtons = [bkBack, bkNext]\n"
    u"      OnEnterPage = ImageLoadEnterPage\n"
    u"      OnNextButtonClick = ImageLoadNextButtonClick\n"
    u"    end\n"
    u"    object Run: TCkWizardInteriorPage\n"
    u"      EnableJumpToPage = False\n"
    u"      VisibleButtons = [bkBack]\n"
    u"    end\n"
    u"    object Multipreview: TCkWizardInteriorPage\n"
    u"      VisibleButtons = [bkBack, bkFinish]\n"
    u"    end\n"
    u"  end\n"
    u"end\n";

TEST(WizardForm, AWizardLoadsWithItsPagesInOrderAndStartsOnTheFirst) {
  RegisterClasses<TCkWizard, TCkWizardInteriorPage>();
  auto* form = new TWizardTestForm(nullptr);
  ReadRootComponent(form, kDescription, u"WizardTestForm.form");
  TCkWizard* w = form->Wizard;
  ASSERT_NE(w, nullptr);
  ASSERT_EQ(w->PageCount(), 4);
  EXPECT_EQ(w->WizardPages(0), form->MainPanel);
  EXPECT_EQ(w->WizardPages(3), form->Multipreview);
  EXPECT_EQ(form->Multipreview->Wizard(), w);
  EXPECT_EQ(form->Run->Parent(), w);
  // The stored ActivePage is ignored while loading: the first page wins.
  EXPECT_EQ(w->ActivePage(), form->MainPanel);

  EXPECT_EQ(form->MainPanel->Header()->Height(), 0);
  EXPECT_EQ(form->MainPanel->Title()->Text(), u"");
  EXPECT_EQ(form->MainPanel->Subtitle()->Text(), u"Start here");
  EXPECT_EQ(form->MainPanel->Color(), clWhite);
  EXPECT_FALSE(form->ImageLoad->Header()->Visible());
  EXPECT_TRUE(form->ImageLoad->Panel()->Visible());
  EXPECT_EQ(form->ImageLoad->Panel()->BorderWidth(), 3);
  EXPECT_FALSE(form->Run->EnableJumpToPage());
  EXPECT_EQ(form->Multipreview->VisibleButtons(), (TCkWizardButtonSet{bkBack, bkFinish}));
  EXPECT_EQ(w->ButtonControl(bkNext)->Caption(), u"&Weiter >");
  EXPECT_EQ(w->ButtonControl(bkCancel)->Width(), 90);
  EXPECT_FALSE(w->ShowDivider());

  form->Show();
  w->SelectNextPage();
  EXPECT_EQ(w->ActivePage(), form->ImageLoad);
  EXPECT_EQ(form->log, (std::vector<std::string>{"enter from MainPanel"}));
  // The page's Next handler stops the move.
  SendMessageW(w->ButtonControl(bkNext)->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(w->ActivePage(), form->ImageLoad);
  // Run refuses jumps: Next from ImageLoad would go to Multipreview.
  EXPECT_EQ(w->FindNextJumpPage(1, +1, true), form->Multipreview);
  w->SetActivePageIndex(2);
  EXPECT_EQ(w->ActivePage(), form->Run);
  form->log.clear();
  w->ButtonControl(bkCancel)->SetVisible(true);
  SendMessageW(w->ButtonControl(bkCancel)->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(form->log, (std::vector<std::string>{"cancel"}));
  EXPECT_EQ(form->ModalResult(), mrCancel);
  form->Free();
}

}  // namespace
