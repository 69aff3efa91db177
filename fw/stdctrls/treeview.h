// The tree view: the system's SysTreeView32 over nodes kept by the
// framework (text, data, children, expanded and selected state), so that
// they survive a new window.
#pragma once

#include <vector>

#include "fw/stdctrls/stdctrls_common.h"
// (after <windows.h>)
#include <commctrl.h>

namespace fw {

class TTreeNodes;
class TCustomTreeView;

class TTreeNode : public TPersistent {
  FW_CLASS(TTreeNode, TPersistent)
  TTreeNode(TTreeNodes* AOwner, TTreeNode* AParent);
  ~TTreeNode() override;

  TTreeNodes* Owner() const { return FOwner; }
  TTreeNode* Parent() const { return FParent; }
  TCustomTreeView* TreeView() const;
  const String& Text() const { return FText; }
  void SetText(const String& Value);
  void* Data() const { return FData; }
  void SetData(void* Value) { FData = Value; }
  int Count() const { return static_cast<int>(FChildren.size()); }
  TTreeNode* Item(int Index) const;
  bool HasChildren() const { return !FChildren.empty(); }
  // The place among its parent's children (or the top-level nodes).
  int Index() const;
  // 0 for a top-level node.
  int Level() const;
  bool Expanded() const;
  void SetExpanded(bool Value);
  void Expand(bool Recurse);
  void Collapse(bool Recurse);
  bool Selected() const;
  void SetSelected(bool Value);
  void MakeVisible();
  TTreeNode* GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front(); }
  TTreeNode* GetNextSibling() const;
  // Removes the node and its children.
  void Delete();
  HTREEITEM ItemId() const { return FItem; }

 private:
  friend class TTreeNodes;
  friend class TCustomTreeView;
  TTreeNodes* FOwner;
  TTreeNode* FParent;
  std::vector<TTreeNode*> FChildren;
  String FText;
  void* FData = nullptr;
  HTREEITEM FItem = nullptr;
  // Kept while the tree view has no window.
  bool FExpanded = false;
};

class TTreeNodes : public TPersistent {
  FW_CLASS(TTreeNodes, TPersistent)
  explicit TTreeNodes(TCustomTreeView* AOwner);
  ~TTreeNodes() override;

  TCustomTreeView* Owner() const { return FOwner; }
  // All nodes.
  int Count() const;
  // A node by its place in depth-first order.
  TTreeNode* Item(int Index) const;
  TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front(); }
  // A node after the last sibling of Sibling (a top-level node when
  // Sibling is null).
  TTreeNode* Add(TTreeNode* Sibling, const String& S);
  TTreeNode* AddObject(TTreeNode* Sibling, const String& S, void* Data);
  // A node after the last child of Parent (top level when null).
  TTreeNode* AddChild(TTreeNode* Parent, const String& S);
  TTreeNode* AddChildObject(TTreeNode* Parent, const String& S, void* Data);
  // A node just before Sibling.
  TTreeNode* Insert(TTreeNode* Sibling, const String& S);
  void Delete(TTreeNode* Node);
  void Clear();
  void BeginUpdate();
  void EndUpdate();

 private:
  friend class TTreeNode;
  friend class TCustomTreeView;
  std::vector<TTreeNode*>& SiblingsOf(TTreeNode* Parent) { return Parent ? Parent->FChildren : FRoots; }
  TTreeNode* InsertNode(TTreeNode* Parent, int Index, const String& S, void* Data);
  TCustomTreeView* FOwner;
  std::vector<TTreeNode*> FRoots;
  int FUpdateCount = 0;
};

using TTVChangedEvent = TEvent<void(TObject* Sender, TTreeNode* Node)>;

class TCustomTreeView : public TWinControl {
  FW_CLASS(TCustomTreeView, TWinControl)
  explicit TCustomTreeView(TComponent* AOwner);
  ~TCustomTreeView() override;

  TTreeNodes* Items() const { return FNodes; }
  TTreeNode* Selected() const;
  void SetSelected(TTreeNode* Value);
  bool ShowLines() const { return FShowLines; }
  void SetShowLines(bool Value);
  bool ShowRoot() const { return FShowRoot; }
  void SetShowRoot(bool Value);
  bool ShowButtons() const { return FShowButtons; }
  void SetShowButtons(bool Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  void FullExpand();
  void FullCollapse();
  TTreeNode* GetNodeAt(int X, int Y) const;

  // The selection moved to Node.
  TTVChangedEvent OnChange;

 protected:
  friend class TTreeNodes;
  friend class TTreeNode;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Dispatch(TMessage& Message) override;
  virtual void Change(TTreeNode* Node);
  LRESULT Send(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0) const;
  void InsertNodeWindow(TTreeNode* Node);

 private:
  void SaveNodeStates(TTreeNode* Node);
  TTreeNodes* FNodes;
  bool FShowLines = true;
  bool FShowRoot = true;
  bool FShowButtons = true;
  bool FReadOnly = false;
  bool FHideSelection = true;
  TBorderStyle FBorderStyle = bsSingle;
  TTreeNode* FSaveSelected = nullptr;
};

class TTreeView : public TCustomTreeView {
  FW_CLASS(TTreeView, TCustomTreeView)
  explicit TTreeView(TComponent* AOwner) : TCustomTreeView(AOwner) {}
};

}  // namespace fw
