// A form holding one of each standard control, built from its description,
// shown, photographed into screenshots/stdctrls_showcase.png for a person
// to look at, and closed.
#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "fw/controls/forms.h"
#include "fw/core/form_loader.h"
#include "fw/core/rtti.h"
#include "fw/stdctrls/image.h"
#include "fw/stdctrls/listview.h"
#include "fw/stdctrls/register.h"
#include "fw/stdctrls/shapes.h"
#include "fw/stdctrls/treeview.h"
#include "fw/system/application.h"
#include "scenarios/screenshot_png.h"

namespace fw {

class TShowcaseForm : public TForm {
  FW_CLASS(TShowcaseForm, TForm)
  explicit TShowcaseForm(TComponent* AOwner) : TForm(AOwner) {}
  TListView* ListView = nullptr;
  TTreeView* Tree = nullptr;
  TPaintBox* PaintBox2 = nullptr;
  TImage* Image1 = nullptr;
  int paints = 0;
  bool closed = false;
  void PaintBox2Paint(TObject*) {
    ++paints;
    TCanvas* c = PaintBox2->Canvas();
    c->Brush()->SetColor(clWhite);
    c->FillRect(Rect(0, 0, PaintBox2->Width(), PaintBox2->Height()));
    c->Font()->SetSize(16);
    c->TextOut(4, 4, u"SAMPLE abcd");
  }
  void FormClose(TObject*, TCloseAction& Action) {
    closed = true;
    Action = caHide;
  }
};

FW_REGISTER(TShowcaseForm) {
  c.Field(u"ListView", &TShowcaseForm::ListView);
  c.Field(u"Tree", &TShowcaseForm::Tree);
  c.Field(u"PaintBox2", &TShowcaseForm::PaintBox2);
  c.Field(u"Image1", &TShowcaseForm::Image1);
  c.Method(u"PaintBox2Paint", &TShowcaseForm::PaintBox2Paint);
  c.Method(u"FormClose", &TShowcaseForm::FormClose);
}

}  // namespace fw

using namespace fw;

namespace {

const char16_t* kShowcase =
    u"object Showcase: TShowcaseForm\n"
    u"  Left = 20\n  Top = 20\n  Width = 820\n  Height = 600\n  Caption = 'Standard controls'\n"
    u"  Color = clBtnFace\n  OnClose = FormClose\n"
    u"  object StatusBar1: TStatusBar\n"
    u"    Panels = <\n"
    u"      item\n        Text = '200 x 100 x 24b'\n        Width = 100\n      end\n"
    u"      item\n        Text = '00:00:01.250'\n        Width = 150\n      end\n"
    u"      item\n        Text = 'Hint text'\n        Width = 300\n      end>\n"
    u"  end\n"
    u"  object Wizard: TPageControl\n    Left = 8\n    Top = 8\n    Width = 390\n    Height = 250\n"
    u"    ActivePage = General\n"
    u"    object General: TTabSheet\n      Caption = 'General'\n"
    u"      object cbminimize: TCheckBox\n        Left = 8\n        Top = 8\n        Width = 160\n"
    u"        Caption = 'Minimize to systray'\n        Checked = True\n      end\n"
    u"      object rbone: TRadioButton\n        Left = 8\n        Top = 32\n        Caption = 'Rectangle'\n"
    u"        Checked = True\n      end\n"
    u"      object rgresize: TRadioGroup\n        Left = 180\n        Top = 8\n        Width = 190\n"
    u"        Height = 100\n        Caption = 'Resize automatic'\n        ItemIndex = 0\n"
    u"        Items.Strings = (\n          '70 x 70 pixels'\n          '80 x 80 pixels'\n          '90 x 80 pixels')\n"
    u"      end\n"
    u"      object gbsample: TGroupBox\n        Left = 8\n        Top = 112\n        Width = 362\n"
    u"        Height = 100\n        Caption = 'Size: 70 x 70'\n"
    u"        object sepercentage: TSpinEdit\n          Left = 10\n          Top = 24\n          Width = 80\n"
    u"          MaxValue = 100\n          MinValue = 50\n          Value = 90\n        end\n"
    u"        object cbstyle: TComboBox\n          Left = 100\n          Top = 24\n          Style = csDropDownList\n"
    u"          ItemIndex = 1\n          Items.Strings = (\n            'Regular'\n            'Bold')\n"
    u"        end\n"
    u"        object tracksample: TTrackBar\n          Left = 10\n          Top = 52\n          Width = 200\n"
    u"          Max = 200\n          Min = 10\n          Position = 40\n        end\n"
    u"      end\n"
    u"    end\n"
    u"    object Capture: TTabSheet\n      Caption = 'Capture'\n    end\n"
    u"  end\n"
    u"  object ListView: TListView\n    Left = 408\n    Top = 8\n    Width = 396\n    Height = 150\n"
    u"    Columns = <\n"
    u"      item\n        Caption = 'Font name'\n        Width = 150\n      end\n"
    u"      item\n        Caption = 'Match (%)'\n        Width = 80\n      end\n"
    u"      item\n        AutoSize = True\n        Caption = 'File Path'\n      end>\n"
    u"    MultiSelect = True\n    ReadOnly = True\n    RowSelect = True\n    ViewStyle = vsReport\n"
    u"  end\n"
    u"  object Tree: TTreeView\n    Left = 408\n    Top = 166\n    Width = 130\n    Height = 92\n  end\n"
    u"  object fontbox: TListBox\n    Left = 546\n    Top = 166\n    Width = 120\n    Height = 92\n"
    u"    Items.Strings = (\n      'Arial'\n      'Courier New'\n      'Times New Roman')\n    MultiSelect = True\n"
    u"  end\n"
    u"  object Listbox: TCheckListBox\n    Left = 674\n    Top = 166\n    Width = 130\n    Height = 92\n"
    u"    Items.Strings = (\n      'C: (System)'\n      'D: (Data)')\n"
    u"  end\n"
    u"  object edsample: TEdit\n    Left = 8\n    Top = 270\n    Text = 'SAMPLE abcd'\n  end\n"
    u"  object Memo1: TMemo\n    Left = 8\n    Top = 300\n    Width = 180\n    Height = 70\n"
    u"    Lines.Strings = (\n      'First line'\n      'Second line')\n    ScrollBars = ssVertical\n  end\n"
    u"  object Label8: TLabel\n    Left = 140\n    Top = 274\n    Caption = 'Visit the &web page'\n"
    u"    Font.Color = 7022429\n  end\n"
    u"  object btnstartstop: TButton\n    Left = 200\n    Top = 300\n    Caption = '&Find'\n    Default = True\n"
    u"  end\n"
    u"  object col1: TSpeedButton\n    Left = 200\n    Top = 335\n    GroupIndex = 1\n    Down = True\n"
    u"    Caption = '1'\n  end\n"
    u"  object col2: TSpeedButton\n    Left = 224\n    Top = 335\n    GroupIndex = 1\n    Caption = '2'\n  end\n"
    u"  object Panel10: TPanel\n    Left = 290\n    Top = 300\n    Width = 60\n    Height = 60\n    Caption = 'X'\n"
    u"    BevelInner = bvLowered\n  end\n"
    u"  object Bevel1: TBevel\n    Left = 360\n    Top = 300\n    Width = 60\n    Height = 60\n  end\n"
    u"  object Shape1: TShape\n    Left = 430\n    Top = 300\n    Width = 60\n    Height = 60\n"
    u"    Brush.Style = bsDiagCross\n    Brush.Color = clGray\n    Shape = stRoundRect\n  end\n"
    u"  object Image1: TImage\n    Left = 500\n    Top = 300\n    Width = 60\n    Height = 60\n    Stretch = True\n"
    u"  end\n"
    u"  object PaintBox2: TPaintBox\n    Left = 570\n    Top = 270\n    Width = 234\n    Height = 90\n"
    u"    OnPaint = PaintBox2Paint\n  end\n"
    u"  object ScrollBox1: TScrollBox\n    Left = 8\n    Top = 380\n    Width = 200\n    Height = 150\n"
    u"    object imgpane: TPanel\n      Left = 0\n      Top = 0\n      Width = 300\n      Height = 240\n"
    u"      Caption = 'Edit pane'\n    end\n"
    u"  end\n"
    u"  object trrotate: TScrollBar\n    Left = 220\n    Top = 380\n    Width = 200\n    Max = 180\n    Min = -180\n"
    u"  end\n"
    u"  object progres: TProgressBar\n    Left = 220\n    Top = 410\n    Width = 200\n    Position = 60\n  end\n"
    u"end\n";

TEST(StdControlsShowcase, FormWithEveryControlIsShownPhotographedAndClosed) {
  RegisterStdControls();
  auto* form = NewForm<TShowcaseForm>(nullptr);
  ReadRootComponent(form, kShowcase, u"Showcase.form");
  form->SetPosition(poDesigned);

  const char16_t* fonts[][3] = {{u"Arial", u"97.250000", u"System font"},
                                {u"Times New Roman", u"91.000000", u"C:\\Windows\\Fonts\\times.ttf"},
                                {u"Courier New", u"64.500000", u"C:\\Windows\\Fonts\\cour.ttf"}};
  for (auto& f : fonts) {
    TListItem* item = form->ListView->Items()->Add();
    item->SetCaption(f[0]);
    item->SubItems()->Add(f[1]);
    item->SubItems()->Add(f[2]);
  }
  form->ListView->Items()->Item(1)->SetSelected(true);
  TTreeNode* root = form->Tree->Items()->Add(nullptr, u"Fonts");
  form->Tree->Items()->AddChild(root, u"TrueType");
  form->Tree->Items()->AddChild(root, u"OpenType");
  root->SetExpanded(true);
  {
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetPixelFormat(pf24bit);
    bmp->SetSize(8, 8);
    bmp->Canvas()->Brush()->SetColor(clNavy);
    bmp->Canvas()->FillRect(Rect(0, 0, 8, 8));
    bmp->Canvas()->Brush()->SetColor(clYellow);
    bmp->Canvas()->FillRect(Rect(2, 2, 6, 6));
    form->Image1->Picture()->SetGraphic(bmp.get());
  }

  form->Show();
  SetForegroundWindow(form->Handle());
  DWORD until = GetTickCount() + 500;
  while (static_cast<int>(until - GetTickCount()) > 0) {
    Application->ProcessMessages();
    Sleep(10);
  }
  for (int i = 0; i < form->ComponentCount(); ++i) {
    auto* w = dynamic_cast<TWinControl*>(form->Components(i));
    if (w && w->Visible() && w->Parent() == form) {
      EXPECT_TRUE(IsWindowVisible(w->Handle())) << StringToUtf8(w->Name());
    }
  }
  EXPECT_GE(form->paints, 1) << "the paint box painted through OnPaint";

  auto shot = scenarios::ScreenshotOf(form->Handle());
  ASSERT_GT(shot->Width(), 700);
  std::set<TColor> colours;
  for (int y = 0; y < shot->Height(); y += 3) {
    auto* row = static_cast<const uint8_t*>(shot->ScanLine(y));
    for (int x = 0; x < shot->Width(); x += 3) colours.insert(row[x * 3] | (row[x * 3 + 1] << 8) | (row[x * 3 + 2] << 16));
  }
  EXPECT_GT(colours.size(), 8u) << "the screenshot shows the controls, not an empty area";
  std::string path = scenarios::ScreenshotPath("stdctrls_showcase.png");
  ASSERT_TRUE(scenarios::SavePng(shot.get(), path)) << path;
  std::ifstream file(path, std::ios::binary);
  char signature[8] = {};
  file.read(signature, 8);
  EXPECT_EQ(std::string(signature + 1, 3), "PNG");

  form->Close();
  Application->ProcessMessages();
  EXPECT_TRUE(form->closed);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  form->Free();
}

}  // namespace
