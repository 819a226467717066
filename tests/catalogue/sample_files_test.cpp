// The files this launcher writes are the same bytes on every platform: this
// test runs in the Linux and in the Windows build with the same expectation.

#include <gtest/gtest.h>

#include "catalogue/comment_store.h"
#include "core/settings_file.h"
#include "platform/fs.h"
#include "support/temp_dir.h"

namespace tarq::catalogue {
namespace {

TEST(SampleFiles, AreByteIdenticalOnEveryPlatform) {
  testing::TempDir dir;
  const CommentStore store(dir / "tarqcom.dat");
  ASSERT_EQ(store.SaveComment("c1a0.bsp", "◎", "最初の部屋, crowbar"), StoreStatus::kOk);
  ASSERT_EQ(store.SaveComment("c2a1.bsp", "λ", ""), StoreStatus::kOk);
  ASSERT_EQ(store.SaveComment("T0A0.BSP", "　", "say \"hi\""), StoreStatus::kOk);
  ASSERT_EQ(store.SaveComment("c1a0.bsp", "☆", "again"), StoreStatus::kOk);
  ASSERT_EQ(store.DeleteComment("c2a1.bsp"), StoreStatus::kOk);
  EXPECT_EQ(testing::ReadBytes(dir / "tarqcom.dat"),
            "\"T0A0.BSP\",\"\x81\x40\",\"say \xFA\x57hi\xFA\x57\"\r\n"
            "\"c1a0.bsp\",\"\x81\x99\",\"again\"\r\n");

  core::SettingsValues values;
  values.gameFolder = "D:\\ゲーム\\Half-Life";
  values.difficulty = 3;
  values.heapSize = 4;
  values.console = -1;
  ASSERT_TRUE(core::WriteSettingsFile(dir / "tarqcfg.dat", values));
  EXPECT_EQ(testing::ReadBytes(dir / "tarqcfg.dat"),
            "D:\\\x83\x51\x81\x5B\x83\x80\\Half-Life\r\n 3 \r\n 4 \r\n-1 \r\n");
}

}  // namespace
}  // namespace tarq::catalogue
