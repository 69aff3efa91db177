// The default skin manager's hook on the application window: the skin
// preview link, the minimize and restore requests it notes, and the
// messages it swallows or passes on to every form.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "fw/controls_test_util.h"
#include "fw/system/application.h"
#include "skin/engine/core/preview_record.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skin_resources.h"
#include "skin/engine/skinned_forms.h"

namespace skin {
namespace {

std::vector<uint8_t> Record(const char* name, const char* data) {
  TkcSkinData r;
  r.Magic = kPreviewMagic;
  r.SkinName = name;
  r.SkinDir = "c:\\NoSuchSkins";
  r.Data = data;
  return WritePreviewRecord(r);
}

TEST(AppWindowHook, APreviewIsTakenOnlyWhenStartedToPreviewAndWhole) {
  std::vector<uint8_t> good = Record("Sapphire (internal)", "");
  std::vector<uint8_t> wrongMagic = good;
  wrongMagic[0] = 1;
  TSkinSwitches preview, plain;
  preview.Preview = true;
  struct Case {
    const char* name;
    const TSkinSwitches* switches;
    WPARAM kind;
    std::vector<uint8_t>* bytes;
    DWORD size;
    bool taken;
  };
  const Case cases[] = {
      {"whole record", &preview, 7, &good, static_cast<DWORD>(good.size()), true},
      {"not started to preview", &plain, 7, &good, static_cast<DWORD>(good.size()), false},
      {"other kind", &preview, 6, &good, static_cast<DWORD>(good.size()), false},
      {"wrong magic", &preview, 7, &wrongMagic, static_cast<DWORD>(good.size()), false},
      {"shorter than a record", &preview, 7, &good, static_cast<DWORD>(good.size() - 1), false},
      {"no data", &preview, 7, nullptr, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    COPYDATASTRUCT data{0, c.size, c.bytes ? c.bytes->data() : nullptr};
    TkcSkinData record;
    EXPECT_EQ(AcceptPreviewCopyData(*c.switches, c.kind, &data, record), c.taken);
    if (c.taken) EXPECT_EQ(record.SkinName, "Sapphire (internal)");
  }
  TkcSkinData record;
  EXPECT_FALSE(AcceptPreviewCopyData(preview, 7, nullptr, record));
}

TEST(AppWindowHook, ThePreviewLoadsItsDescriptionWithOneNewSkinAndNoTransition) {
  struct TCounting : fw::TForm {
    TCounting() : fw::TForm(nullptr) {}
    int newSkin = 0;
    void WndProc(fw::TMessage& m) override {
      if (m.Msg == WM_SKINCOMMAND && SkinCommandCode(m.WParam) == SKC_ISHANDLED) {
        m.Result = 1;
        return;
      }
      if (m.Msg == WM_SKINCOMMAND && SkinCommandCode(m.WParam) == SKC_NEWSKIN) ++newSkin;
      fw::TForm::WndProc(m);
    }
  };
  auto* form = new TCounting();
  form->AfterConstruction();
  form->Handle();
  AddSkinnedForm(form);
  {
    TkSkinManager m(nullptr);
    std::vector<fw::String> errors;
    m.ReportMessage = [&](const fw::String& t) { errors.push_back(t); };
    LoadInternalSkins(*m.InternalSkins());
    m.WriteSkinName(u"Topaz (internal)");
    form->newSkin = 0;
    const std::vector<uint8_t> bytes = Record("Sapphire (internal)", "");
    ASSERT_TRUE(ParsePreviewRecord(bytes.data(), bytes.size(), m.PreviewBuffer));
    m.LoadFromPreviewBuffer();
    EXPECT_EQ(m.SkinName(), u"Sapphire (internal)");
    EXPECT_EQ(m.SkinDirectory(), u"c:\\NoSuchSkins");
    // The description was empty: only the section every skin gets.
    ASSERT_EQ(m.gd().size(), 1u);
    EXPECT_EQ(m.gd()[0].ClassName, u"TRANSPARENT");
    EXPECT_FALSE(m.SkinIsPacked);
    EXPECT_EQ(form->newSkin, 1);
    EXPECT_EQ(PreviewOptions, nullptr);
    EXPECT_FALSE(m.NoAutoUpdate);
    EXPECT_TRUE(errors.empty());
    // A wrong magic number at load time is ignored.
    m.PreviewBuffer.Magic = 0;
    form->newSkin = 0;
    m.LoadFromPreviewBuffer();
    EXPECT_EQ(form->newSkin, 0);
  }
  PreviewMode = false;
  RemoveSkinnedForm(form);
  form->Free();
}

TEST(AppWindowHook, SystemCommandsSetTheShowStateAndThemeChangesAreSwallowed) {
  TkSkinManager m(nullptr);
  m.ReportMessage = [](const fw::String&) {};
  LoadInternalSkins(*m.InternalSkins());
  m.WriteSkinName(u"Topaz (internal)");
  struct Case {
    WPARAM command;
    TShowAction expected;
  };
  const Case cases[] = {{SC_MINIMIZE, saMinimize}, {SC_RESTORE, saRestore}, {SC_MOVE, saIgnore}};
  for (const Case& c : cases) {
    fw::TMessage msg{WM_SYSCOMMAND, c.command, 0, 0};
    EXPECT_FALSE(m.MainWndHook(msg));
    EXPECT_EQ(m.ShowState, c.expected);
  }
  fw::TMessage theme{WM_THEMECHANGED, 0, 0, 0};
  EXPECT_TRUE(m.MainWndHook(theme));
  fw::TMessage copy{WM_COPYDATA, 7, 0, 0};
  EXPECT_TRUE(m.MainWndHook(copy));
}

TEST(AppWindowHook, ActivationInvalidatesEveryFormWithAWindow) {
  struct TWatch : fw::TForm {
    explicit TWatch(fw::TComponent* o) : fw::TForm(o) {}
    int invalidated = 0;
    void WndProc(fw::TMessage& m) override {
      if (m.Msg == WM_SKINCOMMAND && SkinCommandCode(m.WParam) == SKC_INVALIDATE) ++invalidated;
      fw::TForm::WndProc(m);
    }
  };
  auto* withWindow = new TWatch(nullptr);
  withWindow->AfterConstruction();
  withWindow->Handle();
  auto* without = new TWatch(nullptr);
  without->AfterConstruction();
  TkSkinManager m(nullptr);
  fw::TMessage activate{fw::CM_ACTIVATE, 0, 0, 0};
  EXPECT_FALSE(m.MainWndHook(activate));
  EXPECT_EQ(withWindow->invalidated, 1);
  EXPECT_EQ(without->invalidated, 0);
  EXPECT_FALSE(without->HandleAllocated());
  withWindow->Free();
  without->Free();
}

}  // namespace
}  // namespace skin
