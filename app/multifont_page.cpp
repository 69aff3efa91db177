// The multi-font page: a list of fonts, each entry drawn as a caption line
// (kind icon, name, score) and a line of sample text in that font, in one or
// several columns; a slider for the sample size; a floating picture whose
// colours become the samples' text and background colours. Font files are
// put into the font table for this process alone and stay there only while
// the list holds them.
#include "app/custom_text_form.h"
#include "app/multifont_page.h"

#include <windows.h>

#include <algorithm>

#include "app/core/preview_geometry.h"
#include "app/core/result_model.h"
#include "app/font_folders.h"
#include "app/image_form.h"
#include "app/image_page.h"
#include "app/image_routines.h"
#include "controls/base/ckpanel.h"
#include "controls/base/ckscrollpanel.h"
#include "controls/base/ckslider.h"
#include "controls/base/ckwizard.h"
#include "controls/dialogs/ckballoonhint.h"
#include "controls/dialogs/ckbrowsefolder.h"
#include "fw/core/mathutils.h"
#include "fw/core/sysutils.h"
#include "fw/dialogs/dialogs.h"
#include "fw/graphics/imagelist.h"
#include "fw/menus/menus.h"
#include "fw/platform/files.h"
#include "fw/stdctrls/checkbox.h"
#include "fw/stdctrls/edit.h"
#include "fw/stdctrls/image.h"
#include "fw/stdctrls/label.h"
#include "fw/stdctrls/listbox.h"
#include "fw/stdctrls/panel.h"
#include "fw/stdctrls/shapes.h"
#include "fw/stdctrls/speedbutton.h"
#include "fw/stdctrls/stdctrls_common.h"
#include "fw/system/actions.h"
#include "fw/system/screen.h"
#include "fw/system/timers.h"

namespace app {

using fw::String;
using fw::TObject;

namespace {

constexpr fw::TColor kSelectedBack = 15657948;  // light blue-gray
constexpr fw::TColor kSelectedCaption = 0x800000;
constexpr fw::TColor kErrorText = 0x0000FF;
constexpr fw::TColor kLinkHot = 0xFF7D35;
constexpr fw::TColor kLinkColor = 0x6B675D;
constexpr int kCaptionIndent = 22;
constexpr int kDefaultSampleSize = 25;

TBrowseFontFolderProc gBrowseFontFolder = nullptr;
TShowCustomTextProc gShowCustomText = nullptr;

bool BrowseWithDialog(TImageForm* Form, const String& Title, String& Folder) {
  if (!Form->browsefonts) return false;
  Form->browsefonts->SetTitle(Title);
  if (!Form->browsefonts->Execute(Form->HandleAllocated() ? Form->Handle() : nullptr)) return false;
  Folder = Form->browsefonts->Directory();
  return !Folder.empty();
}

// The icon pictures: a rounded tag with a letter in the colour of the kind.
void DrawKindIcon(fw::TCanvas* c, int kind) {
  struct Look {
    fw::TColor Back;
    fw::TColor Ink;
    const char16_t* Text;
  };
  static const Look kLooks[kKindIconCount] = {
      {0xE0E0E0, 0x606060, u"?"},  // unknown
      {0xD8E4F8, 0x000080, u"a"},  // device (PostScript Type 1)
      {0xE0E0E0, 0x000000, u"A"},  // raster
      {0xF8E0C8, 0x804000, u"T"},  // TrueType
      {0xD0D0F8, 0x000090, u"O"},  // PostScript OpenType
      {0xD0F0D0, 0x006000, u"O"},  // TrueType OpenType
      {0xD8D8FF, 0x0000C0, u"x"},  // nothing could be added
      {0xF0D8F0, 0x600060, u"C"},  // collection
      {0xC0F0F8, 0x006080, u"?"},  // added, no family found
  };
  const Look& l = kLooks[kind];
  c->Brush()->SetColor(0xFF00FF);
  c->FillRect(fw::Rect(0, 0, 16, 14));
  c->Brush()->SetColor(l.Back);
  c->Pen()->SetColor(l.Ink);
  c->RoundRect(1, 0, 15, 14, 4, 4);
  c->Font()->SetName(u"Arial");
  c->Font()->SetHeight(-11);
  c->Font()->SetStyle(fw::TFontStyles{fw::fsBold});
  c->Font()->SetColor(l.Ink);
  c->Brush()->SetStyle(fw::bsClear);
  fw::TRect r = fw::Rect(1, 0, 15, 14);
  fw::CanvasDrawText(c, l.Text, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

int SampleSize(const TImageForm* F) { return F->SliderFont ? F->SliderFont->Value() : kDefaultSampleSize; }

bool OneColumn(const TImageForm* F) { return !F->col1 || F->col1->Down(); }

// Empties the list and fills it again: the list measures every entry anew.
void ReassignItems(fw::TListBox* List) {
  fw::TStringList saved;
  saved.Assign(List->Items());
  List->Items()->BeginUpdate();
  try {
    List->Items()->Clear();
    List->Items()->Assign(&saved);
  } catch (...) {
    List->Items()->EndUpdate();
    throw;
  }
  List->Items()->EndUpdate();
}

String SelectionStatus(fw::TListBox* List) {
  const int count = List->Items()->Count();
  if (List->SelCount() > 1)
    return u"Selected " + fw::IntToStr(List->SelCount()) + u" of " + fw::IntToStr(count);
  return fw::IntToStr(List->ItemIndex() + 1) + u" of " + fw::IntToStr(count);
}

void DrawBadEntry(fw::TCanvas* c, const fw::TRect& r, const String& path, const String& message, int size,
                  const String& pathFont, int pathSize) {
  c->FillRect(r);
  c->Font()->SetName(pathFont);
  if (pathSize > 0) c->Font()->SetSize(pathSize);
  c->Brush()->SetStyle(fw::bsClear);
  c->TextOut(r.Left, r.Top, path);
  c->Font()->SetName(u"Times New Roman");
  c->Font()->SetSize(size);
  c->Font()->SetStyle(fw::TFontStyles{});
  c->Font()->SetColor(kErrorText);
  fw::TRect line = fw::Rect(r.Left, r.Top + 18, r.Right, r.Bottom);
  fw::CanvasDrawText(c, message, line, DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace

void SetBrowseFontFolderProc(TBrowseFontFolderProc Proc) { gBrowseFontFolder = Proc; }
void SetShowCustomTextProc(TShowCustomTextProc Proc) { gShowCustomText = Proc; }

void AddFontKindIcons(fw::TImageList* List) {
  List->SetWidth(16);
  List->SetHeight(14);
  for (int kind = 0; kind < kKindIconCount; ++kind) {
    fw::TBitmap picture;
    picture.SetPixelFormat(fw::pf24bit);
    picture.SetSize(16, 14);
    DrawKindIcon(picture.Canvas(), kind);
    List->AddMasked(&picture, 0xFF00FF);
  }
}

void PrepareMultiFontPage(TImageForm* F) {
  F->ImageList2 = new fw::TImageList(F);
  AddFontKindIcons(F->ImageList2);
  if (!F->imimages) return;
  // A small landscape: "a picture comes in here".
  fw::TBitmap* b = F->imimages->Picture()->Bitmap();
  b->SetPixelFormat(fw::pf24bit);
  b->SetSize(20, 20);
  fw::TCanvas* c = b->Canvas();
  c->Brush()->SetColor(fw::clWhite);
  c->FillRect(fw::Rect(0, 0, 20, 20));
  c->Brush()->SetColor(0xF0D8B0);
  c->Pen()->SetColor(0x806040);
  c->Rectangle(1, 3, 19, 17);
  c->Brush()->SetColor(0x40A040);
  c->Pen()->SetColor(0x308030);
  c->Polygon({{2, 16}, {8, 8}, {12, 13}, {14, 11}, {18, 16}});
  c->Brush()->SetColor(0x00C0FF);
  c->Pen()->SetColor(0x0090E0);
  c->Ellipse(13, 5, 17, 9);
}

// ---- Filling the list

void TImageForm::ShowFontList(const std::vector<String>& Fonts, const String& Caption) {
  if (Wizard) Wizard->SetActivePageIndex(kPageMultipreview);
  if (!fontbox) return;
  fontbox->Items()->BeginUpdate();
  try {
    fontbox->Items()->Clear();
    // The list changes: the fonts of the old entries leave the table.
    listedFonts_->Release();
    for (const String& f : Fonts) fontbox->Items()->Add(f);
    fontbox->Invalidate();
  } catch (...) {
    fontbox->Items()->EndUpdate();
    throw;
  }
  fontbox->Items()->EndUpdate();
  if (picktmr2) picktmr2->SetEnabled(true);
  col1Click(this);
  SetStatusText(1, fw::IntToStr(fontbox->Items()->Count()) + Caption);
}

void TImageForm::FillFontListFromFolder(const String& Folder, bool WithSubfolders) {
  if (Balloon) Balloon->CancelHint();
  if (Multipreview) Multipreview->EnableButton(ck::bkBack, false);
  fw::Screen->SetCursor(fw::crHourGlass);
  std::vector<String> files;
  try {
    results_->Clear();
    if (ListView) ListView->Items()->Clear();
    if (cbsysytem) cbsysytem->SetChecked(false);
    if (cbdatabase) cbdatabase->SetChecked(false);
    if (cbfolders) cbfolders->SetChecked(true);
    std::vector<String> folders;
    ScanDirectoryfolder(Folder, files, WithSubfolders, folders);
  } catch (...) {
    fw::Screen->SetCursor(fw::crDefault);
    throw;
  }
  fw::Screen->SetCursor(fw::crDefault);
  ShowFontList(files, u" font file(s)");
}

void TImageForm::Windowsfonts1Click(TObject*) { FillFontListFromFolder(fw::FontsFolder(), false); }

void TImageForm::mnbrowseClick(TObject*) {
  const bool subdirs = mnsubdirs && mnsubdirs->Checked();
  const String title = subdirs ? u"Select folder folder with fonts - INCLUDING subdirectories."
                               : u"Select folder folder with fonts";
  String folder;
  const bool chosen = gBrowseFontFolder ? gBrowseFontFolder(this, title, folder) : BrowseWithDialog(this, title, folder);
  if (!chosen) return;
  FillFontListFromFolder(folder, subdirs);
}

void TImageForm::lbviewallClick(TObject*) {
  const bool system = cbsysytem && cbsysytem->Checked();
  std::vector<String> fonts;
  if (ListView) {
    for (int i = 0; i < ListView->Items()->Count(); ++i) {
      fw::TListItem* item = ListView->Items()->Item(i);
      if (system) {
        fonts.push_back(item->Caption());
      } else {
        fonts.push_back(item->SubItems()->Count() > 1 ? item->SubItems()->Get(1) : String());
      }
    }
  }
  ShowFontList(fonts, system ? u" font(s)" : u" font file(s)");
}

// ---- Layout

void TImageForm::col1Click(TObject*) {
  if (!fontbox) return;
  const int v = SampleSize(this);
  fw::TStringList saved;
  saved.Assign(fontbox->Items());
  fontbox->Items()->Clear();
  if (OneColumn(this)) {
    fontbox->SetStyle(fw::lbOwnerDrawVariable);
    fontbox->SetColumns(0);
    fontbox->SetItemHeight(15);
  } else {
    int columns = 1;
    for (fw::TSpeedButton* b : {col2, col3, col4, col5, col6, col7, col8})
      if (b && b->Down()) columns = fw::StrToIntDef(b->Caption(), 1);
    fontbox->SetStyle(fw::lbOwnerDrawFixed);
    fontbox->SetColumns(columns);
    fontbox->SetItemHeight(MultiColumnItemHeight(v));
  }
  fontbox->Items()->Assign(&saved);
}

void TImageForm::SliderFontChange(TObject*) {
  if (lbFontSize) lbFontSize->SetCaption(fw::IntToStr(SampleSize(this)));
}

void TImageForm::SliderFontChanged(TObject*) {
  SliderFontChange(this);
  if (!fontbox) return;
  if (!OneColumn(this)) fontbox->SetItemHeight(MultiColumnItemHeight(SampleSize(this)));
  ReassignItems(fontbox);
}

void TImageForm::fontboxMeasureItem(fw::TWinControl*, int, int& Height) {
  Height = OneColumnItemHeight(SampleSize(this));
}

// ---- Drawing an entry

void TImageForm::fontboxDrawItem(fw::TWinControl*, int Index, const fw::TRect& Rect, fw::TOwnerDrawState State) {
  if (!fontbox || Index < 0 || Index >= fontbox->Items()->Count()) return;
  fw::TCanvas* c = fontbox->Canvas();
  const bool selected = State.Contains(fw::odSelected);
  const String p = fontbox->Items()->Get(Index);
  const int v = SampleSize(this);
  const bool system = ChosenSource() == TSearchSource::System;
  String score;
  if (ListView && Index < ListView->Items()->Count()) {
    fw::TListItem* item = ListView->Items()->Item(Index);
    if (item->SubItems()->Count() > 0) score = item->SubItems()->Get(0) + u"%";
  }
  c->Font()->Assign(fontbox->Font());
  c->Brush()->SetStyle(fw::bsSolid);
  c->Brush()->SetColor(selected ? kSelectedBack : PreviewBackColor);
  c->FillRect(Rect);
  try {
    if (!system && !fw::FileExists(p)) {
      DrawBadEntry(c, Rect, p, u"File is bad or path does not exists", v, fontbox->Font()->Name(), 0);
      return;
    }
    const TListedFont& font = system ? listedFonts_->Installed(p) : listedFonts_->File(p);
    // A file the system can't load, or whose face it doesn't know, would
    // be drawn in a substitute face: it is shown as bad instead.
    if (font.Face.empty()) {
      DrawBadEntry(c, Rect, p, u"Bad font file! ", v, u"Times New Roman", 10);
      return;
    }
    // Caption line
    if (selected) c->Font()->SetColor(kSelectedCaption);
    c->Font()->SetName(u"Arial");
    c->Brush()->SetStyle(fw::bsClear);
    c->TextOut(Rect.Left + kCaptionIndent, Rect.Top, (system ? p : font.Title) + u"    " + score);
    if (ImageList2) ImageList2->Draw(c, Rect.Left, Rect.Top, font.KindIcon);
    // Sample line
    const bool oneColumn = OneColumn(this);
    c->Font()->SetName(font.Face);
    c->Font()->SetStyle(fw::TFontStyles{});
    c->Font()->SetSize(!oneColumn && font.Descent > 25 ? static_cast<int>(fw::Round(v / 2.0)) : v);
    c->Font()->SetColor(selected ? 0x000000 : PreviewFontColor);
    const String text = acnames && acnames->Checked() ? (system ? String() : font.Title)
                                                      : (edsample ? edsample->Text() : String(kDefaultSampleText));
    const UINT format = DT_SINGLELINE | DT_NOPREFIX;
    if (oneColumn) {
      fw::TRect line = fw::Rect(Rect.Left, Rect.Top + 15, Rect.Right, Rect.Bottom);
      fw::TRect measured = line;
      fw::CanvasDrawText(c, text.empty() ? String(u" ") : text, measured, format | DT_CALCRECT);
      fw::CanvasDrawText(c, text, line, format);
      // The entry takes the height its sample needs.
      const int height = std::min(255, measured.Height() + 15 + 7);
      const HWND list = fontbox->Handle();
      if (SendMessageW(list, LB_GETITEMHEIGHT, Index, 0) != height) {
        SendMessageW(list, LB_SETITEMHEIGHT, Index, height);
        InvalidateRect(list, nullptr, FALSE);
      }
    } else {
      fw::TRect line = fw::Rect(Rect.Left, Rect.Top + 18, Rect.Right, Rect.Bottom);
      fw::CanvasDrawText(c, text, line, format);
    }
    if (selected && State.Contains(fw::odFocused)) {
      c->Brush()->SetStyle(fw::bsSolid);
      c->Brush()->SetColor(fw::clActiveCaption);
      c->FrameRect(Rect);
    }
  } catch (const fw::Exception&) {
    // Running out of memory is not caught here: it ends the program.
    c->Brush()->SetStyle(fw::bsSolid);
    c->Brush()->SetColor(selected ? kSelectedBack : PreviewBackColor);
    DrawBadEntry(c, Rect, p, u"Bad font file! ", v, u"Times New Roman", 10);
  }
}

// ---- List interaction

void TImageForm::fontboxClick(TObject*) {
  if (!fontbox || fontbox->ItemIndex() < 0 || fontbox->SelCount() < 1) return;
  SetStatusText(1, SelectionStatus(fontbox));
}

void TImageForm::fontboxKeyDown(TObject*, WORD& Key, fw::TShiftState Shift) {
  if (!fontbox || !Shift.Contains(fw::ssCtrl)) return;
  if (Key == 'A') {
    Selectall1Click(this);
    if (fontbox->SelCount() > 1) SetStatusText(1, SelectionStatus(fontbox));
  } else if (Key == 'C') {
    accopyExecute(this);
  }
}

void TImageForm::fontboxMouseDown(TObject*, fw::TMouseButton Button, fw::TShiftState, int X, int Y) {
  if (Button != fw::mbRight || !Popcopy || !fontbox) return;
  const fw::TPoint at = fontbox->ClientToScreen(fw::TPoint{X, Y});
  Popcopy->Popup(at.x, at.y);
}

void TImageForm::fontboxMouseMove(TObject*, fw::TShiftState Shift, int X, int Y) {
  if (!btnmove || !btnmove->Down() || Shift.Contains(fw::ssCtrl) || !pan || !fontbox) return;
  fw::TWinControl* area = pan->Parent();
  if (!area) return;
  // The list's point in the panel's parent, where the panel moves.
  const fw::TPoint list = fontbox->ClientToScreen(fw::TPoint{X, Y});
  const fw::TPoint origin = area->ClientToScreen(fw::TPoint{0, 0});
  const fw::TPoint at{list.x - origin.x, list.y - origin.y};
  const fw::TPoint place =
      FollowingPanelPlace(at.x, at.y, pan->Width(), pan->Height(), area->ClientWidth(), area->ClientHeight());
  pan->SetBounds(place.x, place.y, pan->Width(), pan->Height());
}

// ---- Floating picture panel

void TImageForm::immoveMouseDown(TObject*, fw::TMouseButton Button, fw::TShiftState, int, int) {
  if (!Magpnl2) return;
  if (Button == fw::mbLeft) {
    PreviewFontColor = Magpnl2->Color();
  } else if (Button == fw::mbRight) {
    PreviewBackColor = Magpnl2->Color();
  }
  if (fontbox) fontbox->Invalidate();
}

void TImageForm::imimagesMouseDown(TObject*, fw::TMouseButton Button, fw::TShiftState, int X, int Y) {
  if (Button != fw::mbLeft || !popimages || !imimages) return;
  const fw::TPoint at = imimages->ClientToScreen(fw::TPoint{X, Y});
  popimages->Popup(at.x, at.y);
}

void TImageForm::Loadfromfile1Click(TObject*) {
  if (!immove || !RunFileDialog(imagedlg)) return;
  ImageFileName = imagedlg->FileName();
  immove->Picture()->LoadFromFile(ImageFileName);
}

void TImageForm::CroppedCharacter1Click(TObject*) {
  if (immove && sampleimage) immove->Picture()->Assign(sampleimage->Picture());
}

void TImageForm::CroppedLoadedImage1Click(TObject*) {
  if (immove && Image1) immove->Picture()->Assign(Image1->Picture());
}

void TImageForm::Panel10Click(TObject*) {
  if (pan) pan->Hide();
}

void TImageForm::acpaneExecute(TObject*) {
  if (!pan) return;
  pan->SetVisible(!pan->Visible());
  if (pan->Visible()) pan->BringToFront();
}

void TImageForm::acpaneUpdate(TObject*) {
  if (!acpane) return;
  acpane->SetEnabled(Wizard && Wizard->ActivePageIndex() == kPageMultipreview);
  acpane->SetChecked(pan && pan->Visible());
}

void TImageForm::acnamesExecute(TObject*) {
  if (fontbox) fontbox->Invalidate();
}

void TImageForm::acnamesUpdate(TObject*) {
  if (acnames) acnames->SetEnabled(Wizard && Wizard->ActivePageIndex() == kPageMultipreview);
}

void TImageForm::accustomExecute(TObject*) {
  if (gShowCustomText) {
    gShowCustomText(this);
  } else if (Form2 && !Form2->Visible()) {
    Form2->ShowModal();
  }
  if (fontbox) fontbox->Invalidate();
}

void TImageForm::accustomUpdate(TObject*) {
  if (accustom) accustom->SetEnabled(Wizard && Wizard->ActivePageIndex() == kPageMultipreview);
}

void TImageForm::lbviewallMouseEnter(TObject* Sender) {
  auto* label = dynamic_cast<fw::TLabel*>(Sender);
  if (!label) return;
  label->Font()->SetColor(kLinkHot);
  label->Font()->SetStyle(fw::TFontStyles{fw::fsBold, fw::fsUnderline});
}

void TImageForm::lbviewallMouseLeave(TObject* Sender) {
  auto* label = dynamic_cast<fw::TLabel*>(Sender);
  if (!label) return;
  label->Font()->SetColor(kLinkColor);
  label->Font()->SetStyle(fw::TFontStyles{fw::fsBold});
}

void DescribeMultiFontPage(fw::TClassBuilder<TImageForm>& c) {
  using F = TImageForm;
  c.Field(u"SliderFont", &F::SliderFont);
  c.Field(u"lbFontSize", &F::lbFontSize);
  c.Field(u"ScrollPanel1", &F::ScrollPanel1);
  c.Field(u"col1", &F::col1);
  c.Field(u"col2", &F::col2);
  c.Field(u"col3", &F::col3);
  c.Field(u"col4", &F::col4);
  c.Field(u"col5", &F::col5);
  c.Field(u"col6", &F::col6);
  c.Field(u"col7", &F::col7);
  c.Field(u"col8", &F::col8);
  c.Field(u"pan", &F::pan);
  c.Field(u"immove", &F::immove);
  c.Field(u"btnmove", &F::btnmove);
  c.Field(u"imimages", &F::imimages);
  c.Field(u"Magpnl2", &F::Magpnl2);
  c.Field(u"Panel10", &F::Panel10);
  c.Field(u"popimages", &F::popimages);
  c.Field(u"Popcopy", &F::Popcopy);
  c.Field(u"acnames", &F::acnames);
  c.Field(u"acpane", &F::acpane);
  c.Field(u"accustom", &F::accustom);
  c.Field(u"browsefonts", &F::browsefonts);
  c.Method(u"mnbrowseClick", &F::mnbrowseClick);
  c.Method(u"col1Click", &F::col1Click);
  c.Method(u"SliderFontChange", &F::SliderFontChange);
  c.Method(u"SliderFontChanged", &F::SliderFontChanged);
  c.Method(u"fontboxMeasureItem", &F::fontboxMeasureItem);
  c.Method(u"fontboxDrawItem", &F::fontboxDrawItem);
  c.Method(u"fontboxClick", &F::fontboxClick);
  c.Method(u"fontboxKeyDown", &F::fontboxKeyDown);
  c.Method(u"fontboxMouseDown", &F::fontboxMouseDown);
  c.Method(u"fontboxMouseMove", &F::fontboxMouseMove);
  c.Method(u"immoveMouseDown", &F::immoveMouseDown);
  c.Method(u"imimagesMouseDown", &F::imimagesMouseDown);
  c.Method(u"Loadfromfile1Click", &F::Loadfromfile1Click);
  c.Method(u"CroppedCharacter1Click", &F::CroppedCharacter1Click);
  c.Method(u"CroppedLoadedImage1Click", &F::CroppedLoadedImage1Click);
  c.Method(u"Panel10Click", &F::Panel10Click);
  c.Method(u"acnamesExecute", &F::acnamesExecute);
  c.Method(u"acnamesUpdate", &F::acnamesUpdate);
  c.Method(u"acpaneExecute", &F::acpaneExecute);
  c.Method(u"acpaneUpdate", &F::acpaneUpdate);
  c.Method(u"accustomExecute", &F::accustomExecute);
  c.Method(u"accustomUpdate", &F::accustomUpdate);
  c.Method(u"lbviewallMouseEnter", &F::lbviewallMouseEnter);
  c.Method(u"lbviewallMouseLeave", &F::lbviewallMouseLeave);
}

}  // namespace app
