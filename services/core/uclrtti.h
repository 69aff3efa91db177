// Set values as text and as lists of members, over the framework's type
// descriptors: "[fpState, fpLocation]", ranges written "a .. b".
#pragma once

#include <cstdint>

#include "fw/core/strings_list.h"
#include "fw/core/typeinfo.h"
#include "services/core/uclstrings.h"

namespace services {

FW_EXCEPTION_CLASS(EUclRTTIError, EUclError)

// The ordinal of the element named Name of an enumeration (its own range),
// compared in the user's locale without regard to case and searched from
// the maximum down; -1 when none.
int64_t EnumIndexOfName(const fw::TTypeInfo* Enum, fw::StringView Name);

// Appends the members of Value (a bit mask of SetType) to Strings: element
// names for an enumeration base, decimal numbers otherwise; with WantRanges
// a run of two or more members becomes "first .. last".
void GetAsList(const fw::TTypeInfo* SetType, uint64_t Value, bool WantRanges, fw::TStrings& Strings);
// The members named by Strings (trimmed items, "low .. high" ranges, names
// case-insensitive, blank items skipped). Raises EUclRTTIError "Unknown
// identifier '%s'." for an unknown name and for an ordinal outside the base
// type's range; EConvertError for a bad number of an integer base.
uint64_t SetAsList(const fw::TTypeInfo* SetType, const fw::TStrings& Strings);

// Items joined by ", ", with WantBrackets enclosed in "[" and "]".
fw::String SetToText(const fw::TTypeInfo* SetType, uint64_t Value, bool WantBrackets, bool WantRanges);
// Items split at every ","; a leading "[" and a trailing "]" are removed.
uint64_t TextToSet(const fw::TTypeInfo* SetType, fw::StringView Text);

}  // namespace services
