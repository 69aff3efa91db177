#include "skin/engine/core/skin_folders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace skin {
namespace {

TEST(SkinFolders, SkinDirectoryIsResolvedAgainstTheProgramsFolder) {
  const char16_t* app = u"C:\\Apps\\Prog\\";
  struct Case {
    const char16_t* dir;
    const char16_t* full;
  } cases[] = {{u"..\\Skins", u"C:\\Apps\\Skins"},   {u"Skins", u"C:\\Apps\\Prog\\Skins"},
               {u".", u"C:\\Apps\\Prog\\"},          {u".\\x", u"C:\\Apps\\Prog\\x"},
               {u"./x", u"C:\\Apps\\Prog\\x"},       {u"c:\\Skins", u"c:\\Skins"},
               {u"\\\\srv\\s", u"\\\\srv\\s"},       {u"", u"C:\\Apps\\Prog\\"}};
  for (const Case& c : cases)
    EXPECT_EQ(GetFullSkinDirectory(c.dir, app), c.full) << fw::StringToUtf8(c.dir);
}

TEST(SkinFolders, ListingStoredSkinsFoldersAndPackedFiles) {
  namespace fs = std::filesystem;
  fs::path root = fs::temp_directory_path() / ("skin_folders_test_" + std::to_string(std::random_device()()));
  fs::remove_all(root);
  fs::create_directories(root / "Folder skin");
  std::ofstream(root / "Folder skin" / "Options.dat") << "[GLOBALINFO]";
  fs::create_directories(root / "empty folder");
  fs::create_directories(root / ".hidden");
  std::ofstream(root / ".hidden" / "Options.dat") << "x";
  std::ofstream(root / "a.b.ksz") << "x";
  std::ofstream(root / "c.KSZ") << "x";
  std::ofstream(root / "notes.txt") << "x";
  const std::vector<fw::String> stored = {u"Topaz (internal)", u"Sapphire (internal)"};
  struct Case {
    TkcSkinTypes type;
    std::vector<fw::String> list;
  } cases[] = {
      {TkcSkinTypes::stAllSkins, {u"a.b", u"Folder skin", u"Sapphire (internal)", u"Topaz (internal)"}},
      {TkcSkinTypes::stUnpacked, {u"Folder skin", u"Sapphire (internal)", u"Topaz (internal)"}},
      {TkcSkinTypes::stPacked, {u"a.b", u"Sapphire (internal)", u"Topaz (internal)"}},
  };
  for (const Case& c : cases) {
    std::vector<fw::String> list;
    EXPECT_EQ(ListSkinNames(stored, root.u16string(), c.type, list), u"Topaz (internal)");
    EXPECT_EQ(list, c.list);
  }
  std::vector<fw::String> list;
  EXPECT_EQ(ListSkinNames({}, root.u16string(), TkcSkinTypes::stPacked, list), u"a.b");
  EXPECT_EQ(ListSkinNames(stored, (root / "missing").u16string(), TkcSkinTypes::stAllSkins, list),
            u"Topaz (internal)");
  EXPECT_EQ(list, (std::vector<fw::String>{u"Sapphire (internal)", u"Topaz (internal)"}));
  EXPECT_EQ(ListSkinNames({}, (root / "missing").u16string(), TkcSkinTypes::stAllSkins, list), u"");
  EXPECT_TRUE(list.empty());
  fs::remove_all(root);
}

TEST(SkinFolders, ExtractedFileNamesStayInTheirFolder) {
  EXPECT_EQ(ExtractedSkinFileName(u"Topaz (internal)"), u"Topaz (internal) extracted.ksz");
  EXPECT_EQ(ExtractedSkinFileName(u"..\\..\\C:/evil"), u"....Cevil extracted.ksz");
}

}  // namespace
}  // namespace skin

namespace skin {
namespace {

TEST(SkinFolders, StoredSkinsAreExtractedIntoExistingFoldersOnly) {
  namespace fs = std::filesystem;
  fs::path root = fs::temp_directory_path() / ("skin_extract_test_" + std::to_string(std::random_device()()));
  fs::create_directories(root);
  TkStoredSkins skins;
  auto* topaz = static_cast<TkStoredSkin*>(skins.Add());
  topaz->FName = u"Topaz (internal)";
  topaz->PackedData = {'K', 'S', 'z', 'f', 0, 0, 0, 0};
  const fs::path file = root / "Topaz (internal) extracted.ksz";
  EXPECT_EQ(ExtractInternalSkin(skins, u"Ruby", root.u16string()), TExtractResult::NoSuchSkin);
  EXPECT_EQ(ExtractInternalSkin(skins, u"topaz (internal)", root.u16string()), TExtractResult::NoSuchSkin);
  EXPECT_EQ(ExtractInternalSkin(skins, u"Topaz (internal)", (root / "missing").u16string()),
            TExtractResult::NoSuchDirectory);
  EXPECT_FALSE(fs::exists(root / "missing"));
  EXPECT_EQ(ExtractInternalSkin(skins, u"Topaz (internal)", root.u16string()), TExtractResult::Extracted);
  EXPECT_EQ(fs::file_size(file), 8u);
  // By index, a missing folder is made (one level only).
  EXPECT_TRUE(ExtractByIndex(skins, 0, (root / "new").u16string()));
  EXPECT_TRUE(fs::exists(root / "new" / "Topaz (internal) extracted.ksz"));
  EXPECT_FALSE(ExtractByIndex(skins, 0, (root / "a" / "b").u16string()));
  EXPECT_FALSE(ExtractByIndex(skins, 1, root.u16string()));
  fs::remove_all(root);
}

TEST(SkinFolders, RandomSkinComesFromTheList) {
  EXPECT_EQ(PickRandomSkin({}), u"");
  EXPECT_EQ(PickRandomSkin({u"Only"}), u"Only");
  std::vector<fw::String> names = {u"A", u"B", u"C"};
  bool seen[3] = {};
  for (int i = 0; i < 200; ++i) {
    fw::String n = PickRandomSkin(names);
    ASSERT_EQ(n.size(), 1u);
    seen[n[0] - u'A'] = true;
  }
  EXPECT_TRUE(seen[0] && seen[1] && seen[2]);
}

}  // namespace
}  // namespace skin
