// The MDI side of the form skinning: the providers of the MDI frame and of
// its last maximised child, and the MDI support object a frame's provider
// holds (the adapter of its client window and the child commands). That
// object is made by the control skinning, which registers its maker.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

namespace fw {
class TForm;
}

namespace skin {

class TkSkinProvider;

// The provider of the skinned MDI frame form and of the MDI child last
// maximised (or activated); null while there is none.
extern TkSkinProvider* MDISkinProvider;
extern TkSkinProvider* ChildProvider;
// The cover laid over the right end of a frame's menu line while a menu
// loop runs over its maximised child (at most one; null otherwise), and
// the frame's provider that made it.
extern fw::TForm* MDIIconsForm;
extern TkSkinProvider* MDIIconsOwner;

// The MDI support of an MDI frame form as its provider holds it.
class TkMDIFormLink {
 public:
  virtual ~TkMDIFormLink() = default;
  // The client window gets its adapter when it has none; made anew (none
  // without a skin).
  virtual void ConnectToClient() = 0;
  virtual void RefreshMDIScrolls() = 0;
  // The frame's menu line with the maximised child's icon and buttons is
  // drawn again.
  virtual void UpdateMDIIconItem() = 0;
  // Each MDI child not skinned yet gets its skinning.
  virtual void AttachChildren() = 0;
};

// Makes the MDI support of a frame (its provider, its MDI client window);
// null until the control skinning registers it.
using TkMDIFormMaker = std::function<std::unique_ptr<TkMDIFormLink>(TkSkinProvider*, HWND)>;
TkMDIFormMaker& MDIFormMaker();

// The MDI client window of a frame (its child of class "MDICLIENT").
HWND MDIClientOf(HWND Frame);

}  // namespace skin
