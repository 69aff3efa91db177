#include "app/core/font_files.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace app;

namespace {

// Files that exist for the outline-file tests.
std::set<fw::String> gExisting;
bool ExistsInSet(const fw::String& name) { return gExisting.count(name) != 0; }

}  // namespace

TEST(FontFiles, ExtensionsAreClassifiedInUpperCase) {
  const struct {
    const char16_t* Path;
    const char16_t* Ext;
    bool FontFile;
  } cases[] = {
      {u"C:\\Fonts\\arial.ttf", u".TTF", true},  {u"C:\\Fonts\\x.OtF", u".OTF", true},
      {u"C:\\Fonts\\cambria.ttc", u".TTC", true}, {u"C:\\Fonts\\type1.pfm", u".PFM", true},
      {u"C:\\Fonts\\type1.pfb", u".PFB", false},  {u"C:\\Fonts\\sserif.fon", u".FON", false},
      {u"C:\\Fonts.d\\readme", u"", false},        {u"/usr/share/a.b/c.ttf", u".TTF", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UpperFileExt(c.Path), c.Ext);
    EXPECT_EQ(IsFontFileExt(UpperFileExt(c.Path)), c.FontFile);
  }
}

TEST(FontFiles, OutlineFileOfAMetricsFileIsInItsFolderElseInTheParent) {
  gExisting = {u"C:\\F\\x\\own.PFB", u"C:\\F\\up.PFB"};
  EXPECT_EQ(PfbPartnerSuffix(u"C:\\F\\x\\own.pfm", ExistsInSet), u"|C:\\F\\x\\own.PFB");
  EXPECT_EQ(PfbPartnerSuffix(u"C:\\F\\x\\up.pfm", ExistsInSet), u"|C:\\F\\up.PFB");
  EXPECT_EQ(PfbPartnerSuffix(u"C:\\F\\x\\gone.pfm", ExistsInSet), u"|C:\\F\\gone.PFB");
  EXPECT_EQ(findPFBfilename(u"C:\\F\\x\\own.pfm", ExistsInSet), u"C:\\F\\x\\own.PFB");
  EXPECT_EQ(FontResourceName(u"C:\\F\\x\\own.PFM", ExistsInSet), u"C:\\F\\x\\own.PFM|C:\\F\\x\\own.PFB");
  EXPECT_EQ(FontResourceName(u"C:\\F\\x\\own.ttf", ExistsInSet), u"C:\\F\\x\\own.ttf");
}

TEST(FontFiles, SplitTextTakesPiecesAndANonEmptyRemainder) {
  const struct {
    const char16_t* Text;
    std::vector<fw::String> Pieces;
  } cases[] = {
      {u"a&b&c", {u"a", u"b", u"c"}},
      {u"a&&b&", {u"a", u"-", u"b"}},
      {u"&", {u"-"}},
      {u"", {}},
      {u"whole", {u"whole"}},
  };
  for (const auto& c : cases) {
    std::vector<fw::String> list = {u"old"};
    SplitText(c.Text, u'&', list, u"-");
    EXPECT_EQ(list, c.Pieces);
  }
}

TEST(FontFiles, FaceNamesCutFromResourceDescriptions) {
  const struct {
    const char16_t* Ext;
    fw::String Description;
    fw::String Face;
  } cases[] = {
      {u".TTC", u"Cambria & Cambria Math", u"Cambria"},
      {u".TTC", u"Single Face", u"Single Face"},
      {u".TTC", u"\u30e1\u30a4\u30ea\u30aa & Meiryo UI", u"\u30e1\u30a4\u30ea\u30aa"},
      {u".TTF", fw::String(40, u'a'), fw::String(31, u'a')},
      {u".OTF", u"Short", u"Short"},
      {u".FON", u"MS Sans Serif 8,10,12", u"MS Sans Serif"},
      {u".FON", u"Courier (VGA res)", u"Courier"},
      {u".FON", u"Terminal", u"Terminal"},
      {u".FON", u"8x8", u""},
      {u".FON", u"a1", u"a1"},
      {u".PFM", fw::String(40, u'p'), fw::String(40, u'p')},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FaceNameFromDescription(c.Ext, c.Description), c.Face);
  }
}

TEST(FontFiles, FaceNameOfAFontResourceFileFollowsFontres) {
  auto bytes = [](std::string_view s) { return std::vector<uint8_t>(s.begin(), s.end()); };
  using namespace std::string_view_literals;
  EXPECT_EQ(FaceNameFromFot(bytes("MZ\0\0junk FONTRES:Test Face\0more FONTRES:x"sv)), u"Test Face");
  EXPECT_EQ(FaceNameFromFot(bytes("xxFONTRES:Caf\xE9")), u"Caf\u00e9");
  EXPECT_EQ(FaceNameFromFot(bytes("no marker here")), u"");
  EXPECT_EQ(FaceNameFromFot({}), u"");
}

TEST(FontFiles, CharsetNames) {
  EXPECT_EQ(CharsetName(0), u"ANSI_CHARSET");
  EXPECT_EQ(CharsetName(2), u"SYMBOL_CHARSET");
  EXPECT_EQ(CharsetName(77), u"MAC_CHARSET");
  EXPECT_EQ(CharsetName(186), u"BALTIC_CHARSET");
  EXPECT_EQ(CharsetName(255), u"OEM_CHARSET");
  EXPECT_EQ(CharsetName(5), u"Unknown charset 5");
}
