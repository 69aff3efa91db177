// Replaces tokens such as %DATE% or %APPL_NAME% in a text by values of the
// running program. What the program knows about itself (version resource,
// executable, owning form, screen) comes from an environment that the
// Windows side installs at start-up; the portable default knows nothing.
#pragma once

#include "fw/core/component.h"
#include "fw/core/events.h"
#include "fw/core/types.h"

namespace services {

// The program's facts the tokens name. Version values are empty when the
// resource lacks them; HasVersionResource false makes the translator use
// its substitutes (and tell the user once per token).
class TCkTranslateEnvironment {
 public:
  virtual ~TCkTranslateEnvironment() = default;
  virtual bool HasVersionResource() { return false; }
  // "ProductName", "CompanyName", "FileVersion", "ProductVersion".
  virtual fw::String VersionValue(fw::StringView Key) { (void)Key; return fw::String(); }
  virtual fw::String ExeName() { return fw::String(); }
  virtual fw::TDateTime Now();
  // The first form up the owner chain of Component; false when none.
  virtual bool OwnerForm(fw::TComponent* Component, fw::String& Name, fw::String& Caption) {
    (void)Component;
    (void)Name;
    (void)Caption;
    return false;
  }
  virtual fw::TPoint ScreenSize() { return {}; }
  virtual fw::TPoint DesktopSize() { return {}; }
  // Tells the user that a version value was replaced by a substitute.
  virtual void ShowSubstituteMessage(const fw::String& Text) { (void)Text; }
};

// The environment in force (never null); Set takes no ownership, null
// restores the portable default.
TCkTranslateEnvironment& TranslateEnvironment();
void SetTranslateEnvironment(TCkTranslateEnvironment* Environment);

using TProcessCommandEvent =
    fw::TEvent<void(fw::TObject* Sender, const fw::String& Command, fw::String& CommandResult, bool& Changed)>;

class TCkTranslateString : public fw::TComponent {
  FW_CLASS(TCkTranslateString, fw::TComponent)
  explicit TCkTranslateString(fw::TComponent* AOwner);

  fw::String TranslateString(fw::StringView InString);
  fw::String TranslateString(fw::StringView InString, bool& Changed);

  const fw::String& DateFormat() const { return FDateFormat; }
  void SetDateFormat(const fw::String& Value);
  const fw::String& TimeFormat() const { return FTimeFormat; }
  void SetTimeFormat(const fw::String& Value);
  const fw::String& DateTimeFormat() const { return FDateTimeFormat; }
  void SetDateTimeFormat(const fw::String& Value) { FDateTimeFormat = Value; }
  // 0xFF: not set.
  char16_t DateSeparator() const { return FDateSeparator; }
  void SetDateSeparator(char16_t Value) { FDateSeparator = Value; }
  char16_t TimeSeparator() const { return FTimeSeparator; }
  void SetTimeSeparator(char16_t Value) { FTimeSeparator = Value; }
  const fw::String& LeftDelimiter() const { return FLeftDelimiter; }
  void SetLeftDelimiter(const fw::String& Value) { FLeftDelimiter = Value; }
  const fw::String& RightDelimiter() const { return FRightDelimiter; }
  void SetRightDelimiter(const fw::String& Value) { FRightDelimiter = Value; }

  TProcessCommandEvent FOnProcessCommand;

  // Substitutes used when the program has no version resource.
  static constexpr const char16_t* DefaultAppName = u"Vestaline";

 protected:
  // Value of an upper-cased, trimmed command; false when not recognised.
  virtual bool ProcessCommand(const fw::String& Command, fw::String& Value);

 private:
  fw::String CachedVersionValue(bool& Handled, fw::String& Cache, const char16_t* Key, const char16_t* Token,
                                const char16_t* Substitute);

  bool FAppNameHandled = false;
  fw::String FAppName;
  bool FCompanyNameHandled = false;
  fw::String FCompanyName;
  bool FFileVersionHandled = false;
  fw::String FFileVersion;
  bool FProductVersionHandled = false;
  fw::String FProductVersion;
  fw::String FDateFormat = u"dd_mm_yyyy";
  char16_t FDateSeparator = 0xFF;
  char16_t FTimeSeparator = 0xFF;
  fw::String FDateTimeFormat = u"dd_mm_yyyy hh_nn_ss";
  fw::String FLeftDelimiter = u"%";
  fw::String FRightDelimiter = u"%";
  fw::String FTimeFormat = u"hh_nn_ss";
};

// The process-wide default company name of the component library.
fw::String& DefaultCompanyName();

}  // namespace services
