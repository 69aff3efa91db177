// Pieces of the combo box skinning that must be safe on their own: the
// text of an item read at its full length (never into a buffer the window
// could overrun), and the one brush an adapter answers its list's colour
// question with (replaced, and the old one freed, only when the colour
// changes; freed with its owner).
#pragma once

#include <windows.h>

#include "fw/core/types.h"

namespace skin {

// The item's text (CB_GETLBTEXTLEN, then CB_GETLBTEXT into room for all of
// it); empty for an index the combo box does not have.
fw::String ComboItemText(HWND Combo, int Index);
// The text a drop-down list shows: its selected item, else its window text.
fw::String ComboShownText(HWND Combo);

class TkcListBrush {
 public:
  TkcListBrush() = default;
  ~TkcListBrush();
  TkcListBrush(const TkcListBrush&) = delete;
  TkcListBrush& operator=(const TkcListBrush&) = delete;
  // A solid brush of the colour, kept until another colour is asked for.
  HBRUSH For(COLORREF Color);

 private:
  HBRUSH FBrush = nullptr;
  COLORREF FColor = 0;
};

}  // namespace skin
