// A shown form holding one check list box, with the user's check click and
// the items as texts.
#pragma once

#include <string>
#include <vector>

#include "controls/views/ckchecklistbox.h"
#include "xp_test_util.h"

namespace cktest {

struct CheckListForm {
  fwtest::TestForm form{300, 200};
  ck::TCkCheckListBox* box;
  CheckListForm() {
    box = new ck::TCkCheckListBox(form.form);
    box->SetParent(form.form);
    box->SetBounds(10, 10, 150, 120);
    form->Show();
    fwtest::Pump();
  }
  // A click on the check box of an item, as the user gives it.
  void ClickCheck(int Index) {
    fw::TRect r = box->ItemRect(Index);
    int y = (r.Top + r.Bottom) / 2;
    SendMessageW(box->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, fw::PointToLParam(3, y));
    SendMessageW(box->Handle(), WM_LBUTTONUP, 0, fw::PointToLParam(3, y));
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (int i = 0; i < box->Items()->Count(); ++i) out.push_back(fw::StringToUtf8(box->Items()->Get(i)));
    return out;
  }
  // The texts with "+" for a checked item, "-" for an unchecked one.
  std::vector<std::string> Items() const {
    std::vector<std::string> out = Texts();
    for (size_t i = 0; i < out.size(); ++i) out[i] += box->Checked(static_cast<int>(i)) ? "+" : "-";
    return out;
  }
};

}  // namespace cktest
