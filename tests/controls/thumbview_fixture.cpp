// Run-time type information of the thumbnail tests' form.
#include "thumbview_test_util.h"

namespace cktest {

FW_REGISTER(TThumbTestForm) {
  c.Method(u"thumbDblClick", &TThumbTestForm::thumbDblClick);
  c.Method(u"thumbClick", &TThumbTestForm::thumbClick);
  c.Method(u"thumbChanging", &TThumbTestForm::thumbChanging);
  c.Method(u"thumbChange", &TThumbTestForm::thumbChange);
  c.Method(u"thumbKeyDown", &TThumbTestForm::thumbKeyDown);
}

}  // namespace cktest
