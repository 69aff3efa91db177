// The main window's small dialogs and options: the settings dialog and the
// settings the other windows read from it, the about box with the program's
// version and links, the custom-text dialog and the character options of the
// search page.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <vector>

#include "app/about_form.h"
#include "app/character_options.h"
#include "app/custom_text_form.h"
#include "app/glyph_isolation.h"
#include "app/image_page.h"
#include "app/settings_form.h"
#include "app/image_form.h"
#include "fw/controls_test_util.h"
#include "fw/platform/files.h"
#include "fw/system/application.h"
#include "main_window_util.h"
#include "scenarios/screenshot_png.h"
#include "skin/controls/adapter_factory.h"
#include "skin/controls/check_box_wnd.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"

using namespace app;

namespace {

template <class T>
struct FormDeleter {
  void operator()(T* f) const { f->Free(); }
};
template <class T>
using FormPtr = std::unique_ptr<T, FormDeleter<T>>;

template <class T>
FormPtr<T> NewDialog() {
  apptest::InitialiseProgramUnits();
  return FormPtr<T>(fw::NewForm<T>(nullptr));
}

// The main window as the program's global one, as the dialogs reach it.
struct MainWindowGlobal {
  FormPtr<TImageForm> form;
  MainWindowGlobal() {
    apptest::InitialiseProgramUnits();
    form.reset(fw::NewForm<TImageForm>(nullptr));
    form->SetPosition(fw::poDesigned);
    form->Show();
    fwtest::Pump();
    ImageForm = form.get();
  }
  ~MainWindowGlobal() { ImageForm = nullptr; }
};

std::vector<fw::String> gOpened;
void RecordOpened(const fw::String& url) { gOpened.push_back(url); }

// The built program, whose resources carry the version the about box shows.
fw::String ProgramFile() {
  const char* dir = std::getenv("VL_BINARY_DIR");
  std::string unixPath = std::string(dir ? dir : ".") + "/app/Vestaline3.exe";
  fw::String path = dir && dir[0] == '/' ? u"Z:" : u"";
  for (char c : unixPath) path.push_back(c == '/' ? u'\\' : static_cast<char16_t>(c));
  return path;
}

}  // namespace

TEST(CharacterOptions, TheTypedCharacterIsTheFirstThatDiffersFromTheCodePointShown) {
  struct Case {
    const char16_t* text;
    int current;
    int code;
  } cases[] = {
      {u"B", 65, 66},                     // typed over a selection
      {u"AB", 65, 66},                    // typed after the shown character
      {u"BA", 65, 66},                    // typed before it
      {u"A", 65, -1},                     // nothing new
      {u"", 65, -1},                      // emptied
      {u"\xD800\xDC00", 65, 0x10000},     // a surrogate pair is one character
      {u"A\xD835\xDC00", 65, 0x1D400},    // after the shown one
      {u"\xD835\xDC00\xD835\xDC00", 0x1D400, -1},
      {u"\xDC00", 65, -1},                // a lone low surrogate
      {u"A\xD800", 65, -1},               // a high surrogate with nothing after it
      {u"\xD800Q", 65, -1},               // a high surrogate before a plain character
  };
  for (const Case& c : cases)
    EXPECT_EQ(TypedCodePoint(c.text, c.current), c.code) << fw::StringToUtf8(c.text);
}

TEST(CharacterOptions, CodePointTextAndTheEditsFontSizeByDigits) {
  EXPECT_EQ(CodePointText(65), u"A");
  EXPECT_EQ(CodePointText(0x10000), fw::String(u"\xD800\xDC00"));
  EXPECT_EQ(CodePointText(0x1D400), fw::String(u"\xD835\xDC00"));
  EXPECT_EQ(CodePointText(0xD800), u"");
  EXPECT_EQ(CodePointText(0x110000), u"");
  const int sizes[] = {22, 20, 18, 14, 12, 10, 10};
  for (int digits = 1; digits <= 7; ++digits) EXPECT_EQ(CodePointFontSize(digits), sizes[digits - 1]) << digits;
}

TEST(CharacterOptions, TheCharacterEditAndTheCodePointFollowEachOther) {
  apptest::AppDataFolder appData("character_options");
  apptest::SampleTextKeeper keep;
  MainWindowGlobal main;
  TImageForm* f = main.form.get();
  ASSERT_NE(f->editchar, nullptr);

  f->editchar->SetText(u"AZ");
  EXPECT_EQ(f->secodepoint->Value(), 90);
  EXPECT_EQ(f->editchar->Text(), u"Z");
  EXPECT_EQ(f->secodepoint->Font()->Size(), 20);

  f->secodepoint->SetValue(97);
  EXPECT_EQ(f->editchar->Text(), u"a");

  f->editchar->SetText(u"\xD800\xDC00");  // U+10000, above the 16-bit range
  EXPECT_EQ(f->secodepoint->Value(), 65536);
  EXPECT_EQ(f->editchar->Text(), fw::String(u"\xD800\xDC00"));
  EXPECT_EQ(f->secodepoint->Font()->Size(), 12);

  // A character the search cannot take (below 33) leaves the code point
  // alone and the edit shows its character again.
  f->secodepoint->SetValue(1234);
  EXPECT_EQ(f->secodepoint->Font()->Size(), 14);
  f->editchar->SetText(u" ");
  EXPECT_EQ(f->secodepoint->Value(), 1234);
  EXPECT_EQ(f->editchar->Text(), CodePointText(1234));
  f->secodepoint->SetValue(100);
  EXPECT_EQ(f->secodepoint->Font()->Size(), 18);
}

TEST(CharacterOptions, TheCodePointEditHoldsALineOfItsFontInsideItsRow) {
  apptest::AppDataFolder appData("code_point_edit");
  apptest::SampleTextKeeper keep;
  MainWindowGlobal main;
  TImageForm* f = main.form.get();
  f->Wizard->SetActivePageIndex(kPageRun);
  fwtest::Pump();
  fw::TSpinEdit* edit = f->secodepoint;
  const fw::TControl* sources = f->Panel3;
  ASSERT_NE(sources, nullptr);
  const int rowCentre = f->editchar->Top() + f->editchar->Height() / 2;
  // The text as typed: every count of digits, from the 22 points of one.
  for (const char16_t* text : {u"5", u"65", u"100", u"1234", u"65536", u"100000"}) {
    SCOPED_TRACE(fw::StringToUtf8(text));
    edit->SetText(text);
    fwtest::Pump();
    HDC dc = GetDC(edit->Handle());
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(edit->Handle(), WM_GETFONT, 0, 0)));
    TEXTMETRICW metric{};
    GetTextMetricsW(dc, &metric);
    SelectObject(dc, old);
    ReleaseDC(edit->Handle(), dc);
    SIZE extent{};
    dc = GetDC(edit->Handle());
    old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(edit->Handle(), WM_GETFONT, 0, 0)));
    GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text), static_cast<int>(fw::String(text).size()),
                          &extent);
    SelectObject(dc, old);
    ReleaseDC(edit->Handle(), dc);
    // Where the edit writes its text, beside its arrows.
    RECT place{};
    SendMessageW(edit->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&place));
    EXPECT_GE(place.bottom - place.top, metric.tmHeight) << "the digits are cut off below";
    EXPECT_GE(place.right - place.left, extent.cx) << "the digits are cut off on the right";
    EXPECT_GE(edit->Left(), f->editchar->Left() + f->editchar->Width());
    EXPECT_NEAR(edit->Top() + edit->Height() / 2, rowCentre, 1);
    EXPECT_GE(edit->Top(), sources->Top() + sources->Height());
    EXPECT_LE(edit->Top() + edit->Height(), f->sespeed->Top());
    const size_t digits = fw::String(text).size();
    {
      const std::string name = "code_point_edit_" + std::to_string(digits) + "_digits.png";
      EXPECT_TRUE(scenarios::SavePng(scenarios::ScreenshotOf(f->Handle()).get(), scenarios::ScreenshotPath(name)));
    }
  }
}

TEST(CharacterOptions, TheSymbolToggleGivesWayToBoldItalicAndTheSystemSource) {
  apptest::AppDataFolder appData("symbol_toggle");
  apptest::SampleTextKeeper keep;
  MainWindowGlobal main;
  TImageForm* f = main.form.get();
  struct Case {
    bool bold, italic, system;
    bool symbolsStay;
  } cases[] = {
      {false, false, false, true}, {true, false, false, false}, {false, true, false, false},
      {true, true, false, false},  {false, false, true, false},
  };
  for (const Case& c : cases) {
    f->cbfolders->SetChecked(!c.system);
    f->cbsysytem->SetChecked(c.system);
    f->chrbold->SetDown(c.bold);
    f->chritalic->SetDown(c.italic);
    for (fw::TSpeedButton* pressed : {f->chrbold, f->chritalic, f->cbsymbols}) {
      f->cbsymbols->SetDown(true);
      pressed->OnClick(pressed);
      EXPECT_EQ(f->cbsymbols->Down(), c.symbolsStay)
          << c.bold << c.italic << c.system << " " << fw::StringToUtf8(pressed->Name());
    }
  }
}

TEST(AboutBox, TheVersionComesFromTheProgramsVersionResource) {
  EXPECT_EQ(GetExeVersionText(ProgramFile()), u"3.0.0");
  // The test program carries no version resource: the box still opens.
  EXPECT_EQ(GetExeVersionText(), u"");
  EXPECT_EQ(GetExeVersionText(u"Z:\\no\\such\\file.exe"), u"");
  auto about = NewDialog<TAboutForm>();
  EXPECT_EQ(about->Caption(), u"About..");
  EXPECT_EQ(about->linfo->Caption(), u"Version: unknown");
}

TEST(AboutBox, LinksOpenTheWebPageAndASupportMailAndLightUpUnderTheMouse) {
  auto about = NewDialog<TAboutForm>();
  const fw::String title = fw::Application->Title();
  fw::Application->SetTitle(u"Vestaline3");
  gOpened.clear();
  SetOpenWebPageProc(RecordOpened);
  about->lbweb->Click();
  about->lbcontact->Click();
  SetOpenWebPageProc(nullptr);
  fw::Application->SetTitle(title);
  EXPECT_EQ(gOpened, (std::vector<fw::String>{kMakerWebUrl,
                                              u"mailto:support@okrabel.com?subject=Vestaline3 - support&body="}));

  for (ck::TCkLabel* link : {about->lbweb, about->lbcontact}) {
    link->OnMouseEnter(link);
    EXPECT_TRUE(link->Font()->Style().Contains(fw::fsBold));
    EXPECT_TRUE(link->Font()->Style().Contains(fw::fsUnderline));
    EXPECT_EQ(link->Font()->Color(), 0x6B675D);
    link->OnMouseLeave(link);
    EXPECT_TRUE(link->Font()->Style().Empty());
  }
}

TEST(CustomText, ApplyIsOnlyForATextAndSetsTheSampleTextOfThePreviews) {
  apptest::AppDataFolder appData("custom_text");
  apptest::SampleTextKeeper keep;
  MainWindowGlobal main;
  auto dialog = NewDialog<TForm2>();
  EXPECT_EQ(dialog->Caption(), u"Custom text");
  dialog->Show();
  fwtest::Pump();
  EXPECT_TRUE(dialog->Edit1->Focused());

  dialog->Edit1->SetText(u"");
  dialog->acapply->Update();
  EXPECT_FALSE(dialog->acapply->Enabled());
  dialog->Edit1->SetText(u"Quick brown fox");
  dialog->acapply->Update();
  ASSERT_TRUE(dialog->acapply->Enabled());
  dialog->acapply->Execute();
  EXPECT_EQ(main.form->edsample->Text(), u"Quick brown fox");
  EXPECT_FALSE(dialog->Visible());
}

TEST(SettingsDialog, FourValuesAreReadAtCreationTheOthersKeepTheirDefaultsUntilShown) {
  apptest::AppDataFolder appData("settings_early");
  apptest::SampleTextKeeper keep;
  ASSERT_TRUE(fw::ForceDirectories(appData.Path() + u"\\Okrabel\\Vestaline"));
  {
    std::ofstream ini(fw::StringToUtf8(appData.Path() + u"\\Okrabel\\Vestaline\\vestaline.ini"));
    ini << "[VestalineSettings]\r\ncbminimize_Checked=FALSE\r\nrgresize_ItemIndex=2\r\nrgcapture_ItemIndex=1\r\n"
           "cbtitle_Checked=FALSE\r\ncbfon_Checked=TRUE\r\nsepercentage_Value=60\r\n";
  }
  MainWindowGlobal main;
  auto settings = NewDialog<TVestalineSettings>();
  VestalineSettings = settings.get();
  EXPECT_EQ(settings->Caption(), u"Settings");
  // Tray off from the start, free-hand capture before the dialog was ever
  // opened, the 90 x 80 box and no crop titles.
  EXPECT_FALSE(main.form->Tray->Active());
  EXPECT_EQ(CaptureMode(), kCaptureFreeHand);
  EXPECT_EQ(SampleBox(), (fw::TPoint{90, 80}));
  EXPECT_FALSE(ShowCropTitles());
  // The database types and the wanted percentage wait for the first showing.
  EXPECT_FALSE(DatabaseTypeSettings().Raster);
  EXPECT_EQ(WantedPercentageSetting(), 90);

  settings->cbminimize->SetChecked(true);
  EXPECT_TRUE(main.form->Tray->Active());

  // The first showing brings the others; closing writes them all back.
  settings->Show();
  fwtest::Pump();
  EXPECT_TRUE(DatabaseTypeSettings().Raster);
  EXPECT_EQ(WantedPercentageSetting(), 60);
  settings->cbfon->SetChecked(false);
  settings->cbminimize->SetChecked(true);
  EXPECT_TRUE(settings->CloseQuery());
  services::TCkCustomAppStorage* ini = main.form->AppInistorage;
  EXPECT_EQ(ini->ReadString(u"VestalineSettings\\cbfon_Checked"), u"FALSE");
  EXPECT_EQ(ini->ReadString(u"VestalineSettings\\cbminimize_Checked"), u"TRUE");
  EXPECT_EQ(ini->ReadString(u"VestalineSettings\\rgcapture_ItemIndex"), u"1");
  EXPECT_EQ(ini->ReadString(u"VestalineSettings\\sepercentage_Value"), u"60");
  // The dialog keeps no placement.
  EXPECT_FALSE(ini->ValueStored(u"VestalineSettings\\NormPos"));
  settings->Hide();
  VestalineSettings = nullptr;
}

TEST(SettingsDialog, WithoutASettingsFileEverySettingHasItsDefault) {
  apptest::AppDataFolder appData("settings_defaults");
  apptest::SampleTextKeeper keep;
  MainWindowGlobal main;
  auto settings = NewDialog<TVestalineSettings>();
  VestalineSettings = settings.get();
  EXPECT_TRUE(MinimizeToTraySetting());
  EXPECT_EQ(CaptureMode(), kCaptureRectangle);
  EXPECT_EQ(SampleBox(), (fw::TPoint{70, 70}));
  EXPECT_TRUE(ShowCropTitles());
  EXPECT_EQ(WantedPercentageSetting(), 90);
  const TDatabaseTypeSettings types = DatabaseTypeSettings();
  EXPECT_TRUE(types.OpenType && types.Type1 && types.Collections);
  EXPECT_FALSE(types.Raster || types.CrashMarker);
  const fw::String pages[] = {u"General", u"Capture", u"Database"};
  ASSERT_EQ(settings->PageControl1->PageCount(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(settings->PageControl1->Pages(i)->Caption(), pages[i]);
  VestalineSettings = nullptr;
}

TEST(SmallDialogs, ScreenshotsOfTheSettingsPagesTheAboutBoxAndTheCustomTextDialog) {
  apptest::AppDataFolder appData("dialog_screenshots");
  apptest::SampleTextKeeper keep;
  MainWindowGlobal main;
  auto shoot = [](fw::TForm* form, const std::string& name) {
    form->SetPosition(fw::poDesigned);
    form->SetBounds(40, 40, form->Width(), form->Height());
    form->Show();
    SetForegroundWindow(form->Handle());
    fwtest::Pump(200);
    EXPECT_TRUE(scenarios::SavePng(scenarios::ScreenshotOf(form->Handle()).get(), scenarios::ScreenshotPath(name)));
    form->Hide();
  };
  auto settings = NewDialog<TVestalineSettings>();
  const char* pages[] = {"settings_general.png", "settings_capture.png", "settings_database.png"};
  for (int i = 0; i < 3; ++i) {
    settings->PageControl1->SetActivePageIndex(i);
    shoot(settings.get(), pages[i]);
  }
  auto about = NewDialog<TAboutForm>();
  shoot(about.get(), "about_box.png");
  auto custom = NewDialog<TForm2>();
  custom->Edit1->SetText(u"Quick brown fox");
  shoot(custom.get(), "custom_text.png");
}

namespace {

// A window printed (WM_PRINT) into a 32-bit image; pixels as colours.
struct Printed {
  std::unique_ptr<fw::TBitmap> bmp;
  explicit Printed(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    bmp = skin::NewBitmap32(r.right - r.left, r.bottom - r.top);
    SendMessageW(wnd, WM_PRINT, reinterpret_cast<WPARAM>(bmp->Canvas()->Handle()), PRF_CLIENT | PRF_ERASEBKGND);
    GdiFlush();
  }
  fw::TColor At(int x, int y) const {
    const uint32_t p = skin::View32(*bmp).Pixel(x, y);
    return fw::TColor(((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16));
  }
};

void CollectButtons(fw::TWinControl* parent, std::vector<fw::TWinControl*>& checks,
                    std::vector<fw::TWinControl*>& groups) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    auto* c = dynamic_cast<fw::TWinControl*>(parent->Controls(i));
    if (!c) continue;
    if (dynamic_cast<fw::TCheckBox*>(c) || dynamic_cast<fw::TRadioButton*>(c)) checks.push_back(c);
    if (dynamic_cast<fw::TCustomGroupBox*>(c)) groups.push_back(c);
    CollectButtons(c, checks, groups);
  }
}

}  // namespace

// The settings dialog's page control, check boxes, radio buttons and group
// boxes under their adapters (as the form skinning gives them to the
// controls its class lists name), in both program skins: the pages show
// the skin's page area, and the check boxes stand on it.
TEST(SettingsDialog, PageControlAndCheckBoxesSkinnedInBothSkins) {
  apptest::AppDataFolder appData("settings_skinned");
  apptest::SampleTextKeeper keep;
  MainWindowGlobal main;
  auto settings = NewDialog<TVestalineSettings>();
  VestalineSettings = settings.get();
  settings->SetPosition(fw::poDesigned);
  settings->SetBounds(40, 40, settings->Width(), settings->Height());
  settings->Show();
  fwtest::Pump(100);
  skin::TkSkinManager* manager = main.form->kSkinManager1;
  ASSERT_NE(manager, nullptr);
  const skin::TkcSkinSource source = [manager] { return manager->LoadedSkin(); };
  std::vector<std::unique_ptr<skin::TkcMainWnd>> adapters;
  adapters.emplace_back(skin::MakeListAdapter(skin::tlPageControl, settings->PageControl1, source, {}));
  std::vector<fw::TWinControl*> checks, groups;
  CollectButtons(settings->PageControl1, checks, groups);
  ASSERT_GE(checks.size(), 7u);
  for (auto* c : checks) adapters.emplace_back(skin::MakeListAdapter(skin::tlCheckBox, c, source, {}));
  for (auto* g : groups) adapters.emplace_back(skin::MakeListAdapter(skin::tlGroupBox, g, source, {}));
  for (const auto& a : adapters) ASSERT_NE(a, nullptr);
  for (const char16_t* name : {u"Sapphire (internal)", u"Topaz (internal)"}) {
    manager->WriteSkinName(name);
    fwtest::Pump(100);
    const std::string file = name[0] == u'S' ? "sapphire" : "topaz";
    const skin::TkLoadedSkin& skin = manager->Skin();
    const int page = skin.GetSkinIndex(u"PAGECONTROL");
    ASSERT_GE(page, 0);
    const fw::TColor pageColor = skin.gd[size_t(page)].Props[0].Color;
    const char* pages[] = {"general", "capture", "database"};
    for (int i = 0; i < 3; ++i) {
      settings->PageControl1->SetActivePageIndex(i);
      SetForegroundWindow(settings->Handle());
      RedrawWindow(settings->Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      fwtest::Pump(200);
      fw::TTabSheet* sheet = settings->PageControl1->ActivePage();
      ASSERT_TRUE(sheet && sheet->HandleAllocated());
      EXPECT_EQ(skin::SendSkinCommand(sheet->WindowHandle(), skin::SKC_ISHANDLED, 0), 1) << file << " page " << i;
      EXPECT_EQ(Printed(sheet->WindowHandle()).At(sheet->Width() - 8, sheet->Height() - 8), pageColor)
          << file << " page " << i << " shows the skin's page area";
      EXPECT_TRUE(scenarios::SavePng(scenarios::ScreenshotOf(settings->Handle()).get(),
                                     scenarios::ScreenshotPath("settings_skinned_" + file + "_" + pages[i] + ".png")));
    }
    // A check box of the first page stands on the page area.
    settings->PageControl1->SetActivePageIndex(0);
    fwtest::Pump(100);
    fw::TWinControl* box = settings->cbminimize;
    EXPECT_TRUE(dynamic_cast<skin::TkcCheckBoxWnd*>(skin::GetWindowAdapter(box->Handle())));
    EXPECT_EQ(Printed(box->Handle()).At(box->Width() - 2, 1), pageColor) << file;
  }
  adapters.clear();
  settings->Hide();
  VestalineSettings = nullptr;
}
