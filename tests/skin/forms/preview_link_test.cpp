// The skin editor preview link: a stand-in editor in a process of its own
// answers the announcement and sends a short buffer and a whole record;
// only the record is taken. The checks of the receiving side, the link
// message, and an editor that never answers.
#include "skin/forms/preview_link.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/fw/controls_test_util.h"

namespace skin {
namespace {

std::wstring ProbePath() {
  const char* dir = std::getenv("VL_BINARY_DIR");
  std::string unixPath = std::string(dir ? dir : ".") + "/tests/preview_probe.exe";
  std::wstring path = dir && dir[0] == '/' ? L"Z:" : L"";
  for (char c : unixPath) path.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(c));
  return path;
}

// A window that hands WM_COPYDATA to the preview link and counts what it
// refused.
struct Receiver {
  static inline int refused = 0;
  HWND wnd = nullptr;
  Receiver() {
    static const ATOM atom = [] {
      WNDCLASSEXW wc{};
      wc.cbSize = sizeof wc;
      wc.lpfnWndProc = Proc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"VlPreviewReceiver";
      return RegisterClassExW(&wc);
    }();
    (void)atom;
    refused = 0;
    wnd = CreateWindowExW(0, L"VlPreviewReceiver", L"Receiver", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                          nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~Receiver() { DestroyWindow(wnd); }
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COPYDATA) {
      if (TakePreviewCopyData(w, wp, lp)) return 1;
      ++refused;
      return 0;
    }
    return DefWindowProcW(w, msg, wp, lp);
  }
};

// The link's globals and delivery, put back after each test.
struct LinkState {
  std::vector<TkcSkinData> delivered;
  LinkState() {
    PreviewRequested = true;
    PreviewWindow = nullptr;
    PreviewDataBusy = false;
    SetPreviewDelivery([this](const TkcSkinData& r) { delivered.push_back(r); });
  }
  ~LinkState() {
    SetPreviewDelivery(nullptr);
    PreviewRequested = false;
    PreviewWindow = nullptr;
  }
};

TEST(PreviewLink, EditorProcessGetsTheWindowAndItsShortBufferIsRefused) {
  LinkState link;
  Receiver target;
  std::wstring cmd = L"\"" + ProbePath() + L"\" 100";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  ASSERT_TRUE(fwtest::PumpUntil([] { return FindWindowW(nullptr, kSkinEditorTitle) != nullptr; }, 20000));
  EXPECT_TRUE(AnnouncePreviewWindow(target.wnd, nullptr, 5000, 20000));
  EXPECT_FALSE(PreviewRequested);
  EXPECT_EQ(PreviewWindow, target.wnd);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, 20000));
  DWORD code = 99;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  EXPECT_EQ(code, 0u) << "the probe saw the answer 1 and sent its records";
  EXPECT_EQ(Receiver::refused, 1) << "the 100-byte buffer";
  ASSERT_EQ(link.delivered.size(), 1u);
  EXPECT_EQ(link.delivered[0].SkinName, "ProbeSkin");
  EXPECT_EQ(link.delivered[0].SkinDir, "C:\\probe");
  EXPECT_EQ(link.delivered[0].Data, "[FORM]");
  // Once per run.
  EXPECT_FALSE(AnnouncePreviewWindow(target.wnd, nullptr));
}

TEST(PreviewLink, ReceiverChecksWindowKindMagicSizeAndBusy) {
  LinkState link;
  Receiver target, other;
  PreviewWindow = target.wnd;
  TkcSkinData r;
  r.Magic = kPreviewMagic;
  r.SkinName = "S";
  std::vector<uint8_t> bytes = WritePreviewRecord(r);
  COPYDATASTRUCT cds{0, static_cast<DWORD>(bytes.size()), bytes.data()};
  const LPARAM lp = reinterpret_cast<LPARAM>(&cds);
  EXPECT_FALSE(TakePreviewCopyData(other.wnd, 7, lp)) << "not the announced window";
  EXPECT_FALSE(TakePreviewCopyData(target.wnd, 6, lp)) << "another kind";
  EXPECT_FALSE(TakePreviewCopyData(target.wnd, 7, 0));
  cds.cbData = static_cast<DWORD>(kPreviewRecordSize - 1);
  EXPECT_FALSE(TakePreviewCopyData(target.wnd, 7, lp)) << "one byte short";
  cds.cbData = static_cast<DWORD>(bytes.size());
  bytes[1] = 0;  // 0xA400 is 00 A4 00 00
  EXPECT_FALSE(TakePreviewCopyData(target.wnd, 7, lp)) << "no magic";
  bytes[1] = 0xA4;
  PreviewDataBusy = true;
  EXPECT_FALSE(TakePreviewCopyData(target.wnd, 7, lp)) << "a record arriving while one is taken";
  PreviewDataBusy = false;
  EXPECT_TRUE(TakePreviewCopyData(target.wnd, 7, lp));
  EXPECT_FALSE(PreviewDataBusy);
  EXPECT_EQ(link.delivered.size(), 1u);
}

TEST(PreviewLink, LinkMessageClosesAnswersOrPassesOn) {
  Receiver target;
  bool handled = false;
  EXPECT_EQ(PreviewLinkMessage(target.wnd, 4, handled), 1);
  EXPECT_TRUE(handled);
  PreviewLinkMessage(target.wnd, 3, handled);
  EXPECT_FALSE(handled);
  EXPECT_EQ(PreviewLinkMessage(target.wnd, 9, handled), 0);
  EXPECT_TRUE(handled);
  PreviewLinkMessage(target.wnd, 1, handled);
  MSG m;
  EXPECT_TRUE(PeekMessageW(&m, target.wnd, WM_CLOSE, WM_CLOSE, PM_REMOVE));
}

TEST(PreviewLink, AnnouncementOnlyForTheMainFormAndGivesUpOnAHungEditor) {
  LinkState link;
  Receiver main, other;
  EXPECT_FALSE(AnnouncePreviewWindow(other.wnd, main.wnd));
  EXPECT_TRUE(PreviewRequested) << "another form's window is not announced";
  EXPECT_EQ(PreviewWindow, nullptr);
  // An editor whose thread never handles its messages.
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  struct Args {
    HANDLE release, ready;
  } args{release, ready};
  HANDLE thread = CreateThread(
      nullptr, 0,
      [](LPVOID p) -> DWORD {
        auto* a = static_cast<Args*>(p);
        HWND w = CreateWindowExW(0, L"STATIC", kSkinEditorTitle, WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        SetEvent(a->ready);
        WaitForSingleObject(a->release, INFINITE);
        DestroyWindow(w);
        return 0;
      },
      &args, 0, nullptr);
  WaitForSingleObject(ready, 10000);
  EXPECT_FALSE(AnnouncePreviewWindow(main.wnd, main.wnd, 20, 200)) << "returns: the editor never answered";
  EXPECT_EQ(PreviewWindow, main.wnd);
  SetEvent(release);
  WaitForSingleObject(thread, 10000);
  CloseHandle(thread);
  CloseHandle(release);
  CloseHandle(ready);
}

}  // namespace
}  // namespace skin
