#include "app/sample_images.h"

#include <windows.h>

#include "app/font_loading.h"
#include "fw/graphics/graphics.h"
#include "fw/platform/files.h"
#include "fw/stdctrls/stdctrls_common.h"

namespace app {

namespace {

constexpr int kWidth = 360;
constexpr int kHeight = 96;

// The first face of the list the system has: the pictures look alike on
// Windows and under Wine with the free metric-compatible faces.
fw::String SampleFace() {
  for (const char16_t* face : {u"Times New Roman", u"Liberation Serif", u"DejaVu Serif"})
    if (FaceIsInstalled(face)) return face;
  return u"Arial";
}

}  // namespace

const std::vector<TSampleImageLook>& SampleImageLooks() {
  static const std::vector<TSampleImageLook> k = {
      {u"sample_1.bmp", u"Typeface", 0x000000, 0xFFFFFF},
      {u"sample_brown.bmp", u"Glyphs", 0xF8F8F8, 0x1E3A5C},   // white on brown
      {u"sample_pink.bmp", u"Quartz", 0x30205A, 0xD2B4F4},    // dark plum on pink
      {u"sample_green.bmp", u"Bright", 0xD8F4D0, 0x88B478},   // pale green on green
  };
  return k;
}

void WriteSampleImages(const fw::String& Folder, bool Overwrite) {
  fw::ForceDirectories(Folder);
  const fw::String face = SampleFace();
  for (const TSampleImageLook& look : SampleImageLooks()) {
    const fw::String path = Folder + u"\\" + look.FileName;
    if (!Overwrite && fw::FileExists(path)) continue;
    fw::TBitmap picture;
    picture.SetPixelFormat(fw::pf24bit);
    picture.SetSize(kWidth, kHeight);
    fw::TCanvas* c = picture.Canvas();
    c->Brush()->SetColor(look.Background);
    c->FillRect(fw::Rect(0, 0, kWidth, kHeight));
    c->Font()->SetName(face);
    c->Font()->SetHeight(-64);
    c->Font()->SetColor(look.Ink);
    // Plain two-colour letters: the page's colour tools start from them.
    c->Font()->SetQuality(fw::fqNonAntialiased);
    c->Brush()->SetStyle(fw::bsClear);
    fw::TRect box = fw::Rect(0, 0, kWidth, kHeight);
    fw::CanvasDrawText(c, look.Text, box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    picture.SaveToFile(path);
  }
}

}  // namespace app
