#include "app/font_loading.h"

#include <gtest/gtest.h>

#include "fw/core/sysutils.h"

#include <algorithm>

#include "app/core/font_files.h"
#include "font_fixtures.h"
#include "fw/core/exceptions.h"
#include "program_folders.h"

namespace app {
namespace {

using fixtures::Wide;

// The face the system selects for a name, as a device context reports it.
// Wine keeps fonts it made for a while, also after their file was removed:
// a size not asked for before makes it look the face up again.
fw::String SelectedFace(const fw::String& face, int height) {
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontW(-height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, W(face));
  HGDIOBJ old = SelectObject(dc, font);
  wchar_t buf[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, buf);
  SelectObject(dc, old);
  DeleteObject(font);
  DeleteDC(dc);
  return FromW(buf);
}

bool Contains(const std::vector<fw::String>& list, const fw::String& s) {
  return std::find(list.begin(), list.end(), s) != list.end();
}

class FontLoading : public ::testing::Test {
 protected:
  void Need(const std::string& file) {
    if (!fixtures::MakeFixture(tmp, file)) GTEST_SKIP() << "the package of " << file << " is not installed";
  }
  TTempDir tmp;
};

TEST_F(FontLoading, AFileIsUsableOnlyWhileItIsAdded) {
  // TrueType, OpenType (PostScript outlines), a collection and a bitmap font.
  const struct {
    const char* File;
    const char16_t* Face;
  } kCases[] = {{"vltest.ttf", u"Vltest Sans"},
                {"vlotf.otf", u"Vlotfx Sans"},
                {"vlcoll.ttc", u"Vlcoll Sans"},
                {"vlcour.fon", u"Vlcouri"}};
  int made = 0;
  for (const auto& c : kCases) {
    if (!fixtures::MakeFixture(tmp, c.File)) continue;
    ++made;
    const char* file = c.File;
    const fw::String face = c.Face;
    SCOPED_TRACE(file);
    EXPECT_FALSE(FaceIsInstalled(face));
    {
      const TAddedFontResource font(tmp.Path(file));
      EXPECT_TRUE(font.Loaded());
      EXPECT_GE(font.FontsAdded(), 1);
      EXPECT_TRUE(FaceIsInstalled(face));
      EXPECT_EQ(SelectedFace(face, 20), face);
      EXPECT_TRUE(Contains(InstalledFontNames(), face));
    }
    EXPECT_FALSE(FaceIsInstalled(face));
    EXPECT_NE(SelectedFace(face, 23), face);
    EXPECT_FALSE(Contains(InstalledFontNames(), face));
  }
  if (made == 0) GTEST_SKIP() << "no font packages installed";
}

TEST_F(FontLoading, FilesTheSystemCannotLoadAddNothingAndRemoveNothing) {
  fixtures::WriteGarbage(tmp, "broken.ttf");
  fixtures::WriteGarbage(tmp, "empty.otf", 0);
  const std::vector<fw::String> before = InstalledFontNames();
  for (const fw::String& name : {tmp.Path("broken.ttf"), tmp.Path("empty.otf"), tmp.Path("missing.ttf")}) {
    const TAddedFontResource font(name);
    EXPECT_FALSE(font.Loaded());
    EXPECT_EQ(font.ResourceName(), name);
  }
  EXPECT_EQ(InstalledFontNames(), before);
}

TEST_F(FontLoading, APostScriptPairIsPassedAsOneNameAndReleasedWhateverTheSystemLoads) {
  if (!fixtures::MakePostScriptPair(tmp, "vt59")) GTEST_SKIP() << "fonts-urw-base35 is not installed";
  const fw::String name = FontResourceName(tmp.Path("vt59.pfm"));
  EXPECT_EQ(name, tmp.Path("vt59.pfm") + u"|" + tmp.Path("vt59.PFB"));
  {
    // Wine loads no Type 1 fonts, so there the pair is simply not loaded.
    const TAddedFontResource pair(name);
    if (pair.Loaded()) EXPECT_TRUE(FaceIsInstalled(u"VT59"));
  }
  EXPECT_FALSE(FaceIsInstalled(u"VT59"));
}

TEST_F(FontLoading, FaceNameOfAFileComesFromTheFileWhenTheSystemGivesNone) {
  const struct {
    const char* File;
    const char16_t* Face;
  } kCases[] = {
      {"vltest.ttf", u"Vltest Sans"},
      {"vltestbd.ttf", u"Vltest Sans Bold"},  // the full name selects the bold face itself
      {"vlotf.otf", u"VlotfxSans-Regular"},  // this file's full name is its PostScript name
      {"vlcoll.ttc", u"Vlcoll Sans"},
  };
  int made = 0;
  for (const auto& c : kCases) {
    if (!fixtures::MakeFixture(tmp, c.File)) continue;
    ++made;
    SCOPED_TRACE(c.File);
    const fw::String path = tmp.Path(c.File);
    // Not added: the system knows no such face, so the file has no usable name.
    EXPECT_EQ(GetFontFaceName(path), u"");
    const TAddedFontResource font(path);
    ASSERT_TRUE(font.Loaded());
    EXPECT_EQ(GetFontFaceName(path), c.Face);
    EXPECT_EQ(FaceNameFromFontFile(path), c.Face);
  }
  if (made == 0) GTEST_SKIP() << "no font packages installed";

  fixtures::WriteGarbage(tmp, "broken.ttf");
  EXPECT_EQ(GetFontFaceName(tmp.Path("broken.ttf")), u"");
  EXPECT_EQ(GetFontFaceName(tmp.Path("missing.ttc")), u"");
}

// The system routes as a test sets them; records which ones were asked.
struct TFakeRoutes {
  fw::String Description, Fot, FromFile;
  bool FotRaises = false;
  std::vector<fw::String> Asked;

  TFaceNameRoutes Routes(int platform) {
    TFaceNameRoutes r;
    r.OsPlatformId = platform;
    r.Description = [this](const fw::String& n) {
      Asked.push_back(u"description " + n);
      return Description;
    };
    r.ViaFot = [this](const fw::String& n) {
      Asked.push_back(u"fot " + n);
      if (FotRaises) throw fw::EReadError(u"cannot read");
      return Fot;
    };
    r.FromFile = [this](const fw::String& n) {
      Asked.push_back(u"file " + n);
      return FromFile;
    };
    return r;
  }
};

TEST(FontFaceName, RoutesAreTriedInOrderAndCutByTheKindOfFile) {
  const fw::String k40 = u"A Forty Character Long TrueType Face Nam";
  const struct {
    const char16_t* Path;
    int Platform;
    const char16_t* Description;
    const char16_t* Fot;
    bool FotRaises;
    const char16_t* FromFile;
    const char16_t* Expected;
    std::vector<fw::String> Asked;
  } kCases[] = {
      {u"C:\\f\\a.ttf", 2, k40.c_str(), u"Fot", false, u"File", u"A Forty Character Long TrueType",
       {u"description C:\\f\\a.ttf"}},
      {u"C:\\f\\c.ttc", 2, u"First & Second", u"", false, u"File", u"First", {u"description C:\\f\\c.ttc"}},
      {u"C:\\f\\s.fon", 2, u"MS Sans Serif 8,10,12", u"", false, u"", u"MS Sans Serif",
       {u"description C:\\f\\s.fon"}},
      // No description: the resource file, then the file's own names.
      {u"C:\\f\\a.otf", 2, u"", u"Fot Name", false, u"File", u"Fot Name",
       {u"description C:\\f\\a.otf", u"fot C:\\f\\a.otf"}},
      {u"C:\\f\\a.ttf", 2, u"", u"??", false, u"File Name", u"File Name",
       {u"description C:\\f\\a.ttf", u"fot C:\\f\\a.ttf", u"file C:\\f\\a.ttf"}},
      {u"C:\\f\\a.ttf", 2, u"", u"", true, u"File Name", u"File Name",
       {u"description C:\\f\\a.ttf", u"fot C:\\f\\a.ttf", u"file C:\\f\\a.ttf"}},
      {u"C:\\f\\c.ttc", 2, u"", u"", false, u"Coll", u"Coll", {u"description C:\\f\\c.ttc", u"file C:\\f\\c.ttc"}},
      // Windows 9x: the resource file only, once, for TrueType and OpenType.
      {u"C:\\f\\a.ttf", 1, u"Desc", u"Fot", false, u"File", u"Fot", {u"fot C:\\f\\a.ttf"}},
      {u"C:\\f\\a.ttf", 1, u"Desc", u"", false, u"File", u"File", {u"fot C:\\f\\a.ttf", u"file C:\\f\\a.ttf"}},
      // A metrics file is described with its outline file; no other route knows it.
      {u"C:\\f\\p.pfm", 2, u"", u"Fot", false, u"File", u"", {u"description C:\\f\\p.pfm|C:\\p.PFB"}},
      {u"C:\\f\\s.fon", 2, u"", u"Fot", false, u"File", u"", {u"description C:\\f\\s.fon"}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(fw::StringToUtf8(c.Path) + " on platform " + std::to_string(c.Platform));
    TFakeRoutes fake{c.Description, c.Fot, c.FromFile, c.FotRaises, {}};
    EXPECT_EQ(GetFontFaceName(c.Path, fake.Routes(c.Platform)), c.Expected);
    EXPECT_EQ(fake.Asked, c.Asked);
  }
}

TEST(FontFaceName, ABuildAsksTheFilesOwnNamesBeforeTheResourceFileAndEachRouteOnce) {
  const struct {
    const char16_t* Path;
    const char16_t* FromFile;
    const char16_t* Expected;
    std::vector<fw::String> Asked;
  } kCases[] = {
      {u"C:\\f\\a.ttf", u"File Name", u"File Name", {u"description C:\\f\\a.ttf", u"file C:\\f\\a.ttf"}},
      {u"C:\\f\\a.otf", u"", u"Fot",
       {u"description C:\\f\\a.otf", u"file C:\\f\\a.otf", u"fot C:\\f\\a.otf"}},
      {u"C:\\f\\c.ttc", u"", u"", {u"description C:\\f\\c.ttc", u"file C:\\f\\c.ttc"}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(fw::StringToUtf8(c.Path));
    TFakeRoutes fake{u"", u"Fot", c.FromFile, false, {}};
    TFaceNameRoutes routes = fake.Routes(2);
    routes.FileBeforeFot = true;
    EXPECT_EQ(GetFontFaceName(c.Path, routes), c.Expected);
    EXPECT_EQ(fake.Asked, c.Asked);
  }
}

TEST(FontFaceName, TheTemporaryResourceFileIsDeletedAfterUse) {
  TTempDir tmp;
  const fw::String fot = tmp.Path("TEMPFONTFile.FOT");
  const fw::String font = fixtures::Unix("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
  // Wine answers "??" or nothing here; the file must be gone either way.
  GetFontResNameViaFot(font, fot);
  EXPECT_FALSE(fixtures::Exists(fot));
  EXPECT_EQ(GetFontResNameViaFot(tmp.Path("missing.ttf"), fot), u"");
  EXPECT_FALSE(fixtures::Exists(fot));

  // The program's own file lies in its application-data folder, which this
  // test program points at a folder of its own.
  const fw::String tail = u"\\Okrabel\\Vestaline\\TEMPFONTFile.FOT";
  EXPECT_EQ(TempFotFileName(), apptest::ProgramAppDataFolder() + tail);
  SetAppDataFolderForTests(fw::String());
  EXPECT_EQ(TempFotFileName(), fw::AppDataFolder() + tail);
  SetAppDataFolderForTests(apptest::ProgramAppDataFolder());
}

TEST_F(FontLoading, SymbolFontsAreRecognisedByTheirCharsets) {
  Need("vlsymb.ttf");
  Need("vltest.ttf");
  const TAddedFontResource symbol(tmp.Path("vlsymb.ttf")), text(tmp.Path("vltest.ttf"));
  std::vector<fw::String> names;
  EXPECT_TRUE(IsSymbolFont(u"Vlsymb Sans", names));
  EXPECT_TRUE(Contains(names, u"SYMBOL_CHARSET"));

  names.clear();
  EXPECT_FALSE(IsSymbolFont(u"Vltest Sans", names));
  EXPECT_TRUE(Contains(names, u"ANSI_CHARSET"));
  EXPECT_FALSE(Contains(names, u"SYMBOL_CHARSET"));
  const size_t textCharsets = names.size();
  // The list is not cleared: a second face adds its charsets, each once.
  EXPECT_TRUE(IsSymbolFont(u"Vlsymb Sans", names));
  EXPECT_EQ(names.size(), textCharsets + 1);
  // ... and keeps the symbol charset: callers clear the list for each file.
  EXPECT_TRUE(IsSymbolFont(u"Vltest Sans", names));

  names.clear();
  EXPECT_FALSE(IsSymbolFont(u"No Such Face Anywhere", names));
  EXPECT_TRUE(names.empty());
}

TEST(InstalledFonts, AreSortedIgnoringCaseAndListedOnce) {
  const std::vector<fw::String> names = InstalledFontNames();
  ASSERT_FALSE(names.empty());
  for (size_t i = 1; i < names.size(); ++i) {
    EXPECT_NE(names[i - 1], names[i]);
    EXPECT_LE(CompareStringOrdinal(W(names[i - 1]), -1, W(names[i]), -1, TRUE), CSTR_EQUAL) << fw::StringToUtf8(names[i]);
  }
  if (fixtures::Exists(fixtures::Unix("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"))) {
    EXPECT_TRUE(Contains(names, u"DejaVu Sans"));
  }
}

TEST_F(FontLoading, DatabaseFieldsComeFromTheFirstEnumeratedStyle) {
  const struct {
    const char* File;
    const char16_t* Face;
    int TypeCode;
    const char16_t* Weight;
    const char16_t* Style;
    const char16_t* Family;
  } kCases[] = {
      {"vltest.ttf", u"Vltest Sans", kFontTypeTrueType, u"400", u"Regular", u"Swiss"},
      {"vltestbd.ttf", u"Vltest Sans", kFontTypeTrueType, u"700", u"Bold", u"Swiss"},
      {"vlotf.otf", u"Vlotfx Sans", kFontTypePsOpenType, u"400", u"Regular", u"Dontcare"},
      {"vlcour.fon", u"Vlcouri", kFontTypeRaster, u"400", u"Regular", u"Modern"},
  };
  HDC dc = GetDC(nullptr);
  int made = 0;
  for (const auto& c : kCases) {
    if (!fixtures::MakeFixture(tmp, c.File)) continue;
    ++made;
    SCOPED_TRACE(c.File);
    const TAddedFontResource font(tmp.Path(c.File));
    ASSERT_TRUE(font.Loaded());
    EXPECT_EQ(GetFontTypeCode(dc, c.Face), c.TypeCode);
    EXPECT_EQ(GetWeightForDatabase(c.Face), c.Weight);
    TFontDatabase db;
    GetFontStyleForDatabase(db, dc, c.Face);
    EXPECT_EQ(db.RecStyle, c.Style);
    EXPECT_EQ(db.RecFamily, c.Family);
    // The build's one enumeration gives the same four fields.
    TFontDatabase once;
    GetFaceFieldsForDatabase(once, c.Face);
    EXPECT_EQ(once.RecFontType, fw::IntToStr(c.TypeCode));
    EXPECT_EQ(once.RecWeight, c.Weight);
    EXPECT_EQ(once.RecStyle, c.Style);
    EXPECT_EQ(once.RecFamily, c.Family);
  }
  // A face that is not there: code 0, weight "0", the fields as they were.
  EXPECT_EQ(GetFontTypeCode(dc, u"No Such Face Anywhere"), kFontTypeUnknown);
  EXPECT_EQ(GetWeightForDatabase(u"No Such Face Anywhere"), u"0");
  TFontDatabase db;
  db.RecStyle = u"Italic";
  db.RecFamily = u"Roman";
  GetFontStyleForDatabase(db, dc, u"No Such Face Anywhere");
  EXPECT_EQ(db.RecStyle, u"Italic");
  EXPECT_EQ(db.RecFamily, u"Roman");
  GetFaceFieldsForDatabase(db, u"No Such Face Anywhere");
  EXPECT_EQ(db.RecFontType, u"0");
  EXPECT_EQ(db.RecWeight, u"0");
  EXPECT_EQ(db.RecStyle, u"Italic");
  ReleaseDC(nullptr, dc);
  if (made == 0) GTEST_SKIP() << "no font packages installed";
}

}  // namespace
}  // namespace app
