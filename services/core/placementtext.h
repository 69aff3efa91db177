// What a form placement stores, as text and numbers: the options and the
// version check, the "%d,%d,%d,%d" position texts and their fields, the
// desktop-size suffix of the position keys, and what a stored show command
// means.
#pragma once

#include "fw/core/sets.h"
#include "fw/core/typeinfo.h"
#include "services/core/appstorage.h"

namespace services {

FW_ENUM(TPlacementOption, fpState, fpSize, fpLocation, fpActiveControl)
using TPlacementOptions = fw::TSet<TPlacementOption>;
FW_ENUM(TCkFormPlacementVersionCheck, fpvcNocheck, fpvcCheckGreaterEqual, fpvcCheckEqual)

// Whether values stored under version Stored are used by a placement of
// version Version.
bool StoredVersionAccepted(TCkFormPlacementVersionCheck Check, int Stored, int Version);

String PositionsText(int A, int B, int C, int D);
// Field Index (from 1) of a positions text whose fields are separated by
// runs of commas or blanks; Default when it is missing or not a number.
int PositionField(StringView Text, int Index, int Default);

// "(WxH)" of the whole virtual desktop, appended to the position keys.
String DesktopSuffix(int Width, int Height);
// The text under Key followed by Suffix when one is stored there, else the
// text under the plain Key (empty when neither is).
String ReadPositionsText(TCkCustomAppStorage& Storage, const String& Path, const String& Key, const String& Suffix);

enum class TStoredShowState { Normal, Minimized, Maximized, Fallback };
// 1, 5, 9 normal; 2, 6, 7 minimized; 3 maximized; anything else the fallback.
TStoredShowState StoredShowState(int ShowCmd);

}  // namespace services
