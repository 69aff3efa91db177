// The character options of the search page: the character typed into
// `editchar` and the code point of `secodepoint` follow each other, and the
// symbol-font toggle gives way to bold, italic and the "System" source.
#pragma once

#include "fw/core/rtti.h"
#include "fw/core/types.h"

namespace app {

class TImageForm;

// The first code point of Text that differs from Current (a surrogate pair
// counts as one character); -1 when there is none or the text holds a lone
// surrogate there.
int TypedCodePoint(const fw::String& Text, int Current);
// The character of a code point, as one or two UTF-16 units.
fw::String CodePointText(int CodePoint);
// The point size of the code-point edit by the number of digits it shows:
// 1 digit 22 points, 2: 20, 3: 18, 4: 14, 5: 12, 6 or more: 10.
int CodePointFontSize(int Digits);

void DescribeCharacterOptions(fw::TClassBuilder<TImageForm>& c);

}  // namespace app
