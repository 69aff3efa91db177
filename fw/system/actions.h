// Actions: commands with a caption, state and shortcut that controls take
// their properties and click handler from; action lists run them, offer
// their shortcuts and update them when the program is idle.
#pragma once

#include <vector>

#include "fw/core/component.h"
#include "fw/core/events.h"
#include "fw/system/messages.h"

namespace fw {

class TBasicActionLink;
class TCustomActionList;
class TCustomImageList;

class TBasicAction : public TComponent {
  FW_CLASS(TBasicAction, TComponent)
  explicit TBasicAction(TComponent* AOwner);
  ~TBasicAction() override;

  // Runs OnExecute (through the list first); true when something handled it.
  virtual bool Execute();
  // Runs OnUpdate (through the list first); true when something handled it.
  virtual bool Update();
  TComponent* ActionComponent() const { return FActionComponent; }
  void SetActionComponent(TComponent* Value);
  void RegisterChanges(TBasicActionLink* Link);
  void UnRegisterChanges(TBasicActionLink* Link);
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TNotifyEvent OnExecute;
  TNotifyEvent OnUpdate;

 protected:
  // Tells every linked client that a property changed.
  virtual void Change();
  std::vector<TBasicActionLink*> FClients;
  TComponent* FActionComponent = nullptr;
};

class TBasicActionLink {
 public:
  explicit TBasicActionLink(TObject* AClient) : FClient(AClient) {}
  virtual ~TBasicActionLink();
  TBasicAction* Action() const { return FAction; }
  virtual void SetAction(TBasicAction* Value);
  virtual bool Execute(TComponent* AComponent = nullptr);
  virtual bool Update();
  // The action changed one of its properties.
  virtual void Change() {}
  TObject* Client() const { return FClient; }

 protected:
  TObject* FClient;
  TBasicAction* FAction = nullptr;
};

class TContainedAction : public TBasicAction {
  FW_CLASS(TContainedAction, TBasicAction)
  explicit TContainedAction(TComponent* AOwner) : TBasicAction(AOwner) {}
  ~TContainedAction() override;
  bool Execute() override;
  bool Update() override;
  TCustomActionList* ActionList() const { return FActionList; }
  void SetActionList(TCustomActionList* Value);
  const String& Category() const { return FCategory; }
  void SetCategory(const String& Value) { FCategory = Value; }
  int Index() const;
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

 private:
  friend class TCustomActionList;
  TCustomActionList* FActionList = nullptr;
  String FCategory;
};

class TCustomAction : public TContainedAction {
  FW_CLASS(TCustomAction, TContainedAction)
  explicit TCustomAction(TComponent* AOwner) : TContainedAction(AOwner) {}
  bool Execute() override;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value) { FAutoCheck = Value; }

 private:
  String FCaption;
  bool FChecked = false;
  bool FEnabled = true;
  String FHint;
  int FImageIndex = -1;
  TShortCut FShortCut = 0;
  bool FVisible = true;
  bool FAutoCheck = false;
};

class TAction : public TCustomAction {
  FW_CLASS(TAction, TCustomAction)
  explicit TAction(TComponent* AOwner) : TCustomAction(AOwner) {}
};

using TActionEvent = TEvent<void(TBasicAction* Action, bool& Handled)>;

class TCustomActionList : public TComponent {
  FW_CLASS(TCustomActionList, TComponent)
  explicit TCustomActionList(TComponent* AOwner) : TComponent(AOwner) {}
  ~TCustomActionList() override;

  int ActionCount() const { return static_cast<int>(FActions.size()); }
  TContainedAction* Actions(int Index) const { return FActions.at(static_cast<size_t>(Index)); }
  void AddAction(TContainedAction* Action);
  void RemoveAction(TContainedAction* Action);
  // OnExecute / OnUpdate of the list; true when the list handled it.
  virtual bool ExecuteAction(TBasicAction* Action);
  virtual bool UpdateAction(TBasicAction* Action);
  // Runs the enabled, visible action with that shortcut; true when found.
  bool IsShortCut(TShortCut Key);
  void UpdateActions();
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // The image list the actions' ImageIndex refers to.
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);

  TActionEvent OnExecute;
  TActionEvent OnUpdate;

 private:
  std::vector<TContainedAction*> FActions;
  TCustomImageList* FImages = nullptr;
};

class TActionList : public TCustomActionList {
  FW_CLASS(TActionList, TCustomActionList)
  explicit TActionList(TComponent* AOwner) : TCustomActionList(AOwner) {}
};

// "Ctrl+S" and back; scNone for text that is no shortcut.
String ShortCutToText(TShortCut ShortCut);
TShortCut TextToShortCut(const String& Text);

}  // namespace fw
