// The folder-browse dialog: the option rules (flags, dependent options, what
// older shells take), the special-folder roots, the title and placement,
// and Execute driven through the shell's real dialog.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <filesystem>

#include "controls/base/cktypes.h"
#include "controls/dialogs/ckbrowsefolder.h"
#include "fw/controls_test_util.h"
#include "fw/core/form_loader.h"
#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"
#include "fw/dialogs_driver.h"
#include "fw/platform_test_folder.h"

using namespace ck;
using fw::String;
using fw::testing::DialogDriver;

namespace {

using O = TOptionsDirectories;

TEST(BrowseFolderRules, EachOptionAddsItsShellFlag) {
  struct Case {
    TOptionsDirectory option;
    UINT flag;
  } const cases[] = {
      {odBrowseForComputer, 0x1000}, {odOnlyDirectory, 0},      {odOnlyPrinters, 0x2000},
      {odNoBelowDomain, 0x0002},     {odSystemAncestorsOnly, 0x0008}, {odFileSystemDirectoryOnly, 0x0001},
      {odStatusAvailable, 0x0004},   {odIncludeFiles, 0x4000},  {odIncludeUrls, 0x0080},
      {odEditBox, 0x0010},           {odNewDialogStyle, 0x0040}, {odShareable, 0x8000},
      {odUsageHint, 0x0100},         {odNoNewButtonFolder, 0x0200}, {odValidate, 0x0020},
  };
  for (const Case& c : cases) EXPECT_EQ(BrowseOptionFlags(O{c.option}), c.flag) << int(c.option);
  EXPECT_EQ(BrowseOptionFlags(O{odStatusAvailable, odNewDialogStyle, odNoNewButtonFolder}), 0x0244u);
}

TEST(BrowseFolderRules, WritingOptionsBringsTheDependentOptions) {
  const O def{odStatusAvailable, odNewDialogStyle};
  struct Case {
    const char* what;
    O start, written, expected;
  } const cases[] = {
      {"urls added", def, def + O{odIncludeUrls},
       O{odStatusAvailable, odNewDialogStyle, odIncludeUrls, odIncludeFiles, odEditBox}},
      {"validate added", def, def + O{odValidate}, O{odStatusAvailable, odEditBox, odNewDialogStyle, odValidate}},
      {"emptied", def, O{}, O{}},
      {"usage hint takes the edit box", O{odStatusAvailable, odNewDialogStyle, odEditBox},
       O{odStatusAvailable, odNewDialogStyle, odEditBox, odUsageHint}, O{odStatusAvailable, odNewDialogStyle, odUsageHint}},
      {"shareable wants the new style", O{}, O{odShareable}, O{odShareable, odNewDialogStyle}},
      {"old style drops urls and shareable", O{odNewDialogStyle, odShareable, odEditBox, odIncludeUrls, odIncludeFiles},
       O{odShareable, odEditBox, odIncludeUrls, odIncludeFiles}, O{odEditBox, odIncludeFiles}},
      {"no edit box drops validation", O{odEditBox, odValidate, odIncludeUrls, odIncludeFiles, odNewDialogStyle},
       O{odValidate, odIncludeUrls, odIncludeFiles, odNewDialogStyle}, O{odIncludeFiles, odNewDialogStyle}},
      {"no files drops urls", O{odEditBox, odIncludeUrls, odIncludeFiles, odNewDialogStyle},
       O{odEditBox, odIncludeUrls, odNewDialogStyle}, O{odEditBox, odNewDialogStyle}},
      {"validate alone needs an edit box", O{odUsageHint, odNewDialogStyle}, O{odUsageHint, odNewDialogStyle, odValidate},
       O{odNewDialogStyle, odEditBox, odValidate}},
  };
  for (const Case& c : cases) {
    TCkBrowseForFolderDialog dlg(nullptr);
    dlg.SetOptions(c.start);
    ASSERT_EQ(dlg.Options(), AdjustBrowseOptions(def, c.start)) << c.what;
    EXPECT_EQ(AdjustBrowseOptions(c.start, c.written).Mask(), c.expected.Mask()) << c.what;
  }
  TCkBrowseForFolderDialog dlg(nullptr);
  EXPECT_EQ(dlg.Options(), def);
  dlg.SetOptions(dlg.Options() + O{odIncludeUrls});
  EXPECT_EQ(dlg.Options(), (O{odStatusAvailable, odNewDialogStyle, odIncludeUrls, odIncludeFiles, odEditBox}));
}

TEST(BrowseFolderRules, OlderShellsLoseTheOptionsTheyLack) {
  const O all{odIncludeFiles, odIncludeUrls, odEditBox, odNewDialogStyle, odShareable, odUsageHint,
              odNoNewButtonFolder, odValidate, odStatusAvailable};
  struct Case {
    DWORD version;
    O expected;
  } const cases[] = {
      {0x00060000, all},
      {0x00050000, all - O{odUsageHint, odNoNewButtonFolder}},
      {0x00040071, O{odIncludeFiles, odEditBox, odValidate, odStatusAvailable}},
      {0x00040047, O{odStatusAvailable}},  // 4.71: no edit box, no files
      {0x00040000, O{odStatusAvailable}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(UsableBrowseOptions(all, c.version).Mask(), c.expected.Mask()) << std::hex << c.version;
}

TEST(BrowseFolderRules, EnumerationFlagsAndClassesConvertBothWays) {
  EXPECT_EQ(BrowsableClassesToFlags({ocFolders, ocIncludeHidden, ocStorage}), 0x8A0u);
  EXPECT_EQ(FlagsToBrowsableClasses(0x60 | 0x10000), (TCkBrowsableObjectClasses{ocFolders, ocNonFolders}));
}

TEST(BrowseFolderRules, SpecialFoldersFallBackOnOlderShells) {
  using R = TSpecialFolderRoot;
  struct Case {
    TFromDirectory folder;
    DWORD version;
    bool nt;
    R::TKind kind;
    TFromDirectory used;
    int csidl;
  } const cases[] = {
      {fdMyDocuments, 0x00060000, true, R::rkLocation, fdMyDocuments, 0x0C},
      {fdMyDocuments, 0x00050000, true, R::rkLocation, fdPersonal, 0x05},
      {fdCommonMusic, 0x00050000, true, R::rkLocation, fdCommonDocuments, 0x2E},
      {fdMyPictures, 0x00040047, true, R::rkFolderPath, fdMyPictures, 0x27},  // its path, from SHGetFolderPathW
      {fdAppData, 0x00040071, true, R::rkLocation, fdAppData, 0x1A},
      {fdCDBurnArea, 0x00050000, true, R::rkNone, fdNoSpecialFolder, 0},  // the desktop
      {fdCommonFavorites, 0x00060000, false, R::rkNone, fdNoSpecialFolder, 0},
      {fdCommonFavorites, 0x00060000, true, R::rkLocation, fdCommonFavorites, 0x1F},
      {fdRootFolder, 0x00040000, true, R::rkLocation, fdRootFolder, 0x00},
  };
  for (const Case& c : cases) {
    R r = ResolveSpecialFolder(c.folder, c.version, c.nt);
    EXPECT_EQ(r.Kind, c.kind) << int(c.folder);
    EXPECT_EQ(r.Folder, c.used) << int(c.folder);
    EXPECT_EQ(r.Csidl, c.csidl) << int(c.folder);
  }
}

TEST(BrowseFolderRules, TitleCarriesTheStatusTextOnlyWithTheNewStyle) {
  EXPECT_EQ(BrowseDialogTitle(u"Pick", u"", true), u"Pick");
  EXPECT_EQ(BrowseDialogTitle(u"Pick", u"Now", false), u"Pick");
  EXPECT_EQ(BrowseDialogTitle(u"Pick", u"Now", true), u"Pick\rNow");
  EXPECT_EQ(BrowseDialogTitle(u"", u"Now", true), u"Now");
}

TEST(BrowseFolderRules, PlacementInTheWorkArea) {
  const fw::TRect work{0, 0, 1000, 800}, owner{100, 100, 500, 400};
  const int fx = GetSystemMetrics(SM_CXDLGFRAME), fy = GetSystemMetrics(SM_CYDLGFRAME),
            cap = GetSystemMetrics(SM_CYCAPTION);
  struct Case {
    TCkFolderPos pos;
    fw::TPoint expected;
  } const cases[] = {
      {fpScreenCenter, {400, 300}},  {fpFormCenter, {200, 150}},
      {fpTopLeft, {0, 0}},           {fpTopRight, {800 - fx, 0}},
      {fpBottomLeft, {0, 600 - cap + fy}}, {fpBottomRight, {800 - fx, 600 - cap - fy}},
  };
  for (const Case& c : cases) {
    fw::TPoint p;
    ASSERT_TRUE(BrowseDialogPlacement(c.pos, work, owner, 200, 200, p));
    EXPECT_EQ(p, c.expected) << int(c.pos);
  }
  fw::TPoint p;
  EXPECT_FALSE(BrowseDialogPlacement(fpDefault, work, owner, 200, 200, p));
}

String WindowsDir() {
  wchar_t buf[MAX_PATH] = {};
  GetWindowsDirectoryW(buf, MAX_PATH);
  return FromW(buf);
}

TEST(BrowseFolderRoot, PathAndSpecialFolderReplaceEachOther) {
  TCkBrowseForFolderDialog dlg(nullptr);
  dlg.SetRootDirectory(fdWindows);
  EXPECT_TRUE(fw::SameText(dlg.RootDirectoryPath(), WindowsDir())) << fw::StringToUtf8(dlg.RootDirectoryPath());
  EXPECT_FALSE(dlg.RootPathStored());
  // Leaving the special folder keeps its path as the root.
  dlg.SetRootDirectory(fdNoSpecialFolder);
  EXPECT_TRUE(fw::SameText(dlg.RootDirectoryPath(), WindowsDir()));
  EXPECT_TRUE(dlg.RootPathStored());
  dlg.SetRootDirectory(fdMyComputer);
  dlg.SetRootDirectoryPath(u"C:\\");
  EXPECT_EQ(dlg.RootDirectory(), fdNoSpecialFolder);
  EXPECT_EQ(dlg.RootDirectoryPath(), u"C:\\");
}

TEST(BrowseFolderRoot, FormDescriptionsCreateTheDialogByName) {
  RegisterDialogClasses();
  fw::TComponent root(nullptr);
  fw::ReadRootComponent(&root,
                        u"object Root: TComponent\n"
                        u"  object Browse: TCkBrowseForFolderDialog\n"
                        u"    Title = 'Pick the database folder'\n"
                        u"    Options = [odStatusAvailable, odNewDialogStyle, odNoNewButtonFolder]\n"
                        u"    RootDirectory = fdRootFolder\n"
                        u"  end\n"
                        u"end\n",
                        u"Root.form");
  auto* dlg = dynamic_cast<TCkBrowseForFolderDialog*>(root.FindComponent(u"Browse"));
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(dlg->Title(), u"Pick the database folder");
  EXPECT_EQ(dlg->Options(), (O{odStatusAvailable, odNewDialogStyle, odNoNewButtonFolder}));
  EXPECT_EQ(dlg->RootDirectory(), fdRootFolder);
}

// ---- Execute through the shell's dialog ---------------------------------------

bool SamePath(const String& a, const String& b) {
  return fw::SameText(fw::IncludeTrailingPathDelimiter(a), fw::IncludeTrailingPathDelimiter(b));
}

std::vector<std::string> Utf8All(const std::vector<String>& texts) {
  std::vector<std::string> out;
  for (const String& t : texts) out.push_back(fw::StringToUtf8(t));
  return out;
}

// Answers the dialog from its own notifications: once it is initialised,
// runs the step and then presses a button; with pressAt set, only once the
// dialog reports that folder selected. Wine fills its folder tree as it goes
// and may miss the selection asked for at the start: the dialog is asked
// again until it reports it, and cancelled when it never does within half a
// minute.
struct Answer {
  TCkBrowseForFolderDialog* dlg;
  std::function<void(HWND)> step;
  int button = IDOK;
  String pressAt;
  HWND window = nullptr;
  bool pressed = false;
  std::vector<String> changes;
  static constexpr UINT_PTR kAskAgain = 1, kGiveUp = 2;
  static constexpr const wchar_t* kProperty = L"BrowseFolderTestAnswer";
  static void CALLBACK AskAgain(HWND w, UINT, UINT_PTR, DWORD) {
    if (auto* a = static_cast<Answer*>(GetPropW(w, kProperty)))
      SendMessageW(w, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(W(a->pressAt)));
  }
  static void CALLBACK GiveUp(HWND w, UINT, UINT_PTR, DWORD) {
    KillTimer(w, kAskAgain);
    KillTimer(w, kGiveUp);
    RemovePropW(w, kProperty);
    PostMessageW(w, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  }
  void Press() {
    if (pressed) return;
    pressed = true;
    KillTimer(window, kAskAgain);
    KillTimer(window, kGiveUp);
    RemovePropW(window, kProperty);
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  }
  void Init(fw::TObject*) {
    window = dlg->Handle();
    if (step) step(window);
    if (pressAt.empty() || (!changes.empty() && SamePath(changes.back(), pressAt))) {
      Press();
      return;
    }
    SetPropW(window, kProperty, this);
    SetTimer(window, kAskAgain, 100, &AskAgain);
    SetTimer(window, kGiveUp, 30000, &GiveUp);
  }
  void Change(fw::TObject*, const String& dir) {
    changes.push_back(dir);
    if (window && !pressAt.empty() && SamePath(dir, pressAt)) Press();
  }
  explicit Answer(TCkBrowseForFolderDialog& d) : dlg(&d) {
    d.FOnInit = fw::TNotifyEvent(this, &Answer::Init);
    d.FOnChange = TCkBrowseFolderChange(this, &Answer::Change);
  }
};

class BrowseFolderExecute : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(std::filesystem::path(fw::StringToUtf8(dir.Path())) / "alpha" / "inner");
    std::filesystem::create_directories(std::filesystem::path(fw::StringToUtf8(dir.Path())) / "beta");
  }
  String Sub(const char16_t* name) { return fw::IncludeTrailingPathDelimiter(dir.Path()) + name; }
  // A folder of its own for every test: Wine's shell keeps what it saw of
  // a folder that is removed and made again under the same name.
  static std::string NextName() {
    static int n = 0;
    return "browsefolder" + std::to_string(++n);
  }
  fw::testing::TestFolder dir{NextName().c_str()};
};

TEST_F(BrowseFolderExecute, OkReturnsTheInitialFolderWithTitleAndEvents) {
  TCkBrowseForFolderDialog dlg(nullptr);
  dlg.SetTitle(u"Choose the crop folder");
  dlg.SetDirectory(Sub(u"beta"));
  Answer answer(dlg);
  String texts;
  answer.step = [&](HWND w) { texts = DialogDriver::ChildTexts(w); };
  answer.pressAt = Sub(u"beta");
  ASSERT_TRUE(dlg.Execute(nullptr)) << "the dialog never reported the initial folder selected, only:"
                                    << ::testing::PrintToString(Utf8All(answer.changes));
  EXPECT_NE(answer.window, nullptr);
  EXPECT_EQ(dlg.Handle(), nullptr);  // closed again
  EXPECT_NE(texts.find(u"Choose the crop folder"), String::npos) << fw::StringToUtf8(texts);
  EXPECT_TRUE(SamePath(dlg.Directory(), Sub(u"beta"))) << fw::StringToUtf8(dlg.Directory());
  // The item's display name (Wine gives the whole path).
  EXPECT_TRUE(dlg.DisplayName().ends_with(u"beta")) << fw::StringToUtf8(dlg.DisplayName());
  EXPECT_NE(dlg.Pidl(), nullptr);
  ASSERT_FALSE(answer.changes.empty());
  EXPECT_TRUE(SamePath(answer.changes.back(), Sub(u"beta")));
}

TEST_F(BrowseFolderExecute, CancelLeavesTheResultAlone) {
  TCkBrowseForFolderDialog dlg(nullptr);
  dlg.SetDirectory(Sub(u"beta"));
  Answer answer(dlg);
  answer.button = IDCANCEL;
  EXPECT_FALSE(dlg.Execute(nullptr));
  EXPECT_EQ(dlg.Directory(), Sub(u"beta"));
  EXPECT_EQ(dlg.DisplayName(), u"");
  EXPECT_EQ(dlg.Pidl(), nullptr);
}

// The text of the folder the dialog's tree has selected.
String SelectedTreeText(HWND dialog) {
  HWND tree = nullptr;
  EnumChildWindows(
      dialog,
      [](HWND w, LPARAM p) -> BOOL {
        if (DialogDriver::ClassOf(w) != u"SysTreeView32") return TRUE;
        *reinterpret_cast<HWND*>(p) = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&tree));
  if (!tree) return String();
  wchar_t text[MAX_PATH] = {};
  TVITEMW item{};
  item.mask = TVIF_TEXT;
  item.hItem = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  item.pszText = text;
  item.cchTextMax = MAX_PATH;
  if (!item.hItem || !SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return String();
  return String(reinterpret_cast<const char16_t*>(text));
}

// Asks the dialog to select the folder until done() holds, for up to two
// minutes: Wine fills its folder tree as it goes and may miss a selection
// asked for too early. The asks thin out over time, so that on a busy
// machine they do not keep the tree refilling itself.
template <class Done>
void SelectUntil(HWND dialog, const String& folder, Done done) {
  const DWORD start = GetTickCount();
  for (DWORD pause = 50; !done() && GetTickCount() - start < 120000; pause = std::min<DWORD>(pause * 2, 1000)) {
    SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(W(folder)));
    for (const DWORD asked = GetTickCount(); !done() && GetTickCount() - asked < pause;) Sleep(10);
  }
}

TEST_F(BrowseFolderExecute, SelectionSetFromAnotherThreadUnderAPathRoot) {
  TCkBrowseForFolderDialog dlg(nullptr);
  dlg.SetRootDirectoryPath(dir.Path());
  dlg.SetOptions({odStatusAvailable, odNewDialogStyle, odNoNewButtonFolder});
  String inner = Sub(u"alpha\\inner");
  DialogDriver driver({[&](HWND w) {
    SelectUntil(w, inner, [&] { return SelectedTreeText(w) == u"inner"; });
    DialogDriver::Press(w, IDOK);
  }});
  ASSERT_TRUE(dlg.Execute(nullptr));
  driver.Join();
  EXPECT_EQ(driver.ForcedCloses(), 0);
  EXPECT_TRUE(SamePath(dlg.Directory(), inner)) << fw::StringToUtf8(dlg.Directory());
  EXPECT_EQ(dlg.UsedOptions(), (O{odStatusAvailable, odNewDialogStyle, odNoNewButtonFolder}));
}

// The enable-OK messages the dialog window receives, with the folder last
// offered to OnAcceptChange (Wine's dialog sets the button again after the
// notification, so the messages are what is checked).
std::vector<std::pair<String, LPARAM>> gEnableOk;
String gLastAsked;
WNDPROC gDialogProc = nullptr;
LRESULT CALLBACK RecordEnableOk(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == BFFM_ENABLEOK) {
    gEnableOk.push_back({gLastAsked, lp});
    gLastAsked.clear();  // what follows is the dialog's own
  }
  return CallWindowProcW(gDialogProc, w, msg, wp, lp);
}

TEST_F(BrowseFolderExecute, AcceptChangeEnablesOrDisablesOk) {
  struct Refuse {
    String target;
    std::atomic<int> seen{0};
    void Accept(fw::TObject*, const String& folder, bool& accept) {
      gLastAsked = folder;
      if (SamePath(folder, target)) ++seen;
      accept = folder.find(u"alpha") == String::npos;
    }
    // Watches the dialog window from its start.
    void Init(fw::TObject* sender) {
      HWND w = static_cast<TCkBrowseForFolderDialog*>(sender)->Handle();
      gDialogProc = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordEnableOk)));
    }
  };
  // One dialog per folder: Wine's tree does not always take a second
  // selection while it refills after the folders were made.
  for (const char16_t* name : {u"alpha", u"beta"}) {
    TCkBrowseForFolderDialog dlg(nullptr);
    Refuse refuse;
    refuse.target = Sub(name);
    dlg.FOnAcceptChange = TCkBrowseFolderAcceptChange(&refuse, &Refuse::Accept);
    dlg.FOnInit = fw::TNotifyEvent(&refuse, &Refuse::Init);
    gEnableOk.clear();
    gLastAsked.clear();
    DialogDriver driver({[&](HWND w) {
      SelectUntil(w, refuse.target, [&] { return refuse.seen != 0; });
      DialogDriver::Press(w, IDCANCEL);
    }});
    EXPECT_FALSE(dlg.Execute(nullptr));
    driver.Join();
    // Every answer follows the handler (the dialog's own messages aside).
    bool sawTarget = false;
    for (const auto& [folder, enabled] : gEnableOk) {
      if (folder.empty()) continue;
      EXPECT_EQ(enabled, SamePath(folder, Sub(u"alpha")) ? 0 : 1) << fw::StringToUtf8(folder);
      sawTarget |= SamePath(folder, refuse.target);
    }
    EXPECT_TRUE(sawTarget) << fw::StringToUtf8(name);
  }
}

TEST_F(BrowseFolderExecute, OldStyleShowsThePathInTheStatusLineAndAHelpButton) {
  TCkBrowseForFolderDialog dlg(nullptr);
  dlg.SetOptions({odStatusAvailable});
  dlg.SetHelpContext(7);
  dlg.SetPosition(fpTopLeft);
  dlg.SetDirectory(Sub(u"beta"));
  Answer answer(dlg);
  String status, help;
  RECT where{};
  answer.step = [&](HWND w) {
    wchar_t text[MAX_PATH] = {};
    GetWindowTextW(GetDlgItem(w, 14147), text, MAX_PATH);
    status = FromW(text);
    GetWindowTextW(GetDlgItem(w, 0xFFFF), text, MAX_PATH);
    help = FromW(text);
    GetWindowRect(w, &where);
  };
  ASSERT_TRUE(dlg.Execute(nullptr));
  EXPECT_EQ(help, u"&Help");
  // The path, shortened with an ellipsis when it does not fit.
  EXPECT_NE(status.find(u"beta"), String::npos) << fw::StringToUtf8(status);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(where.left, work.left);
  EXPECT_EQ(where.top, work.top);
}

// The shell under Wine does not validate typed names, so the notices are
// given to the dialog's callback as the shell would give them.
TEST_F(BrowseFolderExecute, ValidationHandlerDecidesWhetherTheDialogCloses) {
  TCkBrowseForFolderDialog dlg(nullptr);
  const LPARAM self = reinterpret_cast<LPARAM>(&dlg);
  EXPECT_EQ(TCkBrowseForFolderDialog::BrowseCallback(nullptr, BFFM_VALIDATEFAILEDW,
                                                      reinterpret_cast<LPARAM>(L"x"), self), 0);
  struct Validate {
    int calls = 0;
    String typed;
    void Failed(fw::TObject*, const String& text, bool& canClose) {
      typed = text;
      canClose = ++calls > 1;
    }
  } validate;
  dlg.FOnValidateFailed = TCkBrowseFolderValidateFailed(&validate, &Validate::Failed);
  EXPECT_EQ(TCkBrowseForFolderDialog::BrowseCallback(nullptr, BFFM_VALIDATEFAILEDW,
                                                      reinterpret_cast<LPARAM>(L"no such folder"), self), 1);
  EXPECT_EQ(validate.typed, u"no such folder");
  EXPECT_EQ(TCkBrowseForFolderDialog::BrowseCallback(nullptr, BFFM_VALIDATEFAILEDA,
                                                      reinterpret_cast<LPARAM>("ansi"), self), 0);
  EXPECT_EQ(validate.typed, u"ansi");
}

}  // namespace
