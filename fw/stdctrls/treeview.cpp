#include "fw/stdctrls/treeview.h"

#include <algorithm>
#include <functional>

#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"

namespace fw {

// ---- TTreeNode

TTreeNode::TTreeNode(TTreeNodes* AOwner, TTreeNode* AParent) : FOwner(AOwner), FParent(AParent) {}

TTreeNode::~TTreeNode() {
  for (TTreeNode* child : FChildren) delete child;
}

TCustomTreeView* TTreeNode::TreeView() const { return FOwner ? FOwner->Owner() : nullptr; }

void TTreeNode::SetText(const String& Value) {
  FText = Value;
  TCustomTreeView* tv = TreeView();
  if (!tv || !FItem) return;
  TVITEMW item{};
  item.mask = TVIF_TEXT;
  item.hItem = FItem;
  item.pszText = const_cast<wchar_t*>(W(FText));
  tv->Send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

TTreeNode* TTreeNode::Item(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(u"List index out of bounds (" + IntToStr(Index) + u")");
  return FChildren[static_cast<size_t>(Index)];
}

int TTreeNode::Index() const {
  const auto& siblings = FParent ? FParent->FChildren : FOwner->FRoots;
  return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

int TTreeNode::Level() const {
  int level = 0;
  for (TTreeNode* p = FParent; p; p = p->FParent) ++level;
  return level;
}

TTreeNode* TTreeNode::GetNextSibling() const {
  const auto& siblings = FParent ? FParent->FChildren : FOwner->FRoots;
  auto it = std::find(siblings.begin(), siblings.end(), this);
  return it == siblings.end() || it + 1 == siblings.end() ? nullptr : *(it + 1);
}

bool TTreeNode::Expanded() const {
  TCustomTreeView* tv = TreeView();
  if (!tv || !FItem) return FExpanded;
  return (tv->Send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(FItem), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

void TTreeNode::SetExpanded(bool Value) {
  FExpanded = Value;
  TCustomTreeView* tv = TreeView();
  if (tv && FItem) tv->Send(TVM_EXPAND, Value ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(FItem));
}

void TTreeNode::Expand(bool Recurse) {
  SetExpanded(true);
  if (Recurse)
    for (TTreeNode* child : FChildren) child->Expand(true);
}

void TTreeNode::Collapse(bool Recurse) {
  SetExpanded(false);
  if (Recurse)
    for (TTreeNode* child : FChildren) child->Collapse(true);
}

bool TTreeNode::Selected() const {
  TCustomTreeView* tv = TreeView();
  return tv && tv->Selected() == this;
}

void TTreeNode::SetSelected(bool Value) {
  TCustomTreeView* tv = TreeView();
  if (!tv) return;
  if (Value) tv->SetSelected(this);
  else if (tv->Selected() == this) tv->SetSelected(nullptr);
}

void TTreeNode::MakeVisible() {
  TCustomTreeView* tv = TreeView();
  if (tv && FItem) tv->Send(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(FItem));
}

void TTreeNode::Delete() {
  if (FOwner) FOwner->Delete(this);
}

// ---- TTreeNodes

TTreeNodes::TTreeNodes(TCustomTreeView* AOwner) : FOwner(AOwner) {}

TTreeNodes::~TTreeNodes() {
  for (TTreeNode* n : FRoots) delete n;
}

int TTreeNodes::Count() const {
  int n = 0;
  std::function<void(const std::vector<TTreeNode*>&)> walk = [&](const std::vector<TTreeNode*>& nodes) {
    for (TTreeNode* node : nodes) {
      ++n;
      walk(node->FChildren);
    }
  };
  walk(FRoots);
  return n;
}

TTreeNode* TTreeNodes::Item(int Index) const {
  TTreeNode* found = nullptr;
  int i = 0;
  std::function<bool(const std::vector<TTreeNode*>&)> walk = [&](const std::vector<TTreeNode*>& nodes) {
    for (TTreeNode* node : nodes) {
      if (i++ == Index) {
        found = node;
        return true;
      }
      if (walk(node->FChildren)) return true;
    }
    return false;
  };
  if (Index < 0 || !walk(FRoots)) throw EListError(u"List index out of bounds (" + IntToStr(Index) + u")");
  return found;
}

TTreeNode* TTreeNodes::InsertNode(TTreeNode* Parent, int Index, const String& S, void* Data) {
  auto& siblings = SiblingsOf(Parent);
  auto* node = new TTreeNode(this, Parent);
  node->FText = S;
  node->FData = Data;
  siblings.insert(siblings.begin() + Index, node);
  if (FOwner) FOwner->InsertNodeWindow(node);
  return node;
}

TTreeNode* TTreeNodes::Add(TTreeNode* Sibling, const String& S) { return AddObject(Sibling, S, nullptr); }

TTreeNode* TTreeNodes::AddObject(TTreeNode* Sibling, const String& S, void* Data) {
  TTreeNode* parent = Sibling ? Sibling->FParent : nullptr;
  return InsertNode(parent, static_cast<int>(SiblingsOf(parent).size()), S, Data);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const String& S) { return AddChildObject(Parent, S, nullptr); }

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* Parent, const String& S, void* Data) {
  return InsertNode(Parent, static_cast<int>(SiblingsOf(Parent).size()), S, Data);
}

TTreeNode* TTreeNodes::Insert(TTreeNode* Sibling, const String& S) {
  if (!Sibling) return Add(nullptr, S);
  return InsertNode(Sibling->FParent, Sibling->Index(), S, nullptr);
}

void TTreeNodes::Delete(TTreeNode* Node) {
  if (!Node || Node->FOwner != this) return;
  if (FOwner && FOwner->FSaveSelected) {
    for (TTreeNode* p = FOwner->FSaveSelected; p; p = p->FParent)
      if (p == Node) FOwner->FSaveSelected = nullptr;
  }
  if (FOwner && Node->FItem) FOwner->Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(Node->FItem));
  auto& siblings = SiblingsOf(Node->FParent);
  siblings.erase(std::find(siblings.begin(), siblings.end(), Node));
  delete Node;
}

void TTreeNodes::Clear() {
  if (FOwner && FOwner->HandleAllocated()) FOwner->Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  std::vector<TTreeNode*> roots;
  roots.swap(FRoots);
  for (TTreeNode* n : roots) delete n;
  if (FOwner) FOwner->FSaveSelected = nullptr;
}

void TTreeNodes::BeginUpdate() {
  if (FUpdateCount++ == 0 && FOwner && FOwner->HandleAllocated()) FOwner->Send(WM_SETREDRAW, 0);
}

void TTreeNodes::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0 && FOwner && FOwner->HandleAllocated()) {
    FOwner->Send(WM_SETREDRAW, 1);
    FOwner->Invalidate();
  }
}

// ---- TCustomTreeView

TCustomTreeView::TCustomTreeView(TComponent* AOwner) : TWinControl(AOwner), FNodes(new TTreeNodes(this)) {
  FControlStyle = TControlStyle{csDoubleClicks};
  FWidth = 121;
  FHeight = 97;
  FTabStop = true;
  FColor = clWindow;
  FParentColor = false;
}

TCustomTreeView::~TCustomTreeView() {
  if (FHandle) DestroyHandle();
  delete FNodes;
  FNodes = nullptr;
}

LRESULT TCustomTreeView::Send(UINT Msg, WPARAM WParam, LPARAM LParam) const {
  return FHandle ? SendMessageW(FHandle, Msg, WParam, LParam) : 0;
}

void TCustomTreeView::CreateParams(TCreateParams& Params) {
  InitCommonControlClasses(ICC_TREEVIEW_CLASSES);
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, WC_TREEVIEWW);
  if (FShowLines) Params.Style |= TVS_HASLINES;
  if (FShowRoot) Params.Style |= TVS_LINESATROOT;
  if (FShowButtons) Params.Style |= TVS_HASBUTTONS;
  if (!FReadOnly) Params.Style |= TVS_EDITLABELS;
  if (!FHideSelection) Params.Style |= TVS_SHOWSELALWAYS;
  if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomTreeView::InsertNodeWindow(TTreeNode* Node) {
  if (!FHandle) return;
  TVINSERTSTRUCTW ins{};
  ins.hParent = Node->FParent ? Node->FParent->FItem : TVI_ROOT;
  int index = Node->Index();
  const auto& siblings = FNodes->SiblingsOf(Node->FParent);
  ins.hInsertAfter = index == 0 ? TVI_FIRST : siblings[static_cast<size_t>(index - 1)]->FItem;
  ins.item.mask = TVIF_TEXT | TVIF_PARAM;
  ins.item.pszText = const_cast<wchar_t*>(W(Node->FText));
  ins.item.lParam = reinterpret_cast<LPARAM>(Node);
  Node->FItem = reinterpret_cast<HTREEITEM>(Send(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins)));
  for (TTreeNode* child : Node->FChildren) InsertNodeWindow(child);
  if (Node->FExpanded && !Node->FChildren.empty())
    Send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(Node->FItem));
}

void TCustomTreeView::CreateWnd() {
  TWinControl::CreateWnd();
  COLORREF back = static_cast<COLORREF>(ColorToRGB(Color()));
  Send(TVM_SETBKCOLOR, 0, back);
  for (TTreeNode* n : FNodes->FRoots) InsertNodeWindow(n);
  if (FSaveSelected) SetSelected(FSaveSelected);
  FSaveSelected = nullptr;
}

void TCustomTreeView::SaveNodeStates(TTreeNode* Node) {
  Node->FExpanded = Node->Expanded();
  for (TTreeNode* child : Node->FChildren) SaveNodeStates(child);
  Node->FItem = nullptr;
}

void TCustomTreeView::DestroyWnd() {
  if (FHandle) {
    FSaveSelected = Selected();
    for (TTreeNode* n : FNodes->FRoots) SaveNodeStates(n);
  }
  TWinControl::DestroyWnd();
}

TTreeNode* TCustomTreeView::Selected() const {
  if (!FHandle) return FSaveSelected;
  auto item = reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, TVGN_CARET, 0));
  if (!item) return nullptr;
  TVITEMW tv{};
  tv.mask = TVIF_PARAM;
  tv.hItem = item;
  Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
  return reinterpret_cast<TTreeNode*>(tv.lParam);
}

void TCustomTreeView::SetSelected(TTreeNode* Value) {
  if (!FHandle) {
    FSaveSelected = Value;
    return;
  }
  Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Value ? Value->FItem : nullptr));
}

void TCustomTreeView::SetShowLines(bool Value) {
  if (FShowLines == Value) return;
  FShowLines = Value;
  SetWindowStyleBit(FHandle, TVS_HASLINES, Value);
  Invalidate();
}

void TCustomTreeView::SetShowRoot(bool Value) {
  if (FShowRoot == Value) return;
  FShowRoot = Value;
  SetWindowStyleBit(FHandle, TVS_LINESATROOT, Value);
  Invalidate();
}

void TCustomTreeView::SetShowButtons(bool Value) {
  if (FShowButtons == Value) return;
  FShowButtons = Value;
  SetWindowStyleBit(FHandle, TVS_HASBUTTONS, Value);
  Invalidate();
}

void TCustomTreeView::SetReadOnly(bool Value) {
  if (FReadOnly == Value) return;
  FReadOnly = Value;
  SetWindowStyleBit(FHandle, TVS_EDITLABELS, !Value);
}

void TCustomTreeView::SetHideSelection(bool Value) {
  if (FHideSelection == Value) return;
  FHideSelection = Value;
  SetWindowStyleBit(FHandle, TVS_SHOWSELALWAYS, !Value);
  Invalidate();
}

void TCustomTreeView::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCustomTreeView::FullExpand() {
  for (TTreeNode* n : FNodes->FRoots) n->Expand(true);
}

void TCustomTreeView::FullCollapse() {
  for (TTreeNode* n : FNodes->FRoots) n->Collapse(true);
}

TTreeNode* TCustomTreeView::GetNodeAt(int X, int Y) const {
  if (!FHandle) return nullptr;
  TVHITTESTINFO info{};
  info.pt = POINT{X, Y};
  auto item = reinterpret_cast<HTREEITEM>(Send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
  if (!item || !(info.flags & TVHT_ONITEM)) return nullptr;
  TVITEMW tv{};
  tv.mask = TVIF_PARAM;
  tv.hItem = item;
  Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
  return reinterpret_cast<TTreeNode*>(tv.lParam);
}

void TCustomTreeView::Change(TTreeNode* Node) { OnChange(this, Node); }

void TCustomTreeView::Dispatch(TMessage& Message) {
  if (Message.Msg != CN_NOTIFY) {
    TWinControl::Dispatch(Message);
    return;
  }
  auto* hdr = reinterpret_cast<NMHDR*>(Message.LParam);
  switch (hdr->code) {
    case TVN_SELCHANGEDW: {
      auto* nm = reinterpret_cast<NMTREEVIEWW*>(Message.LParam);
      Change(reinterpret_cast<TTreeNode*>(nm->itemNew.lParam));
      break;
    }
    case TVN_ENDLABELEDITW: {
      auto* di = reinterpret_cast<NMTVDISPINFOW*>(Message.LParam);
      if (di->item.pszText) {
        auto* node = reinterpret_cast<TTreeNode*>(di->item.lParam);
        if (!node) {
          TVITEMW tv{};
          tv.mask = TVIF_PARAM;
          tv.hItem = di->item.hItem;
          Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
          node = reinterpret_cast<TTreeNode*>(tv.lParam);
        }
        if (node) node->FText = FromW(di->item.pszText);
        Message.Result = 1;
      }
      break;
    }
    case NM_CLICK: Click(); break;
    case NM_DBLCLK: DblClick(); break;
    default: break;
  }
}

FW_REGISTER(TTreeNode) {}

FW_REGISTER(TTreeNodes) {}

FW_REGISTER(TCustomTreeView) {}

FW_REGISTER(TTreeView) {
  c.Property(u"BorderStyle", &TTreeView::BorderStyle, &TTreeView::SetBorderStyle).Type(TypeInfoTBorderStyle()).Default(bsSingle);
  c.Property(u"HideSelection", &TTreeView::HideSelection, &TTreeView::SetHideSelection).Default(true);
  c.Property(u"ReadOnly", &TTreeView::ReadOnly, &TTreeView::SetReadOnly).Default(false);
  c.Property(u"ShowButtons", &TTreeView::ShowButtons, &TTreeView::SetShowButtons).Default(true);
  c.Property(u"ShowLines", &TTreeView::ShowLines, &TTreeView::SetShowLines).Default(true);
  c.Property(u"ShowRoot", &TTreeView::ShowRoot, &TTreeView::SetShowRoot).Default(true);
  c.Property(u"OnChange", &TTreeView::OnChange, &TTreeView::OnChange);
}

}  // namespace fw
