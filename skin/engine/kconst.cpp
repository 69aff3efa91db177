#include "skin/engine/kconst.h"

#include <windows.h>

#include <map>

namespace skin {

int WindowsMajorVersion = 0;
int ScrollArrowWidth = 16;
fw::String CaptionRestore, CaptionMove, CaptionSize, CaptionMinimize, CaptionMaximize, CaptionClose,
    CaptionAvailableSkins, CaptionInternal;

namespace {

// Every text of the engine's string table, in load order: the captions the
// program reads, the texts kept for the engine's dialogs, and its resource
// strings.
constexpr int kCaptionIds[] = {
    58992, 58991, 58990, 58981, 58980, 58979, 58978, 58977, 58976, 58975, 58970, 58964, 58963, 58962,
    58961, 58960, 58959, 58958, 58957, 58956, 58955, 58954, 58953, 58952, 58951, 58950, 58949, 58948,
    58947, 58946, 58945, 58944, 58943, 58942, 58941, 58940, 58939, 58938, 58937, 58936, 58935, 58934,
    58933, 58932, 58931, 58930, 58929, 58928, 58927, 58926, 58925, 58924, 58911, 58910, 58923,
    58905, 58906, 58907, 58908,  // "Root :", "Directory with skins :", "Select skin", "Skin preview"
};

int startCount = 0;
std::map<int, fw::String>& Captions() {
  static std::map<int, fw::String> captions;
  return captions;
}

fw::String LoadCaption(int id) {
  const wchar_t* text = nullptr;
  int length = LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
  if (length <= 0 || !text) return {};
  return fw::String(reinterpret_cast<const char16_t*>(text), static_cast<size_t>(length));
}

}  // namespace

const fw::String& SkinCaption(int id) {
  static const fw::String none;
  auto it = Captions().find(id);
  return it == Captions().end() ? none : it->second;
}

int MajorVersionOf(unsigned major, unsigned minor) {
  return major == 6 && minor == 2 ? 8 : static_cast<int>(major);
}

void StartSkinConstants() {
  if (startCount++ > 0) return;
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (GetVersionExW(&info)) WindowsMajorVersion = MajorVersionOf(info.dwMajorVersion, info.dwMinorVersion);
#pragma GCC diagnostic pop
  ScrollArrowWidth = GetSystemMetrics(SM_CXHSCROLL);
  for (int id : kCaptionIds) Captions()[id] = LoadCaption(id);
  if (Captions()[sidInvalidDate].empty()) Captions()[sidInvalidDate] = u"Invalid date";
  CaptionRestore = SkinCaption(sidRestore);
  CaptionMove = SkinCaption(sidMove);
  CaptionSize = SkinCaption(sidSize);
  CaptionMinimize = SkinCaption(sidMinimize);
  CaptionMaximize = SkinCaption(sidMaximize);
  CaptionClose = SkinCaption(sidClose);
  CaptionAvailableSkins = SkinCaption(sidAvailableSkins);
  CaptionInternal = SkinCaption(sidInternal);
}

void FinishSkinConstants() {
  if (startCount == 0 || --startCount > 0) return;
  Captions().clear();
  for (fw::String* s : {&CaptionRestore, &CaptionMove, &CaptionSize, &CaptionMinimize, &CaptionMaximize,
                        &CaptionClose, &CaptionAvailableSkins, &CaptionInternal})
    s->clear();
}

}  // namespace skin
