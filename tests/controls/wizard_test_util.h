// A shown form holding a wizard with pages, and pixel access to what a
// control paints with PaintTo.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "controls/base/ckwizard.h"
#include "fw/controls_test_util.h"
#include "fw/graphics/graphics.h"

namespace cktest {

struct WizardForm {
  fwtest::TestForm form;
  ck::TCkWizard* wizard;
  std::vector<ck::TCkWizardInteriorPage*> pages;

  explicit WizardForm(int pageCount, int w = 980, int h = 704) : form(w, h) {
    wizard = new ck::TCkWizard(form.form);
    wizard->SetParent(form.form);
    for (int i = 0; i < pageCount; ++i) AddPage();
    form->Show();
  }
  ck::TCkWizardInteriorPage* AddPage() {
    auto* p = new ck::TCkWizardInteriorPage(form.form);
    p->SetName(u"Page" + fw::Utf8ToString(std::to_string(pages.size())));
    p->SetWizard(wizard);
    pages.push_back(p);
    return p;
  }
  ck::TCkWizardButtonControl* Button(ck::TCkWizardButtonKind k) const { return wizard->ButtonControl(k); }
  int Index(ck::TCkWizardCustomPage* p) const {
    for (size_t i = 0; i < pages.size(); ++i)
      if (pages[i] == p) return static_cast<int>(i);
    return -1;
  }
};

// What a windowed control paints, in a 24-bit bitmap of its size.
struct Snapshot {
  std::unique_ptr<fw::TBitmap> bmp = std::make_unique<fw::TBitmap>();
  explicit Snapshot(fw::TWinControl* c) {
    bmp->SetPixelFormat(fw::pf24bit);
    bmp->SetSize(c->Width(), c->Height());
    c->PaintTo(bmp->Canvas()->Handle(), 0, 0);
  }
  fw::TColor At(int x, int y) const { return bmp->Canvas()->Pixel(x, y); }
};

inline fw::TColor Rgb(fw::TColor c) { return fw::ColorToRGB(c); }

}  // namespace cktest
