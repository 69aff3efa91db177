// Stored-property lines: binding them to the form's components, the keys
// and values they give in an INI storage, and loading them back (a missing
// key keeps the designed value, a bad value stops nothing).
#include "services/core/propertystorage.h"

#include <gtest/gtest.h>

#include "fw/core/rtti.h"
#include "services/core/appinistorage.h"

using namespace services;
using fw::String;

namespace {

FW_ENUM(TPsRootFolder, psDesktop, psRootFolder, psFonts)

// A component with one property of every kind the program stores.
class TPsWidget : public fw::TComponent {
  FW_CLASS(TPsWidget, fw::TComponent)
  explicit TPsWidget(fw::TComponent* AOwner) : fw::TComponent(AOwner) {}
  int Value = 0;
  bool Checked = false;
  String Directory;
  TPsRootFolder Root = psDesktop;
  TPsWidget* Buddy = nullptr;
  int Fixed() const { return 7; }
};

FW_REGISTER(TPsWidget) {
  c.Property(u"Value", &TPsWidget::Value, &TPsWidget::Value);
  c.Property(u"Checked", &TPsWidget::Checked, &TPsWidget::Checked);
  c.Property(u"Directory", &TPsWidget::Directory, &TPsWidget::Directory);
  c.Property(u"RootDirectory", &TPsWidget::Root, &TPsWidget::Root);
  c.Property(u"Buddy", &TPsWidget::Buddy, &TPsWidget::Buddy);
  c.Property(u"Fixed", &TPsWidget::Fixed);
}

// A form with three widgets.
struct TPsForm {
  fw::TComponent* form = new fw::TComponent(nullptr);
  TPsWidget* a = Named(u"secodepoint");
  TPsWidget* b = Named(u"cbminimize");
  TPsWidget* c = Named(u"dlgsearchfolder");
  TPsForm() { form->SetName(u"ImageForm"); }
  ~TPsForm() { delete form; }
  TPsWidget* Named(const String& name) {
    auto* w = new TPsWidget(form);
    w->SetName(name);
    return w;
  }
};

std::vector<String> Lines(const fw::TStrings& list) {
  std::vector<String> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list.Strings(i));
  return out;
}

TEST(StoredPropLines, ResolvingKeepsValidLinesOfExistingComponentsOnly) {
  TPsForm f;
  fw::TStringList list;
  for (const char16_t* s : {u"secodepoint.Value", u" cbminimize . Checked ", u"nodot", u".Value", u"secodepoint.",
                            u"", u"missing.Value", u"dlgsearchfolder.NoSuchProperty"})
    list.Add(s);
  ResolveStoredProps(list, f.form);
  EXPECT_EQ(Lines(list),
            (std::vector<String>{u"secodepoint.Value", u" cbminimize . Checked ", u"dlgsearchfolder.NoSuchProperty"}));
  EXPECT_EQ(list.Objects(0), f.a);
  EXPECT_EQ(list.Objects(1), f.b);

  // Refreshing writes each line with its component's current name.
  f.b->SetName(u"cbtray");
  list.Add(u"stray.Value");  // no object: dropped
  RefreshStoredProps(list);
  EXPECT_EQ(Lines(list),
            (std::vector<String>{u"secodepoint.Value", u"cbtray.Checked", u"dlgsearchfolder.NoSuchProperty"}));
  EXPECT_EQ(list.Objects(1), f.b);
}

TEST(PropInfoList, FiltersSortsFindsAndIntersects) {
  TPsWidget w(nullptr);
  TCkPropInfoList all(&w, StorablePropertyKinds);
  std::vector<String> names;
  for (int i = 0; i < all.Count(); ++i) names.push_back(all.Items(i)->Name());
  EXPECT_EQ(names, (std::vector<String>{u"Buddy", u"Checked", u"Directory", u"Fixed", u"Name", u"RootDirectory",
                                        u"Tag", u"Value"}));
  EXPECT_EQ(all.Find(u"rootdirectory"), all.Items(5));
  EXPECT_EQ(all.Find(u"Missing"), nullptr);
  TCkPropInfoList ints(&w, TypeKindBit(fw::tkInteger));
  all.Intersect(ints);
  names.clear();
  for (int i = 0; i < all.Count(); ++i) names.push_back(all.Items(i)->Name());
  EXPECT_EQ(names, (std::vector<String>{u"Fixed", u"Tag", u"Value"}));
  EXPECT_EQ(TCkPropInfoList(nullptr, StorablePropertyKinds).Count(), 0);
}

class PropertyStorage : public ::testing::Test {
 protected:
  void SetUp() override { SetStorageFileSystem(&fs); }
  void TearDown() override { SetStorageFileSystem(nullptr); }
  std::unique_ptr<TCkAppIniFileStorage> Ini() {
    auto s = std::make_unique<TCkAppIniFileStorage>(nullptr);
    s->SetLocation(flCustom);
    s->StorageOptions()->SetBooleanStringTrueValues(u"TRUE, YES, Y");
    s->StorageOptions()->SetBooleanStringFalseValues(u"FALSE, NO, N");
    s->SetFileName(u"C:\\cfg\\vestaline.ini");
    return s;
  }
  static void Bind(fw::TStringList& list, TPsForm& f) {
    for (const char16_t* s : {u"secodepoint.Value", u"cbminimize.Checked", u"dlgsearchfolder.Directory",
                              u"dlgsearchfolder.RootDirectory", u"secodepoint.Buddy", u"secodepoint.Fixed",
                              u"cbminimize.Missing"})
      list.Add(s);
    ResolveStoredProps(list, f.form);
  }
  TCkMemoryFileSystem fs;
};

TEST_F(PropertyStorage, PropertiesRoundTripUnderComponentUnderscorePropertyKeys) {
  {
    TPsForm f;
    f.a->Value = 65;
    f.a->Buddy = f.c;
    f.b->Checked = true;
    f.c->Directory = u"C:\\Fonts";
    f.c->Root = psRootFolder;
    fw::TStringList list;
    Bind(list, f);
    auto ini = Ini();
    TCkPropertyStorage ps;
    ps.SetAppStorage(ini.get());
    ps.SetAppStoragePath(u"ImageForm\\");
    ps.StoreObjectsProps(f.form, list);
    EXPECT_EQ(ini->ReadString(u"ImageForm\\secodepoint_Value"), u"65");
    EXPECT_EQ(ini->ReadString(u"ImageForm\\cbminimize_Checked"), u"TRUE");
    EXPECT_EQ(ini->ReadString(u"ImageForm\\dlgsearchfolder_Directory"), u"C:\\Fonts");
    EXPECT_EQ(ini->ReadString(u"ImageForm\\dlgsearchfolder_RootDirectory"), u"psRootFolder");
    EXPECT_EQ(ini->ReadString(u"ImageForm\\secodepoint_Buddy"), u"dlgsearchfolder");
    // A read-only property and an unknown one write nothing.
    EXPECT_FALSE(ini->ValueStored(u"ImageForm\\secodepoint_Fixed"));
    EXPECT_FALSE(ini->ValueStored(u"ImageForm\\cbminimize_Missing"));
  }
  // A fresh form reads them back from the file.
  TPsForm f;
  f.a->Buddy = f.b;
  fw::TStringList list;
  Bind(list, f);
  auto ini = Ini();
  TCkPropertyStorage ps;
  ps.SetAppStorage(ini.get());
  ps.SetAppStoragePath(u"ImageForm\\");
  ps.LoadObjectsProps(f.form, list);
  EXPECT_EQ(f.a->Value, 65);
  EXPECT_TRUE(f.b->Checked);
  EXPECT_EQ(f.c->Directory, u"C:\\Fonts");
  EXPECT_EQ(f.c->Root, psRootFolder);
  EXPECT_EQ(f.a->Buddy, f.c);
}

TEST_F(PropertyStorage, AMissingKeyKeepsTheDesignedValueAndABadValueStopsNothing) {
  auto ini = Ini();
  ini->WriteString(u"ImageForm\\secodepoint_Value", u"abc");
  ini->WriteString(u"ImageForm\\secodepoint_Buddy", u"nobody");
  ini->WriteString(u"ImageForm\\dlgsearchfolder_Directory", u"D:\\");
  TPsForm f;
  f.a->Value = 33;
  f.a->Buddy = f.b;
  f.b->Checked = true;
  fw::TStringList list;
  Bind(list, f);
  TCkPropertyStorage ps;
  ps.SetAppStorage(ini.get());
  ps.SetAppStoragePath(u"ImageForm");
  ps.LoadObjectsProps(f.form, list);
  EXPECT_EQ(f.a->Value, 33);        // malformed: kept
  EXPECT_EQ(f.a->Buddy, f.b);       // unknown name: kept
  EXPECT_TRUE(f.b->Checked);        // absent: kept
  EXPECT_EQ(f.c->Directory, u"D:\\");  // read although an earlier line failed
}

}  // namespace
