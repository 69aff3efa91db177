// The graphic base class: change and progress notification, file helpers.
#include "fw/graphics/graphics.h"

namespace fw {

void TGraphic::SetTransparent(bool v) {
  if (v == transparent_) return;
  transparent_ = v;
  Changed();
}

void TGraphic::SetModified(bool v) {
  if (v) Changed();
  else modified_ = false;
}

void TGraphic::Changed() {
  modified_ = true;
  if (OnChange) OnChange(this);
}

void TGraphic::Progress(TProgressStage stage, uint8_t percentDone, bool redrawNow, const TRect& r,
                        const String& msg) {
  if (OnProgress) OnProgress(this, stage, percentDone, redrawNow, r, msg);
}

void TGraphic::AssignError(const TGraphic* source) const {
  String from = source ? source->ClassName() : String(u"nil");
  throw EConvertError(u"Cannot assign a " + from + u" to a " + ClassName());
}

void TGraphic::Assign(const TGraphic* source) { AssignError(source); }

void TGraphic::LoadFromFile(const String& fileName) {
  TFileStream stream(fileName, fmOpenRead | fmShareDenyNone);
  LoadFromStream(stream);
}

void TGraphic::SaveToFile(const String& fileName) {
  TFileStream stream(fileName, fmCreate);
  SaveToStream(stream);
}

}  // namespace fw
