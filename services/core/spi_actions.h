// The system-parameter actions of the settings the program's info objects
// read and write: which set action belongs to a get action, and how that
// set action takes its value.
#pragma once

namespace services {

// The set action of a get action; -1 when the setting cannot be written.
int SpiSetAction(int GetAction);

// How a set action takes a plain value: in uiParam, or in pvParam itself
// (the value, not its address), or through the address of a cell holding
// it in pvParam.
enum class TSpiValueForm { UiParam, PvValue, PvAddress };
TSpiValueForm SpiValueForm(int SetAction);

enum class TCkFontSmoothingType { fstStandard, fstClearType, fstDocking };
// 2 is ClearType, 0x8000 docking; anything else (and a failed read)
// standard.
TCkFontSmoothingType FontSmoothingTypeFrom(bool Ok, unsigned Value);
unsigned FontSmoothingTypeValue(TCkFontSmoothingType Type);

enum class TCkSoundSentryGrafEffect { ssgfNone, ssgfDisplay };
// Only 3 reads as the display effect.
TCkSoundSentryGrafEffect GrafEffectFrom(unsigned Value);
unsigned GrafEffectValue(TCkSoundSentryGrafEffect Effect);

}  // namespace services
