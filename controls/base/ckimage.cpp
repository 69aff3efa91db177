#include "controls/base/ckimage.h"

#include "fw/core/rtti.h"
#include "fw/graphics/icon.h"
#include "fw/graphics/metafile.h"

namespace ck {

using namespace fw;

namespace {

bool HasPicture(const TPicture* P) { return P && P->Width() > 0 && P->Height() > 0; }

}  // namespace

// ---- TCkPictures

TCkPictures::TCkPictures()
    : FPicClicked1(new TPicture()),
      FPicClicked2(new TPicture()),
      FPicDown(new TPicture()),
      FPicEnter(new TPicture()),
      FPicDisabled(new TPicture()) {}

TCkPictures::~TCkPictures() {
  delete FPicClicked1;
  delete FPicClicked2;
  delete FPicDown;
  delete FPicEnter;
  delete FPicDisabled;
}

void TCkPictures::Copy(TPicture* Own, TPicture* Value) {
  Own->Assign(Value);
  FOnChanged(this);
}

// ---- TCkImage

TCkImage::TCkImage(TComponent* AOwner)
    : TCkExImage(AOwner), FPictures(new TCkPictures()), FPicture(new TPicture()) {
  FPictures->FOnChanged = TNotifyEvent(this, &TCkImage::PicturesChanged);
  FPicture->OnChange = TNotifyEvent(this, &TCkImage::DefaultPictureChanged);
  TPicture* shown = TCkExImage::Picture();
  FPictureChange = shown->OnChange;
  shown->OnChange = TNotifyEvent(this, &TCkImage::ShownPictureChanged);
}

TCkImage::~TCkImage() {
  TCkExImage::Picture()->OnChange = FPictureChange;
  FPicture->OnChange.Clear();
  delete FPictures;
  FPictures = nullptr;
  delete FPicture;
  FPicture = nullptr;
}

void TCkImage::SetPictures(TCkPictures* Value) {
  if (!Value) return;
  FPictures->SetPicEnter(Value->PicEnter());
  FPictures->SetPicClicked1(Value->PicClicked1());
  FPictures->SetPicClicked2(Value->PicClicked2());
  FPictures->SetPicDown(Value->PicDown());
  FPictures->SetPicDisabled(Value->PicDisabled());
}

void TCkImage::LoadFromStream(TStream& AStream) { FPicture->LoadFromStream(AStream); }

TPicture* TCkImage::StatePicture(TPicState S) const {
  switch (S) {
    case stDefault: return FPicture;
    case stEntered: return FPictures->PicEnter();
    case stClicked1: return FPictures->PicClicked1();
    case stClicked2: return FPictures->PicClicked2();
    case stDown: return FPictures->PicDown();
    case stDisabled: return FPictures->PicDisabled();
  }
  return FPicture;
}

bool TCkImage::HasStatePictures() const {
  for (TPicture* p : {FPictures->PicEnter(), FPictures->PicClicked1(), FPictures->PicClicked2(),
                      FPictures->PicDown(), FPictures->PicDisabled()})
    if (p->Graphic()) return true;
  return false;
}

void TCkImage::SetState(TPicState Value) {
  TPicture* p = StatePicture(Value);
  if (HasPicture(p)) {
    TCkExImage::Picture()->Assign(p);
    FState = Value;
  }
  OnStateChanged(this);
}

void TCkImage::ClickStep() {
  switch (FClickCount) {
    case 0:
    case 3:
      SetState(stDefault);
      FClickCount = 0;
      break;
    case 1:
    case 2: {
      TPicState s = FClickCount == 1 ? stClicked1 : stClicked2;
      SetState(s);
      if (FState != s) {
        FClickCount = 0;
        SetState(stDefault);
      }
      break;
    }
    default: break;
  }
}

void TCkImage::PicturesChanged(TObject*) {
  if (HasStatePictures()) SetState(FState);
}

void TCkImage::ShownPictureChanged(TObject*) { Invalidate(); }

void TCkImage::DefaultPictureChanged(TObject*) {
  TPicture* shown = TCkExImage::Picture();
  shown->Assign(FPicture);
  if (TGraphic* g = FPicture->Graphic()) {
    if (!dynamic_cast<TMetafile*>(g) && !dynamic_cast<TIcon*>(g)) {
      g->SetTransparent(Transparent());
      if (TGraphic* s = shown->Graphic()) s->SetTransparent(Transparent());
    }
    TRect d = DestRect();
    bool covers = d.Left <= 0 && d.Top <= 0 && d.Right >= Width() && d.Bottom >= Height();
    if (!g->Transparent() && covers) FControlStyle.Include(csOpaque);
    else FControlStyle.Exclude(csOpaque);
  } else {
    FControlStyle.Exclude(csOpaque);
  }
  if (!FDrawing) Invalidate();
}

void TCkImage::Paint() {
  FDrawing = true;
  try {
    TCkExImage::Paint();
  } catch (...) {
    FDrawing = false;
    throw;
  }
  FDrawing = false;
}

bool TCkImage::PointHitTest(int X, int Y) {
  if (!HasStatePictures() && Transparent()) {
    if (auto* bmp = dynamic_cast<TBitmap*>(FPicture->Graphic());
        bmp && X >= 0 && Y >= 0 && X < bmp->Width() && Y < bmp->Height()) {
      if (ColorToRGB(bmp->Canvas()->Pixel(X, Y)) == ColorToRGB(bmp->TransparentColor())) return false;
    }
  }
  return TCkExImage::PointHitTest(X, Y);
}

void TCkImage::EnabledChanged() {
  SetState(Enabled() ? stDefault : stDisabled);
  TCkExImage::EnabledChanged();
}

void TCkImage::Click() {
  TCkExImage::Click();
  if (!HasStatePictures()) return;
  ++FClickCount;
  ClickStep();
}

void TCkImage::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCkExImage::MouseDown(Button, Shift, X, Y);
  if (HasStatePictures()) SetState(stDown);
}

void TCkImage::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCkExImage::MouseUp(Button, Shift, X, Y);
  if (!HasStatePictures() || FState == stClicked1 || FState == stClicked2) return;
  if (X > 0 && X < Width() && Y > 0 && Y < Height()) {
    SetState(stEntered);
    if (FState == stEntered) return;
  }
  ClickStep();
}

void TCkImage::MouseEntered(TControl* Control) {
  if (!IsOwnNotice(Control)) {
    TCkExImage::MouseEntered(Control);
    return;
  }
  if (ComponentState().Contains(csDesigning) || MouseOver) return;
  if (Enabled() && HasStatePictures()) SetState(stEntered);
  TCkExImage::MouseEntered(Control);
}

void TCkImage::MouseLeft(TControl* Control) {
  if (!IsOwnNotice(Control) || !MouseOver) {
    if (!IsOwnNotice(Control)) TCkExImage::MouseLeft(Control);
    return;
  }
  if (Enabled() && HasStatePictures()) ClickStep();
  TCkExImage::MouseLeft(Control);
}

FW_REGISTER(TCkPictures) {
  c.Property(u"PicEnter", &TCkPictures::PicEnter, &TCkPictures::SetPicEnter);
  c.Property(u"PicClicked1", &TCkPictures::PicClicked1, &TCkPictures::SetPicClicked1);
  c.Property(u"PicClicked2", &TCkPictures::PicClicked2, &TCkPictures::SetPicClicked2);
  c.Property(u"PicDown", &TCkPictures::PicDown, &TCkPictures::SetPicDown);
  c.Property(u"PicDisabled", &TCkPictures::PicDisabled, &TCkPictures::SetPicDisabled);
}

FW_REGISTER(TCkImage) {
  c.Property(u"Pictures", &TCkImage::Pictures, &TCkImage::SetPictures);
  c.Property(u"Picture", &TCkImage::Picture, &TCkImage::SetPicture);
  c.Property(u"State", &TCkImage::State, &TCkImage::SetState).Default(stDefault);
  c.Property(u"OnStateChanged", &TCkImage::OnStateChanged, &TCkImage::OnStateChanged);
}

}  // namespace ck
