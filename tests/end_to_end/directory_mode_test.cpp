// Directory mode: pages (strict), then menus (lenient), in the program's own
// directory, and the root index "Root.tyx".
#include <gtest/gtest.h>

#include <filesystem>

#include "end_to_end/harness.h"

namespace ovq2tyx::testing {

namespace {

const char kPage[] = "[Config]\r\nLocate=15\r\n";
const char kRootHeader[] = "[Node]\r\nConfig=0F0000000064000073\r\n";

// The link item the root index holds for `name`.
std::string Link(int n, const std::string& name, bool is_menu) {
  return "[No." + std::to_string(n) + "]\r\nPath=" + name +
         "\r\nTitle=" + name +
         "\r\nWorkDir=\r\nCmdLine=" + (is_menu ? "" : ">>") +
         "\r\nHotKey=000000\r\nWinState=0\r\nPriority=0\r\nWait=0\r\n"
         "Check=1\r\n";
}

TEST(DirectoryModeTest, EmptyDirectoryGetsOnlyARootIndex) {
  TempDir dir;
  EXPECT_EQ(Report(RunInDirectory(dir)), Lines{"[Generate] Root.tyx"});
  EXPECT_EQ(ReadBytes(dir / "Root.tyx"), kRootHeader);
  EXPECT_EQ(ListNames(dir.path()), Lines{"Root.tyx"});
}

TEST(DirectoryModeTest, ConvertsPagesThenMenusAndLinksThem) {
  TempDir dir;
  WriteBytes(dir / "Page2.ini", kPage);
  WriteBytes(dir / "PAGE7.INI", kPage);
  WriteBytes(dir / "page1.ini", kPage);
  WriteBytes(dir / "Tools.ovq", "");
  WriteBytes(dir / "Other.ini", kPage);  // neither a page nor a menu
  Lines lines = Report(RunInDirectory(dir));
  EXPECT_EQ(lines,
            (Lines{"[Generate] Root.tyx", "[Translate] page1.ini to page1.tyx",
                   "[Translate] Page2.ini to Page2.tyx",
                   "[Translate] PAGE7.INI to PAGE7.tyx",
                   "[Translate] Tools.ovq to Tools.tyx"}));
  EXPECT_EQ(ReadBytes(dir / "Root.tyx"),
            std::string(kRootHeader) + Link(0, "page1.tyx", false) +
                Link(1, "Page2.tyx", false) + Link(2, "PAGE7.tyx", false) +
                Link(3, "Tools.tyx", true));
  EXPECT_FALSE(Exists(dir / "Other.tyx"));
}

TEST(DirectoryModeTest, ExistingRootIndexIsLeftAlone) {
  TempDir dir;
  WriteBytes(dir / "Root.tyx", "[Node]\nConfig=mine\n");
  WriteBytes(dir / "Page1.ini", kPage);
  WriteBytes(dir / "Root.ovq", "");
  Lines lines = Report(RunInDirectory(dir));
  EXPECT_EQ(lines, (Lines{"[Translate] Page1.ini to Page1.tyx",
                          "[Err:Already Exists] " + (dir / "Root.tyx")}));
  EXPECT_EQ(ReadBytes(dir / "Root.tyx"), "[Node]\nConfig=mine\n");
}

TEST(DirectoryModeTest, LinksOnlyTargetsWrittenInThisRun) {
  TempDir dir;
  WriteBytes(dir / "Page1.ini", kPage);
  WriteBytes(dir / "Page1.tyx", "old");
  WriteBytes(dir / "Page2.ini", "[Config]\r\nLocate=-1\r\n");  // rejected
  WriteBytes(dir / "Page3.ini", kPage);
  std::filesystem::create_directory(dir / "Page4.ini");
  WriteBytes(dir / "Root.ovq", "");
  Lines lines = Report(RunInDirectory(dir));
  EXPECT_EQ(lines, (Lines{"[Generate] Root.tyx",
                          "[Err:Already Exists] " + (dir / "Page1.tyx"),
                          "[Err:Bad Format] " + (dir / "Page2.ini"),
                          "[Translate] Page3.ini to Page3.tyx",
                          "[Err:Cannot Read] " + (dir / "Page4.ini"),
                          "[Err:Already Exists] " + (dir / "Root.tyx")}));
  EXPECT_EQ(ReadBytes(dir / "Root.tyx"),
            std::string(kRootHeader) + Link(0, "Page3.tyx", false));
  EXPECT_EQ(ReadBytes(dir / "Page1.tyx"), "old");
  EXPECT_FALSE(Exists(dir / "Page2.tyx"));
}

// Real write failures (a file size limit, which stops root as well): a target
// is written whole or not at all, and a later run converts what failed.
TEST(DirectoryModeTest, WriteFailuresLeaveNothingBehindAndHealOnRerun) {
  if (!CanLimitFileSize()) GTEST_SKIP() << "needs a file size limit";
  TempDir dir;
  std::string big_menu = "[Config]\r\nLocate=1\r\n";
  for (int n = 0; n < 3000; ++n) {
    big_menu += "[No." + std::to_string(n) + "]\r\nData1=C:\\Tools\\app" +
                std::to_string(n) + ".exe\r\nData5=Ctrl + F" +
                std::to_string(n % 12 + 1) + "\r\n";
  }
  WriteBytes(dir / "Page1.ini", big_menu);
  WriteBytes(dir / "Empty.ovq", "");  // its target is a header alone
  const Lines sources = {"Empty.ovq", "Page1.ini"};

  // Too small even for a header: nothing can be written.
  EXPECT_EQ(Report(RunInDirectory(dir, 16)),
            (Lines{"[Err:Cannot Write] " + (dir / "Root.tyx"),
                   "[Err:Cannot Write] " + (dir / "Page1.tyx"),
                   "[Err:Cannot Write] " + (dir / "Empty.tyx")}));
  EXPECT_EQ(ListNames(dir.path()), sources);

  // Room for the root index and small targets; the big one fails midway.
  EXPECT_EQ(
      Report(RunInDirectory(dir, 64 * 1024)),
      (Lines{"[Generate] Root.tyx", "[Err:Cannot Write] " + (dir / "Page1.tyx"),
             "[Translate] Empty.ovq to Empty.tyx"}));
  EXPECT_EQ(ListNames(dir.path()),
            (Lines{"Empty.ovq", "Empty.tyx", "Page1.ini", "Root.tyx"}));
  EXPECT_EQ(ReadBytes(dir / "Root.tyx"),
            std::string(kRootHeader) + Link(0, "Empty.tyx", true));

  // Without a limit the rest converts; what exists is left alone.
  EXPECT_EQ(Report(RunInDirectory(dir)),
            (Lines{"[Translate] Page1.ini to Page1.tyx",
                   "[Err:Already Exists] " + (dir / "Empty.tyx")}));
  EXPECT_GT(ReadBytes(dir / "Page1.tyx").size(), 64u * 1024);
  EXPECT_EQ(ReadBytes(dir / "Page1.ini"), big_menu);
  EXPECT_EQ(ReadBytes(dir / "Root.tyx"),
            std::string(kRootHeader) + Link(0, "Empty.tyx", true));
}

TEST(DirectoryModeTest, FailedLinkIsReportedAfterItsPage) {
  if (!CanLimitFileSize()) GTEST_SKIP() << "needs a file size limit";
  TempDir dir;
  WriteBytes(dir / "Page1.ini", kPage);
  // Room for the root header and the page, not for the link item.
  Lines lines = Report(RunInDirectory(dir, 100));
  EXPECT_EQ(lines,
            (Lines{"[Generate] Root.tyx", "[Translate] Page1.ini to Page1.tyx",
                   "[Err:Cannot Write] " + (dir / "Root.tyx")}));
  EXPECT_EQ(ReadBytes(dir / "Root.tyx"), kRootHeader);
}

}  // namespace
}  // namespace ovq2tyx::testing
