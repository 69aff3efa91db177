#include "app/image_form.h"

#include <shellapi.h>

#include "app/character_options.h"
#include "app/core/result_model.h"
#include "app/database_error.h"
#include "app/font_folders.h"
#include "app/font_loading.h"
#include "app/glyph_isolation.h"
#include "app/image_page.h"
#include "app/magnifier.h"
#include "app/matching_engine.h"
#include "app/multifont_page.h"
#include "app/result_list_view.h"
#include "controls/base/cktransparentbutton.h"
#include "controls/base/ckwizard.h"
#include "controls/base/xp_button.h"
#include "controls/base/xp_checkbox.h"
#include "controls/dialogs/ckballoonhint.h"
#include "controls/dialogs/ckbrowsefolder.h"
#include "controls/views/ckmenus.h"
#include "controls/views/cktrayicon.h"
#include "fw/core/rtti.h"
#include "fw/core/streams.h"
#include "fw/core/strings_list.h"
#include "fw/core/sysutils.h"
#include "fw/dialogs/dialogs.h"
#include "fw/dialogs/msgdlg.h"
#include "fw/graphics/gdi_handles.h"
#include "fw/menus/menus.h"
#include "fw/platform/files.h"
#include "fw/platform/registry.h"
#include "fw/stdctrls/checkbox.h"
#include "fw/stdctrls/edit.h"
#include "fw/stdctrls/groupbox.h"
#include "fw/stdctrls/image.h"
#include "fw/stdctrls/label.h"
#include "fw/stdctrls/listbox.h"
#include "fw/stdctrls/panel.h"
#include "fw/stdctrls/rangectrls.h"
#include "fw/stdctrls/shapes.h"
#include "fw/stdctrls/speedbutton.h"
#include "fw/stdctrls/spinedit.h"
#include "fw/stdctrls/statusbar.h"
#include "fw/system/application.h"
#include "fw/system/screen.h"
#include "skin/controls/attach_hook.h"
#include "fw/system/timers.h"
#include "services/ckappinst.h"
#include "services/ckcomputerinfo.h"
#include "services/core/appinistorage.h"
#include "services/core/appstorage.h"
#include "services/formstorage.h"
#include "skin/controls/gauge.h"
#include "skin/engine/skin_manager.h"

namespace app {

using fw::String;
using fw::TObject;

TImageForm* ImageForm = nullptr;
OSVERSIONINFOW OsVersionInfo{};
int OsPlatformId = 0;

namespace {

constexpr fw::TColor kLinkColor = 0x6B675D;
constexpr fw::TColor kLabel8HotColor = 0xFF0000;
constexpr fw::TColor kLabel24HotColor = 0xFF7C35;
constexpr int kSampleBoxSize = 70;

TOpenWebPageProc gOpenWebPage = nullptr;

void ShellOpen(const String& Url) {
  ShellExecuteW(nullptr, L"open", W(Url), nullptr, nullptr, SW_SHOWNORMAL);
}

fw::TBitmap* NewBitmap24(int Width, int Height) {
  auto* b = new fw::TBitmap();
  b->SetPixelFormat(fw::pf24bit);
  if (Width > 0 && Height > 0) b->SetSize(Width, Height);
  return b;
}

}  // namespace

// ---- Sample text, folders, web pages, elevation

String ReadSampleText() {
  String text;
  try {
    fw::TRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    if (reg.OpenKey(kSampleTextKey, true)) text = reg.ReadString(kSampleTextValue);
  } catch (const fw::Exception&) {
    text.clear();  // a value of another type reads as none
  }
  return text.empty() ? String(kDefaultSampleText) : text;
}

void WriteSampleText(const String& Text) {
  try {
    fw::TRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    if (reg.OpenKey(kSampleTextKey, true)) reg.WriteString(kSampleTextValue, Text);
  } catch (const fw::Exception&) {
    // The sample text is a convenience: closing goes on without it.
  }
}

String DatabaseFolder() { return VestalineFolder() + u"\\Data\\"; }

String CrashMarkerFileName() { return fw::ExeFolder() + u"\\lastreadeddatabasefile.log"; }

void SetOpenWebPageProc(TOpenWebPageProc Proc) { gOpenWebPage = Proc; }

void OpenWebPage(const String& Url) { (gOpenWebPage ? gOpenWebPage : ShellOpen)(Url); }

bool IsProcessElevated() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  const BOOL ok = GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size);
  CloseHandle(token);
  return ok && elevation.TokenIsElevated != 0;
}

// ---- TImageForm

TImageForm::TImageForm(fw::TComponent* AOwner)
    : fw::TForm(AOwner),
      engine_(std::make_unique<TMatchingEngine>()),
      database_(std::make_unique<TFontDatabase>()),
      results_(std::make_unique<TResultList>()),
      listedFonts_(std::make_unique<TListedFonts>()) {
  scorer_ = std::make_unique<TEngineScorer>(*engine_, *results_);
  search_ = std::make_unique<TSearchRun>(*scorer_, *results_, static_cast<TSearchView&>(*this));
  search_->SetDatabase(database_.get());
  search_->SetProcessMessages([] { fw::Application->ProcessMessages(); });
}

TImageForm::~TImageForm() {
  if (ImageForm == this) ImageForm = nullptr;
}

void TImageForm::FormCreate(TObject*) {
  // Every form activated from now on, and every skinned control, wears the
  // manager's skin; the manager installs the window hook with its skin.
  skin::LinkControlSkinning();
  if (kSkinManager1) kSkinManager1->WriteActive(true);
  FWhiteback = 255;
  SetDoubleBuffered(true);
  MakeDrawingBitmaps();
  if (edsample) edsample->SetText(ReadSampleText());
  ReadWindowsVersion();
  engine_->SetMonochrome(false);
  MakeSampleBitmaps();
  MakeWorkBitmaps();
  PointDialogsAtFolders();
  // Loads the settings file, before any other window reads from it.
  if (AppInistorage) AppInistorage->SetFileName(VestalineFolder() + u"\\vestaline.ini");
  OpenFontDatabase();
  SetUpCodePointEdit();
  SetFormStyle(fw::fsNormal);
  ResetPreviewAndSearch();
  PrepareMultiFontPage(this);
  CreateGauge();
  ApplyTraySetting();
  FollowApplicationHints();
}

void TImageForm::MakeDrawingBitmaps() {
  FloodColors = new fw::TStringList();
  // The engine made RenderBitmap and GlyphBitmap; they draw in 24 bits.
  for (fw::TBitmap* b : {engine_->RenderBitmap(), engine_->GlyphBitmap()}) {
    b->SetPixelFormat(fw::pf24bit);
    b->SetTransparent(false);
  }
  if (PaintBox2) PaintBox2->SetControlStyle(PaintBox2->ControlStyle() + fw::TControlStyle{fw::csOpaque});
}

void TImageForm::ReadWindowsVersion() {
  OsVersionInfo = OSVERSIONINFOW{};
  OsVersionInfo.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);  // 276 bytes
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  GetVersionExW(&OsVersionInfo);
#pragma GCC diagnostic pop
  OsPlatformId = static_cast<int>(OsVersionInfo.dwPlatformId);
}

void TImageForm::MakeSampleBitmaps() {
  engine_->CompareBitmap()->SetPixelFormat(fw::pf24bit);
  engine_->CompareBitmap()->SetSize(kSampleBoxSize, kSampleBoxSize);
  SampleCopy = NewBitmap24(kSampleBoxSize, kSampleBoxSize);
  search_->CharsetNames.clear();
  if (sampleimage) sampleimage->SetBounds(sampleimage->Left(), sampleimage->Top(), kSampleBoxSize, kSampleBoxSize);
}

void TImageForm::MakeWorkBitmaps() {
  ScreenDC = std::make_unique<fw::TWindowDC>();
  MemPix = NewBitmap24(1, 1);
  MemPix->Canvas()->SetPixel(0, 0, 0x000000);
  PreviewFontColor = 0x000000;
  PreviewBackColor = 0xFFFFFF;
  LoadedImage = NewBitmap24(0, 0);
  RotatedImage = NewBitmap24(0, 0);
  ResizedImage = NewBitmap24(0, 0);
  ModifiedBase = NewBitmap24(0, 0);
}

void TImageForm::PointDialogsAtFolders() {
  const String samples = VestalineFolder() + u"\\samples\\";
  if (imagedlg) imagedlg->SetInitialDir(samples);
  if (dlgsavemodified) dlgsavemodified->SetInitialDir(samples);
  search_->Options().Folder = SystemFontsFolder();
  if (dlgsearchfolder) dlgsearchfolder->SetDirectory(search_->Options().Folder);
}

void TImageForm::SetUpCodePointEdit() {
  if (!secodepoint) return;
  secodepoint->SetHint(u"Character codepoint (e.g. A - 65). You can add any unicode character codepoint!");
  secodepoint->SetMinValue(33);
  secodepoint->SetMaxValue(100000);
}

void TImageForm::ResetPreviewAndSearch() {
  PreviewFontFiles = new fw::TStringList();
  fsamplename = u"Arial";
  engine_->SetCalibratedSize(1.0);
  search_->SearchRunning = 0;
  NameSortOrder = -1;
  SizeSortOrder = -1;
}

void TImageForm::FollowApplicationHints() {
  // Every hint change goes to the last status panel.
  previousOnHint_ = fw::Application->OnHint;
  fw::Application->OnHint = fw::TNotifyEvent(this, &TImageForm::ApplicationHint);
}

void TImageForm::CreateGauge() {
  if (!StatusBar1) return;
  Gauge1 = new skin::TkGauge(StatusBar1);
  Gauge1->SetParent(StatusBar1);
  Gauge1->SetBounds(StatusBar1->Left() + 100, 4, 145, StatusBar1->Height() - 6);
  Gauge1->SetProgress(0);
  Gauge1->SetVisible(false);
}

void TImageForm::OpenFontDatabase() {
  const String folder = DatabaseFolder();
  const String fileName = folder + kCompDatabaseName;
  try {
    fw::ForceDirectories(folder);
    database_->OpenCompDatabase(fileName);
  } catch (const fw::Exception& e) {
    // The program stays usable without its database; the database source
    // and the builder report the closed file when they are used.
    fw::MessageDlg(u"The font database \"" + fileName + u"\" cannot be opened:\r\n" + e.Message() +
                       u"\r\n\r\nThe program runs without its font database.",
                   fw::mtError, fw::TMsgDlgButtons{fw::mbOK}, 0);
  }
}

void TImageForm::CloseFontDatabase() { database_->CompFile.CloseFile(); }

void TImageForm::FormShow(TObject*) {
  if (cbcheckshow && cbcheckshow->Checked() && Wizard) Wizard->SetActivePageIndex(kPageImageLoad);
  // A database build that broke off left its marker: its error dialog follows.
  if (fw::FileExists(CrashMarkerFileName()) && timerdatabaseerror) timerdatabaseerror->SetEnabled(true);
  if (Shape1) Shape1->Invalidate();
  if (Shape2) Shape2->Invalidate();
}

void TImageForm::FormCloseQuery(TObject*, bool& CanClose) {
  if (!Wizard || Wizard->ActivePageIndex() != kPageMultipreview) return;
  if (fw::MessageDlg(u"Would you like to close the program?", fw::mtConfirmation, fw::mbYesNo, 0) == fw::mrNo) {
    CanClose = false;
    Wizard->SetActivePageIndex(kPageImageLoad);
    SetStatusText(1, u"");
  }
}

void TImageForm::FormClose(TObject*, fw::TCloseAction&) {
  search_->RequestStop();
  if (edsample) WriteSampleText(edsample->Text());
}

void TImageForm::FormDestroy(TObject*) {
  if (fw::Application && fw::Application->OnHint.Method() == fw::TNotifyEvent(this, &TImageForm::ApplicationHint).Method())
    fw::Application->OnHint = previousOnHint_;
  fw::FreeAndNil(FloodColors);
  fw::FreeAndNil(SampleCopy);
  fw::FreeAndNil(LoadedImage);
  fw::FreeAndNil(RotatedImage);
  fw::FreeAndNil(ResizedImage);
  fw::FreeAndNil(ModifiedBase);
  ScreenDC.reset();
  fw::FreeAndNil(MemPix);
  search_->CharsetNames.clear();
  CloseFontDatabase();
  ReleasePreviewFont();
  listedFonts_->Release();
  fw::FreeAndNil(PreviewFontFiles);
  DefaultUndoStack.clear();
  ModifiedUndoStack.clear();
}

void TImageForm::FormPaint(TObject*) {
  if (PaintBox2) PaintBox2->Invalidate();
  if (Shape1) Shape1->Invalidate();
  if (Shape2) Shape2->Invalidate();
}

void TImageForm::FormKeyDown(TObject*, WORD& Key, fw::TShiftState Shift) {
  if (!Wizard) return;
  const int page = Wizard->ActivePageIndex();
  if (page == kPageRun && Key == VK_F3) {
    btnstartstopClick(this);
  } else if (page == kPageImageLoad) {
    if (Key == 'Z' && Shift.Contains(fw::ssCtrl)) acUndoModifiedExecute(this);
    if (Key == VK_F9) AddModifiedToCropped();
  }
}

// ---- Page flow

void TImageForm::RunBackButtonClick(TObject*, bool&) {
  if (PickTmr) PickTmr->SetEnabled(false);
}

void TImageForm::RunNextButtonClick(TObject*, bool&) {
  if (PickTmr) PickTmr->SetEnabled(true);
  if (lbviewall) lbviewall->Font()->SetColor(kLinkColor);
  PercentItemClick(this);
}

void TImageForm::RunPaintPage(TObject*, fw::TCanvas*, fw::TRect&) {
  if (!gbsamplechar || !sampleimage) return;
  int w = sampleimage->Width();
  int h = sampleimage->Height();
  if (fw::TGraphic* g = sampleimage->Picture()->Graphic(); g && !g->Empty()) {
    w = g->Width();
    h = g->Height();
  }
  const String caption = fw::Format(u"Size: %d x %d", {w, h});
  if (gbsamplechar->Caption() != caption) gbsamplechar->SetCaption(caption);
}

void TImageForm::WizardFinishButtonClick(TObject*) {
  if (Wizard) Wizard->SetActivePageIndex(kPageImageLoad);
  SetStatusText(1, u"");
}

void TImageForm::WizardCancelButtonClick(TObject*) { Close(); }

// ---- Timers

void TImageForm::timerdatabaseerrorTimer(TObject*) {
  // Fires once: the dialog names the file of the broken build and deletes
  // the marker when it closes.
  if (timerdatabaseerror) timerdatabaseerror->SetEnabled(false);
  ShowDatabaseError();
}

// ---- Small handlers

void TImageForm::secodepointKeyPress(TObject*, char16_t& Key) {
  if ((Key < u'0' || Key > u'9') && Key != u'\b') Key = 0;
}

void TImageForm::SetLinkLook(fw::TLabel* Label, fw::TColor Color, bool Underline) {
  if (!Label) return;
  Label->Font()->SetColor(Color);
  fw::TFontStyles style = Label->Font()->Style();
  if (Underline) {
    style.Include(fw::fsUnderline);
  } else {
    style.Exclude(fw::fsUnderline);
  }
  Label->Font()->SetStyle(style);
}

void TImageForm::Label8Click(TObject*) { OpenWebPage(kHomeUrl); }
void TImageForm::Label8MouseEnter(TObject*) { SetLinkLook(Label8, kLabel8HotColor, true); }
void TImageForm::Label8MouseLeave(TObject*) { SetLinkLook(Label8, kLinkColor, false); }
void TImageForm::label24MouseEnter(TObject*) { SetLinkLook(label24, kLabel24HotColor, true); }
void TImageForm::label24MouseLeave(TObject*) { SetLinkLook(label24, kLinkColor, false); }

void TImageForm::WhatTheFont1Click(TObject*) { OpenWebPage(kWhatTheFontUrl); }
void TImageForm::Identifont1Click(TObject*) { OpenWebPage(kIdentifontUrl); }
void TImageForm::Searchbysight1Click(TObject*) { OpenWebPage(kSearchBySightUrl); }
void TImageForm::Demo1Grabcharacterfromimage1Click(TObject*) { OpenWebPage(kDemo1Url); }
void TImageForm::Demo2Adjustcolorrange1Click(TObject*) { OpenWebPage(kDemo2Url); }
void TImageForm::Close1Click(TObject*) { Close(); }

// ---- Status bar

void TImageForm::ApplicationHint(TObject*) { SetStatusText(2, fw::GetLongHint(fw::Application->Hint())); }

void TImageForm::SetStatusText(int Panel, const String& Text) {
  if (StatusBar1 && Panel >= 0 && Panel < StatusBar1->Panels()->Count())
    StatusBar1->Panels()->Items(Panel)->SetText(Text);
}

String TImageForm::StatusText(int Panel) const {
  if (StatusBar1 && Panel >= 0 && Panel < StatusBar1->Panels()->Count())
    return StatusBar1->Panels()->Items(Panel)->Text();
  return String();
}

FW_REGISTER(TImageForm) {
  using F = TImageForm;
  c.Field(u"Wizard", &F::Wizard);
  c.Field(u"Balloon", &F::Balloon);
  c.Field(u"Tray", &F::Tray);
  c.Field(u"instance", &F::instance);
  c.Field(u"directories", &F::directories);
  c.Field(u"kSkinManager1", &F::kSkinManager1);
  c.Field(u"popupminimized", &F::popupminimized);
  c.Field(u"MainPanel", &F::MainPanel);
  c.Field(u"ImageLoad", &F::ImageLoad);
  c.Field(u"Run", &F::Run);
  c.Field(u"Multipreview", &F::Multipreview);
  c.Field(u"cbcheckshow", &F::cbcheckshow);
  c.Field(u"Label8", &F::Label8);
  c.Field(u"Shape1", &F::Shape1);
  c.Field(u"Shape2", &F::Shape2);
  c.Field(u"Image1", &F::Image1);
  c.Field(u"ImageModified", &F::ImageModified);
  c.Field(u"Panel3", &F::Panel3);
  c.Field(u"cbsysytem", &F::cbsysytem);
  c.Field(u"cbdatabase", &F::cbdatabase);
  c.Field(u"cbfolders", &F::cbfolders);
  c.Field(u"lbfonts", &F::lbfonts);
  c.Field(u"secodepoint", &F::secodepoint);
  c.Field(u"sespeed", &F::sespeed);
  c.Field(u"sepercentage", &F::sepercentage);
  c.Field(u"gbsamplechar", &F::gbsamplechar);
  c.Field(u"sampleimage", &F::sampleimage);
  c.Field(u"imgcompare", &F::imgcompare);
  c.Field(u"ListView", &F::ListView);
  c.Field(u"lbcount", &F::lbcount);
  c.Field(u"lbviewall", &F::lbviewall);
  c.Field(u"lbsavetofile", &F::lbsavetofile);
  c.Field(u"label24", &F::label24);
  c.Field(u"edsample", &F::edsample);
  c.Field(u"gbsampletext", &F::gbsampletext);
  c.Field(u"PaintBox2", &F::PaintBox2);
  c.Field(u"fontbox", &F::fontbox);
  c.Field(u"StatusBar1", &F::StatusBar1);
  c.Field(u"MainMenu1", &F::MainMenu1);
  c.Field(u"mnsubdirs", &F::mnsubdirs);
  c.Field(u"PickTmr", &F::PickTmr);
  c.Field(u"picktmr2", &F::picktmr2);
  c.Field(u"timerzoom", &F::timerzoom);
  c.Field(u"Timerunoimage1", &F::Timerunoimage1);
  c.Field(u"timerdatabaseerror", &F::timerdatabaseerror);
  c.Field(u"imagedlg", &F::imagedlg);
  c.Field(u"dlgsavemodified", &F::dlgsavemodified);
  c.Field(u"AppInistorage", &F::AppInistorage);
  c.Field(u"CkAppStorage1", &F::CkAppStorage1);
  c.Field(u"storage", &F::storage);
  c.Field(u"btnstartstop", &F::btnstartstop);
  c.Field(u"btnbold", &F::btnbold);
  c.Field(u"btnitalic", &F::btnitalic);
  c.Field(u"cbsymbols", &F::cbsymbols);
  c.Field(u"dlgsavetext", &F::dlgsavetext);
  c.Field(u"btnBrowse", &F::btnBrowse);
  c.Field(u"dlgsearchfolder", &F::dlgsearchfolder);
  c.Field(u"btnfilter", &F::btnfilter);

  c.Method(u"FormCreate", &F::FormCreate);
  c.Method(u"FormShow", &F::FormShow);
  c.Method(u"Exit1Click", &F::Exit1Click);
  c.Method(u"acAboutExecute", &F::acAboutExecute);
  c.Method(u"acAboutUpdate", &F::acAboutUpdate);
  c.Method(u"acRestoreExecute", &F::acRestoreExecute);
  c.Method(u"acRestoreUpdate", &F::acRestoreUpdate);
  c.Method(u"TrayDblClick", &F::TrayDblClick);
  c.Method(u"FormCloseQuery", &F::FormCloseQuery);
  c.Method(u"FormClose", &F::FormClose);
  c.Method(u"FormDestroy", &F::FormDestroy);
  c.Method(u"FormPaint", &F::FormPaint);
  c.Method(u"FormKeyDown", &F::FormKeyDown);
  c.Method(u"ImageLoadNextButtonClick", &F::ImageLoadNextButtonClick);
  c.Method(u"RunBackButtonClick", &F::RunBackButtonClick);
  c.Method(u"RunNextButtonClick", &F::RunNextButtonClick);
  c.Method(u"RunPaintPage", &F::RunPaintPage);
  c.Method(u"WizardFinishButtonClick", &F::WizardFinishButtonClick);
  c.Method(u"WizardCancelButtonClick", &F::WizardCancelButtonClick);
  c.Method(u"PickTmrTimer", &F::PickTmrTimer);
  c.Method(u"picktmr2Timer", &F::picktmr2Timer);
  c.Method(u"timerzoomTimer", &F::timerzoomTimer);
  c.Method(u"Timerunoimage1Timer", &F::Timerunoimage1Timer);
  c.Method(u"timerdatabaseerrorTimer", &F::timerdatabaseerrorTimer);
  c.Method(u"secodepointKeyPress", &F::secodepointKeyPress);
  c.Method(u"Label8Click", &F::Label8Click);
  c.Method(u"Label8MouseEnter", &F::Label8MouseEnter);
  c.Method(u"Label8MouseLeave", &F::Label8MouseLeave);
  c.Method(u"label24MouseEnter", &F::label24MouseEnter);
  c.Method(u"label24MouseLeave", &F::label24MouseLeave);
  c.Method(u"WhatTheFont1Click", &F::WhatTheFont1Click);
  c.Method(u"Identifont1Click", &F::Identifont1Click);
  c.Method(u"Searchbysight1Click", &F::Searchbysight1Click);
  c.Method(u"Demo1Grabcharacterfromimage1Click", &F::Demo1Grabcharacterfromimage1Click);
  c.Method(u"Demo2Adjustcolorrange1Click", &F::Demo2Adjustcolorrange1Click);
  c.Method(u"Windowsfonts1Click", &F::Windowsfonts1Click);
  c.Method(u"lbviewallClick", &F::lbviewallClick);
  c.Method(u"Close1Click", &F::Close1Click);
  c.Method(u"btnstartstopClick", &F::btnstartstopClick);
  c.Method(u"ListViewKeyDown", &F::ListViewKeyDown);
  c.Method(u"cbsysytemClick", &F::cbsysytemClick);
  c.Method(u"btnBrowseClick", &F::btnBrowseClick);
  c.Method(u"btnfilterClick", &F::btnfilterClick);
  c.Method(u"Refreshdatabase1Click", &F::Refreshdatabase1Click);
  c.Method(u"ListViewColumnClick", &F::ListViewColumnClick);
  c.Method(u"ListViewCustomDrawSubItem", &F::ListViewCustomDrawSubItem);
  c.Method(u"sepercentageChange", &F::sepercentageChange);
  c.Method(u"sespeedChange", &F::sespeedChange);
  c.Method(u"lbsavetofileClick", &F::lbsavetofileClick);
  DescribeResultPage(c);
  DescribeImagePage(c);
  DescribeGlyphIsolation(c);
  DescribeMultiFontPage(c);
  DescribeMagnifier(c);
  DescribeCharacterOptions(c);
  c.Method(u"About1Click", &F::About1Click);
  c.Method(u"Settings1Click", &F::Settings1Click);
}

}  // namespace app
