#include "app/character_options.h"

#include <windows.h>

#include <algorithm>

#include "app/image_form.h"
#include "fw/graphics/graphics.h"
#include "fw/stdctrls/checkbox.h"
#include "fw/stdctrls/edit.h"
#include "fw/stdctrls/speedbutton.h"
#include "fw/stdctrls/spinedit.h"

namespace app {

namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The code point's font is far taller than the edit's designed height (a
// line of 22 points needs some 36 pixels): the edit takes the height of a
// line of its font and its frame, centred on the row of the character edit
// beside it, and never less than that edit's height.
void FitEditToFont(fw::TSpinEdit* edit, const fw::TControl* rowMate) {
  fw::TBitmap scratch;
  scratch.Canvas()->Font()->Assign(edit->Font());
  const int line = scratch.Canvas()->TextHeight(u"0123456789");
  const int frame = edit->HandleAllocated() ? edit->Height() - edit->ClientHeight() : 2 * GetSystemMetrics(SM_CYEDGE);
  int height = line + frame + 2;
  int top = edit->Top();
  if (rowMate) {
    height = std::max(height, rowMate->Height());
    top = rowMate->Top() + (rowMate->Height() - height) / 2;
  }
  if (height != edit->Height() || top != edit->Top()) edit->SetBounds(edit->Left(), top, edit->Width(), height);
}

}  // namespace

int TypedCodePoint(const fw::String& Text, int Current) {
  for (size_t i = 0; i < Text.size(); ++i) {
    int code = Text[i];
    if (IsHighSurrogate(Text[i])) {
      if (i + 1 >= Text.size() || !IsLowSurrogate(Text[i + 1])) return -1;
      code = 0x10000 + ((Text[i] - 0xD800) << 10) + (Text[i + 1] - 0xDC00);
      ++i;
    } else if (IsLowSurrogate(Text[i])) {
      return -1;
    }
    if (code != Current) return code;
  }
  return -1;
}

fw::String CodePointText(int CodePoint) {
  if (CodePoint < 0 || CodePoint > 0x10FFFF || (CodePoint >= 0xD800 && CodePoint <= 0xDFFF)) return fw::String();
  if (CodePoint < 0x10000) return fw::String(1, static_cast<char16_t>(CodePoint));
  const int v = CodePoint - 0x10000;
  return fw::String{static_cast<char16_t>(0xD800 + (v >> 10)), static_cast<char16_t>(0xDC00 + (v & 0x3FF))};
}

int CodePointFontSize(int Digits) {
  static constexpr int kSizes[] = {22, 20, 18, 14, 12};
  if (Digits < 1) return kSizes[0];
  return Digits <= 5 ? kSizes[Digits - 1] : 10;
}

void TImageForm::editcharChange(fw::TObject*) {
  if (!editchar || !secodepoint || followingCodePoint_) return;
  const int code = TypedCodePoint(editchar->Text(), secodepoint->Value());
  if (code >= secodepoint->MinValue() && code <= secodepoint->MaxValue()) {
    secodepoint->SetValue(code);  // its change shows the character here
  } else {
    // Nothing new that the search can take: the edit shows the code point's
    // character again.
    ShowCodePointCharacter();
  }
}

void TImageForm::secodepointChange(fw::TObject*) {
  if (!secodepoint) return;
  ShowCodePointCharacter();
  secodepoint->Font()->SetSize(CodePointFontSize(static_cast<int>(secodepoint->Text().size())));
  FitEditToFont(secodepoint, editchar);
}

void TImageForm::ShowCodePointCharacter() {
  if (!editchar || !secodepoint) return;
  followingCodePoint_ = true;
  editchar->SetText(CodePointText(secodepoint->Value()));
  followingCodePoint_ = false;
}

void TImageForm::chrboldClick(fw::TObject*) {
  if (!cbsymbols) return;
  const bool bold = chrbold && chrbold->Down();
  const bool italic = chritalic && chritalic->Down();
  const bool system = cbsysytem && cbsysytem->Checked();
  // Symbol fonts are searched only among folder and database fonts, upright
  // and regular.
  if (bold || italic || system) cbsymbols->SetDown(false);
}

void DescribeCharacterOptions(fw::TClassBuilder<TImageForm>& c) {
  using F = TImageForm;
  c.Field(u"editchar", &F::editchar);
  c.Method(u"editcharChange", &F::editcharChange);
  c.Method(u"secodepointChange", &F::secodepointChange);
  c.Method(u"chrboldClick", &F::chrboldClick);
}

}  // namespace app
