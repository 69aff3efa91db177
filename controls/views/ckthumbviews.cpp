// The string list comes before <windows.h>, whose GetObject macro would
// rename the list's virtual method of that name in the thumb list's
// virtual table, which this file emits.
#include "fw/core/strings_list.h"
// (keep the line above first)
#include "controls/views/ckthumbviews.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"
#include "fw/graphics/picture.h"
#include "fw/platform/files.h"
#include "fw/system/screen.h"

namespace ck {

using fw::TMouseButton;
using fw::TShiftState;

namespace {

// The whole part of x, one step further from zero when x has a fraction.
long CeilAway(long double x) {
  long double t = std::trunc(x);
  if (t != x) t += x > 0 ? 1 : -1;
  return static_cast<long>(t);
}

// Whole-number division of positive layout values; a cell that has no
// extent counts as one pixel, so that no layout divides by zero.
long CeilDiv(long n, long d) { return CeilAway(static_cast<long double>(n) / (d > 0 ? d : 1)); }

}  // namespace

TCkThumbView::TCkThumbView(fw::TComponent* AOwner) : TCkBaseThumbView(AOwner) {
  FMaxSize = {200, 200};
  FPercent = 100;
  FThumbGap = 4;
  FScrollMode = smHorizontal;
  FAlignView = vtNormal;
  FAutoScrolling = true;
  FAutoHandleKeyb = true;
  FMinMemory = true;
  FSorted = true;
  FFilter = DefaultFilter();
  FThumbColor = fw::clNone;
  FAsButtons = false;
  FTitlePlacement = tpUp;
  FShowShadow = false;
  FShadowColor = fw::clBlack;
  FSelected = -1;
  SetTabStop(true);
  SetBounds(Left(), Top(), 600, 480);
  SetCaption(String());
  HorzScrollBar()->SetTracking(true);
  VertScrollBar()->SetTracking(true);
  FThumbList = new TCkThumbList();
  FThumbList->SetSorted(FSorted);
  FFileList = new fw::TStringList();
  FFileListSorted = new fw::TStringList();
  ComputeThumbSize();
}

void TCkThumbView::BeforeDestruction() {
  // The thumbnails go with the children; the list must not point at them.
  if (FThumbList) FThumbList->Clear();
  FSelected = -1;
  TCkBaseThumbView::BeforeDestruction();
}

TCkThumbView::~TCkThumbView() {
  delete FFileList;
  FFileList = nullptr;
  delete FFileListSorted;
  FFileListSorted = nullptr;
  delete FThumbList;
  FThumbList = nullptr;
  delete FGraphicExtensions;
  FGraphicExtensions = nullptr;
}

String TCkThumbView::DefaultFilter() { return fw::GraphicFilter(fw::TGraphic::StaticClass()); }

// ---- Properties

void TCkThumbView::SetMaxWidth(int Value) {
  FMaxSize.x = Value;
  ComputeThumbSize();
  PlaceThumbs(0);
}

void TCkThumbView::SetMaxHeight(int Value) {
  FMaxSize.y = Value;
  ComputeThumbSize();
  PlaceThumbs(0);
}

void TCkThumbView::SetSize(int Value) {
  FPercent = static_cast<TPercent>(std::clamp(Value, -100, 100));
  ComputeThumbSize();
  PlaceThumbs(0);
}

void TCkThumbView::SetThumbGap(int Value) {
  FThumbGap = static_cast<uint8_t>(Value);
  if (FAlignView == vtFitToScreen) return;
  CountPerLine();
  PlaceThumbs(0);
}

void TCkThumbView::SetScrollMode(TScrollMode Value) {
  if (Value == FScrollMode) return;
  FScrollMode = Value;
  ComputeThumbSize();
  PlaceThumbs(0);
  if (FSelected >= 0) ScrollToThumb(FSelected);
}

void TCkThumbView::SetAlignView(TViewType Value) {
  if (Value == FAlignView) return;
  FAlignView = Value;
  PlaceThumbs(0);
}

void TCkThumbView::SetAsButtons(bool Value) {
  if (Value == FAsButtons) return;
  for (int i = 0; i < FThumbList->Count(); ++i)
    if (TCkThumbnail* t = FThumbList->GetThumbnail(i)) t->SetAsButton(Value);
  FAsButtons = Value;
}

void TCkThumbView::SetTitlePlacement(TTitlePos Value) {
  if (Value == FTitlePlacement) return;
  for (int i = 0; i < FThumbList->Count(); ++i)
    if (TCkThumbnail* t = FThumbList->GetThumbnail(i)) t->SetTitlePlacement(Value);
  FTitlePlacement = Value;
}

void TCkThumbView::SetSorted(bool Value) {
  if (Value == FSorted) return;
  FSorted = Value;
  FThumbList->SetSorted(Value);
  // Before the first paint, the first paint scans.
  if (FPainted) {
    SetDirectory(FDirectory);
    Invalidate();
  }
}

// ---- Layout

void TCkThumbView::ComputeThumbSize() {
  FThumbSize.x = static_cast<int>(std::trunc(static_cast<long double>(FMaxSize.x) / 100 * FPercent));
  FThumbSize.y = static_cast<int>(std::trunc(static_cast<long double>(FMaxSize.y) / 100 * FPercent));
  CountPerLine();
}

void TCkThumbView::CountPerLine() {
  long m = 1;
  int g = FThumbGap;
  switch (FScrollMode) {
    case smHorizontal:
      if (g + FThumbSize.y > 0) m = (Height() - 20) / (g + FThumbSize.y);
      break;
    case smVertical:
      if (g + FThumbSize.x > 0) m = (Width() - 20) / (g + FThumbSize.x);
      break;
    case smBoth: m = CeilAway(std::sqrt(static_cast<long double>(FThumbList ? FThumbList->Count() : 0))); break;
  }
  if (m <= 0) m = 1;
  FMaxX = static_cast<uint16_t>(m);
}

int TCkThumbView::ThumbLeft(int N) const {
  if (N == 0) return 0;
  int g = FThumbGap, tw = FThumbSize.x, m = FMaxX;
  if (FScrollMode == smHorizontal) {
    long c = CeilDiv(N, m);
    return static_cast<int>((c - 1) * tw + c * g);
  }
  long r = CeilDiv(N, m);
  long c = N - (r - 1) * m;
  long gx = g;
  if (FScrollMode == smVertical && FAlignView == vtFitToScreen) gx = (Width() - 20 - m * tw) / (m + 1);
  long left = (c - 1) * tw + c * gx;
  if (FScrollMode == smVertical && FAlignView == vtCenter) left += (Width() - 20) / 2 - ((g + tw) * m) / 2;
  return static_cast<int>(left);
}

int TCkThumbView::ThumbTop(int N) const {
  if (N == 0) return 0;
  int g = FThumbGap, th = FThumbSize.y, m = FMaxX;
  if (FScrollMode != smHorizontal) {
    long r = CeilDiv(N, m);
    return static_cast<int>((r - 1) * th + r * g);
  }
  long c = CeilDiv(N, m);
  long r = N - (c - 1) * m;
  long gy = g;
  if (FAlignView == vtFitToScreen) gy = (Height() - 20 - (g + th) * m) / (m + 1);
  long top = (r - 1) * th + r * gy;
  if (FAlignView == vtCenter) top += (Height() - 20) / 2 - (m * th) / 2;
  return static_cast<int>(top);
}

int TCkThumbView::HorzPos() const { return HorzScrollBar()->Position(); }
int TCkThumbView::VertPos() const { return VertScrollBar()->Position(); }
void TCkThumbView::SetHorzPos(int Value) { HorzScrollBar()->SetPosition(Value); }
void TCkThumbView::SetVertPos(int Value) { VertScrollBar()->SetPosition(Value); }

void TCkThumbView::PlaceThumbs(int From) {
  if (!FThumbList) return;
  // Placed with both positions at 0, the positions are absolute.
  int hpos = HorzPos(), vpos = VertPos();
  SetHorzPos(0);
  SetVertPos(0);
  DisableAlign();
  try {
    for (int i = std::max(From, 0); i < FThumbList->Count(); ++i)
      if (TCkThumbnail* t = FThumbList->GetThumbnail(i))
        t->SetBounds(ThumbLeft(i + 1), ThumbTop(i + 1), FThumbSize.x, FThumbSize.y);
  } catch (...) {
    EnableAlign();
    throw;
  }
  EnableAlign();
  SetHorzPos(hpos);
  SetVertPos(vpos);
}

void TCkThumbView::Resize() {
  if (FThumbList) {
    CountPerLine();
    PlaceThumbs(0);
  }
  TCkBaseThumbView::Resize();
}

// ---- Thumbnails

void TCkThumbView::HandOverClicks(TCkThumbnail* Thumb) {
  Thumb->OnClick = OnClick;
  Thumb->OnDblClick = OnDblClick;
  Thumb->Photo()->OnClick = OnClick;
  Thumb->Photo()->OnDblClick = OnDblClick;
}

void TCkThumbView::AddThumb(const String& ATitle, bool Redraw) {
  auto* t = new TCkThumbnail(this);
  int n = Count() + 1;
  t->SetBounds(ThumbLeft(n), ThumbTop(n), FThumbSize.x, FThumbSize.y);
  t->SetAsButton(FAsButtons);
  t->SetTitlePlacement(FTitlePlacement);
  t->SetShadowColor(FShadowColor);
  t->SetShowShadow(FShowShadow);
  HandOverClicks(t);
  t->Photo()->OnInvalidImage = TInvalidImageEvent(this, &TCkThumbView::ForwardInvalidImage);
  t->SetMinimizeMemory(FMinMemory);
  t->SetColor(Color());
  t->SetTitle(ATitle);
  if (FThumbColor == fw::clNone) {
    t->SetColor(Color());
    t->SetParentColor(true);
    t->SetTitleColor(Color());
  } else {
    t->SetColor(FThumbColor);
  }
  // A sorted list takes one entry per title; a thumbnail it refuses would
  // be shown without being listed, so it goes again.
  int before = FThumbList->Count();
  FThumbList->AddObject(ATitle, t);
  if (FThumbList->Count() == before) {
    t->Free();
    return;
  }
  t->SetParent(this);
  if (Redraw) {
    ComputeThumbSize();
    PlaceThumbs(0);
  }
}

int TCkThumbView::AddFromFile(const String& AFile) {
  auto* t = new TCkThumbnail(this);
  if (OnGetTitle) {
    String title = fw::ExtractFileName(AFile);
    std::unique_ptr<fw::TFont> font = std::make_unique<fw::TFont>();
    fw::TFont* given = font.get();
    TColor color = fw::clBtnFace;
    OnGetTitle(this, AFile, title, given, color);
    t->SetTitlePanel(title, given ? given : font.get(), color);
  }
  HandOverClicks(t);
  t->SetMinimizeMemory(FMinMemory);
  int before = FThumbList->Count();
  FThumbList->AddObject(AFile, t);
  if (FThumbList->Count() == before) {
    t->Free();
  } else {
    t->SetParent(this);
  }
  ComputeThumbSize();
  PlaceThumbs(0);
  int index = FThumbList->IndexOf(AFile);
  if (index >= 0) FThumbList->GetThumbnail(index)->SetFileName(AFile);
  return index;
}

int TCkThumbView::AddFromStream(fw::TStream& AStream, TGRFKind AType) { return AddFromStream(AStream, AType, String()); }

int TCkThumbView::AddFromStream(fw::TStream& AStream, TGRFKind AType, const String& ATitle) {
  auto* t = new TCkThumbnail(this);
  t->SetStreamFileType(AType);
  int n = Count() + 1;
  t->SetBounds(ThumbLeft(n), ThumbTop(n), FThumbSize.x, FThumbSize.y);
  HandOverClicks(t);
  t->SetTitle(ATitle);
  try {
    t->Photo()->LoadFromStream(AStream, AType);
  } catch (...) {
    t->Free();
    throw;
  }
  int before = FThumbList->Count();
  int index = FThumbList->AddObject(ATitle, t);
  if (FThumbList->Count() == before) {
    t->Free();
    return index;
  }
  t->SetParent(this);
  t->FitPhoto();
  ComputeThumbSize();
  PlaceThumbs(index);
  return index;
}

void TCkThumbView::Delete(int No) {
  if (No >= FThumbList->Count()) return;
  TCkThumbnail* gone = FThumbList->GetThumbnail(No);
  // The selection goes; the selected thumbnail that stays shows its
  // normal colours again.
  if (FSelected >= 0 && FSelected < FThumbList->Count() && FSelected != No) {
    TCkThumbnail* s = FThumbList->GetThumbnail(FSelected);
    s->SetTitleColor(s->Color());
    s->TitleFont()->SetColor(s->Font()->Color());
  }
  if (gone) gone->Free();
  FThumbList->Delete(No);
  FSelected = -1;
  PlaceThumbs(std::max(No - 1, 0));
  Refresh();
  Repaint();
}

void TCkThumbView::EmptyList() {
  DisableAlign();
  try {
    for (int i = FThumbList->Count() - 1; i >= 0; --i) {
      TCkThumbnail* t = FThumbList->GetThumbnail(i);
      if (t) {
        RemoveControl(t);
        t->Free();
      }
      FThumbList->Delete(i);
    }
  } catch (...) {
    EnableAlign();
    throw;
  }
  EnableAlign();
  FSelected = -1;
}

void TCkThumbView::SortList() {
  FThumbList->Sort();
  ComputeThumbSize();
  PlaceThumbs(0);
}

void TCkThumbView::Refresh() {
  ComputeThumbSize();
  PlaceThumbs(0);
  for (int i = 0; i < FThumbList->Count(); ++i)
    if (TCkThumbnail* t = FThumbList->GetThumbnail(i)) t->Refresh();
  TCkBaseThumbView::Refresh();
}

void TCkThumbView::ForwardInvalidImage(TObject* Sender, const String& AFileName) { OnInvalidImage(Sender, AFileName); }

// ---- Scanning

void TCkThumbView::BuildMaskList() {
  delete FGraphicExtensions;
  FGraphicExtensions = new fw::TStringList();
  String joined;
  if (FFilter.find(u'|') == String::npos) {
    joined = FFilter;
  } else {
    // Descriptions and mask lists alternate; the mask lists are taken.
    size_t start = 0;
    int field = 0;
    while (start <= FFilter.size()) {
      size_t bar = FFilter.find(u'|', start);
      String part = FFilter.substr(start, bar == String::npos ? String::npos : bar - start);
      if (field % 2 == 1) {
        if (!joined.empty()) joined += u';';
        joined += part;
      }
      ++field;
      if (bar == String::npos) break;
      start = bar + 1;
    }
  }
  joined = fw::StringReplace(joined, u";", u"\r\n", fw::rfReplaceAll | fw::rfIgnoreCase);
  fw::TStringList lines;
  lines.SetText(joined);
  for (int i = 0; i < lines.Count(); ++i)
    if (!lines[i].empty()) FGraphicExtensions->Add(lines[i]);
}

void TCkThumbView::FindGraphicFiles(const String& Folder) {
  FFileList->Clear();
  FFileListSorted->Clear();
  BuildMaskList();
  try {
    if (fw::DirectoryExists(Folder)) {
      String dir = Folder;
      if (dir.empty() || dir.back() != u'\\') dir += u'\\';
      for (int m = 0; m < FGraphicExtensions->Count(); ++m) {
        fw::TSearchRec rec;
        // Hidden and system files and folders are left out.
        int found = fw::FindFirst(dir + (*FGraphicExtensions)[m], 0, rec);
        while (found == 0) {
          String full = dir + rec.Name;
          if (FFileList->IndexOf(full) < 0) {
            FFileList->Add(full);
            FFileListSorted->Add(full);
          }
          found = fw::FindNext(rec);
        }
        fw::FindClose(rec);
      }
    }
    FFileListSorted->Sort();
  } catch (...) {
    delete FGraphicExtensions;
    FGraphicExtensions = nullptr;
    throw;
  }
  delete FGraphicExtensions;
  FGraphicExtensions = nullptr;
}

void TCkThumbView::SetDirectory(const String& Value) {
  FSelected = -1;
  if (FFilling) return;
  if (Value.empty()) {
    EmptyList();
  } else {
    fw::TCursor savedCursor = fw::Screen ? fw::Screen->Cursor() : fw::crDefault;
    FFilling = true;
    DWORD start = GetTickCount();
    auto restore = [&]() {
      FFilling = false;
      if (fw::Screen) fw::Screen->SetCursor(savedCursor);
    };
    try {
      FindGraphicFiles(Value);
      fw::TStringList work;
      work.Assign(FSorted ? FFileListSorted : FFileList);
      EmptyList();
      FDirectory = Value;
      OnStartScanning(this, work.Count() - 1);
      for (int i = 0; i < work.Count(); ++i) {
        bool stop = false;
        OnScanProgress(this, i + 1, stop);
        if (stop) break;
        AddThumb(fw::ExtractFileName(work[i]), true);
        if (i < FThumbList->Count()) FThumbList->GetThumbnail(i)->SetFileName(work[i]);
        if (fw::Screen && fw::Screen->Cursor() != fw::crHourGlass && GetTickCount() - start > 1000)
          fw::Screen->SetCursor(fw::crHourGlass);
      }
      OnStopScanning(this);
    } catch (...) {
      restore();
      throw;
    }
    restore();
  }
  FDirectory = Value;
  if (FThumbList->Count() > 0 && FSelected == -1) SetSelected(0);
  Invalidate();
}

// ---- Selection

void TCkThumbView::SetSelected(int Value) {
  int count = FThumbList->Count();
  if (Value < 0 || Value >= count) Value = -1;
  if (count == 0) {
    FSelected = -1;
    return;
  }
  if (FSelected >= 0 && FSelected < count) {
    TCkThumbnail* old = FThumbList->GetThumbnail(FSelected);
    old->SetTitleColor(old->Color());
    old->TitleFont()->SetColor(old->Font()->Color());
  }
  if (Value >= 0) {
    TCkThumbnail* t = FThumbList->GetThumbnail(Value);
    t->SetTitleColor(fw::clHighlight);
    t->TitleFont()->SetColor(fw::clHighlightText);
    if (FAutoScrolling) {
      if (t->Top() + t->Height() > Height() || t->Top() < 0) ScrollToThumb(Value);
      if (t->Left() + t->Width() > Width() || t->Left() < 0) ScrollToThumb(Value);
    }
  }
  if (Value == FSelected) return;
  OnChanging(this);
  FSelected = Value;
  OnChange(this);
}

String TCkThumbView::SelectedFile() const {
  if (FSelected < 0 || FSelected >= FThumbList->Count()) return String();
  return FThumbList->GetThumbnail(FSelected)->FileName();
}

void TCkThumbView::SetSelectedFile(const String& Value) {
  SetDirectory(fw::ExcludeTrailingPathDelimiter(fw::ExtractFilePath(Value)));
  for (int i = 0; i < FThumbList->Count(); ++i) {
    if (FThumbList->GetThumbnail(i)->FileName() == Value) {
      SetSelected(i);
      if (!FAutoScrolling) ScrollToThumb(i);
      return;
    }
  }
}

void TCkThumbView::ScrollToThumb(int Index) {
  if (Index < 0 || Index >= FThumbList->Count()) return;
  TCkThumbnail* t = FThumbList->GetThumbnail(Index);
  int w = t->Width(), h = t->Height();
  auto horizontal = [&]() {
    if (t->Left() < 0) SetHorzPos(HorzPos() + t->Left() - w / 2);
    if (t->Left() + w > Width()) SetHorzPos(HorzPos() + t->Left() + w + w / 2 - Width());
  };
  switch (FScrollMode) {
    case smHorizontal: horizontal(); break;
    case smVertical:
      if (t->Top() < 0) SetVertPos(VertPos() + t->Top() - h / 2);
      if (t->Top() + h > Height()) SetVertPos(VertPos() + t->Top() + h + h / 2 - Height());
      break;
    case smBoth:
      if (t->Top() < 0) SetVertPos(VertPos() + t->Top() - h / 2);
      if (t->Top() + h > Height()) SetVertPos(VertPos() + t->Top() - (h - h / 2));
      horizontal();
      break;
  }
  if (Index != FSelected) {
    FSelected = Index;
    OnClick(this);
  }
}

// ---- Input

void TCkThumbView::DialogCodes(TDialogKeyCodes& Codes) { Codes = TDialogKeyCodes{dkAllKeys, dkArrows}; }

void TCkThumbView::MoveBy(int Delta) {
  int target = FSelected + Delta;
  if (target < 0 || target > Count() - 1) return;
  SetSelected(target);
}

void TCkThumbView::KeyDown(WORD& Key, TShiftState Shift) {
  OnKeyDown(this, Key, Shift);
  if (FAutoHandleKeyb && Count() > 0) {
    int m = FMaxX;
    bool across = FScrollMode == smHorizontal;
    bool handled = true;
    switch (Key) {
      case VK_END: SetSelected(Count() - 1); break;
      case VK_HOME: SetSelected(0); break;
      case VK_LEFT: MoveBy(across ? -m : -1); break;
      case VK_UP: MoveBy(across ? -1 : -m); break;
      case VK_RIGHT: MoveBy(across ? m : 1); break;
      case VK_DOWN: MoveBy(across ? 1 : m); break;
      default: handled = false; break;
    }
    if (handled) ScrollToThumb(FSelected);
  }
  TCkBaseThumbView::KeyDown(Key, Shift);
}

void TCkThumbView::KeyUp(WORD& Key, TShiftState Shift) {
  OnKeyUp(this, Key, Shift);
  TCkBaseThumbView::KeyUp(Key, Shift);
}

void TCkThumbView::KeyPress(char16_t& Key) {
  OnKeyPress(this, Key);
  TCkBaseThumbView::KeyPress(Key);
}

void TCkThumbView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  int count = FThumbList->Count();
  if (count > 0) {
    long m = FMaxX;
    long cx = CeilDiv(X + HorzPos(), FThumbGap + FThumbSize.x);
    long cy = CeilDiv(Y + VertPos(), FThumbGap + FThumbSize.y);
    uint16_t index;
    if (FScrollMode == smHorizontal) {
      if (cy > m) cy = m;
      if (cx < 1) cx = 1;
      index = static_cast<uint16_t>((cx - 1) * m + cy - 1);
    } else {
      if (cx > m) cx = m;
      if (cy < 1) cy = 1;
      index = static_cast<uint16_t>((cy - 1) * m + cx - 1);
    }
    bool inside = false;
    if (index < count) {
      TCkThumbnail* t = FThumbList->GetThumbnail(index);
      inside = t->Left() < X && X < t->Left() + t->Width() && t->Top() < Y && Y < t->Top() + t->Height();
    }
    SetSelected(inside ? index : -1);
  }
  TCkBaseThumbView::MouseDown(Button, Shift, X, Y);
}

void TCkThumbView::WMPaint(fw::TMessage& Message) {
  TCkBaseThumbView::WMPaint(Message);
  if (!FPainted) {
    FPainted = true;
    SetDirectory(FDirectory);
  }
}

FW_REGISTER(TCkThumbList) {}

FW_REGISTER(TCkThumbView) {
  using V = TCkThumbView;
  c.Property(u"AlignView", &V::AlignView, &V::SetAlignView).Default(vtNormal);
  c.Property(u"AsButtons", &V::AsButtons, &V::SetAsButtons).Default(false);
  c.Property(u"AutoHandleKeyb", &V::AutoHandleKeyb, &V::SetAutoHandleKeyb).Default(true);
  c.Property(u"AutoScrolling", &V::AutoScrolling, &V::SetAutoScrolling).Default(true);
  c.Property(u"Directory", &V::Directory, &V::SetDirectory);
  c.Property(u"Filter", &V::Filter, &V::SetFilter);
  c.Property(u"MaxHeight", &V::MaxHeight, &V::SetMaxHeight).Default(200);
  c.Property(u"MaxWidth", &V::MaxWidth, &V::SetMaxWidth).Default(200);
  c.Property(u"MinMemory", &V::MinMemory, &V::SetMinMemory).Default(true);
  c.Property(u"ScrollMode", &V::ScrollMode, &V::SetScrollMode).Default(smHorizontal);
  c.Property(u"Selected", &V::Selected, &V::SetSelected).Default(-1).Stored(false);
  c.Property(u"ShadowColor", &V::ShadowColor, &V::SetShadowColor).Type(fw::TypeInfoTColor()).Default(fw::clBlack);
  c.Property(u"ShowShadow", &V::ShowShadow, &V::SetShowShadow).Default(false);
  c.Property(u"Size", &V::Size, &V::SetSize).Default(100);
  c.Property(u"Sorted", &V::Sorted, &V::SetSorted).Default(true);
  c.Property(u"ThumbColor", &V::ThumbColor, &V::SetThumbColor).Type(fw::TypeInfoTColor()).Default(fw::clNone);
  c.Property(u"ThumbGap", &V::ThumbGap, &V::SetThumbGap).Default(4);
  c.Property(u"TitlePlacement", &V::TitlePlacement, &V::SetTitlePlacement).Default(tpUp);
  c.Event(u"OnStartScanning", &V::OnStartScanning);
  c.Event(u"OnScanProgress", &V::OnScanProgress);
  c.Event(u"OnStopScanning", &V::OnStopScanning);
  c.Event(u"OnChanging", &V::OnChanging);
  c.Event(u"OnChange", &V::OnChange);
  c.Event(u"OnGetTitle", &V::OnGetTitle);
  c.Event(u"OnInvalidImage", &V::OnInvalidImage);
  c.Event(u"OnKeyDown", &V::OnKeyDown);
  c.Event(u"OnKeyUp", &V::OnKeyUp);
  c.Event(u"OnKeyPress", &V::OnKeyPress);
}

void RegisterThumbViewClasses() { fw::RegisterClasses<TCkThumbView, TCkThumbnail, TCkThumbImage, TCkThumbTitle>(); }

}  // namespace ck
