#include "skin/forms/core/system_menu_text.h"

namespace skin {

fw::String MenuTextCaption(const fw::String& Text) {
  const size_t tab = Text.find(u'\t');
  return tab == fw::String::npos ? Text : Text.substr(0, tab);
}

fw::String MenuTextShortCut(const fw::String& Text) {
  const size_t tab = Text.find(u'\t');
  return tab == fw::String::npos ? fw::String() : Text.substr(tab + 1);
}

fw::String SkinNameOfCaption(const fw::String& Caption, const fw::String& InternalSuffix) {
  fw::String name;
  for (char16_t c : Caption)
    if (c != u'&') name.push_back(c);
  if (!InternalSuffix.empty()) {
    const size_t at = name.find(InternalSuffix);
    if (at != fw::String::npos) name.resize(at + InternalSuffix.size());
  }
  return name;
}

}  // namespace skin
