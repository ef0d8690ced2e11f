// Argument mode: each named file converted under the lenient header rule.
#include <gtest/gtest.h>

#include <filesystem>

#include "end_to_end/harness.h"

namespace ovq2tyx::testing {
namespace {

const char kNoLocate[] = "[Config]\r\nLeft=1\r\n";

TEST(ArgumentModeTest, ConvertsNamedFilesLeniently) {
  TempDir dir;
  WriteBytes(dir / "Page3.ini", kNoLocate);
  WriteBytes(dir / "menu", "");
  Lines lines = Report(RunOnFiles({dir / "Page3.ini", dir / "menu"}));
  EXPECT_EQ(lines, (Lines{"[Translate] Page3.ini to Page3.tyx",
                          "[Translate] menu to menu.tyx"}));
  EXPECT_EQ(ReadBytes(dir / "Page3.tyx"),
            "[Node]\r\nConfig=0F0000000164000074\r\n");
  EXPECT_EQ(ReadBytes(dir / "menu.tyx"),
            "[Node]\r\nConfig=0F0000000064000073\r\n");
  EXPECT_FALSE(Exists(dir / "Root.tyx"));
  EXPECT_EQ(ReadBytes(dir / "Page3.ini"), kNoLocate);
}

TEST(ArgumentModeTest, NeverTouchesAnExistingTarget) {
  TempDir dir;
  WriteBytes(dir / "a.ovq", "[Config]\r\nLocate=1\r\n");
  WriteBytes(dir / "b.ovq", "");
  WriteBytes(dir / "b.tyx", "mine\n");
  // The first run writes a.tyx; naming it again finds it there.
  Lines lines =
      Report(RunOnFiles({dir / "a.ovq", dir / "b.ovq", dir / "a.ovq"}));
  EXPECT_EQ(lines, (Lines{"[Translate] a.ovq to a.tyx",
                          "[Err:Already Exists] " + (dir / "b.tyx"),
                          "[Err:Already Exists] " + (dir / "a.tyx")}));
  EXPECT_EQ(ReadBytes(dir / "b.tyx"), "mine\n");
  EXPECT_EQ(ReadBytes(dir / "a.tyx"),
            "[Node]\r\nConfig=010000000064000065\r\n");
}

TEST(ArgumentModeTest, ReportsSourcesThatCannotBeRead) {
  TempDir dir;
  std::filesystem::create_directory(dir / "sub.ovq");
  // Larger than any menu the converter takes on (sparse: no disk used).
  WriteBytes(dir / "huge.ovq", "");
  std::filesystem::resize_file(dir / "huge.ovq", 513u << 20);
  Lines lines = Report(
      RunOnFiles({dir / "missing.ovq", dir / "sub.ovq", dir / "huge.ovq"}));
  EXPECT_EQ(lines, (Lines{"[Err:Cannot Read] " + (dir / "missing.ovq"),
                          "[Err:Cannot Read] " + (dir / "sub.ovq"),
                          "[Err:Cannot Read] " + (dir / "huge.ovq")}));
  EXPECT_EQ(ListNames(dir.path()), (Lines{"huge.ovq", "sub.ovq"}));
}

TEST(ArgumentModeTest, RelativePathsAndPrintedNamesStayAsGiven) {
  TempDir dir;
  WriteBytes(dir / "m.ovq", "");
  Lines lines = Report(RunOnFiles({"m.ovq", "gone.ovq"}, dir.path()));
  EXPECT_EQ(lines, (Lines{"[Translate] m.ovq to m.tyx",
                          "[Err:Cannot Read] gone.ovq"}));
  EXPECT_TRUE(Exists(dir / "m.tyx"));
}

}  // namespace
}  // namespace ovq2tyx::testing
