// The database filter "Database Filter": a four-page wizard whose check
// boxes (family class, style, font type) and weight sliders are the filter
// a database search applies to every record, whichever button closes it.
// Its last page sums up what is left out and counts the records that pass.
// It lives for the whole run and keeps its state between openings.
#pragma once

#include <vector>

#include "app/core/font_database.h"
#include "controls/base/ckslider.h"
#include "controls/base/ckwizard.h"
#include "controls/base/progress_bar.h"
#include "controls/base/xp_button.h"
#include "controls/base/xp_checkbox.h"
#include "fw/controls/forms.h"
#include "fw/stdctrls/label.h"

namespace app {

// "1000 Black (Heavy)": the value followed by its weight's name.
fw::String WeightLabelText(int Weight);

// The filter's check boxes by category: tags 10 to 15 family, 20 to 23
// style, 1 to 7 type.
enum class TFilterCategory { Family, Style, Type };
TFilterCategory CategoryOfTag(int Tag);

class Tformfilter : public fw::TForm {
  FW_CLASS(Tformfilter, fw::TForm)

 public:
  explicit Tformfilter(fw::TComponent* AOwner) : fw::TForm(AOwner) {}
  ~Tformfilter() override;

  ck::TCkWizard* Wizard = nullptr;
  ck::TCkWizardInteriorPage* ImageLoad = nullptr;
  ck::TCkWizardInteriorPage* pgcompare = nullptr;
  ck::TCkWizardInteriorPage* Run = nullptr;
  ck::TCkWizardInteriorPage* Multipreview = nullptr;
  ck::TCkxSlider* seweight = nullptr;
  ck::TCkxSlider* selow = nullptr;
  fw::TLabel* lbHigh = nullptr;
  fw::TLabel* lblow = nullptr;
  fw::TLabel* lbexfam = nullptr;
  fw::TLabel* lbexsty = nullptr;
  fw::TLabel* lbextyp = nullptr;
  fw::TLabel* lbweight = nullptr;
  fw::TLabel* lbtotal = nullptr;
  ck::TCkXPProgressBar* progres = nullptr;

  void FormShow(fw::TObject* Sender);
  void FormCloseQuery(fw::TObject* Sender, bool& CanClose);
  void WizardFinishButtonClick(fw::TObject* Sender);
  void WizardCancelButtonClick(fw::TObject* Sender);
  void ImageLoadNextButtonClick(fw::TObject* Sender, bool& Stop);
  void pgcompareNextButtonClick(fw::TObject* Sender, bool& Stop);
  void RunNextButtonClick(fw::TObject* Sender, bool& Stop);
  void cbswissClick(fw::TObject* Sender);
  void cbBoldClick(fw::TObject* Sender);
  void cbTruetypeClick(fw::TObject* Sender);
  void FamilyCheckAllClick(fw::TObject* Sender);
  void FamilyUncheckAllClick(fw::TObject* Sender);
  void StyleCheckAllClick(fw::TObject* Sender);
  void StyleUncheckAllClick(fw::TObject* Sender);
  void TypeCheckAllClick(fw::TObject* Sender);
  void TypeUncheckAllClick(fw::TObject* Sender);
  void seweightChange(fw::TObject* Sender);
  void selowChange(fw::TObject* Sender);
  void btnresetwidthClick(fw::TObject* Sender);
  void btnresetallClick(fw::TObject* Sender);
  void CkXPButton1Click(fw::TObject* Sender);

  // The filter as the boxes and sliders hold it now.
  TFontFilter CurrentFilter() const;
  // The check boxes of a category, in the dialog's order.
  std::vector<ck::TCkXPCheckbox*> Boxes(TFilterCategory Category) const;
  // Boxes unchecked, and whether the weights differ from 50 to 1000.
  int UncheckedCount() const;
  bool WeightsChanged() const;
  // The summary page's labels from the boxes and sliders.
  void UpdateSummary();

 private:
  std::vector<ck::TCkXPCheckbox*> AllBoxes() const;
  bool AnyChecked(TFilterCategory Category) const;
  void CheckCategory(TFilterCategory Category, bool Checked);
  // Enables the page's buttons while a box of its category is checked.
  void EnablePageButtons(ck::TCkWizardInteriorPage* Page, TFilterCategory Category, bool WithBack);
  void RefuseEmptyCategory(TFilterCategory Category, bool& Stop);
  ck::TCkWizardButtonControl* CloseButton() const;
  void SetFilterActive();
};

extern Tformfilter* formfilter;
// 1 after the dialog was closed with a box unchecked or the weights
// narrowed; 0 whenever the dialog is shown. It only decides the balloons
// "Database filter is activated!".
extern int FilterActive;

// The filter a database search applies: the dialog's, or every record's
// when there is no dialog.
TFontFilter DatabaseFilter();

}  // namespace app
