#include "fw/dialogs/dialogs.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>

#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"
#include "fw/graphics/graphics.h"
#include "fw/system/application.h"

namespace fw {

FW_REGISTER(TCommonDialog) {
  c.Event(u"OnClose", &TCommonDialog::FOnClose);
  c.Event(u"OnShow", &TCommonDialog::FOnShow);
}

TCommonDialog::TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}

HWND DialogOwnerWindow() {
  if (HWND active = GetActiveWindow()) return active;
  if (!Application) return nullptr;
  if (HWND form = Application->ActiveFormHandle()) return form;
  return Application->Handle();
}

bool TCommonDialog::Execute() { return Execute(DialogOwnerWindow()); }

void TCommonDialog::DoShow() {
  if (FOnShow) FOnShow(this);
}

void TCommonDialog::DoClose() {
  if (FOnClose) FOnClose(this);
}

// ---- open and save ----------------------------------------------------------

FW_REGISTER(TOpenDialog) {
  c.Property(u"DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt);
  c.Property(u"FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName);
  c.Property(u"Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter);
  c.Property(u"FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex).Default(1);
  c.Property(u"InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir);
  c.Property(u"Options", &TOpenDialog::Options, &TOpenDialog::SetOptions)
      .Default(TOpenOptions{ofHideReadOnly, ofEnableSizing});
  c.Property(u"Title", &TOpenDialog::Title, &TOpenDialog::SetTitle);
}

FW_REGISTER(TSaveDialog) {}

TOpenDialog::TOpenDialog(TComponent* AOwner) : TCommonDialog(AOwner), FFiles(new TStringList) {}

TOpenDialog::~TOpenDialog() { delete FFiles; }

bool TOpenDialog::Execute(HWND ParentWnd) { return DoExecute(false, ParentWnd); }

bool TSaveDialog::Execute(HWND ParentWnd) { return DoExecute(true, ParentWnd); }

UINT_PTR CALLBACK TOpenDialog::HookProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  (void)WParam;
  if (Msg == WM_INITDIALOG) {
    auto* ofn = reinterpret_cast<OPENFILENAMEW*>(LParam);
    auto* self = reinterpret_cast<TOpenDialog*>(ofn->lCustData);
    SetWindowLongPtrW(Wnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    self->FHandle = Wnd;
    return 0;
  }
  auto* self = reinterpret_cast<TOpenDialog*>(GetWindowLongPtrW(Wnd, DWLP_USER));
  if (!self) return 0;
  // The frame and its file list exist once the dialog reports it is ready.
  if (Msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(LParam)->code == CDN_INITDONE) self->DoShow();
  return 0;
}

namespace {

// "Desc|*.a|Desc|*.b" into the system's list of zero-terminated strings.
String SystemFilter(const String& filter) {
  if (filter.empty()) return String();
  String out = filter;
  for (char16_t& c : out)
    if (c == u'|') c = u'\0';
  out.push_back(u'\0');
  out.push_back(u'\0');
  return out;
}

// The system appends the default extension as given, so "*.txt" would give
// "name.*.txt": only the bare extension is passed on.
String BareExtension(const String& ext) {
  size_t start = 0;
  while (start < ext.size() && (ext[start] == u'*' || ext[start] == u'.')) ++start;
  return ext.substr(start);
}

DWORD SystemOpenFlags(TOpenOptions o, bool save) {
  struct Map {
    TOpenOption option;
    DWORD flag;
  } static const kMap[] = {
      {ofReadOnly, OFN_READONLY},
      {ofOverwritePrompt, OFN_OVERWRITEPROMPT},
      {ofHideReadOnly, OFN_HIDEREADONLY},
      {ofNoChangeDir, OFN_NOCHANGEDIR},
      {ofShowHelp, OFN_SHOWHELP},
      {ofNoValidate, OFN_NOVALIDATE},
      {ofAllowMultiSelect, OFN_ALLOWMULTISELECT},
      {ofExtensionDifferent, OFN_EXTENSIONDIFFERENT},
      {ofPathMustExist, OFN_PATHMUSTEXIST},
      {ofFileMustExist, OFN_FILEMUSTEXIST},
      {ofCreatePrompt, OFN_CREATEPROMPT},
      {ofShareAware, OFN_SHAREAWARE},
      {ofNoReadOnlyReturn, OFN_NOREADONLYRETURN},
      {ofNoTestFileCreate, OFN_NOTESTFILECREATE},
      {ofNoNetworkButton, OFN_NONETWORKBUTTON},
      {ofNoLongNames, OFN_NOLONGNAMES},
      {ofNoDereferenceLinks, OFN_NODEREFERENCELINKS},
      {ofEnableIncludeNotify, OFN_ENABLEINCLUDENOTIFY},
      {ofEnableSizing, OFN_ENABLESIZING},
      {ofDontAddToRecent, OFN_DONTADDTORECENT},
      {ofForceShowHidden, OFN_FORCESHOWHIDDEN},
  };
  DWORD flags = 0;
  for (const Map& m : kMap)
    if (o.Contains(m.option)) flags |= m.flag;
  if (!o.Contains(ofOldStyleDialog)) flags |= OFN_EXPLORER;
  // A save dialog never asks for an existing file.
  if (save) flags &= ~OFN_FILEMUSTEXIST;
  return flags;
}

}  // namespace

bool TOpenDialog::DoExecute(bool Save, HWND ParentWnd) {
  const String filter = SystemFilter(FFilter);
  const String defExt = BareExtension(FDefaultExt);
  // Room for many names when several may be chosen.
  std::u16string buffer(FOptions.Contains(ofAllowMultiSelect) ? 65536 : 4096, u'\0');
  FFileName.copy(buffer.data(), std::min(FFileName.size(), buffer.size() - 1));

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = ParentWnd;
  ofn.hInstance = GetModuleHandleW(nullptr);
  ofn.lpstrFilter = filter.empty() ? nullptr : W(filter);
  ofn.nFilterIndex = static_cast<DWORD>(FFilterIndex);
  ofn.lpstrFile = W(buffer.data());
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrInitialDir = FInitialDir.empty() ? nullptr : W(FInitialDir);
  ofn.lpstrTitle = FTitle.empty() ? nullptr : W(FTitle);
  ofn.lpstrDefExt = defExt.empty() ? nullptr : W(defExt);
  ofn.Flags = SystemOpenFlags(FOptions, Save) | OFN_ENABLEHOOK;
  ofn.lpfnHook = &TOpenDialog::HookProc;
  ofn.lCustData = reinterpret_cast<LPARAM>(this);

  auto run = [&] { return Save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn); };
  BOOL ok = run();
  DWORD error = ok ? 0 : CommDlgExtendedError();
  if (error == FNERR_INVALIDFILENAME) {
    // A start name the system refuses would keep the dialog from showing at
    // all: show it without one.
    std::fill(buffer.begin(), buffer.end(), u'\0');
    ok = run();
    error = ok ? 0 : CommDlgExtendedError();
  }
  FHandle = nullptr;
  DoClose();
  if (error != 0) {
    throw EInvalidOperation(u"The file dialog could not be shown (error " +
                            IntToHex(error, 4) + u")");
  }
  if (!ok) return false;

  FFiles->Clear();
  // Several names: the folder, then each name, each ended by a zero and the
  // list by an empty string. One name: the full path alone.
  const char16_t* p = buffer.data();
  String first(p);
  const char16_t* next = p + first.size() + 1;
  if (FOptions.Contains(ofAllowMultiSelect) && *next) {
    String dir = IncludeTrailingPathDelimiter(first);
    while (*next) {
      String name(next);
      FFiles->Add(dir + name);
      next += name.size() + 1;
    }
  } else {
    FFiles->Add(first);
  }
  FFileName = FFiles->Count() ? FFiles->Get(0) : String();
  FFilterIndex = static_cast<int>(ofn.nFilterIndex);
  if (ofn.Flags & OFN_EXTENSIONDIFFERENT) FOptions.Include(ofExtensionDifferent);
  else FOptions.Exclude(ofExtensionDifferent);
  if (ofn.Flags & OFN_READONLY) FOptions.Include(ofReadOnly);
  else FOptions.Exclude(ofReadOnly);
  return true;
}

// ---- colour -----------------------------------------------------------------

FW_REGISTER(TColorDialog) {
  c.Property(u"Color", &TColorDialog::Color, &TColorDialog::SetColor).Default(0);
  c.Property(u"Options", &TColorDialog::Options, &TColorDialog::SetOptions).Default(TColorDialogOptions{});
}

TColorDialog::TColorDialog(TComponent* AOwner)
    : TCommonDialog(AOwner), FCustomColors(new TStringList) {}

TColorDialog::~TColorDialog() { delete FCustomColors; }

UINT_PTR CALLBACK TColorDialog::HookProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  (void)WParam;
  if (Msg == WM_INITDIALOG) {
    auto* cc = reinterpret_cast<CHOOSECOLORW*>(LParam);
    auto* self = reinterpret_cast<TColorDialog*>(cc->lCustData);
    self->FHandle = Wnd;
    self->DoShow();
  }
  return 0;
}

bool TColorDialog::Execute(HWND ParentWnd) {
  static const char16_t kNames[] = u"ABCDEFGHIJKLMNOP";
  COLORREF custom[16];
  for (int i = 0; i < 16; ++i) {
    String v = FCustomColors->Values(String(u"Color") + kNames[i]);
    int value = 0;
    custom[i] = !v.empty() && TryStrToInt(u"$" + v, value) ? static_cast<COLORREF>(value) & 0xFFFFFF
                                                           : RGB(255, 255, 255);
  }
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = ParentWnd;
  cc.rgbResult = static_cast<COLORREF>(ColorToRGB(FColor)) & 0xFFFFFF;
  cc.lpCustColors = custom;
  cc.Flags = CC_RGBINIT | CC_ENABLEHOOK;
  if (FOptions.Contains(cdFullOpen)) cc.Flags |= CC_FULLOPEN;
  if (FOptions.Contains(cdPreventFullOpen)) cc.Flags |= CC_PREVENTFULLOPEN;
  if (FOptions.Contains(cdShowHelp)) cc.Flags |= CC_SHOWHELP;
  if (FOptions.Contains(cdSolidColor)) cc.Flags |= CC_SOLIDCOLOR;
  if (FOptions.Contains(cdAnyColor)) cc.Flags |= CC_ANYCOLOR;
  cc.lpfnHook = &TColorDialog::HookProc;
  cc.lCustData = reinterpret_cast<LPARAM>(this);
  BOOL ok = ChooseColorW(&cc);
  FHandle = nullptr;
  DoClose();
  if (!ok) return false;
  FColor = static_cast<TColor>(cc.rgbResult & 0xFFFFFF);
  FCustomColors->Clear();
  for (int i = 0; i < 16; ++i)
    FCustomColors->Add(String(u"Color") + kNames[i] + u"=" + IntToHex(custom[i] & 0xFFFFFF, 6));
  return true;
}

}  // namespace fw
