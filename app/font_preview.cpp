// The sample-text preview of the search page: the entry selected in the
// result list is drawn in the paint box with the sample text, size, style
// and colours of the page's controls. A font file entry is loaded for this
// process alone; the preview holds one such file at a time and lets it go
// when another entry is selected and when the window goes.
#include <windows.h>

#include <cstdlib>

#include "app/core/font_files.h"
#include "app/font_commands.h"
#include "app/font_loading.h"
#include "app/image_form.h"
#include "controls/base/ckwizard.h"
#include "fw/core/strings_list.h"
#include "fw/core/sysutils.h"
#include "fw/stdctrls/edit.h"
#include "fw/stdctrls/groupbox.h"
#include "fw/stdctrls/rangectrls.h"
#include "fw/stdctrls/shapes.h"
#include "fw/stdctrls/speedbutton.h"
#include "fw/stdctrls/stdctrls_common.h"
#include "fw/system/application.h"

namespace app {

using fw::String;
using fw::TObject;

namespace {

constexpr int kDefaultPreviewSize = 40;

String ItemPath(fw::TListItem* Item) {
  return Item->SubItems()->Count() > 1 ? Item->SubItems()->Get(1) : String();
}

}  // namespace

void TImageForm::ReleasePreviewFont() {
  previewFont_.reset();
  if (PreviewFontFiles) PreviewFontFiles->Clear();
}

void TImageForm::ListViewClick(TObject*) {
  if (!ListView) return;
  fw::TListItem* item = ListView->Selected();
  if (!item) return;
  if (ChosenSource() == TSearchSource::System) {
    fsamplename = item->Caption();
  } else {
    ReleasePreviewFont();
    const String path = ItemPath(item);
    const String suffix = fw::UpperCase(fw::ExtractFileExt(path)) == u".PFM" ? PfbPartnerSuffix(path) : String();
    auto font = std::make_unique<TAddedFontResource>(path + suffix, TAddedFontResource::Private);
    if (font->Loaded()) {
      previewFont_ = std::move(font);
      if (PreviewFontFiles) PreviewFontFiles->Add(path + suffix);
      fsamplename = GetFontFaceName(path);
      const int size = tracksample ? std::abs(tracksample->Position()) : kDefaultPreviewSize;
      if (gbsampletext) gbsampletext->SetCaption(u"Font: " + item->Caption() + u"  Size:" + fw::IntToStr(size));
    }
  }
  if (PaintBox2) PaintBox2->Invalidate();
  if (Run) Run->EnableButton(ck::bkNext, ListView->Items()->Count() > 0 && search_->State() == TSearchState::Idle);
  if (fw::Application) fw::Application->ProcessMessages();
}

void TImageForm::ListViewChange(TObject* Sender, fw::TListItem* Item, fw::TItemChange Change) {
  if (Change == fw::ctState && Item && Item->Selected()) ListViewClick(Sender);
}

void TImageForm::ListViewDblClick(TObject* Sender) {
  if (ChosenSource() != TSearchSource::System) acviewfontExecute(Sender);
}

void TImageForm::PaintBox2Paint(TObject*) {
  if (!PaintBox2) return;
  fw::TCanvas* canvas = PaintBox2->Canvas();
  fw::TFont* font = canvas->Font();
  font->SetName(fsamplename);
  font->SetSize(tracksample ? tracksample->Position() : kDefaultPreviewSize);
  font->SetColor(PreviewFontColor);
  fw::TFontStyles style;
  if (btnbold && btnbold->Down()) style.Include(fw::fsBold);
  if (btnitalic && btnitalic->Down()) style.Include(fw::fsItalic);
  font->SetStyle(style);
  canvas->Brush()->SetColor(PreviewBackColor);
  canvas->Brush()->SetStyle(fw::bsSolid);
  canvas->FillRect(canvas->ClipRect());
  PreviewTextW = edsample ? edsample->Text() : String();
  // Centred in the whole box: a repaint of a part of it draws the text where
  // a full paint does.
  fw::TRect box = fw::Rect(0, 0, PaintBox2->Width(), PaintBox2->Height());
  fw::CanvasDrawText(canvas, PreviewTextW, box, DT_CENTER);
}

void TImageForm::edsampleChange(TObject* Sender) {
  ListViewClick(Sender);
  if (PaintBox2) PaintBox2->Invalidate();
}

void TImageForm::tracksampleChange(TObject* Sender) {
  if (ListView && ListView->Selected()) {
    ListViewClick(Sender);
    search_->fname = fsamplename;
  }
  if (PaintBox2) PaintBox2->Invalidate();
}

void TImageForm::btnboldClick(TObject*) {
  if (PaintBox2) PaintBox2->Invalidate();
}

void TImageForm::btnitalicClick(TObject*) {
  if (PaintBox2) PaintBox2->Invalidate();
}

void TImageForm::imgcompareMouseDown(TObject*, fw::TMouseButton Button, fw::TShiftState, int, int) {
  if (!MemPix) return;
  // MemPix holds the colour the picker swatch shows: the screen pixel under
  // the cursor at the last tick.
  const fw::TColor color = MemPix->Canvas()->Pixel(0, 0);
  if (Button == fw::mbLeft) {
    PreviewFontColor = color;
  } else if (Button == fw::mbRight) {
    PreviewBackColor = color;
  }
  if (PaintBox2) PaintBox2->Invalidate();
}

}  // namespace app
