#include "services/core/translatestring.h"

#include "fw/core/datetime.h"
#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"

namespace services {

namespace {

TCkTranslateEnvironment gDefaultEnvironment;
TCkTranslateEnvironment* gEnvironment = nullptr;

fw::String BaseNameWithoutExt(fw::StringView path) {
  fw::String name = fw::ExtractFileName(path);
  return fw::ChangeFileExt(name, u"");
}

char16_t FirstNonDigit(const fw::String& format) {
  for (char16_t c : format)
    if (c < u'0' || c > u'9') return c;
  return 0xFF;
}

}  // namespace

fw::TDateTime TCkTranslateEnvironment::Now() { return fw::Now(); }

TCkTranslateEnvironment& TranslateEnvironment() { return gEnvironment ? *gEnvironment : gDefaultEnvironment; }

void SetTranslateEnvironment(TCkTranslateEnvironment* Environment) { gEnvironment = Environment; }

fw::String& DefaultCompanyName() {
  static fw::String name;
  return name;
}

TCkTranslateString::TCkTranslateString(fw::TComponent* AOwner) : fw::TComponent(AOwner) {}

void TCkTranslateString::SetDateFormat(const fw::String& Value) {
  FDateFormat = Value;
  if (FDateSeparator == 0xFF) FDateSeparator = FirstNonDigit(Value);
}

void TCkTranslateString::SetTimeFormat(const fw::String& Value) {
  FTimeFormat = Value;
  if (FTimeSeparator == 0xFF) FTimeSeparator = FirstNonDigit(Value);
}

fw::String TCkTranslateString::TranslateString(fw::StringView InString) {
  bool changed = false;
  return TranslateString(InString, changed);
}

fw::String TCkTranslateString::TranslateString(fw::StringView InString, bool& Changed) {
  Changed = false;
  fw::String result;
  fw::StringView rest = InString;
  while (!rest.empty()) {
    size_t l = FLeftDelimiter.empty() ? fw::StringView::npos : rest.find(FLeftDelimiter);
    if (l == fw::StringView::npos) {
      result += rest;
      break;
    }
    result += rest.substr(0, l);
    rest.remove_prefix(l + FLeftDelimiter.size());
    size_t r = FRightDelimiter.empty() ? fw::StringView::npos : rest.find(FRightDelimiter);
    if (r == fw::StringView::npos) {
      result += FLeftDelimiter;
      result += rest;
      break;
    }
    const fw::String command(rest.substr(0, r));
    fw::String value;
    if (ProcessCommand(fw::UpperCase(fw::Trim(command)), value)) {
      result += value;
      rest.remove_prefix(r + FRightDelimiter.size());
      Changed = true;
    } else {
      // The right delimiter stays: it may open the next token.
      result += FLeftDelimiter + command;
      rest.remove_prefix(r);
    }
  }
  return result;
}

fw::String TCkTranslateString::CachedVersionValue(bool& Handled, fw::String& Cache, const char16_t* Key,
                                                  const char16_t* Token, const char16_t* Substitute) {
  if (Handled) return Cache;
  TCkTranslateEnvironment& env = TranslateEnvironment();
  if (env.HasVersionResource()) {
    Cache = env.VersionValue(Key);
  } else {
    Cache = Substitute;
    env.ShowSubstituteMessage(fw::Format(
        u"The Default Root Value \"%0:s\" has been replaced with \"%1:s\".\r\nPlease change the value in the "
        u"FileVersionInfo Project Properties.",
        {Token, Substitute}));
  }
  Handled = true;
  return Cache;
}

bool TCkTranslateString::ProcessCommand(const fw::String& Command, fw::String& Value) {
  TCkTranslateEnvironment& env = TranslateEnvironment();
  bool recognised = true;
  if (Command == u"APPL_NAME") {
    Value = CachedVersionValue(FAppNameHandled, FAppName, u"ProductName", u"APPL_NAME", DefaultAppName);
    if (Value.empty()) Value = BaseNameWithoutExt(env.ExeName());
  } else if (Command == u"COMPANY_NAME") {
    Value = CachedVersionValue(FCompanyNameHandled, FCompanyName, u"CompanyName", u"COMPANY_NAME", u"MyCompany");
    if (Value.empty()) Value = DefaultCompanyName();
  } else if (Command == u"FILEVERSION") {
    Value = CachedVersionValue(FFileVersionHandled, FFileVersion, u"FileVersion", u"FILEVERSION", u"0.0.0.0");
  } else if (Command == u"PRODUCTVERSION") {
    Value = CachedVersionValue(FProductVersionHandled, FProductVersion, u"ProductVersion", u"PRODUCTVERSION",
                               u"0.0.0.0");
  } else if (Command == u"DATE") {
    Value = fw::FormatDateTime(FDateFormat, env.Now());
  } else if (Command == u"TIME") {
    Value = fw::FormatDateTime(FTimeFormat, env.Now());
  } else if (Command == u"DATETIME") {
    Value = fw::FormatDateTime(FDateTimeFormat, env.Now());
  } else if (Command == u"EXENAME") {
    Value = env.ExeName();
  } else if (Command == u"FILENAME") {
    Value = BaseNameWithoutExt(env.ExeName());
  } else if (Command == u"FULLDIREXE") {
    Value = fw::ExtractFilePath(env.ExeName());
    if (!Value.empty() && Value.back() == u'\\') Value.pop_back();
  } else if (Command == u"FORMNAME" || Command == u"FORMCAPTION") {
    fw::String name, caption;
    env.OwnerForm(Owner(), name, caption);
    Value = Command == u"FORMNAME" ? name : caption;
  } else if (Command == u"SCREENSIZE" || Command == u"DESKTOPSIZE") {
    fw::TPoint p = Command == u"SCREENSIZE" ? env.ScreenSize() : env.DesktopSize();
    Value = fw::Format(u"%dx%d", {p.x, p.y});
  } else {
    recognised = false;
  }
  if (FOnProcessCommand) FOnProcessCommand(this, Command, Value, recognised);
  return recognised;
}

FW_REGISTER(TCkTranslateString) {
  c.Property(u"DateFormat", &TCkTranslateString::DateFormat, &TCkTranslateString::SetDateFormat);
  c.Property(u"DateTimeFormat", &TCkTranslateString::DateTimeFormat, &TCkTranslateString::SetDateTimeFormat);
  c.Property(u"LeftDelimiter", &TCkTranslateString::LeftDelimiter, &TCkTranslateString::SetLeftDelimiter);
  c.Property(u"RightDelimiter", &TCkTranslateString::RightDelimiter, &TCkTranslateString::SetRightDelimiter);
  c.Property(u"TimeFormat", &TCkTranslateString::TimeFormat, &TCkTranslateString::SetTimeFormat);
  c.Event(u"OnProcessCommand", &TCkTranslateString::FOnProcessCommand);
}

}  // namespace services
