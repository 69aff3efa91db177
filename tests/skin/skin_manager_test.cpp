// The skin manager: which skin a name loads (a packed file, a skin folder,
// a stored skin, the first stored skin), that a damaged skin leaves the
// skin in use whole, the skin commands a change sends to every registered
// form and its controls, and the options' defaults.
#include "skin/engine/skin_manager.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fw/controls_test_util.h"
#include "fw/core/colors.h"
#include "fw/stdctrls/edit.h"
#include "skin/engine/common_data.h"
#include "skin/engine/control_messages.h"
#include "skin/engine/core/packed_skin.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skin_resources.h"
#include "skin/engine/skinned_forms.h"
#include "skin/engine/skinning_links.h"

namespace skin {
namespace {

namespace fs = std::filesystem;

fw::String ToString(const fs::path& p) { return fw::String(reinterpret_cast<const char16_t*>(p.wstring().c_str())); }

// A folder of its own under the program's temporary folder.
struct TempFolder {
  fs::path path;
  explicit TempFolder(const char* name) {
    path = fs::temp_directory_path() / name;
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~TempFolder() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
  void Write(const fs::path& rel, const std::vector<uint8_t>& bytes) const {
    fs::create_directories((path / rel).parent_path());
    std::ofstream(path / rel, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }
};

std::vector<uint8_t> StoredSkin(const char16_t* name) {
  for (TStoredSkinData& s : LoadInternalSkins())
    if (s.Name == name) return s.Data;
  return {};
}

// Counts what a manager tells.
struct Events {
  int activate = 0, deactivate = 0, after = 0;
  std::vector<fw::String> errors;
  void Activate(fw::TObject*) { ++activate; }
  void Deactivate(fw::TObject*) { ++deactivate; }
  void After(fw::TObject*) { ++after; }
};

struct ManagerFixture {
  TkSkinManager manager{nullptr};
  Events events;
  explicit ManagerFixture(bool storedSkins = true) {
    manager.ReportMessage = [this](const fw::String& text) { events.errors.push_back(text); };
    manager.OnActivate = fw::TNotifyEvent(&events, &Events::Activate);
    manager.OnDeactivate = fw::TNotifyEvent(&events, &Events::Deactivate);
    manager.OnAfterChange = fw::TNotifyEvent(&events, &Events::After);
    if (storedSkins) LoadInternalSkins(*manager.InternalSkins());
  }
};

// A form registered as skinned that logs the skin commands it and its
// control receive.
class TLoggingControl : public fw::TCustomControl {
 public:
  TLoggingControl(fw::TComponent* owner, std::vector<std::string>* log, std::string name)
      : fw::TCustomControl(owner), log(log), name(std::move(name)) {}
  std::vector<std::string>* log;
  std::string name;

 protected:
  void WndProc(fw::TMessage& m) override {
    if (m.Msg == WM_SKINCOMMAND) {
      const WORD code = SkinCommandCode(m.WParam);
      if (code == SKC_ISHANDLED) {
        m.Result = 1;
        return;
      }
      if (code == SKC_NEWSKIN || code == SKC_REMOVESKIN || code == SKC_REFRESH || code == SKC_BEFOREREFRESH)
        log->push_back(name + ":" + std::to_string(code));
      return;
    }
    fw::TCustomControl::WndProc(m);
  }
};

class TLoggingForm : public fw::TForm {
 public:
  TLoggingForm(std::vector<std::string>* log, std::string name) : fw::TForm(nullptr), log(log), name(std::move(name)) {}
  std::vector<std::string>* log;
  std::string name;

 protected:
  void WndProc(fw::TMessage& m) override {
    if (m.Msg == WM_SKINCOMMAND) {
      const WORD code = SkinCommandCode(m.WParam);
      if (code == SKC_ISHANDLED) {
        m.Result = 1;
        return;
      }
      if (code == SKC_NEWSKIN || code == SKC_REMOVESKIN || code == SKC_REFRESH || code == SKC_BEFOREREFRESH)
        log->push_back(name + ":" + std::to_string(code));
      return;
    }
    fw::TForm::WndProc(m);
  }
};

struct RegisteredForm {
  TLoggingForm* form;
  RegisteredForm(std::vector<std::string>* log, const std::string& name) {
    form = new TLoggingForm(log, name);
    form->AfterConstruction();
    form->SetBorderStyle(fw::bsNone);
    auto* child = new TLoggingControl(form, log, name + ".child");
    child->SetParent(form);
    form->Handle();
    AddSkinnedForm(form);
  }
  ~RegisteredForm() {
    RemoveSkinnedForm(form);
    form->Free();
  }
};

TEST(SkinManager, ANameLoadsFromThePackedFileTheFolderOrTheStoredSkins) {
  TempFolder dir("skin_manager_sources");
  const std::vector<uint8_t> sapphire = StoredSkin(u"Sapphire (internal)");
  ASSERT_FALSE(sapphire.empty());
  dir.Write("Packed one.ksz", sapphire);
  fs::create_directories(dir.path / "Folder one");
  UnpackSkinToFolder(ReadPackedEntries(sapphire.data(), sapphire.size()), ToString(dir.path / "Folder one") + u"\\");
  struct Case {
    const char16_t* set;
    const char16_t* name;
    bool packed;
  };
  const Case cases[] = {
      {u"Packed one", u"Packed one", true},
      {u"Packed one.KSZ", u"Packed one", true},
      {u"Folder one", u"Folder one", false},
      {u"Sapphire (internal)", u"Sapphire (internal)", true},
      {u"Sapphire (internal).KSZ", u"Sapphire (internal)", true},
      {u"No such skin", u"Topaz (internal)", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(fw::StringToUtf8(c.set));
    ManagerFixture f;
    f.manager.WriteSkinDirectory(ToString(dir.path));
    f.manager.WriteSkinName(c.set);
    EXPECT_EQ(f.manager.SkinName(), c.name);
    EXPECT_TRUE(f.manager.Active());
    EXPECT_EQ(f.manager.SkinIsPacked, c.packed);
    EXPECT_TRUE(f.manager.CommonSkinData().Active);
    EXPECT_GE(f.manager.GetSkinIndex(u"EDIT"), 0);
    EXPECT_EQ(f.manager.SkinInfo(), u"8");
    EXPECT_TRUE(f.events.errors.empty());
    EXPECT_EQ(f.events.activate, 1);
  }
}

TEST(SkinManager, WithoutStoredSkinsAnUnknownNameRemovesTheSkin) {
  std::vector<std::string> log;
  RegisteredForm form(&log, "A");
  ManagerFixture f(false);
  f.manager.WriteSkinName(u"No such skin");
  EXPECT_FALSE(f.manager.Active());
  EXPECT_EQ(f.manager.SkinInfo(), u"N/A");
  EXPECT_TRUE(f.manager.gd().empty());
  EXPECT_EQ(f.events.deactivate, 1);
  EXPECT_EQ(log, (std::vector<std::string>{"A:2", "A.child:2"}));
}

TEST(SkinManager, ADamagedSkinKeepsTheSkinInUseAndReportsOnce) {
  TempFolder dir("skin_manager_damaged");
  std::vector<uint8_t> damaged = StoredSkin(u"Topaz (internal)");
  damaged.resize(damaged.size() / 2);
  dir.Write("Broken.ksz", damaged);
  dir.Write("No options.ksz", WritePackedSkin({{u"MASTER.BMP", {1, 2, 3}}}));
  for (const char16_t* name : {u"Broken", u"No options"}) {
    SCOPED_TRACE(fw::StringToUtf8(name));
    std::vector<std::string> log;
    RegisteredForm form(&log, "A");
    ManagerFixture f;
    f.manager.WriteSkinDirectory(ToString(dir.path));
    f.manager.WriteSkinName(u"Sapphire (internal)");
    const TkLoadedSkin* before = &f.manager.Skin();
    const size_t sections = f.manager.gd().size();
    log.clear();
    f.manager.WriteSkinName(name);
    EXPECT_EQ(f.manager.SkinName(), u"Sapphire (internal)");
    EXPECT_EQ(&f.manager.Skin(), before);
    EXPECT_EQ(f.manager.gd().size(), sections);
    EXPECT_TRUE(f.manager.CommonSkinData().Active);
    EXPECT_EQ(f.events.errors.size(), 1u);
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(SkinLoading);
  }
}

TEST(SkinManager, SkinNamesListStoredSkinsFirstThenTheFolders) {
  TempFolder dir("skin_manager_names");
  dir.Write("b skin.ksz", StoredSkin(u"Topaz (internal)"));
  dir.Write("A folder/Options.dat", {'x'});
  dir.Write("Not a skin/readme.txt", {'x'});
  ManagerFixture f;
  f.manager.WriteSkinDirectory(ToString(dir.path));
  std::vector<fw::String> all, external;
  EXPECT_EQ(f.manager.GetSkinNames(all), u"Topaz (internal)");
  EXPECT_EQ(all, (std::vector<fw::String>{u"A folder", u"b skin", u"Sapphire (internal)", u"Topaz (internal)"}));
  f.manager.GetExternalSkinNames(external);
  EXPECT_EQ(external, (std::vector<fw::String>{u"A folder", u"b skin"}));
}

TEST(SkinManager, ASkinChangeReachesEveryRegisteredFormAndControlInOrder) {
  std::vector<std::string> log;
  RegisteredForm a(&log, "A"), b(&log, "B");
  ManagerFixture f;
  f.manager.WriteSkinName(u"Topaz (internal)");
  EXPECT_EQ(log, (std::vector<std::string>{"A:1", "A.child:1", "B:1", "B.child:1", "A:16", "A.child:16", "B:16",
                                           "B.child:16", "A:3", "A.child:3", "B:3", "B.child:3"}));
  log.clear();
  f.manager.WriteActive(false);
  EXPECT_EQ(log, (std::vector<std::string>{"A:2", "A.child:2", "B:2", "B.child:2"}));
  EXPECT_TRUE(f.manager.gd().empty());
  EXPECT_EQ(f.events.deactivate, 1);
  log.clear();
  f.manager.WriteActive(true);
  EXPECT_EQ(log.front(), "A:1");
  EXPECT_EQ(f.manager.SkinName(), u"Topaz (internal)");
}

TEST(SkinManager, BetweenBeginAndEndUpdateAChangeLoadsButBroadcastsAtTheEnd) {
  std::vector<std::string> log;
  RegisteredForm a(&log, "A");
  ManagerFixture f;
  f.manager.BeginUpdate();
  f.manager.WriteSkinName(u"Sapphire (internal)");
  EXPECT_EQ(f.manager.SkinName(), u"Sapphire (internal)");
  EXPECT_TRUE(log.empty());
  f.manager.EndUpdate(true, false);
  EXPECT_EQ(log, (std::vector<std::string>{"A:1", "A.child:1", "A:16", "A.child:16", "A:3", "A.child:3"}));
  EXPECT_TRUE(f.manager.AnimEffects()->SkinChanging.Active);
}

TEST(SkinManager, ColourChangesReloadWithoutANewSkinAndBrightnessIsClamped) {
  std::vector<std::string> log;
  RegisteredForm a(&log, "A");
  ManagerFixture f;
  f.manager.WriteSkinName(u"Sapphire (internal)");
  auto colors = [&] {
    std::vector<fw::TColor> c;
    for (const TkGeneralData& s : f.manager.gd()) c.push_back(s.Props[0].Color);
    return c;
  };
  const std::vector<fw::TColor> plain = colors();
  log.clear();
  f.events.after = 0;
  f.manager.WriteSaturation(-58);
  EXPECT_EQ(f.events.after, 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "A:1"), 0);
  EXPECT_EQ(std::count(log.begin(), log.end(), "A:3"), 1);
  EXPECT_NE(colors(), plain);
  f.manager.WriteBrightness(150);
  EXPECT_EQ(f.manager.Brightness(), 100);
  f.events.after = 0;
  f.manager.WriteBrightness(120);
  EXPECT_EQ(f.events.after, 0);
}

TEST(SkinManager, TheFirstManagerIsTheDefaultAndHooksAfterItsFirstSkin) {
  ManagerFixture first;
  EXPECT_TRUE(first.manager.IsDefault());
  EXPECT_FALSE(first.manager.GlobalHookInstalled);
  {
    TkSkinManager second(nullptr);
    EXPECT_FALSE(second.IsDefault());
    LoadInternalSkins(*second.InternalSkins());
    second.WriteSkinName(u"Topaz (internal)");
    EXPECT_FALSE(second.GlobalHookInstalled);
  }
  first.manager.WriteSkinName(u"Topaz (internal)");
  EXPECT_TRUE(first.manager.GlobalHookInstalled);
  first.manager.WriteActive(false);
  EXPECT_FALSE(first.manager.GlobalHookInstalled);
}

TEST(SkinManager, DefaultsOfTheOptionsAndTheClassLists) {
  ManagerFixture f(false);
  EXPECT_EQ(f.manager.Version(), u"9.03");
  EXPECT_EQ(f.manager.SkinInfo(), u"N/A");
  EXPECT_EQ(f.manager.SkinDirectory(), u"c:\\Skins");
  const TkcAnimEffects& a = *f.manager.AnimEffects();
  EXPECT_EQ(a.SkinChanging.Time, 100);
  EXPECT_EQ(a.SkinChanging.Mode, atFading);
  EXPECT_EQ(a.Minimizing.Time, 120);
  EXPECT_EQ(a.FormShow.Time, 0);
  EXPECT_EQ(a.FormShow.Mode, atAero);
  EXPECT_FALSE(a.BlendOnMoving.Active);
  EXPECT_EQ(a.BlendOnMoving.BlendValue, 170);
  EXPECT_EQ(a.BlendOnMoving.Time, 1000);
  EXPECT_EQ(f.manager.ThirdParty()->Texts[1], u"TButton");
  EXPECT_EQ(f.manager.ThirdParty()->Texts[0], u" ");
  EXPECT_EQ(f.manager.ThirdLists[1]->Text(), u"TButton\r\n");
  f.manager.ThirdParty()->Texts[1] = u"";
  f.manager.ThirdParty()->Texts[2] = u" ";
  f.manager.Loaded();
  EXPECT_EQ(f.manager.ThirdParty()->Texts[1], u"TButton");
  EXPECT_EQ(f.manager.ThirdParty()->Texts[2], u" ");
  EXPECT_EQ(f.manager.MenuSupport()->FIcoLineSkin, u"ICOLINE");
}

TEST(SkinManager, TheControlUnderTheMouseHearsEnterAndTheOldOneLeave) {
  std::vector<std::string> log;
  fwtest::TestForm form;
  struct TWatch : fw::TCustomControl {
    TWatch(fw::TComponent* o, std::vector<std::string>* log, std::string name)
        : fw::TCustomControl(o), log(log), name(std::move(name)) {}
    std::vector<std::string>* log;
    std::string name;
    LPARAM lastManager = 0;
    void WndProc(fw::TMessage& m) override {
      if (m.Msg == WM_SKINCOMMAND) {
        log->push_back(name + ":" + std::to_string(SkinCommandCode(m.WParam)));
        lastManager = m.LParam;
        return;
      }
      fw::TCustomControl::WndProc(m);
    }
  };
  auto* one = new TWatch(form.form, &log, "one");
  auto* two = new TWatch(form.form, &log, "two");
  one->SetParent(form.form);
  two->SetParent(form.form);
  ManagerFixture f(false);
  f.manager.WriteActiveControl(one->Handle());
  f.manager.WriteActiveControl(two->Handle());
  EXPECT_EQ(log, (std::vector<std::string>{"one:29", "one:30", "two:29"}));
  EXPECT_EQ(two->lastManager, reinterpret_cast<LPARAM>(&f.manager));
}

}  // namespace
}  // namespace skin
