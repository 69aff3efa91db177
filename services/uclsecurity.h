// Security identifiers as text and the account they name.
#pragma once

#include <windows.h>

#include "fw/core/types.h"

namespace services {

// "S-1-5-32-544" form of a SID; an authority whose top two bytes are used
// is written as six hexadecimal bytes. Raises EUclSecurityError
// "Invalid SID" for an invalid one.
fw::String SidText(PSID Sid);

// The account name and domain of Sid. When the look-up fails: with Silent,
// Name is the SID's text and Domain empty; otherwise EOSError.
void AccountNameOfSid(PSID Sid, fw::String& Name, fw::String& Domain, bool Silent);

}  // namespace services
