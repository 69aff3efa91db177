// The skin state of a control and the common handling of skin commands: a
// skinned edit takes its section's colours with a new skin, gives them back
// when the skin is removed, and answers the commands every skinned control
// answers.
#include "skin/engine/common_data.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "fw/controls_test_util.h"
#include "fw/core/colors.h"
#include "fw/stdctrls/edit.h"
#include "skin/engine/control_messages.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skin_resources.h"
#include "skin/engine/skinned_forms.h"

namespace skin {
namespace {

class TSkinnedEdit : public fw::TEdit {
 public:
  explicit TSkinnedEdit(fw::TComponent* owner) : fw::TEdit(owner), data(this, true) { data.COC = 3; }
  TkCommonData data;

 protected:
  void WndProc(fw::TMessage& m) override {
    if (HandleControlMessage(m, &data)) return;
    fw::TEdit::WndProc(m);
  }
};

struct SkinnedForm {
  fwtest::TestForm form;
  TSkinnedEdit* edit;
  SkinnedForm() {
    edit = new TSkinnedEdit(form.form);
    edit->SetParent(form.form);
    edit->Handle();
    AddSkinnedForm(form.form);
  }
  ~SkinnedForm() { RemoveSkinnedForm(form.form); }
};

struct Manager {
  TkSkinManager manager{nullptr};
  Manager() {
    manager.ReportMessage = [](const fw::String& text) { ADD_FAILURE() << fw::StringToUtf8(text); };
    LoadInternalSkins(*manager.InternalSkins());
    manager.WriteSkinName(u"Sapphire (internal)");
  }
  const TkGeneralData& Section(const char16_t* name) const {
    return manager.gd()[static_cast<size_t>(manager.GetSkinIndex(name))];
  }
};

TEST(CommonData, ASkinnedEditTakesTheSkinsColoursAndRemovalRestoresThem) {
  Manager m;
  SkinnedForm f;
  f.edit->data.Loaded();
  EXPECT_EQ(f.edit->data.SkinSection(), u"EDIT");
  ASSERT_TRUE(f.edit->data.Skinned());
  const TkGeneralData& edit = m.Section(u"EDIT");
  EXPECT_EQ(f.edit->Color(), edit.Props[0].Color);
  EXPECT_EQ(f.edit->Font()->Color(), edit.Props[0].FontColor.Color);

  m.manager.WriteActive(false);
  EXPECT_EQ(f.edit->data.SkinIndex, -1);
  EXPECT_EQ(f.edit->data.BorderIndex, -1);
  EXPECT_FALSE(f.edit->data.Skinned());
  EXPECT_EQ(f.edit->Color(), fw::clWindow);
  EXPECT_EQ(f.edit->Font()->Color(), fw::clWindowText);

  m.manager.WriteActive(true);
  EXPECT_TRUE(f.edit->data.Skinned());
  EXPECT_FALSE(f.edit->data.FUpdating);
  EXPECT_EQ(f.edit->Color(), m.Section(u"EDIT").Props[0].Color);
}

TEST(CommonData, SectionManagerAndUpdateRules) {
  Manager m;
  SkinnedForm f;
  TkCommonData& d = f.edit->data;
  d.Loaded();
  d.WriteSkinSection(u"panel");
  EXPECT_EQ(d.SkinSection(), u"PANEL");
  EXPECT_EQ(d.SkinIndex, m.manager.GetSkinIndex(u"PANEL"));
  d.WriteSkinSection(u"");
  EXPECT_EQ(d.SkinSection(), u"UNKNOWN");
  EXPECT_EQ(d.SkinIndex, -1);
  d.WriteSkinManager(DefaultSkinManager);
  EXPECT_FALSE(d.ManagerStored());
  EXPECT_EQ(d.ReadSkinManager(), &m.manager);
  d.BeginUpdate();
  d.BeginUpdate();
  EXPECT_TRUE(d.FUpdating);
  EXPECT_TRUE(d.CtrlSkinState & cssUpdating);
  d.EndUpdate(false);
  EXPECT_FALSE(d.FUpdating);
  EXPECT_EQ(d.FUpdateCount, 1);
  f.edit->SetEnabled(false);
  EXPECT_TRUE(d.RepaintIfMoved());
}

TEST(CommonData, CommandsEverySkinnedControlAnswers) {
  Manager m;
  SkinnedForm f;
  TkCommonData& d = f.edit->data;
  d.Loaded();
  HWND wnd = f.edit->WindowHandle();
  EXPECT_EQ(SendSkinCommand(wnd, SKC_ISHANDLED, 0), 1);
  EXPECT_EQ(SendSkinCommand(wnd, SKC_QUERYMOVEREPAINT, 0), 1);
  EXPECT_EQ(SendSkinCommand(wnd, SKC_GETSKINDATA, 0), reinterpret_cast<LRESULT>(&d));
  EXPECT_EQ(SendSkinCommand(wnd, SKC_GETBGCOLOR, 0), m.Section(u"EDIT").Props[0].Color);
  SendSkinCommand(wnd, SKC_SETPRINTDC, 0x1234);
  EXPECT_TRUE(d.CtrlSkinState & cssPrinting);
  EXPECT_EQ(d.PrintDC, reinterpret_cast<HDC>(0x1234));
  SendSkinCommand(wnd, SKC_SETPRINTDC, 0);
  EXPECT_FALSE(d.CtrlSkinState & cssPrinting);
  SendMessageW(wnd, WM_SKINCOMMAND, SkinCommand(SKC_SETUPDATING, 1), 0);
  EXPECT_TRUE(d.FUpdating);
  SendMessageW(wnd, WM_SKINCOMMAND, SkinCommand(SKC_SETUPDATING, 0), 0);
  EXPECT_FALSE(d.FUpdating);
  TkcSectionInfo info;
  SendSkinCommand(wnd, SKC_GETSKININDEX, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.SkinIndex, d.SkinIndex);
  info.Name = u"Combobox";
  EXPECT_EQ(SendSkinCommand(wnd, SKC_SETSECTION, reinterpret_cast<LPARAM>(&info)), 1);
  EXPECT_EQ(d.SkinSection(), u"COMBOBOX");
  fw::TRect bounds;
  SendSkinCommand(wnd, SKC_GETBOUNDS, reinterpret_cast<LPARAM>(&bounds));
  EXPECT_EQ(bounds, f.edit->BoundsRect());
  // Skinned: the framework must not repaint focus cues.
  fw::TMessage ui{WM_UPDATEUISTATE, 0, 0, 0};
  EXPECT_TRUE(HandleControlMessage(ui, &d));
  d.WriteSkinSection(u"NOSUCHSECTION");
  EXPECT_FALSE(HandleControlMessage(ui, &d));
}

TEST(CommonData, UnderTheMemorySavingPriorityAHiddenControlDropsItsCache) {
  Manager m;
  SkinnedForm f;
  TkCommonData& d = f.edit->data;
  d.Loaded();
  d.EnsureCacheBitmap();
  ASSERT_GT(d.FCacheBmp->Width(), 0);
  fw::TMessage hidden{fw::CM_VISIBLECHANGED, 0, 0, 0};
  HandleControlMessage(hidden, &d);
  EXPECT_GT(d.FCacheBmp->Width(), 0);
  m.manager.Options()->WriteOptimizingPriority(opMemory);
  HandleControlMessage(hidden, &d);
  EXPECT_EQ(d.FCacheBmp->Width(), 0);
  EXPECT_TRUE(d.BGChanged);
  m.manager.Options()->WriteOptimizingPriority(opSpeed);
}

}  // namespace
}  // namespace skin
