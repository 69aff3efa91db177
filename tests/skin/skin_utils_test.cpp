// The skin engine's caption texts, system facts, folders and properties by
// name.
#include <gtest/gtest.h>

#include <windows.h>

#include "fw/core/component.h"
#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"
#include "fw/platform/files.h"
#include "skin/engine/kconst.h"
#include "skin/engine/skin_utils.h"

namespace skin {

FW_ENUM(TSkEdge, seLeft, seLeftAlign, seTop)
using TSkEdges = fw::TSet<TSkEdge>;

class TSkWidget : public fw::TComponent {
  FW_CLASS(TSkWidget, fw::TComponent)
  explicit TSkWidget(fw::TComponent* owner) : fw::TComponent(owner) {}
  TSkEdges FEdges;
  int FLevel = 3;
  fw::TComponent* FBuddy = nullptr;
};

FW_REGISTER(TSkWidget) {
  c.Property(u"Edges", &TSkWidget::FEdges, &TSkWidget::FEdges);
  c.Property(u"Level", &TSkWidget::FLevel, &TSkWidget::FLevel);
  c.Property(u"Buddy", &TSkWidget::FBuddy, &TSkWidget::FBuddy);
}

namespace {

TEST(SkinConstants, CaptionsComeFromTheStringTable) {
  StartSkinConstants();
  StartSkinConstants();
  EXPECT_EQ(CaptionRestore, u"Restore");
  EXPECT_EQ(CaptionClose, u"Close");
  EXPECT_EQ(CaptionAvailableSkins, u"Available skins");
  EXPECT_EQ(CaptionInternal, u"(internal)");
  EXPECT_EQ(SkinCaption(58907), u"Select skin");
  EXPECT_EQ(SkinCaption(sidInvalidDate), u"Invalid date");
  EXPECT_EQ(ScrollArrowWidth, GetSystemMetrics(SM_CXHSCROLL));
  FinishSkinConstants();
  EXPECT_EQ(CaptionClose, u"Close") << "still started once";
  FinishSkinConstants();
  EXPECT_TRUE(CaptionClose.empty());
}

TEST(SkinConstants, WindowsEightCountsAsEight) {
  struct Case {
    unsigned major, minor;
    int want;
  } cases[] = {{6, 1, 6}, {6, 2, 8}, {6, 3, 6}, {10, 0, 10}, {5, 1, 5}};
  for (auto c : cases) EXPECT_EQ(MajorVersionOf(c.major, c.minor), c.want) << c.major << "." << c.minor;
}

TEST(FolderExists, TellsFoldersFromFilesAndMissingPaths) {
  const fw::String temp = fw::TempFolder();
  const fw::String file = temp + u"\\skin_utils_test_" + fw::IntToStr(GetCurrentProcessId()) + u".txt";
  HANDLE h = CreateFileW(W(file), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  EXPECT_TRUE(FolderExists(temp));
  EXPECT_FALSE(FolderExists(file));
  EXPECT_FALSE(FolderExists(temp + u"\\no such folder\\deeper"));
  EXPECT_FALSE(FolderExists(u"bad|name"));
  DeleteFileW(W(file));
  EXPECT_EQ(AppFolder().back(), u'\\');
}

TEST(PublishedProps, ReadAndWriteByNameWithNeutralResults) {
  TSkWidget w(nullptr), buddy(nullptr);
  w.FBuddy = &buddy;
  EXPECT_TRUE(HasPublishedProp(&w, u"Level"));
  EXPECT_FALSE(HasPublishedProp(&w, u"Nothing"));
  EXPECT_EQ(ReadOrdPropByName(&w, u"Level"), 3);
  EXPECT_EQ(ReadOrdPropByName(&w, u"Nothing"), -1);
  WriteOrdPropByName(&w, u"Level", 9);
  EXPECT_EQ(w.FLevel, 9);
  EXPECT_EQ(ReadObjectPropByName(&w, u"Buddy"), &buddy);
  EXPECT_EQ(ReadObjectPropByName(&w, u"Level"), nullptr);
  WriteOrdPropByName(&w, u"Buddy", 5);
  WriteOrdPropByName(&w, u"Edges", 1);
  EXPECT_EQ(w.FBuddy, &buddy) << "an object property is not written as a number";
  EXPECT_TRUE(w.FEdges.Empty()) << "nor a set";
}

TEST(PublishedProps, SetElementsChangeByTheirExactName) {
  TSkWidget w(nullptr);
  ChangeSetPropElement(&w, u"Edges", u"seLeftAlign", true);
  EXPECT_EQ(w.FEdges, (TSkEdges{seLeftAlign}));
  ChangeSetPropElement(&w, u"Edges", u"seLeftAlign", true);
  EXPECT_EQ(w.FEdges, (TSkEdges{seLeftAlign})) << "including a present element changes nothing";
  ChangeSetPropElement(&w, u"Edges", u"seLeft", true);
  EXPECT_TRUE(SetPropHasElement(&w, u"Edges", u"seLeft"));
  ChangeSetPropElement(&w, u"Edges", u"seLeft", false);
  EXPECT_EQ(w.FEdges, (TSkEdges{seLeftAlign})) << "removing seLeft keeps seLeftAlign";
  EXPECT_FALSE(SetPropHasElement(&w, u"Edges", u"seLeft"));
  // Elements after the first are found and removed as well.
  ChangeSetPropElement(&w, u"Edges", u"seLeft", true);
  EXPECT_TRUE(SetPropHasElement(&w, u"Edges", u"seLeftAlign"));
  ChangeSetPropElement(&w, u"Edges", u"seLeftAlign", false);
  EXPECT_EQ(w.FEdges, (TSkEdges{seLeft}));
  EXPECT_FALSE(ChangeSetPropElement(&w, u"Nothing", u"seTop", true));
}

TEST(SkinIni, SectionsKeysAndIntegersOfADescription) {
  fw::TStringList lines;
  for (const char16_t* l : {u"[A]", u"x=1", u";y=2", u"[B]", u"X=3", u"z", u"hex=0x00FF00", u"HEX2=0X1f", u"d=$FF",
                            u"n=-7", u"px=12 px", u"bare=0x"})
    lines.Add(l);
  fw::TMemIniFile ini(u"");
  ParseIniSections(lines, ini);
  EXPECT_EQ(ReadIniString(ini, u"A", u"x", u"-"), u"1");
  EXPECT_EQ(ReadIniString(ini, u"A", u"y", u"-"), u"-") << "a comment line is no key";
  EXPECT_EQ(ReadIniString(ini, u"B", u"x", u"-"), u"3") << "keys compare without case";
  EXPECT_EQ(ReadIniString(ini, u"C", u"x", u"-"), u"-");
  struct Case {
    const char16_t* key;
    int want;
  } cases[] = {{u"hex", 65280}, {u"hex2", 31}, {u"d", 255}, {u"n", -7}, {u"px", 99}, {u"missing", 99}, {u"bare", 99}};
  for (auto c : cases) EXPECT_EQ(ReadIniInteger(ini, u"B", c.key, 99), c.want) << fw::StringToUtf8(c.key);
}

TEST(MakeCacheInfo, IsReadyWithTheKeyAsFillColour) {
  TCacheInfo ci = MakeCacheInfo({}, 4, 5);
  EXPECT_TRUE(ci.Ready);
  EXPECT_EQ(ci.X + ci.Y, 9);
  EXPECT_EQ(ci.FillColor, 0xFF00FFu);
  EXPECT_EQ(ci.FillRect, fw::TRect{});
}

}  // namespace
}  // namespace skin

// Each kind of non-client font is the system's font of that kind; an
// unknown kind is the message font.
TEST(NonClientFont, EachKindIsTheSystemsFontOfThatKind) {
  NONCLIENTMETRICSW m{};
  m.cbSize = sizeof(m);
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(m), &m, 0));
  const std::pair<int, const LOGFONTW*> kinds[] = {{skin::ncfCaption, &m.lfCaptionFont},
                                                   {skin::ncfSmallCaption, &m.lfSmCaptionFont},
                                                   {skin::ncfMenu, &m.lfMenuFont},
                                                   {skin::ncfStatus, &m.lfStatusFont},
                                                   {skin::ncfMessage, &m.lfMessageFont},
                                                   {0, &m.lfMessageFont}};
  for (const auto& [kind, expected] : kinds) {
    HFONT f = skin::NonClientFontHandle(kind);
    ASSERT_NE(f, nullptr) << kind;
    LOGFONTW lf{};
    GetObjectW(f, sizeof(lf), &lf);
    EXPECT_EQ(lf.lfHeight, expected->lfHeight) << kind;
    EXPECT_EQ(std::wstring(lf.lfFaceName), std::wstring(expected->lfFaceName)) << kind;
    EXPECT_EQ(lf.lfWeight, expected->lfWeight) << kind;
    DeleteObject(f);
  }
}
