#include "fw/stdctrls/image.h"

#include "fw/core/rtti.h"
#include "fw/graphics/icon.h"
#include "fw/graphics/metafile.h"

namespace fw {

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(new TPicture()) {
  FControlStyle.Include(csReplicatable);
  FPicture->OnChange = TNotifyEvent(this, &TImage::PictureChanged);
  FPicture->OnProgress = TProgressEvent(this, &TImage::PictureProgress);
  FWidth = 105;
  FHeight = 105;
}

TImage::~TImage() {
  FPicture->OnChange.Clear();
  FPicture->OnProgress.Clear();
  delete FPicture;
}

TCanvas* TImage::Canvas() {
  if (!FPicture->Graphic()) {
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetSize(Width(), Height());
    FPicture->SetGraphic(bmp.get());
  }
  auto* bmp = dynamic_cast<TBitmap*>(FPicture->Graphic());
  if (!bmp) throw EInvalidOperation(u"Can only modify an image if it contains a bitmap");
  return bmp->Canvas();
}

void TImage::SetStretch(bool Value) {
  if (FStretch == Value) return;
  FStretch = Value;
  PictureChanged(this);
}

void TImage::SetProportional(bool Value) {
  if (FProportional == Value) return;
  FProportional = Value;
  PictureChanged(this);
}

void TImage::SetCenter(bool Value) {
  if (FCenter == Value) return;
  FCenter = Value;
  PictureChanged(this);
}

void TImage::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  PictureChanged(this);
}

void TImage::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  PictureChanged(this);
}

TRect TImage::DestRect() const {
  int w = FPicture->Width(), h = FPicture->Height();
  int cw = Width(), ch = Height();
  if (FStretch || (FProportional && (w > cw || h > ch))) {
    if (FProportional && w > 0 && h > 0) {
      double aspect = static_cast<double>(w) / h;
      if (w > h) {
        w = cw;
        h = static_cast<int>(cw / aspect);
        if (h > ch) {
          h = ch;
          w = static_cast<int>(ch * aspect);
        }
      } else {
        h = ch;
        w = static_cast<int>(ch * aspect);
        if (w > cw) {
          w = cw;
          h = static_cast<int>(cw / aspect);
        }
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  TRect r{0, 0, w, h};
  if (FCenter) {
    int dx = (cw - w) / 2, dy = (ch - h) / 2;
    r = TRect{dx, dy, dx + w, dy + h};
  }
  return r;
}

void TImage::Paint() {
  TGraphic* g = FPicture->Graphic();
  if (!g || g->Empty()) return;
  TGraphicControl::Canvas()->StretchDraw(DestRect(), g);
}

void TImage::PictureProgress(TObject* Sender, TProgressStage Stage, uint8_t PercentDone, bool RedrawNow,
                             const TRect& R, const String& Msg) {
  OnProgress(Sender, Stage, PercentDone, RedrawNow, R, Msg);
}

void TImage::PictureChanged(TObject*) {
  TGraphic* g = FPicture->Graphic();
  if (FAutoSize && FPicture->Width() > 0 && FPicture->Height() > 0)
    SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
  if (g) {
    if (!dynamic_cast<TMetafile*>(g) && !dynamic_cast<TIcon*>(g)) g->SetTransparent(FTransparent);
    // A picture that covers the whole control lets the parent skip
    // painting underneath.
    if (!g->Transparent() && (FStretch || (g->Width() >= Width() && g->Height() >= Height())))
      FControlStyle.Include(csOpaque);
    else
      FControlStyle.Exclude(csOpaque);
  } else {
    FControlStyle.Exclude(csOpaque);
  }
  Invalidate();
}

FW_REGISTER(TImage) {
  c.Property(u"AutoSize", &TImage::AutoSize, &TImage::SetAutoSize).Default(false);
  c.Property(u"Center", &TImage::Center, &TImage::SetCenter).Default(false);
  c.Property(u"Picture", &TImage::Picture, &TImage::SetPicture);
  c.Property(u"Proportional", &TImage::Proportional, &TImage::SetProportional).Default(false);
  c.Property(u"Stretch", &TImage::Stretch, &TImage::SetStretch).Default(false);
  c.Property(u"Transparent", &TImage::Transparent, &TImage::SetTransparent).Default(false);
  c.Event(u"OnProgress", &TImage::OnProgress);
}

}  // namespace fw
