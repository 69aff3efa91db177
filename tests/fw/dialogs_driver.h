// A test driver that answers dialogs shown by the test thread: a thread of
// its own waits for each next visible top-level window of class "#32770" of
// this process, and runs one step on it (reading it, pressing its buttons).
// A dialog the steps leave open is closed after a grace period, so that a
// broken step fails the test instead of hanging it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <functional>
#include <set>
#include <thread>
#include <vector>

#include "fw/core/types.h"

namespace fw::testing {

class DialogDriver {
 public:
  using Step = std::function<void(HWND dialog)>;

  explicit DialogDriver(std::vector<Step> steps) : steps_(std::move(steps)) {
    thread_ = std::thread([this] { Run(); });
  }
  ~DialogDriver() { Join(); }

  void Join() {
    if (thread_.joinable()) thread_.join();
  }
  // Steps that found their dialog.
  int StepsDone() const { return done_; }
  // Dialogs the driver had to close because no step closed them.
  int ForcedCloses() const { return forced_; }

  static String ClassOf(HWND wnd) {
    wchar_t name[64] = {};
    GetClassNameW(wnd, name, 64);
    return FromW(name);
  }
  static String TextOf(HWND wnd) {
    wchar_t text[1024] = {};
    GetWindowTextW(wnd, text, 1024);
    return FromW(text);
  }

  // Presses the button with that identifier as the user would, by the
  // button's own notification to the dialog; a task dialog whose buttons are
  // not windows gets its click message.
  static void Press(HWND dialog, int id) {
    if (HWND button = GetDlgItem(dialog, id)) {
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    } else {
      PostMessageW(dialog, TDM_CLICK_BUTTON, static_cast<WPARAM>(id), 0);
    }
  }

  // The texts of every child window (labels, buttons), joined by "|".
  static String ChildTexts(HWND dialog) {
    String all;
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM p) -> BOOL {
          *reinterpret_cast<String*>(p) += TextOf(child) + u"|";
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    return all;
  }

 private:
  struct Search {
    const std::set<HWND>* seen;
    HWND found;
  };

  static BOOL CALLBACK Visit(HWND wnd, LPARAM p) {
    auto* s = reinterpret_cast<Search*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    if (pid == GetCurrentProcessId() && IsWindowVisible(wnd) && ClassOf(wnd) == u"#32770" &&
        !s->seen->count(wnd)) {
      s->found = wnd;
      return FALSE;
    }
    return TRUE;
  }

  HWND WaitForNewDialog(DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 20) {
      Search s{&seen_, nullptr};
      EnumWindows(&Visit, reinterpret_cast<LPARAM>(&s));
      if (s.found) return s.found;
      Sleep(20);
    }
    return nullptr;
  }

  void Run() {
    for (const Step& step : steps_) {
      HWND dialog = WaitForNewDialog(60000);  // generous: a loaded machine starts dialogs slowly
      if (!dialog) break;
      seen_.insert(dialog);
      // Let the dialog finish its start-up (hooks, first paint) first.
      Sleep(300);
      step(dialog);
      ++done_;
    }
    // Whatever is still open two minutes later was not answered: close it.
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 120000;) {
      bool open = false;
      for (HWND w : seen_)
        if (IsWindow(w) && IsWindowVisible(w)) open = true;
      if (!open) return;
      Sleep(100);
    }
    for (HWND w : seen_) {
      if (IsWindow(w)) {
        ++forced_;
        PostMessageW(w, WM_COMMAND, IDCANCEL, 0);
        PostMessageW(w, WM_CLOSE, 0, 0);
      }
    }
  }

  std::vector<Step> steps_;
  std::set<HWND> seen_;
  std::thread thread_;
  std::atomic<int> done_{0};
  std::atomic<int> forced_{0};
};

}  // namespace fw::testing
