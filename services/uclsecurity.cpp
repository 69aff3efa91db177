#include "services/uclsecurity.h"

#include <cstdio>

#include "fw/core/sysutils.h"
#include "fw/platform/oserror.h"
#include "services/uclbase.h"

namespace services {

fw::String SidText(PSID Sid) {
  if (!Sid || !IsValidSid(Sid)) throw EUclSecurityError(u"Invalid SID");
  const SID_IDENTIFIER_AUTHORITY* authority = GetSidIdentifierAuthority(Sid);
  const BYTE* v = authority->Value;
  char text[32];
  if (v[0] != 0 || v[1] != 0) {
    std::snprintf(text, sizeof text, "0x%2.2x%2.2x%2.2x%2.2x%2.2x%2.2x", v[0], v[1], v[2], v[3], v[4], v[5]);
  } else {
    const unsigned long value =
        (static_cast<unsigned long>(v[2]) << 24) | (v[3] << 16) | (v[4] << 8) | static_cast<unsigned long>(v[5]);
    std::snprintf(text, sizeof text, "%lu", value);
  }
  fw::String result = u"S-1-" + fw::Utf8ToString(text);
  const int count = *GetSidSubAuthorityCount(Sid);
  for (int i = 0; i < count; ++i) result += u"-" + fw::IntToStr(*GetSidSubAuthority(Sid, i));
  return result;
}

void AccountNameOfSid(PSID Sid, fw::String& Name, fw::String& Domain, bool Silent) {
  Name.clear();
  Domain.clear();
  DWORD nameSize = 0;
  DWORD domainSize = 0;
  SID_NAME_USE use{};
  LookupAccountSidW(nullptr, Sid, nullptr, &nameSize, nullptr, &domainSize, &use);
  fw::String name(nameSize, u'\0');
  fw::String domain(domainSize, u'\0');
  BOOL ok = nameSize > 0 && LookupAccountSidW(nullptr, Sid, W(name.data()), &nameSize,
                                              domainSize ? W(domain.data()) : nullptr, &domainSize, &use);
  if (!ok) {
    if (!Silent) fw::RaiseLastOSError();
    Name = SidText(Sid);
    return;
  }
  // On success the sizes are the lengths without the terminator.
  name.resize(nameSize);
  domain.resize(domainSize);
  Name = name;
  Domain = domain;
}

}  // namespace services
