#include "skin/engine/skin_utils.h"

#include <dwmapi.h>
#include <shellapi.h>

#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"
#include "fw/platform/files.h"
#include "fw/system/application.h"

namespace skin {

namespace {

bool QueryNonClientFont(int Kind, LOGFONTW& font) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return false;
  switch (Kind) {
    case ncfCaption: font = metrics.lfCaptionFont; break;
    case ncfSmallCaption: font = metrics.lfSmCaptionFont; break;
    case ncfMenu: font = metrics.lfMenuFont; break;
    case ncfStatus: font = metrics.lfStatusFont; break;
    default: font = metrics.lfMessageFont; break;
  }
  return true;
}

bool CompositionEnabled() {
  BOOL on = FALSE;
  return SUCCEEDED(DwmIsCompositionEnabled(&on)) && on;
}

}  // namespace

bool Wow64WithoutComposition = RunningUnderWow64() && !CompositionEnabled();

int CaptionFontHeight() {
  LOGFONTW font;
  return QueryNonClientFont(ncfCaption, font) ? font.lfHeight : 0;
}

HFONT CreateCaptionFont() { return NonClientFontHandle(ncfCaption); }

HFONT NonClientFontHandle(int Kind) {
  LOGFONTW font;
  return QueryNonClientFont(Kind, font) ? CreateFontIndirectW(&font) : nullptr;
}

void AssignNonClientFont(fw::TCanvas& Canvas, int Kind) {
  if (HFONT f = NonClientFontHandle(Kind)) Canvas.Font()->SetHandle(f);
}

bool SysWindowAnimationOn() {
  ANIMATIONINFO info{sizeof(ANIMATIONINFO), 0};
  return SystemParametersInfoW(SPI_GETANIMATION, sizeof(info), &info, 0) && info.iMinAnimate != 0;
}

void SetSysWindowAnimation(bool on) {
  ANIMATIONINFO info{sizeof(ANIMATIONINFO), on ? -1 : 0};
  SystemParametersInfoW(SPI_SETANIMATION, sizeof(info), &info, 0);
}

void DelayProcessingMessages(unsigned milliseconds) {
  const DWORD start = GetTickCount();
  do {
    if (fw::Application) fw::Application->ProcessMessages();
  } while (static_cast<DWORD>(GetTickCount() - start) < milliseconds);
}

void ShowErrorMessage(const fw::String& text) { MessageBoxW(nullptr, W(text), L"Error", MB_OK | MB_ICONERROR); }

bool DebuggerIsPresent() { return IsDebuggerPresent() != FALSE; }

bool RunningUnderWow64() {
  BOOL wow = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow) && wow;
}

bool FolderExists(const fw::String& path) {
  const DWORD attributes = GetFileAttributesW(W(path));
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    switch (GetLastError()) {
      case ERROR_FILE_NOT_FOUND:
      case ERROR_PATH_NOT_FOUND:
      case ERROR_NOT_READY:
      case ERROR_BAD_NETPATH:
      case ERROR_INVALID_NAME: return false;
      default: return true;  // there, but unreadable
    }
  }
  if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  // A link: it counts only when its target can be opened.
  HANDLE h = CreateFileW(W(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

fw::String AppFolder() { return fw::ExeFolder(); }

std::unique_ptr<fw::TIcon> FileIconOf(const fw::String& fileName, UINT shellFlags) {
  if (GetFileAttributesW(W(fileName)) == INVALID_FILE_ATTRIBUTES) return nullptr;
  SHFILEINFOW info{};
  if (!SHGetFileInfoW(W(fileName), 0, &info, sizeof(info), shellFlags | SHGFI_ICON) || !info.hIcon) return nullptr;
  auto icon = std::make_unique<fw::TIcon>();
  icon->SetHandle(info.hIcon);
  if (icon->Empty()) return nullptr;
  return icon;
}

fw::TMessage PackMessageRec(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT result) {
  fw::TMessage m;
  m.Msg = msg, m.WParam = wParam, m.LParam = lParam, m.Result = result;
  return m;
}

TCacheInfo MakeCacheInfo(const TPixelView32& bmp, int x, int y) {
  TCacheInfo ci;
  ci.Bmp = bmp, ci.X = x, ci.Y = y, ci.FillColor = clSkinKey, ci.FillRect = {}, ci.Ready = true;
  return ci;
}

void ParseIniSections(const fw::TStrings& lines, fw::TMemIniFile& sections) { sections.SetText(lines.Text()); }

fw::String ReadIniString(fw::TMemIniFile& sections, const fw::String& section, const fw::String& key,
                         const fw::String& def) {
  return sections.ReadString(section, key, def);
}

int ReadIniInteger(fw::TMemIniFile& sections, const fw::String& section, const fw::String& key, int def) {
  fw::String value = sections.ReadString(section, key, u"");
  if (value.size() > 2 && value[0] == u'0' && (value[1] == u'x' || value[1] == u'X')) value = u"$" + value.substr(2);
  int result;
  return fw::TryStrToInt(value, result) ? result : def;
}

bool HasPublishedProp(fw::TObject* object, fw::StringView name) {
  return object && fw::GetPropInfo(object, name) != nullptr;
}

fw::TObject* ReadObjectPropByName(fw::TObject* object, fw::StringView name) {
  const fw::TPropInfo* info = object ? fw::GetPropInfo(object, name) : nullptr;
  if (!info || info->Kind() != fw::tkClass) return nullptr;
  return info->GetValue(object).AsObject();
}

int64_t ReadOrdPropByName(fw::TObject* object, fw::StringView name) {
  const fw::TPropInfo* info = object ? fw::GetPropInfo(object, name) : nullptr;
  if (!info) return -1;
  fw::TValue v = info->GetValue(object);
  return v.Kind() == fw::TValueKind::Ordinal ? v.AsOrdinal() : -1;
}

void WriteOrdPropByName(fw::TObject* object, fw::StringView name, int64_t value) {
  const fw::TPropInfo* info = object ? fw::GetPropInfo(object, name) : nullptr;
  // A read-only or not ordinal property of that name is left alone, as a
  // missing one is.
  if (info && info->CanWrite() && info->GetValue(object).Kind() == fw::TValueKind::Ordinal)
    info->SetValue(object, fw::TValue(value));
}

namespace {

// The element names of a set property, in its text form's order.
std::vector<fw::String> SetElements(fw::TObject* object, fw::StringView setProp) {
  std::vector<fw::String> names;
  const fw::String text = fw::GetSetProp(object, setProp, false);
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(u',', start);
    if (comma == fw::String::npos) comma = text.size();
    // The text separates elements by ", ".
    const fw::String name = fw::Trim(text.substr(start, comma - start));
    if (!name.empty()) names.push_back(name);
    start = comma + 1;
  }
  return names;
}

}  // namespace

bool SetPropHasElement(fw::TObject* object, fw::StringView setProp, fw::StringView element) {
  if (!HasPublishedProp(object, setProp)) return false;
  for (const fw::String& name : SetElements(object, setProp))
    if (name == element) return true;
  return false;
}

bool ChangeSetPropElement(fw::TObject* object, fw::StringView setProp, fw::StringView element, bool include) {
  if (!HasPublishedProp(object, setProp)) return false;
  std::vector<fw::String> names = SetElements(object, setProp);
  auto it = std::find(names.begin(), names.end(), element);
  // The exact name is removed: a search of the text would take "seLeft" out
  // of "seLeftAlign".
  if (include == (it != names.end())) return false;
  if (include) names.emplace_back(element);
  else names.erase(it);
  fw::String text;
  for (const fw::String& name : names) text += (text.empty() ? u"" : u",") + name;
  fw::SetSetProp(object, setProp, text);
  return false;
}

}  // namespace skin
