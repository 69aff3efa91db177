// The graphic base class: change and progress notification, file helpers.
#include "fw/core/rtti.h"
#include "fw/graphics/graphics.h"

namespace fw {

FW_REGISTER(TGraphic) {}

TGraphic* CreateGraphic(TGraphicClass graphicClass) {
  if (!graphicClass) throw EInvalidGraphic(u"No graphic class");
  TObject* o = graphicClass->Create();
  auto* g = dynamic_cast<TGraphic*>(o);
  if (!g) {
    delete o;
    throw EInvalidGraphic(graphicClass->ClassName() + u" is not a graphic class");
  }
  return g;
}

void TGraphic::SetTransparent(bool v) {
  if (v == FTransparent) return;
  FTransparent = v;
  Changed();
}

void TGraphic::SetModified(bool v) {
  if (v) Changed();
  else FModified = false;
}

void TGraphic::Changed() {
  FModified = true;
  OnChange(this);
}

void TGraphic::Progress(TProgressStage stage, uint8_t percentDone, bool redrawNow, const TRect& r,
                        const String& msg) {
  OnProgress(this, stage, percentDone, redrawNow, r, msg);
}

void TGraphic::LoadFromFile(const String& fileName) {
  TFileStream stream(fileName, fmOpenRead | fmShareDenyNone);
  LoadFromStream(stream);
}

void TGraphic::SaveToFile(const String& fileName) {
  TFileStream stream(fileName, fmCreate);
  SaveToStream(stream);
}

}  // namespace fw
