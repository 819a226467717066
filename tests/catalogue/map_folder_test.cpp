#include <gtest/gtest.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include "catalogue/map_catalogue.h"
#include "catalogue/map_folder.h"
#include "support/temp_dir.h"

namespace tarq::catalogue {
namespace {

using testing::MakeFolders;
using testing::TempDir;
using testing::WriteBytes;

TEST(IsMapFileName, MatchesTheExtensionInAnyCase) {
  EXPECT_TRUE(IsMapFileName("a.bsp"));
  EXPECT_TRUE(IsMapFileName("MAP.BSP"));
  EXPECT_TRUE(IsMapFileName(".bsp"));
  EXPECT_TRUE(IsMapFileName("a.bSp"));
  EXPECT_FALSE(IsMapFileName("a.bsp.txt"));
  EXPECT_FALSE(IsMapFileName("a.bsp~"));
  EXPECT_FALSE(IsMapFileName("absp"));
  EXPECT_FALSE(IsMapFileName("bsp"));
}

TEST(ListMapFiles, SortsWithoutRegardToCaseAndKeepsOnlyVisibleMapFiles) {
  TempDir dir;
  for (const char* name : {"b.bsp", "C.bsp", "a.bsp", "MAP.BSP", "notes.txt", ".hidden.bsp",
                           "c1a0.bsp", "c1a0a.bsp", "c1a0_x.bsp"}) {
    WriteBytes(dir / name, "");
  }
  MakeFolders(dir / "x.bsp");
  testing::Hide(dir / ".hidden.bsp");
#ifndef _WIN32
  ::symlink((dir / "a.bsp").c_str(), (dir / "link.bsp").c_str());
  ::symlink((dir / "x.bsp").c_str(), (dir / "dirlink.bsp").c_str());
#else
  WriteBytes(dir / "link.bsp", "");  // the same names as the links give elsewhere
#endif
  const auto names = ListMapFiles(dir.Path());
  ASSERT_TRUE(names.has_value());
  // Letters compare as upper case, so '_' (0x5F) sorts after them.
  EXPECT_EQ(*names, (std::vector<std::string>{"a.bsp", "b.bsp", "C.bsp", "c1a0.bsp", "c1a0a.bsp",
                                              "c1a0_x.bsp", "link.bsp", "MAP.BSP"}));
}

#ifndef _WIN32  // Windows folders cannot hold names equal but for case
TEST(ListMapFiles, NamesEqualButForCaseKeepAFixedOrder) {
  TempDir dir;
  for (const char* name : {"map.bsp", "MAP.bsp", "Map.bsp"}) WriteBytes(dir / name, "");
  EXPECT_EQ(ListMapFiles(dir.Path()), (std::vector<std::string>{"MAP.bsp", "Map.bsp", "map.bsp"}));
}
#endif

TEST(ListMapFiles, AFolderThatCannotBeListedGivesNothing) {
  TempDir dir;
  EXPECT_FALSE(ListMapFiles(dir / "missing").has_value());
  WriteBytes(dir / "file", "");
  EXPECT_FALSE(ListMapFiles(dir / "file").has_value());
  EXPECT_FALSE(ListMapFiles("").has_value());
}

// A small comment file is read before the folder is listed, a large one
// beside it: the same rows either way.
TEST(LoadMapCatalogue, ReadsTheMapsAndTheCommentsOfAnyFileSize) {
  for (const std::size_t padding : {std::size_t{0}, std::size_t{40000}}) {
    TempDir dir;
    MakeFolders(dir / "maps");
    for (const char* name : {"b.bsp", "A.bsp", "notes.txt"})
      WriteBytes(dir / (std::string("maps/") + name), "");
    WriteBytes(dir / "tarqcom.dat", "\"b.bsp\",\"x\",\"boss\"\r\n" + std::string(padding, '\n'));
    const auto catalogue = LoadMapCatalogue(dir / "maps", dir / "tarqcom.dat");
    ASSERT_EQ(catalogue->RowCount(), 3) << padding;
    EXPECT_EQ(catalogue->MapFileRow(1), "A.bsp") << padding;
    EXPECT_EQ(catalogue->DisplayRow(2), std::string("b.bsp").append(11, ' ') + "x　boss")
        << padding;
  }
  TempDir dir;
  EXPECT_EQ(LoadMapCatalogue(dir / "missing", dir / "missing.dat")->RowCount(), 1);
}

}  // namespace
}  // namespace tarq::catalogue
