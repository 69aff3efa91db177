#include "skin/controls/combo_parts.h"

#include <string>

namespace skin {

fw::String ComboItemText(HWND Combo, int Index) {
  const LRESULT n = SendMessageW(Combo, CB_GETLBTEXTLEN, WPARAM(Index), 0);
  if (n == CB_ERR || n <= 0) return {};
  std::wstring text(size_t(n) + 1, L'\0');
  const LRESULT got = SendMessageW(Combo, CB_GETLBTEXT, WPARAM(Index), reinterpret_cast<LPARAM>(text.data()));
  if (got == CB_ERR || got < 0) return {};
  text.resize(size_t(std::min<LRESULT>(got, n)));
  return fw::String(text.begin(), text.end());
}

fw::String ComboShownText(HWND Combo) {
  const LRESULT sel = SendMessageW(Combo, CB_GETCURSEL, 0, 0);
  if (sel != CB_ERR) return ComboItemText(Combo, int(sel));
  const int n = GetWindowTextLengthW(Combo);
  std::wstring text(size_t(n) + 1, L'\0');
  text.resize(size_t(GetWindowTextW(Combo, text.data(), n + 1)));
  return fw::String(text.begin(), text.end());
}

TkcListBrush::~TkcListBrush() {
  if (FBrush) DeleteObject(FBrush);
}

HBRUSH TkcListBrush::For(COLORREF Color) {
  if (FBrush && FColor == Color) return FBrush;
  HBRUSH fresh = CreateSolidBrush(Color);
  if (!fresh) return FBrush;
  if (FBrush) DeleteObject(FBrush);
  FBrush = fresh;
  FColor = Color;
  return FBrush;
}

}  // namespace skin
