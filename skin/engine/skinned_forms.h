// The registry of skinned forms, the broadcast of a message to every form
// of the program, and the steps of a skin change around the broadcast:
// snapshot the old look, freeze the forms, and after the broadcast release
// them with the transition from the old image to the new one.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "fw/controls/forms.h"
#include "fw/system/messages.h"
#include "skin/engine/skinning_links.h"

namespace skin {

class TkSkinManager;

// Forms with a skinning provider, in registration order.
extern std::vector<fw::TCustomForm*> SkinnedFormList;
// The maximised title height for which maximised forms were last laid out.
extern int LastMaxTitleHeight;

void AddSkinnedForm(fw::TCustomForm* Form);
// Every entry of the form is removed (the last entry takes its place).
void RemoveSkinnedForm(fw::TCustomForm* Form);

// The message to every form of the application that is not skinned (and
// its controls), then to the skinned forms. A form freed by a receiver is
// skipped; the others still get the message.
void BroadcastSkinMessage(fw::TMessage& Message);
// The message to every registered form, its controls and the visible
// dialogs of the dialog skinning.
void BroadcastToSkinnedForms(fw::TMessage& Message);
// Each registered form that is shown, not minimized, not an MDI child and
// without parent, whose provider uses the manager.
// FrozenToo: also forms locked for the skin change (WM_SETREDRAW false
// leaves them without WS_VISIBLE).
void ForEachSkinnedForm(TkSkinManager* Manager, const std::function<void(TkFormProviderLink&)>& Routine,
                        bool FrozenToo = false);

void PrepareSkinChangeForms(TkSkinManager* Manager);
void LockSkinnedForms(TkSkinManager* Manager);
void UnlockSkinnedForms(TkSkinManager* Manager, bool Animate);

// True when Value is one of Values[Low..High].
bool IndexInArray(const int* Values, int Value, int Low, int High);

}  // namespace skin
