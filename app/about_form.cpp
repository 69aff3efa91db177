#include "app/about_form.h"

#include <windows.h>

#include <vector>

#include "app/image_form.h"
#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"
#include "fw/graphics/icon.h"
#include "fw/platform/files.h"
#include "fw/stdctrls/image.h"
#include "fw/system/application.h"

namespace app {

TAboutForm* AboutForm = nullptr;

namespace {

constexpr fw::TColor kLinkHotColor = 0x6B675D;

void SetLinkStyle(fw::TObject* Sender, bool Hot) {
  auto* label = dynamic_cast<ck::TCkLabel*>(Sender);
  if (!label) return;
  fw::TFontStyles style;
  if (Hot) {
    style.Include(fw::fsBold);
    style.Include(fw::fsUnderline);
    label->Font()->SetColor(kLinkHotColor);
  }
  label->Font()->SetStyle(style);
}

}  // namespace

fw::String GetExeVersionText(const fw::String& FileName) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(W(FileName), &handle);
  if (size == 0) return fw::String();
  std::vector<char> data(size);
  if (!GetFileVersionInfoW(W(FileName), 0, size, data.data())) return fw::String();
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info ||
      length < sizeof(VS_FIXEDFILEINFO))
    return fw::String();
  return fw::Format(u"%d.%d.%d", {static_cast<int>(HIWORD(info->dwFileVersionMS)),
                                   static_cast<int>(LOWORD(info->dwFileVersionMS)),
                                   static_cast<int>(HIWORD(info->dwFileVersionLS))});
}

fw::String GetExeVersionText() { return GetExeVersionText(fw::ModuleFileName()); }

fw::String SupportMailLink() {
  return fw::String(u"mailto:") + kSupportAddress + u"?subject=" + fw::Application->Title() + u" - support&body=";
}

void TAboutForm::FormCreate(fw::TObject*) {
  const fw::String version = GetExeVersionText();
  // Without a version resource the box still opens and says so.
  if (linfo) linfo->SetCaption(u"Version: " + (version.empty() ? fw::String(u"unknown") : version));
  if (Image1) {
    if (HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, 48,
                                                   48, LR_DEFAULTCOLOR))) {
      auto* picture = new fw::TIcon();
      picture->SetHandle(icon);
      Image1->Picture()->SetGraphic(picture);
      picture->Free();
    }
  }
}

void TAboutForm::lbwebClick(fw::TObject*) { OpenWebPage(kMakerWebUrl); }

void TAboutForm::lbcontactClick(fw::TObject*) { OpenWebPage(SupportMailLink()); }

void TAboutForm::CkLabel3MouseEnter(fw::TObject* Sender) { SetLinkStyle(Sender, true); }

void TAboutForm::CkLabel3MouseLeave(fw::TObject* Sender) { SetLinkStyle(Sender, false); }

FW_REGISTER(TAboutForm) {
  using F = TAboutForm;
  c.Field(u"Image1", &F::Image1);
  c.Field(u"Label1", &F::Label1);
  c.Field(u"linfo", &F::linfo);
  c.Field(u"Label2", &F::Label2);
  c.Field(u"lbweb", &F::lbweb);
  c.Field(u"lbcontact", &F::lbcontact);
  c.Field(u"btnok", &F::btnok);
  c.Method(u"FormCreate", &F::FormCreate);
  c.Method(u"lbwebClick", &F::lbwebClick);
  c.Method(u"lbcontactClick", &F::lbcontactClick);
  c.Method(u"CkLabel3MouseEnter", &F::CkLabel3MouseEnter);
  c.Method(u"CkLabel3MouseLeave", &F::CkLabel3MouseLeave);
}

}  // namespace app
