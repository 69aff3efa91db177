#include "app/filter_form.h"

#include <windows.h>

#include "app/image_form.h"
#include "controls/base/cktransparentbutton.h"
#include "controls/dialogs/ckballoonhint.h"
#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"
#include "fw/dialogs/msgdlg.h"
#include "fw/system/application.h"
#include "fw/system/screen.h"

namespace app {

using fw::String;
using fw::TObject;

Tformfilter* formfilter = nullptr;
int FilterActive = 0;

namespace {

constexpr int kLowestWeight = 50;
constexpr int kHighestWeight = 1000;
constexpr int kWeightStep = 50;
constexpr fw::TColor kExcludedColor = 0xE75100;
constexpr fw::TColor kNoneColor = 0x808080;

}  // namespace

String WeightLabelText(int Weight) {
  static constexpr struct {
    int Below;  // the name holds for weights below this
    const char16_t* Name;
  } kNames[] = {{100, u"  Dontcare"}, {200, u" Thin"},   {300, u" Ultra Light"},      {400, u" Light"},
                {500, u" Normal(Regular)"}, {600, u" Medium"}, {700, u" Demi(Semi)bold"}, {800, u" Bold"},
                {900, u" Ultra(Extra)bold"}};
  for (const auto& n : kNames)
    if (Weight < n.Below) return fw::IntToStr(Weight) + n.Name;
  return fw::IntToStr(Weight) + u" Black (Heavy)";
}

TFilterCategory CategoryOfTag(int Tag) {
  if (Tag >= 10 && Tag <= 15) return TFilterCategory::Family;
  if (Tag >= 20 && Tag <= 23) return TFilterCategory::Style;
  return TFilterCategory::Type;
}

TFontFilter DatabaseFilter() { return formfilter ? formfilter->CurrentFilter() : TFontFilter(); }

Tformfilter::~Tformfilter() {
  if (formfilter == this) formfilter = nullptr;
}

std::vector<ck::TCkXPCheckbox*> Tformfilter::AllBoxes() const {
  std::vector<ck::TCkXPCheckbox*> boxes;
  for (int i = 0; i < ComponentCount(); ++i)
    if (auto* box = dynamic_cast<ck::TCkXPCheckbox*>(Components(i)); box && box->Tag() > 0) boxes.push_back(box);
  return boxes;
}

std::vector<ck::TCkXPCheckbox*> Tformfilter::Boxes(TFilterCategory Category) const {
  std::vector<ck::TCkXPCheckbox*> boxes;
  for (ck::TCkXPCheckbox* box : AllBoxes())
    if (CategoryOfTag(static_cast<int>(box->Tag())) == Category) boxes.push_back(box);
  return boxes;
}

TFontFilter Tformfilter::CurrentFilter() const {
  TFontFilter filter;
  filter.Boxes.clear();
  for (ck::TCkXPCheckbox* box : AllBoxes())
    filter.Boxes.push_back({static_cast<int>(box->Tag()), box->Caption(), box->Checked()});
  if (selow) filter.LowWeight = selow->Value();
  if (seweight) filter.HighWeight = seweight->Value();
  return filter;
}

int Tformfilter::UncheckedCount() const {
  int n = 0;
  for (ck::TCkXPCheckbox* box : AllBoxes())
    if (!box->Checked()) ++n;
  return n;
}

bool Tformfilter::WeightsChanged() const {
  return (selow && selow->Value() != kLowestWeight) || (seweight && seweight->Value() != kHighestWeight);
}

bool Tformfilter::AnyChecked(TFilterCategory Category) const {
  for (ck::TCkXPCheckbox* box : Boxes(Category))
    if (box->Checked()) return true;
  return false;
}

void Tformfilter::CheckCategory(TFilterCategory Category, bool Checked) {
  for (ck::TCkXPCheckbox* box : Boxes(Category)) box->SetChecked(Checked);
}

ck::TCkWizardButtonControl* Tformfilter::CloseButton() const {
  return Wizard ? Wizard->ButtonControl(ck::bkCancel) : nullptr;
}

void Tformfilter::SetFilterActive() { FilterActive = UncheckedCount() > 0 || WeightsChanged() ? 1 : 0; }

// ---- Showing and closing

void Tformfilter::FormShow(TObject*) { FilterActive = 0; }

void Tformfilter::WizardFinishButtonClick(TObject*) {
  if (ck::TCkWizardButtonControl* close = CloseButton()) close->SetModalResult(fw::mrCancel);
  SetFilterActive();
  Close();
}

void Tformfilter::WizardCancelButtonClick(TObject*) {
  ck::TCkWizardButtonControl* close = CloseButton();
  if (close) close->SetModalResult(fw::mrCancel);
  const int n = UncheckedCount();
  if (n > 0 || WeightsChanged()) {
    MessageBeep(0);
    const String text = u"Font filter is still activated! " + fw::IntToStr(n) +
                        u" font fields are excluded from search" +
                        (WeightsChanged() ? u" and font weight filter threshold is changed." : u".") + u" Continue?";
    if (fw::MessageDlg(text, fw::mtConfirmation, fw::mbYesNo, 0) == fw::mrNo && close)
      close->SetModalResult(fw::mrNone);
  }
  SetFilterActive();
  Close();
}

void Tformfilter::FormCloseQuery(TObject*, bool& CanClose) {
  ck::TCkWizardButtonControl* close = CloseButton();
  CanClose = close && close->ModalResult() == fw::mrCancel;
  if (!CanClose || FilterActive == 0 || !ImageForm || !ImageForm->Balloon || !ImageForm->btnfilter) return;
  ck::TCkBalloonHint* balloon = ImageForm->Balloon;
  const ck::TCkBalloonOptions previous = balloon->Options();
  balloon->SetOptions({ck::boUseDefaultIcon, ck::boShowCloseBtn, ck::boPlaySound});
  balloon->ActivateHint(ImageForm->btnfilter, u"Database filter is activated!", u"Database filter status", 3000);
  balloon->SetOptions(previous);
}

// ---- Pages

void Tformfilter::RefuseEmptyCategory(TFilterCategory Category, bool& Stop) {
  if (AnyChecked(Category)) return;
  static constexpr const char16_t* kWhat[] = {u"family", u"style", u"type"};
  MessageBeep(0);
  fw::MessageDlg(String(u"Atleast one field MUST be checked! Select one font ") + kWhat[static_cast<int>(Category)] +
                     u" and continue.",
                 fw::mtError, fw::TMsgDlgButtons{fw::mbOK}, 0);
  Stop = true;
}

void Tformfilter::ImageLoadNextButtonClick(TObject*, bool& Stop) { RefuseEmptyCategory(TFilterCategory::Family, Stop); }

void Tformfilter::pgcompareNextButtonClick(TObject*, bool& Stop) { RefuseEmptyCategory(TFilterCategory::Style, Stop); }

void Tformfilter::RunNextButtonClick(TObject*, bool& Stop) {
  RefuseEmptyCategory(TFilterCategory::Type, Stop);
  if (!Stop) UpdateSummary();
}

void Tformfilter::EnablePageButtons(ck::TCkWizardInteriorPage* Page, TFilterCategory Category, bool WithBack) {
  if (!Page) return;
  const bool any = AnyChecked(Category);
  Page->EnableButton(ck::bkCancel, any);
  Page->EnableButton(ck::bkNext, any);
  if (WithBack) Page->EnableButton(ck::bkBack, any);
}

void Tformfilter::cbswissClick(TObject*) { EnablePageButtons(ImageLoad, TFilterCategory::Family, false); }
void Tformfilter::cbBoldClick(TObject*) { EnablePageButtons(pgcompare, TFilterCategory::Style, true); }
void Tformfilter::cbTruetypeClick(TObject*) { EnablePageButtons(Run, TFilterCategory::Type, true); }

void Tformfilter::FamilyCheckAllClick(TObject*) {
  CheckCategory(TFilterCategory::Family, true);
  cbswissClick(this);
}
void Tformfilter::FamilyUncheckAllClick(TObject*) {
  CheckCategory(TFilterCategory::Family, false);
  cbswissClick(this);
}
void Tformfilter::StyleCheckAllClick(TObject*) {
  CheckCategory(TFilterCategory::Style, true);
  cbBoldClick(this);
}
void Tformfilter::StyleUncheckAllClick(TObject*) {
  CheckCategory(TFilterCategory::Style, false);
  cbBoldClick(this);
}
void Tformfilter::TypeCheckAllClick(TObject*) {
  CheckCategory(TFilterCategory::Type, true);
  cbTruetypeClick(this);
}
void Tformfilter::TypeUncheckAllClick(TObject*) {
  CheckCategory(TFilterCategory::Type, false);
  cbTruetypeClick(this);
}

// ---- Weights: the bounds stay 50 apart

void Tformfilter::seweightChange(TObject*) {
  if (!seweight || !selow) return;
  if (lbHigh) lbHigh->SetCaption(WeightLabelText(seweight->Value()));
  if (selow->Value() >= seweight->Value()) seweight->SetValue(selow->Value() + kWeightStep);
}

void Tformfilter::selowChange(TObject*) {
  if (!seweight || !selow) return;
  if (lblow) lblow->SetCaption(fw::IntToStr(selow->Value()));
  if (selow->Value() >= seweight->Value()) selow->SetValue(seweight->Value() - kWeightStep);
}

void Tformfilter::btnresetwidthClick(TObject*) {
  if (seweight) seweight->SetValue(kHighestWeight);
  if (selow) selow->SetValue(kLowestWeight);
}

void Tformfilter::btnresetallClick(TObject*) {
  for (ck::TCkXPCheckbox* box : AllBoxes()) box->SetChecked(true);
  btnresetwidthClick(this);
  cbswissClick(this);
  cbBoldClick(this);
  cbTruetypeClick(this);
  UpdateSummary();
}

// ---- Summary and count

void Tformfilter::UpdateSummary() {
  const struct {
    fw::TLabel* Label;
    TFilterCategory Category;
  } kRows[] = {{lbexfam, TFilterCategory::Family}, {lbexsty, TFilterCategory::Style}, {lbextyp, TFilterCategory::Type}};
  for (const auto& row : kRows) {
    if (!row.Label) continue;
    String text;
    for (ck::TCkXPCheckbox* box : Boxes(row.Category))
      if (!box->Checked()) text += box->Caption() + u",";
    row.Label->SetCaption(text.empty() ? String(u"None") : text);
    row.Label->Font()->SetColor(text.empty() ? kNoneColor : kExcludedColor);
  }
  if (lbweight) {
    const bool narrowed = WeightsChanged();
    lbweight->SetCaption(narrowed ? u"From " + fw::IntToStr(selow->Value()) + u" to " + fw::IntToStr(seweight->Value())
                                  : String(u"None"));
    lbweight->Font()->SetColor(narrowed ? kExcludedColor : kNoneColor);
  }
  if (lbtotal) lbtotal->SetCaption(u"");
}

void Tformfilter::CkXPButton1Click(TObject*) {
  if (!ImageForm || !ImageForm->DatabaseOpen()) return;
  TFontDatabase& db = ImageForm->Database();
  const int total = static_cast<int>(db.CompFile.FileSize());
  const int step = total / 10;
  if (progres) {
    progres->SetPosition(0);
    progres->SetMax(total);
    if (step > 0) progres->SetSteps(step);
    progres->Show();
  }
  if (lbtotal) lbtotal->SetCaption(u"Processing..");
  fw::Screen->SetCursor(fw::crHourGlass);
  int passed = 0;
  int& counter = ImageForm->Search().ScanCounter;
  counter = 0;
  const TFontFilter filter = CurrentFilter();
  struct TAtTheEnd {
    Tformfilter* F;
    const int& Passed;
    int Total;
    ~TAtTheEnd() {
      fw::Screen->SetCursor(fw::crDefault);
      if (F->progres) {
        F->progres->Hide();
        F->progres->SetPosition(0);
      }
      if (F->lbtotal) F->lbtotal->SetCaption(fw::IntToStr(Passed) + u" of " + fw::IntToStr(Total));
    }
  } atTheEnd{this, passed, total};
  for (int i = 0; i < total; ++i) {
    fw::Application->ProcessMessages();
    db.CompFile.Seek(i);
    db.CompFile.Read(db.CompRec);
    ++counter;
    if (step > 0 && counter % step == 0 && progres) progres->StepIt();
    try {
      if (fw::FileExists(fw::AnsiToString(db.CompRec.FileName.Get())) && CompareFontFromDatabase(db.CompRec, filter))
        ++passed;
    } catch (const fw::EConvertError&) {
      // A damaged weight: the record passes no filter, as in a search.
    }
  }
}

FW_REGISTER(Tformfilter) {
  using F = Tformfilter;
  c.Field(u"Wizard", &F::Wizard);
  c.Field(u"ImageLoad", &F::ImageLoad);
  c.Field(u"pgcompare", &F::pgcompare);
  c.Field(u"Run", &F::Run);
  c.Field(u"Multipreview", &F::Multipreview);
  c.Field(u"seweight", &F::seweight);
  c.Field(u"selow", &F::selow);
  c.Field(u"lbHigh", &F::lbHigh);
  c.Field(u"lblow", &F::lblow);
  c.Field(u"lbexfam", &F::lbexfam);
  c.Field(u"lbexsty", &F::lbexsty);
  c.Field(u"lbextyp", &F::lbextyp);
  c.Field(u"lbweight", &F::lbweight);
  c.Field(u"lbtotal", &F::lbtotal);
  c.Field(u"progres", &F::progres);
  c.Method(u"FormShow", &F::FormShow);
  c.Method(u"FormCloseQuery", &F::FormCloseQuery);
  c.Method(u"WizardFinishButtonClick", &F::WizardFinishButtonClick);
  c.Method(u"WizardCancelButtonClick", &F::WizardCancelButtonClick);
  c.Method(u"ImageLoadNextButtonClick", &F::ImageLoadNextButtonClick);
  c.Method(u"pgcompareNextButtonClick", &F::pgcompareNextButtonClick);
  c.Method(u"RunNextButtonClick", &F::RunNextButtonClick);
  c.Method(u"cbswissClick", &F::cbswissClick);
  c.Method(u"cbBoldClick", &F::cbBoldClick);
  c.Method(u"cbTruetypeClick", &F::cbTruetypeClick);
  c.Method(u"FamilyCheckAllClick", &F::FamilyCheckAllClick);
  c.Method(u"FamilyUncheckAllClick", &F::FamilyUncheckAllClick);
  c.Method(u"StyleCheckAllClick", &F::StyleCheckAllClick);
  c.Method(u"StyleUncheckAllClick", &F::StyleUncheckAllClick);
  c.Method(u"TypeCheckAllClick", &F::TypeCheckAllClick);
  c.Method(u"TypeUncheckAllClick", &F::TypeUncheckAllClick);
  c.Method(u"seweightChange", &F::seweightChange);
  c.Method(u"selowChange", &F::selowChange);
  c.Method(u"btnresetwidthClick", &F::btnresetwidthClick);
  c.Method(u"btnresetallClick", &F::btnresetallClick);
  c.Method(u"CkXPButton1Click", &F::CkXPButton1Click);
}

}  // namespace app
