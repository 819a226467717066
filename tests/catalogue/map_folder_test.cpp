#include <gtest/gtest.h>
#ifndef _WIN32
#include <unistd.h>
#endif

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

}  // namespace
}  // namespace tarq::catalogue
