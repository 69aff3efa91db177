// How every skinned control, form provider and window adapter reacts to
// the skin command message and to ordinary window and framework messages,
// working on its skin state; and the background protocol by which a child
// learns what lies behind it (skin command 34).
#pragma once

#include <windows.h>

#include "fw/graphics/graphics.h"
#include "fw/system/messages.h"
#include "skin/engine/background_request.h"
#include "skin/engine/common_data.h"

namespace skin {

// Skin commands 15 and 26.
struct TkcSectionInfo {
  int SkinIndex = -1;
  fw::String Name;
  bool RepaintNeeded = false;
};


// True when the code was handled; the answer is in Message.Result.
bool HandleSkinCommand(fw::TMessage& Message, TkCommonData* S);
// True when the message is consumed.
bool HandleControlMessage(fw::TMessage& Message, TkCommonData* S);

void FillBackgroundInfo(TkCommonData& S, TkcBackgroundInfo& I, int State, HWND W = nullptr);
// The background colour of the control: its own colour blended with its
// parent's by the section's transparency in percent.
fw::TColor ControlBGColor(TkCommonData& S, int State, HWND W = nullptr);
// The section whose font colours the control uses.
int FontSourceSkinIndex(fw::TControl* Control, int DefaultIndex, TkSkinManager* Manager, int State);
void UpdateControlGlow(TkCommonData& S, bool Hide, HWND W = nullptr);
void NotifyParentOuterMoved(TkCommonData& S);

}  // namespace skin
