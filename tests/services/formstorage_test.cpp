// A form that remembers itself: what its form storage writes when the form
// may close or goes, what it restores on the first show (before the form's
// own show handler), the version check, the desktop-suffixed position keys
// and stored rectangles that no monitor shows.
#include "services/formstorage.h"

#include <gtest/gtest.h>

#include "fw/controls_test_util.h"
#include "fw/core/form_loader.h"
#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"
#include "fw/stdctrls/checkbox.h"
#include "fw/stdctrls/spinedit.h"
#include "services/appstorage_win.h"
#include "services/core/appinistorage.h"

using namespace services;
using fw::String;

namespace {

class TStoredForm : public fw::TForm {
  FW_CLASS(TStoredForm, fw::TForm)
  explicit TStoredForm(fw::TComponent* AOwner) : fw::TForm(AOwner) {}
  TCkAppIniFileStorage* Ini = nullptr;
  TCkFormStorage* storage = nullptr;
  fw::TCheckBox* cbcheck = nullptr;
  fw::TSpinEdit* secode = nullptr;
  std::vector<std::string> log;
  bool allowClose = true;
  void FormShow(fw::TObject*) { log.push_back(cbcheck->Checked() ? "show checked" : "show unchecked"); }
  void FormCloseQuery(fw::TObject*, bool& CanClose) {
    log.push_back("closequery");
    CanClose = allowClose;
  }
  void FormDestroy(fw::TObject*) { log.push_back("destroy"); }
};

FW_REGISTER(TStoredForm) {
  c.Field(u"Ini", &TStoredForm::Ini);
  c.Field(u"storage", &TStoredForm::storage);
  c.Field(u"cbcheck", &TStoredForm::cbcheck);
  c.Field(u"secode", &TStoredForm::secode);
  c.Method(u"FormShow", &TStoredForm::FormShow);
  c.Method(u"FormCloseQuery", &TStoredForm::FormCloseQuery);
  c.Method(u"FormDestroy", &TStoredForm::FormDestroy);
}

const char16_t kStoredForm[] = uR"(object StoredForm: TStoredForm
  Left = 120
  Top = 110
  Width = 320
  Height = 240
  BorderStyle = bsSizeable
  Position = poDesigned
  OnShow = FormShow
  OnCloseQuery = FormCloseQuery
  OnDestroy = FormDestroy
  object Ini: TCkAppIniFileStorage
    StorageOptions.BooleanStringTrueValues = 'TRUE, YES, Y'
    StorageOptions.BooleanStringFalseValues = 'FALSE, NO, N'
    Location = flCustom
  end
  object storage: TCkFormStorage
    AppStorage = Ini
    AppStoragePath = '%form_name%'
    StoredProps.Strings = (
      'cbcheck.Checked'
      ' secode . Value'
      'gone.Value')
  end
  object cbcheck: TCheckBox
    Left = 8
    Top = 8
    Width = 100
    Height = 17
  end
  object secode: TSpinEdit
    Left = 8
    Top = 40
    Width = 80
    Height = 21
    MaxValue = 100000
    Value = 33
  end
end
)";

const String kFile = u"C:\\cfg\\vestaline.ini";

struct FormStorage : ::testing::Test {
  static void SetUpTestSuite() { fw::RegisterFormDescription(u"TStoredForm", kStoredForm); }
  void SetUp() override {
    RegisterAppStorageUnit();
    SetStorageFileSystem(&fs);
  }
  void TearDown() override { FinalizeAppStorageUnit(); }

  // A new form on the settings file; Version and the file are set before
  // anything is shown, as the program does in its create handler.
  TStoredForm* Make(int version = 0) {
    auto* f = fw::NewForm<TStoredForm>(nullptr);
    f->storage->SetVersion(version);
    f->Ini->SetFileName(kFile);
    return f;
  }
  static void Show(TStoredForm* f) {
    f->Show();
    fwtest::Pump();
  }
  // Lets the form close the way the close button does, then frees it.
  static void CloseAndFree(TStoredForm* f) {
    bool can = f->CloseQuery();
    (void)can;
    f->Free();
  }
  // Writes a value straight into the settings file.
  void Store(const String& key, const String& value) {
    auto s = std::make_unique<TCkAppIniFileStorage>(nullptr);
    s->SetLocation(flCustom);
    s->SetFileName(kFile);
    s->WriteString(u"StoredForm\\" + key, value);
  }
  std::unique_ptr<TCkAppIniFileStorage> Reader() {
    auto s = std::make_unique<TCkAppIniFileStorage>(nullptr);
    s->SetLocation(flCustom);
    s->SetFileName(kFile);
    return s;
  }
  std::vector<String> Keys() {
    auto s = Reader();
    fw::TStringList names;
    s->GetStoredValues(u"StoredForm", &names);
    std::vector<String> out;
    for (int i = 0; i < names.Count(); ++i) out.push_back(names.Strings(i).substr(String(u"StoredForm\\").size()));
    return out;
  }
  static RECT WindowRect(fw::TCustomForm* f) {
    RECT r{};
    GetWindowRect(f->Handle(), &r);
    return r;
  }
  TCkMemoryFileSystem fs;
};

TEST_F(FormStorage, TheFormIsSavedWhenItMayCloseAndRestoredBeforeItsOwnShowHandler) {
  TStoredForm* f = Make();
  EXPECT_EQ(f->storage->AppStoragePath(), u"StoredForm\\");
  EXPECT_EQ(f->storage->StoredProps()->Count(), 2);  // the line of a missing component went
  Show(f);
  f->SetBounds(150, 130, 400, 300);
  f->cbcheck->SetChecked(true);
  f->secode->SetValue(65);
  fwtest::Pump();
  CloseAndFree(f);

  const String suffix = CurrentDesktopSuffix();
  EXPECT_EQ(Keys(), (std::vector<String>{u"FormVersion", u"ShowCmd", u"Flags", u"PixelsPerInch",
                                         u"MinMaxPos" + suffix, u"MinMaxPos", u"NormPos" + suffix, u"NormPos",
                                         u"cbcheck_Checked", u"secode_Value"}));
  auto ini = Reader();
  EXPECT_EQ(ini->ReadString(u"StoredForm\\NormPos"), u"150,130,550,430");
  EXPECT_EQ(ini->ReadString(u"StoredForm\\NormPos" + suffix), u"150,130,550,430");
  EXPECT_EQ(ini->ReadString(u"StoredForm\\ShowCmd"), u"1");
  EXPECT_EQ(ini->ReadString(u"StoredForm\\cbcheck_Checked"), u"TRUE");
  EXPECT_EQ(ini->ReadString(u"StoredForm\\secode_Value"), u"65");

  TStoredForm* g = Make();
  EXPECT_FALSE(g->cbcheck->Checked());
  Show(g);
  EXPECT_EQ(g->log, (std::vector<std::string>{"show checked"}));
  EXPECT_EQ(g->secode->Value(), 65);
  const RECT r = WindowRect(g);
  EXPECT_EQ(r.left, 150);
  EXPECT_EQ(r.top, 130);
  EXPECT_EQ(r.right - r.left, 400);
  EXPECT_EQ(r.bottom - r.top, 300);
  // A later show restores nothing again.
  g->cbcheck->SetChecked(false);
  g->Hide();
  Show(g);
  EXPECT_FALSE(g->cbcheck->Checked());
  g->Free();
}

TEST_F(FormStorage, ARefusedCloseWritesNothingAndANeverShownFormWritesOnlyItsVersion) {
  Store(u"cbcheck_Checked", u"TRUE");
  TStoredForm* f = Make();
  Show(f);
  f->allowClose = false;
  f->secode->SetValue(70);
  EXPECT_FALSE(f->CloseQuery());
  EXPECT_EQ(Keys(), (std::vector<String>{u"cbcheck_Checked"}));
  f->allowClose = true;
  f->Free();  // goes without a save since its restore: saved now
  EXPECT_EQ(Reader()->ReadString(u"StoredForm\\secode_Value"), u"70");

  fs.Files.clear();
  Store(u"secode_Value", u"80");
  TStoredForm* never = Make();
  never->Free();
  EXPECT_EQ(Keys(), (std::vector<String>{u"secode_Value", u"FormVersion"}));
  EXPECT_EQ(Reader()->ReadString(u"StoredForm\\secode_Value"), u"80");
}

TEST_F(FormStorage, ValuesOfAnOlderFormVersionAreNotRestored) {
  const struct {
    int stored, version;
    bool restored;
  } cases[] = {{0, 0, true}, {2, 1, true}, {0, 1, false}};
  for (const auto& c : cases) {
    fs.Files.clear();
    Store(u"FormVersion", fw::IntToStr(c.stored));
    Store(u"secode_Value", u"99");
    TStoredForm* f = Make(c.version);
    Show(f);
    EXPECT_EQ(f->secode->Value(), c.restored ? 99 : 33) << c.stored << " " << c.version;
    CloseAndFree(f);
    EXPECT_EQ(Reader()->ReadInteger(u"StoredForm\\FormVersion", -1), c.version);
  }
}

TEST_F(FormStorage, TheKeysOfTheCurrentDesktopWinOverThePlainOnes) {
  const String suffix = CurrentDesktopSuffix();
  Store(u"NormPos", u"10,20,330,260");
  Store(u"NormPos(99999x99999)", u"30,40,350,280");
  TStoredForm* f = Make();
  Show(f);
  EXPECT_EQ(WindowRect(f).left, 10);  // no keys for this desktop: the plain ones
  f->Free();
  Store(u"NormPos" + suffix, u"50,60,370,300");
  f = Make();
  Show(f);
  EXPECT_EQ(WindowRect(f).left, 50);
  EXPECT_EQ(WindowRect(f).top, 60);
  f->Free();
}

TEST_F(FormStorage, AStoredRectangleNoMonitorShowsOrOfAnotherScaleIsIgnored) {
  const int w = GetSystemMetrics(SM_CXVIRTUALSCREEN), h = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  const struct {
    const char* what;
    String norm, ppi;
  } cases[] = {
      {"a monitor that is gone", fw::IntToStr(w + 200) + u",100," + fw::IntToStr(w + 520) + u",340", u"96"},
      {"partly off", fw::IntToStr(w - 100) + u",100," + fw::IntToStr(w + 220) + u",340", u"96"},
      {"above the desktop", u"100,-900,420,-660", u"96"},
      {"left not below right", u"300,100,300,340", u"96"},
      {"another scale", u"150,130,550,430", u"120"},
  };
  for (const auto& c : cases) {
    fs.Files.clear();
    Store(u"NormPos", c.norm);
    Store(u"PixelsPerInch", c.ppi);
    Store(u"ShowCmd", u"1");
    TStoredForm* f = Make();
    Show(f);
    const RECT r = WindowRect(f);
    EXPECT_EQ(r.left, 120) << c.what;  // the designed geometry
    EXPECT_EQ(r.top, 110) << c.what;
    EXPECT_LE(r.right, GetSystemMetrics(SM_CXSCREEN)) << c.what;
    EXPECT_LE(r.bottom, GetSystemMetrics(SM_CYSCREEN)) << c.what;
    EXPECT_TRUE(IsWindowVisible(f->Handle())) << c.what;
    f->Free();
  }
  (void)h;
}

TEST_F(FormStorage, AStoredMaximizedStateComesBack) {
  Store(u"ShowCmd", u"3");
  TStoredForm* f = Make();
  Show(f);
  EXPECT_TRUE(IsZoomed(f->Handle()));
  f->Free();
}

}  // namespace
