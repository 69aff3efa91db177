#include "services/core/spi_actions.h"

#include <utility>

namespace services {

int SpiSetAction(int GetAction) {
  // The settings whose set action is not simply the next number, and those
  // that have none.
  static const std::pair<int, int> kIrregular[] = {
      {38, 37}, {94, 93}, {79, 81}, {80, 82}, {83, 85}, {84, 86}, {115, 20}, {92, -1}, {97, -1}, {114, -1},
      {31, 34}, {13, 13}, {24, 24},  // the icon spacings get and set with one action
  };
  for (auto [get, set] : kIrregular)
    if (get == GetAction) return set;
  // Get actions are the even numbers of the UI-effect ranges (0x1000,
  // 0x2000) and paired with the following odd number; below 0x1000 the
  // listed settings pair the same way.
  static const int kRegular[] = {1,   3,   5,   10,  14,  16,  18,  22,  25,  27,  41,  43,  45,  50,
                                 52,  54,  56,  58,  60,  62,  64,  66,  68,  70,  72,  74,  89,  95,  98,
                                 100, 102, 104, 106, 110, 112, 8202};
  for (int get : kRegular)
    if (get == GetAction) return GetAction + 1;
  if ((GetAction >= 0x1000 && GetAction < 0x1100 && GetAction % 2 == 0) ||
      (GetAction >= 0x2000 && GetAction < 0x2100 && GetAction % 2 == 0))
    return GetAction + 1;
  return -1;
}

TSpiValueForm SpiValueForm(int SetAction) {
  switch (SetAction) {
    case 113:  // mouse speed
      return TSpiValueForm::PvValue;
    case 90:  // default input language: the address of the layout handle
      return TSpiValueForm::PvAddress;
    default:
      // The UI effects and the 0x2000 timeouts take the value itself in
      // pvParam; older settings take it in uiParam.
      return SetAction >= 0x1000 ? TSpiValueForm::PvValue : TSpiValueForm::UiParam;
  }
}

TCkFontSmoothingType FontSmoothingTypeFrom(bool Ok, unsigned Value) {
  if (!Ok) return TCkFontSmoothingType::fstStandard;
  if (Value == 2) return TCkFontSmoothingType::fstClearType;
  if (Value == 0x8000) return TCkFontSmoothingType::fstDocking;
  return TCkFontSmoothingType::fstStandard;
}

unsigned FontSmoothingTypeValue(TCkFontSmoothingType Type) {
  switch (Type) {
    case TCkFontSmoothingType::fstClearType: return 2;
    case TCkFontSmoothingType::fstDocking: return 0x8000;
    default: return 1;
  }
}

TCkSoundSentryGrafEffect GrafEffectFrom(unsigned Value) {
  return Value == 3 ? TCkSoundSentryGrafEffect::ssgfDisplay : TCkSoundSentryGrafEffect::ssgfNone;
}

unsigned GrafEffectValue(TCkSoundSentryGrafEffect Effect) {
  return Effect == TCkSoundSentryGrafEffect::ssgfDisplay ? 3 : 0;
}

}  // namespace services
