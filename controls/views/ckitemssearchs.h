// Text searches over any string list: the first item equal to a text, the
// first that begins with it and the first that contains it, compared the
// locale's way, with or without letter case; and deleting equal items.
#pragma once

#include "fw/core/strings_list.h"

namespace ck {

class TCkItemsSearchs {
 public:
  // Each answers an item index or -1. The scan starts after StartIndex,
  // runs to the last item, wraps to item 0 and stops after StartIndex;
  // -1 (or an index outside the list) makes it one pass over all items.
  // An empty Value is never a prefix or part of an item.
  static int SearchExactString(fw::TStrings* Items, const fw::String& Value, bool CaseSensitive,
                               int StartIndex = -1);
  static int SearchPrefix(fw::TStrings* Items, const fw::String& Value, bool CaseSensitive, int StartIndex = -1);
  static int SearchSubString(fw::TStrings* Items, const fw::String& Value, bool CaseSensitive,
                             int StartIndex = -1);
  // Deletes the first item equal to Value (every one with All) within one
  // update of Items; answers the number deleted.
  static int DeleteExactString(fw::TStrings* Items, const fw::String& Value, bool All, bool CaseSensitive);
};

}  // namespace ck
