// What a case folder cannot express: runs under a file size limit, without
// standard input, on a source too large to read. Tests that need signals,
// FIFOs, concurrent runs or a pseudo-terminal belong here too.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/run_program.h"
#include "support/temp_dir.h"

namespace ovq2tyx::testing {
namespace {

using Names = std::vector<std::string>;

// The root index's header, and the link item it holds for a menu `name`.
const std::string kRootHeader = "[Node]\r\nConfig=0F0000000064000073\r\n";
std::string MenuLink(const std::string& name) {
  return "[No.0]\r\nPath=" + name + "\r\nTitle=" + name +
         "\r\nWorkDir=\r\nCmdLine=\r\nHotKey=000000\r\nWinState=0\r\n"
         "Priority=0\r\nWait=0\r\nCheck=1\r\n";
}

// Runs the program in `dir`, in folder mode or on `args`; `expected` is its
// console text up to the closing prompt, with "{dir}" for the folder.
void ExpectRun(const TempDir& dir, const RunOptions& options,
               const std::string& expected, Names args = {}) {
  args.insert(args.begin(), dir / "ovq2tyx");
  const RunResult run = RunProgram(OVQ2TYX_PROGRAM, args, dir.path(), options);
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(ConsoleToUtf8(run.output),
            ExpandDir(expected + "Press Any Key To Exit.\n", dir.path()));
}

// A target is written whole or not at all, whatever fails, and a later run
// converts what is still missing.
TEST(RobustnessTest, WriteFailuresLeaveNothingBehindAndHealOnRerun) {
  if (!CanLimitFileSize()) GTEST_SKIP() << "needs a file size limit";
  TempDir dir;
  std::string big_menu = "[Config]\r\nLocate=1\r\n";
  for (int n = 0; n < 3000; ++n) {
    big_menu += "[No." + std::to_string(n) + "]\r\nData1=C:\\app" +
                std::to_string(n) + ".exe\r\nData5=Ctrl + F1\r\n";
  }
  WriteBytes(dir / "Page1.ini", big_menu);
  WriteBytes(dir / "Empty.ovq", "");  // its target is a header alone
  // Too small even for a header: nothing can be written.
  ExpectRun(dir, {.file_size_limit = 16},
            "[Err:Cannot Write] {dir}/Root.tyx\n[Err:Cannot Write] "
            "{dir}/Page1.tyx\n[Err:Cannot Write] {dir}/Empty.tyx\n");
  EXPECT_EQ(ListNames(dir.path()), (Names{"Empty.ovq", "Page1.ini"}));
  // Room for the root index and small targets; the big one fails midway.
  ExpectRun(dir, {.file_size_limit = 64 * 1024},
            "[Generate] Root.tyx\n[Err:Cannot Write] {dir}/Page1.tyx\n"
            "[Translate] Empty.ovq to Empty.tyx\n");
  EXPECT_EQ(ListNames(dir.path()),
            (Names{"Empty.ovq", "Empty.tyx", "Page1.ini", "Root.tyx"}));
  ExpectRun(dir, {},
            "[Translate] Page1.ini to Page1.tyx\n"
            "[Err:Already Exists] {dir}/Empty.tyx\n");
  EXPECT_GT(ReadBytes(dir / "Page1.tyx").size(), 64u * 1024);
  EXPECT_EQ(ReadBytes(dir / "Page1.ini"), big_menu);
  EXPECT_EQ(ReadBytes(dir / "Root.tyx"), kRootHeader + MenuLink("Empty.tyx"));
}

// A link that does not fit is reported after its page, and takes no number.
TEST(RobustnessTest, FailedLinkIsReportedAfterItsPageAndTakesNoNumber) {
  if (!CanLimitFileSize()) GTEST_SKIP() << "needs a file size limit";
  TempDir dir;
  WriteBytes(dir / "Page1.ini", "[Config]\r\nLocate=15\r\n");
  WriteBytes(dir / "a.ovq", "");
  // Room for the root header and a link to "a.tyx", not to "Page1.tyx".
  ExpectRun(dir, {.file_size_limit = 150},
            "[Generate] Root.tyx\n[Translate] Page1.ini to Page1.tyx\n"
            "[Err:Cannot Write] {dir}/Root.tyx\n[Translate] a.ovq to a.tyx\n");
  EXPECT_EQ(ReadBytes(dir / "Root.tyx"), kRootHeader + MenuLink("a.tyx"));
  EXPECT_EQ(ListNames(dir.path()),
            (Names{"Page1.ini", "Page1.tyx", "Root.tyx", "a.ovq", "a.tyx"}));
}

// Started without standard input, the program's first files get descriptor
// 0, which is as good as any other.
TEST(RobustnessTest, ConvertsWithStandardInputClosed) {
  TempDir dir;
  WriteBytes(dir / "a.ovq", "");
  ExpectRun(dir, {.close_input = true},
            "[Generate] Root.tyx\n[Translate] a.ovq to a.tyx\n");
  EXPECT_EQ(ReadBytes(dir / "Root.tyx"), kRootHeader + MenuLink("a.tyx"));
}

TEST(RobustnessTest, SourceTooLargeToConvertIsUnreadable) {
  TempDir dir;
  // Larger than any menu the converter takes on (sparse: no disk used).
  WriteBytes(dir / "huge.ovq", "");
  std::filesystem::resize_file(dir / "huge.ovq", 513u << 20);
  ExpectRun(dir, {}, "[Err:Cannot Read] {dir}/huge.ovq\n", {dir / "huge.ovq"});
  EXPECT_EQ(ListNames(dir.path()), Names{"huge.ovq"});
}

}  // namespace
}  // namespace ovq2tyx::testing
