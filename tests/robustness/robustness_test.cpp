// What a case folder cannot express: runs on sources too large, in folders
// with long paths, interrupted, meeting each other or what others left; and
// on POSIX, runs under limits of file size and memory, without standard
// output, that meet FIFOs, pipes and a terminal.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <pty.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "support/run_program.h"
#include "support/temp_dir.h"

// AddressSanitizer, as GCC and clang tell it.
#if defined(__SANITIZE_ADDRESS__)
#define OVQ2TYX_ADDRESS_SANITIZER
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define OVQ2TYX_ADDRESS_SANITIZER
#endif
#endif

namespace ovq2tyx::testing {
namespace {

using Names = std::vector<std::string>;

// The root index's header, and its link item `n` to a menu or page `name`.
const std::string kRootHeader = "[Node]\r\nConfig=0F0000000064000073\r\n";
std::string Link(const std::string& name, int n = 0, bool page = false) {
  return "[No." + std::to_string(n) + "]\r\nPath=" + name +
         "\r\nTitle=" + name + "\r\nWorkDir=\r\nCmdLine=" + (page ? ">>" : "") +
         "\r\nHotKey=000000\r\nWinState=0\r\nPriority=0\r\nWait=0\r\n"
         "Check=1\r\n";
}

// Runs the program in `folder`, in folder mode or on `args`; `expected` is
// its console text up to the closing prompt, with "{dir}" for the folder.
void ExpectRun(const std::string& folder, const RunOptions& options,
               const std::string& expected, Names args = {}) {
  args.insert(args.begin(),
              (std::filesystem::path(folder) / "ovq2tyx").string());
  const RunResult run = RunProgram(OVQ2TYX_PROGRAM, args, folder, options);
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.output, AsPrinted(ExpandDir(
                            expected + "Press Any Key To Exit.\n", folder)));
}

// A source too large for the reader, or for the memory the run may take,
// is unreadable; the run goes on with the next one (sparse files: no disk
// used).
TEST(RobustnessTest, SourcesTooLargeAreUnreadableAndTheRunGoesOn) {
  const struct {
    std::uint64_t size;
    RunOptions options;
  } sources[] = {
    {(2ull << 30) + 1, {}},  // over the largest menu the reader takes on
#if !defined(_WIN32) && !defined(OVQ2TYX_ADDRESS_SANITIZER)
    // The address sanitizer needs all the address space.
    {1ull << 30, {.address_space_limit = 512ull << 20}},
#endif
  };
  for (const auto& source : sources) {
    TempDir dir;
    WriteBytes(dir / "big.ovq", "");
    std::filesystem::resize_file(dir / "big.ovq", source.size);
    WriteBytes(dir / "small.ovq", "");
    ExpectRun(dir.path(), source.options,
              "[Err:Cannot Read] big.ovq\n[Translate] small.ovq to small.tyx\n",
              {"big.ovq", "small.ovq"});
    EXPECT_EQ(ListNames(dir.path()),
              (Names{"big.ovq", "small.ovq", "small.tyx"}));
  }
}

// Deep folders work as shallow ones, on Windows too (its old limit is 260).
TEST(RobustnessTest, FoldersOfLongPathsConvert) {
  TempDir dir;
  std::filesystem::path deep = std::filesystem::u8path(dir.path());
  for (char c : std::string("abc")) deep /= std::string(110, c);
  std::filesystem::create_directories(LongForm(deep));
  WriteBytes(LongForm(deep / "a.ovq"), "");
  const RunResult run =
      RunProgram(OVQ2TYX_PROGRAM, {deep.string() + "/ovq2tyx"}, dir.path());
  EXPECT_EQ(run.output,
            AsPrinted("[Generate] Root.tyx\n[Translate] a.ovq to a.tyx\n"
                      "Press Any Key To Exit.\n"));
  EXPECT_EQ(ReadBytes(LongForm(deep / "Root.tyx")),
            kRootHeader + Link("a.tyx"));
}

// A menu of `items` items, about 100 bytes each.
std::string BigMenu(int items) {
  std::string menu = "[Config]\r\nLocate=1\r\n";
  for (int n = 0; n < items; ++n) {
    menu += "[No." + std::to_string(n) +
            "]\r\nData1=C:\\Tools\\tool.exe\r\nData5=Alt + F5\r\n"
            "Data8=C:\\Tools\\icon.dll?icon=2\r\n";
  }
  return menu;
}

// The temporary files a run leaves in `dir` (there should be none).
Names Leftovers(const TempDir& dir) {
  Names names = ListNames(dir.path());
  std::erase_if(names, [](auto& n) { return !n.starts_with(".ovq2tyx-"); });
  return names;
}

// A run ended from outside while it writes leaves no file behind, so the
// next run finds nothing half done; one ended outright leaves its temporary
// files, which the next run removes. Either way the next run converts what
// is missing and makes the root index whole.
TEST(RobustnessTest, InterruptedRunsLeaveNothingTheNextRunCannotMend) {
  const std::string menu = BigMenu(60000);
  const std::vector<int> interruptions = Interruptions();
  for (int how : interruptions) {
    TempDir dir;
    // Pages written first, whose files must not keep the guards that let an
    // interruption remove the file being written.
    std::string written, existed;
    for (const std::string page : {"Page1", "Page2", "Page3"}) {
      WriteBytes(dir / (page + ".ini"), "[Config]\r\nLocate=1\r\n");
      written += "[Translate] " + page + ".ini to " + page + ".tyx\n";
      existed += "[Err:Already Exists] {dir}/" + page + ".tyx\n";
    }
    WriteBytes(dir / "y.ovq", menu);
    WriteBytes(dir / "z.ovq", "");
    StartedProgram run =
        StartProgram(OVQ2TYX_PROGRAM, {dir / "ovq2tyx"}, dir.path());
    // The root index is the run's first temporary file, y.tyx its fifth.
    const std::string target = ".ovq2tyx-" + std::to_string(run.pid) + "-4.tmp";
    while (!std::filesystem::exists(dir / target)) std::this_thread::yield();
    const int signal_number = Interrupt(run, how);
    const RunResult killed = FinishProgram(run);
    EXPECT_EQ(killed.signal, signal_number);
    EXPECT_EQ(killed.output, AsPrinted("[Generate] Root.tyx\n" + written));
    EXPECT_EQ(Leftovers(dir).empty(), how != interruptions.back());
    EXPECT_EQ(ListNames(dir.path()).size(), 8 + Leftovers(dir).size());
    ExpectRun(dir.path(), {},
              "[Generate] Root.tyx\n" + existed +
                  "[Translate] y.ovq to y.tyx\n[Translate] z.ovq to z.tyx\n");
    EXPECT_EQ(ListNames(dir.path()).size(), 11u);
    EXPECT_TRUE(Leftovers(dir).empty());
  }
}

// Only the program's own leftovers go: a temporary name of its exact form,
// of a process that is gone, naming a regular file itself that no run holds.
TEST(RobustnessTest, StaleCleanupRemovesOnlyLeftoversOfRunsThatAreGone) {
  TempDir dir, elsewhere;
  // No process has this id: Linux's are smaller, Windows' multiples of 4.
  const std::string stale = ".ovq2tyx-2147483647-";
  const std::string alive =
      ".ovq2tyx-" + std::to_string(ThisProcessId()) + "-0.tmp";
  const Names kept = {".ovq2tyx-02147483647-0.tmp",
                      ".ovq2tyx-2147483647+0.tmp",
                      ".ovq2tyx-notes.tmp",
                      stale + "1.tmp.bak",
                      stale + "3.tmp",
                      alive};
  for (const std::string& name : kept) WriteBytes(dir / name, "mine");
  WriteBytes(dir / (stale + "0.tmp"), "left over");
  WriteBytes(elsewhere / "private", "keep");
  const bool linked = MakeLink(elsewhere / "private", dir / (stale + "2.tmp"));
  auto held = HoldOpen(dir / (stale + "3.tmp"));  // by a run elsewhere
  ExpectRun(dir.path(), {}, "[Generate] Root.tyx\n");
  held.reset();
  for (const std::string& name : kept) {
    EXPECT_EQ(ReadBytes(dir / name), "mine") << name;
  }
  EXPECT_FALSE(std::filesystem::exists(dir / (stale + "0.tmp")));
  EXPECT_EQ(ReadBytes(elsewhere / "private"), "keep");
  EXPECT_EQ(std::filesystem::exists(dir / (stale + "2.tmp")), linked);
}

// Runs at once in one folder: each target is written by one of them, every
// run links all targets, one index lands, nothing is left over; and a run
// holds few files open (8 at most, POSIX), each closed once written.
TEST(RobustnessTest, ConcurrentRunsShareTheWorkAndOneIndex) {
  TempDir dir;
  std::string expected_root = kRootHeader;
  for (int n = 0; n < 20; ++n) {
    const std::string page = "Page" + std::to_string(n + 10);
    WriteBytes(dir / (page + ".ini"), "[Config]\r\nLocate=1\r\n");
    expected_root += Link(page + ".tyx", n, true);
  }
  std::vector<StartedProgram> runs;
  for (int n = 0; n < 3; ++n) {
    runs.push_back(StartProgram(OVQ2TYX_PROGRAM, {dir / "ovq2tyx"}, dir.path(),
                                {.open_files_limit = 8}));
  }
  std::string reports;
  for (StartedProgram& run : runs) reports += FinishProgram(run).output;
  auto count = [&reports](const std::string& line) {
    std::size_t found = 0;
    for (std::size_t at = 0; (at = reports.find(line, at)) != reports.npos;) {
      ++found, ++at;
    }
    return found;
  };
  EXPECT_EQ(count("[Translate]"), 20u);
  // Every run that set out to make the index but another run beat says so.
  EXPECT_EQ(count("[Generate] Root.tyx"),
            1 + count(AsPrinted(ExpandDir("[Err:Already Exists] {dir}/Root.tyx",
                                          dir.path()))));
  EXPECT_EQ(ReadBytes(dir / "Root.tyx"), expected_root);
  EXPECT_TRUE(Leftovers(dir).empty());
}

#ifndef _WIN32
// FIFOs, pipes, limits and terminals are POSIX matters: Windows has no
// FIFOs nor limits on a file's size, and Wine no terminal a test can drive.

// A target is written whole or not at all, whatever fails, and the root
// index lands only complete (a folder that cannot be listed gets none,
// which would lack its links for good); a later run converts what is
// still missing and makes the index whole.
TEST(RobustnessTest, RunsUnderLimitsLeaveNothingBehindAndHealOnRerun) {
  const std::string big = BigMenu(1000), small = "[Config]\r\nLocate=1\r\n";
  const std::string page = "Page1.ini to Page1.tyx\n",
                    empty = "Empty.ovq to Empty.tyx\n";
  const struct {
    RunOptions limit;
    const std::string& page;
    std::string output, rerun_output;
    Names left;
  } runs[] = {
      // Room for small files: the big target fails, so the index stays out.
      {{.file_size_limit = 64 * 1024},
       big,
       "[Err:Cannot Write] {dir}/Page1.tyx\n[Translate] " + empty,
       "[Translate] " + page + "[Err:Already Exists] {dir}/Empty.tyx\n",
       {"Empty.ovq", "Empty.tyx", "Page1.ini"}},
      // Room for the targets but not for the index's links.
      {{.file_size_limit = 150},
       small,
       "[Translate] " + page + "[Translate] " + empty,
       "[Err:Already Exists] {dir}/Page1.tyx\n"
       "[Err:Already Exists] {dir}/Empty.tyx\n",
       {"Empty.ovq", "Empty.tyx", "Page1.ini", "Page1.tyx"}},
      // No descriptor left to list the folder with.
      {{.open_files_limit = 4},
       big,
       "[Err:Cannot Read] {dir}\n",
       "[Translate] " + page + "[Translate] " + empty,
       {"Empty.ovq", "Page1.ini"}},
  };
  for (const auto& run : runs) {
    TempDir dir;
    WriteBytes(dir / "Page1.ini", run.page);
    WriteBytes(dir / "Empty.ovq", "");  // its target is a header alone
    ExpectRun(dir.path(), run.limit,
              "[Generate] Root.tyx\n" + run.output +
                  "[Err:Cannot Write] {dir}/Root.tyx\n");
    EXPECT_EQ(ListNames(dir.path()), run.left);
    ExpectRun(dir.path(), {}, "[Generate] Root.tyx\n" + run.rerun_output);
    EXPECT_EQ(ReadBytes(dir / "Page1.ini"), run.page);
    EXPECT_GT(ReadBytes(dir / "Page1.tyx").size(), run.page.size() / 2);
    EXPECT_EQ(ReadBytes(dir / "Root.tyx"),
              kRootHeader + Link("Page1.tyx", 0, true) + Link("Empty.tyx", 1));
  }
}

// A target is as private as its source (less any execute bits), under the
// umask; the root index is a new file like any other.
TEST(RobustnessTest, TargetsKeepTheirSourcesPermissions) {
  TempDir dir;
  const struct {
    std::string name;
    mode_t mode, target_mode;
  } menus[] = {{"a", 0600, 0600},
               {"b", 0755, 0640},
               {"c", 0666, 0640},
               {"d", 0444, 0440}};
  for (const auto& menu : menus) {
    WriteBytes(dir / (menu.name + ".ovq"), "");
    chmod((dir / (menu.name + ".ovq")).c_str(), menu.mode);
  }
  const mode_t old_umask = umask(027);
  RunProgram(OVQ2TYX_PROGRAM, {dir / "ovq2tyx"}, dir.path());
  umask(old_umask);
  auto target_mode = [&dir](const std::string& name) {
    struct stat info = {};
    stat((dir / (name + ".tyx")).c_str(), &info);
    return info.st_mode & 07777;
  };
  for (const auto& menu : menus) {
    EXPECT_EQ(target_mode(menu.name), menu.target_mode) << menu.name;
  }
  EXPECT_EQ(target_mode("Root"), 0640u);
}

// On a file system with neither a rename that refuses to replace nor hard
// links, targets and the root index still land whole, and nothing existing
// is replaced.
void ExpectTargetsWithoutLinks(const std::string& folder,
                               const RunOptions& options) {
  WriteBytes(folder + "/Page1.ini", "[Config]\r\nLocate=1\r\n");
  WriteBytes(folder + "/a.ovq", "");
  ExpectRun(folder, options,
            "[Generate] Root.tyx\n[Translate] Page1.ini to Page1.tyx\n"
            "[Translate] a.ovq to a.tyx\n");
  ExpectRun(folder, options,
            "[Err:Already Exists] {dir}/Page1.tyx\n"
            "[Err:Already Exists] {dir}/a.tyx\n");
  EXPECT_EQ(ListNames(folder),
            (Names{"Page1.ini", "Page1.tyx", "Root.tyx", "a.ovq", "a.tyx"}));
  EXPECT_EQ(ReadBytes(folder + "/Root.tyx"),
            kRootHeader + Link("Page1.tyx", 0, true) + Link("a.tyx", 1));
}

// A fault of the system, by a preloaded library (fault_preload.cpp):
// "FAIL_ALLOCATION=<plan>" or the name of another.
RunOptions WithFault(const std::string& fault) {
  if (fault.starts_with("FAIL_ALLOCATION=")) {
    return {.preload = OVQ2TYX_FAIL_ALLOCATIONS,
            .environment = {"OVQ2TYX_" + fault}};
  }
  return {.preload = OVQ2TYX_FAULTS, .environment = {"OVQ2TYX_FAULT=" + fault}};
}

TEST(RobustnessTest, FileSystemsWithoutLinksGetTheirTargets) {
  TempDir dir;
  ExpectTargetsWithoutLinks(dir.path(), WithFault("no-links"));
}

// A flush made in the background that fails keeps its target out, as a
// failed write does; the next run writes it. (Only Linux makes them.)
TEST(RobustnessTest, FailedEarlyFlushKeepsItsTargetOut) {
  if (!OVQ2TYX_EARLY_FLUSH) GTEST_SKIP() << "no flushes in the background";
  TempDir dir;
  WriteBytes(dir / "big.ovq", BigMenu(60000));
  ExpectRun(dir.path(), WithFault("flush-fails"),
            "[Err:Cannot Write] big.tyx\n", {"big.ovq"});
  EXPECT_EQ(ListNames(dir.path()), Names{"big.ovq"});
  ExpectRun(dir.path(), {}, "[Translate] big.ovq to big.tyx\n", {"big.ovq"});
}

// A menu that cannot be read whole is not converted, whatever it held.
TEST(RobustnessTest, SourceThatFailsToReadIsNotConverted) {
  TempDir dir;
  WriteBytes(dir / "a.ovq", "[No.1]\r\nData1=x\r\n");
  ExpectRun(dir.path(), WithFault("read-fails"), "[Err:Cannot Read] a.ovq\n",
            {"a.ovq"});
  EXPECT_EQ(ListNames(dir.path()), Names{"a.ovq"});
}

// An interruption as the target is claimed, where another program has just
// made it, or just after our file was moved onto its claim, removes our
// temporary file and nothing else: neither their file nor our target.
TEST(RobustnessTest, InterruptionsAtAClaimRemoveOnlyOurTemporaryFile) {
  const struct {
    std::string fault, target;
  } runs[] = {{"claim-taken", "theirs"}, {"moved-then-int", kRootHeader}};
  for (const auto& run : runs) {
    TempDir dir;
    WriteBytes(dir / "a.ovq", "");
    const RunResult result =
        RunProgram(OVQ2TYX_PROGRAM, {dir / "ovq2tyx", "a.ovq"}, dir.path(),
                   WithFault(run.fault));
    EXPECT_EQ(result.signal, SIGINT) << run.fault;
    EXPECT_EQ(ListNames(dir.path()), (Names{"a.ovq", "a.tyx"})) << run.fault;
    EXPECT_EQ(ReadBytes(dir / "a.tyx"), run.target) << run.fault;
  }
}

// A claim that a failed move left and could not remove is named; so is one
// that a run which is gone left, while it cannot be removed either; the
// first run that can removes them and writes the target and the index.
// Nothing else at a target is taken for a claim: an empty file, the mark of
// a live process, one that is not exactly a mark, one another run holds.
TEST(RobustnessTest, ClaimsLeftBehindAreRemovedByTheNextRunThatCan) {
  TempDir dir;
  WriteBytes(dir / "a.ovq", "");
  const std::string stuck =
      "[Err:Cannot Write] {dir}/a.tyx\n[Err:Cannot Remove] {dir}/a.tyx\n"
      "[Err:Cannot Write] {dir}/Root.tyx\n";
  ExpectRun(dir.path(), WithFault("claim-stuck"),
            "[Generate] Root.tyx\n" + stuck);
  EXPECT_TRUE(ReadBytes(dir / "a.tyx").starts_with(".ovq2tyx-"));
  const std::string gone = ".ovq2tyx-2147483647-0.tmp";
  WriteBytes(dir / "Root.tyx", gone);
  ExpectRun(
      dir.path(), WithFault("claim-stuck"),
      "[Err:Cannot Write] {dir}/a.tyx\n[Err:Cannot Remove] {dir}/Root.tyx\n" +
          stuck.substr(stuck.find('\n') + 1));
  const Names names = {"b", "c", "d", "e"};
  const Names kept = {"",
                      ".ovq2tyx-" + std::to_string(ThisProcessId()) + "-0.tmp",
                      gone + "\n", gone};
  std::string expected = "[Generate] Root.tyx\n[Translate] a.ovq to a.tyx\n";
  std::string root = kRootHeader + Link("a.tyx");
  for (std::size_t n = 0; n < names.size(); ++n) {
    WriteBytes(dir / (names[n] + ".ovq"), "");
    WriteBytes(dir / (names[n] + ".tyx"), kept[n]);
    expected += "[Err:Already Exists] {dir}/" + names[n] + ".tyx\n";
    root += Link(names[n] + ".tyx", static_cast<int>(n) + 1);
  }
  auto held = HoldOpen(dir / "e.tyx");
  ExpectRun(dir.path(), WithFault("no-links"), expected);
  held.reset();
  EXPECT_EQ(ReadBytes(dir / "a.tyx"), kRootHeader);
  EXPECT_EQ(ReadBytes(dir / "Root.tyx"), root);
  for (std::size_t n = 0; n < names.size(); ++n) {
    EXPECT_EQ(ReadBytes(dir / (names[n] + ".tyx")), kept[n]) << names[n];
  }
}

// USB sticks and SD cards: an exFAT image on a loop device, through FUSE.
// Targets and the index land as without links. And exFAT takes names
// without case, on Linux too: "root.ovq" would give the index itself, and
// "page1.ovq" the target of "Page1.ini"; the index lands and links that
// target once.
TEST(RobustnessTest, ExfatVolumesGetTheirTargetsAndFoldCase) {
  TempDir dir;
  const std::string volume = dir / "volume", in_dir = "cd '" + dir.path();
  if (std::system((in_dir + "' && (truncate -s 8M image && mkdir volume && "
                            "mkfs.exfat image && losetup -f --show image "
                            ">device && mount.exfat-fuse $(cat device) "
                            "volume) >/dev/null 2>&1")
                      .c_str()) != 0) {
    std::system((in_dir + "' && losetup -d $(cat device) 2>/dev/null").c_str());
    GTEST_SKIP() << "no exFAT volume here: needs root, a free loop device, "
                    "mkfs.exfat and mount.exfat-fuse; the same path is tested "
                    "by FileSystemsWithoutLinksGetTheirTargets";
  }
  const std::shared_ptr<void> unmount(nullptr, [&in_dir](void*) {
    std::system(
        (in_dir + "' && umount volume; losetup -d $(cat device)").c_str());
  });
  const std::string plain = volume + "/plain", folding = volume + "/folding";
  std::filesystem::create_directory(plain);
  std::filesystem::create_directory(folding);
  ExpectTargetsWithoutLinks(plain, {});
  WriteBytes(folding + "/Page1.ini", "[Config]\r\nLocate=1\r\n");
  WriteBytes(folding + "/page1.ovq", "");
  WriteBytes(folding + "/root.ovq", "");
  ExpectRun(folding, {},
            "[Generate] Root.tyx\n[Translate] Page1.ini to Page1.tyx\n"
            "[Err:Already Exists] {dir}/page1.tyx\n"
            "[Err:Already Exists] {dir}/root.tyx\n");
  EXPECT_EQ(ListNames(folding), (Names{"Page1.ini", "Page1.tyx", "Root.tyx",
                                       "page1.ovq", "root.ovq"}));
  EXPECT_EQ(ReadBytes(folding + "/Root.tyx"),
            kRootHeader + Link("Page1.tyx", 0, true));
}

TEST(RobustnessTest, SpecialFilesAreRefusedAtOnce) {
  TempDir dir;
  ASSERT_EQ(mkfifo((dir / "Page0.ini").c_str(), 0600), 0);
  ASSERT_EQ(mkfifo((dir / "f.ovq").c_str(), 0600), 0);
  ExpectRun(dir.path(), {},
            "[Generate] Root.tyx\n[Err:Cannot Read] {dir}/Page0.ini\n"
            "[Err:Cannot Read] {dir}/f.ovq\n");
  ExpectRun(dir.path(), {},
            "[Err:Cannot Read] /dev/null\n[Err:Cannot Read] f.ovq\n",
            {"/dev/null", "f.ovq"});
}

// Started with standard output closed, the program must not take its place
// for a file of its own: the report would land in the root index.
TEST(RobustnessTest, ClosedStandardOutputStaysOutOfTheFiles) {
  TempDir dir;
  WriteBytes(dir / "a.ovq", "");
  RunProgram(OVQ2TYX_PROGRAM, {dir / "ovq2tyx"}, dir.path(),
             {.close_output = true});
  EXPECT_EQ(ReadBytes(dir / "Root.tyx"), kRootHeader + Link("a.tyx"));
  EXPECT_EQ(ReadBytes(dir / "a.tyx"), kRootHeader);
}

// The closing key wait reads nothing where no one sees its prompt: input
// from a script's pipe, or the report sent to a pipe (or a file) though
// typed at a terminal. Neither waits, and what was typed stays unread.
TEST(RobustnessTest, KeyWaitLeavesInputAloneWhereNoOneSeesThePrompt) {
  int script[2], terminal[2];  // {read end, write end}
  ASSERT_EQ(pipe(script), 0);
  ASSERT_EQ(openpty(&terminal[1], &terminal[0], nullptr, nullptr, nullptr), 0);
  for (const int* input : {script, terminal}) {
    TempDir dir;
    ASSERT_EQ(write(input[1], "beta.ovq\n", 9), 9);  // the writer stays open
    ExpectRun(dir.path(), {.input = input[0]}, "[Err:Cannot Read] alpha.ovq\n",
              {"alpha.ovq"});
    char rest[16] = {};
    EXPECT_EQ(read(input[0], rest, sizeof rest), 9);
    EXPECT_STREQ(rest, "beta.ovq\n");
    for (int i : {0, 1}) close(input[i]);
  }
}

// As with "ovq2tyx | head -c1": the report is lost, the conversions are not.
TEST(RobustnessTest, ClosedOutputDoesNotStopTheRun) {
  TempDir dir;
  for (const char* name : {"a.ovq", "b.ovq", "c.ovq"})
    WriteBytes(dir / name, "");
  StartedProgram run =
      StartProgram(OVQ2TYX_PROGRAM, {dir / "ovq2tyx"}, dir.path());
  char first;
  EXPECT_EQ(read(run.output, &first, 1), 1);
  close(run.output);
  run.output = open("/dev/null", O_RDONLY);
  EXPECT_EQ(FinishProgram(run).exit_code, 0);
  EXPECT_EQ(ListNames(dir.path()), (Names{"Root.tyx", "a.ovq", "a.tyx", "b.ovq",
                                          "b.tyx", "c.ovq", "c.tyx"}));
}

// A shortage of memory at any allocation, once or from then on (but for
// blocks as small as an exception's): the run ends as usual, names what it
// could not do, leaves nothing temporary, and keeps the index from landing
// short. The sweep ends at the first allocation the run never comes to.
TEST(RobustnessTest, MemoryShortagesAnywhereNeverLeaveAShortIndex) {
#if defined(OVQ2TYX_ADDRESS_SANITIZER)
  GTEST_SKIP() << "the address sanitizer keeps its own allocator";
#endif
  TempDir dir;
  const Names sources = {"Page1.ini", "Page2.ini", "a.ovq"};
  for (const std::string& name : sources) {
    WriteBytes(dir / name, "[Config]\r\nLocate=1\r\n[No.0]\r\nData1=x\r\n");
  }
  const std::string prompt = "Press Any Key To Exit.\n";
  const std::string unread = "[Err:Cannot Read] " + dir.path();
  int shortages_reported = 0;
  for (int n = 1; n < 2000; ++n) {
    RunResult run;
    for (const std::string& plan :
         {std::to_string(n), std::to_string(n) + "+256"}) {
      run = RunProgram(OVQ2TYX_PROGRAM, {dir / "ovq2tyx"}, dir.path(),
                       WithFault("FAIL_ALLOCATION=" + plan));
      ASSERT_EQ(run.exit_code, 0) << plan;
      EXPECT_TRUE(run.output.ends_with(prompt)) << plan;
      EXPECT_TRUE(Leftovers(dir).empty()) << plan;
      // The index is whole, or its absence the last line's matter.
      const std::string index = ReadBytes(dir / "Root.tyx");
      EXPECT_TRUE(index == kRootHeader + Link("Page1.tyx", 0, true) +
                               Link("Page2.tyx", 1, true) + Link("a.tyx", 2) ||
                  (index == "<missing>" &&
                   (run.output.find("[Translate]") == std::string::npos ||
                    run.output.ends_with("Root.tyx\n" + prompt))))
          << plan;
      // Each source has its line, or else the folder has one (or not even
      // the arguments could be held).
      const bool folder_unread =
          run.output.find(unread + "\n") != std::string::npos;
      for (const std::string& name : sources) {
        EXPECT_TRUE(run.output == prompt ||
                    (run.output.find(name) != std::string::npos) !=
                        folder_unread)
            << plan << name;
      }
      shortages_reported += run.output.find(unread + "/") != std::string::npos;
      for (const std::string& name : ListNames(dir.path())) {
        if (name.ends_with(".tyx")) std::filesystem::remove(dir / name);
      }
    }
    if (run.output.starts_with("[Generate]") &&
        run.output.find("[Err:") == std::string::npos) {
      break;
    }
  }
  EXPECT_GT(shortages_reported, 0);
  // A file named is converted or named, up to the conversion at least; only
  // the first allocations, before the arguments are held, leave nothing to
  // name it by.
  int said_nothing = 0;
  for (int n = 1; n <= 150; ++n) {
    const RunResult run =
        RunProgram(OVQ2TYX_PROGRAM, {dir / "ovq2tyx", "a.ovq"}, dir.path(),
                   WithFault("FAIL_ALLOCATION=" + std::to_string(n)));
    said_nothing += run.output == prompt;
    EXPECT_TRUE(run.output.find("a.ovq") != std::string::npos ||
                run.output == prompt)
        << n;
    std::filesystem::remove(dir / "a.tyx");
  }
  EXPECT_LE(said_nothing, 3);
  // A heap that gives nothing at all, not even the runtime's reserve for
  // exceptions: nothing can be tried, and the run says only its last line.
  ExpectRun(dir.path(), WithFault("FAIL_ALLOCATION=1+0"), "");
  EXPECT_EQ(ListNames(dir.path()), sources);
}

// A folder made read-only while a target is written: the files that cannot
// be moved into place or removed are named, and the next run, once the
// folder is writable again, removes them and converts everything.
TEST(RobustnessTest, FolderMadeReadOnlyMidRunNamesWhatItLeaves) {
#if defined(OVQ2TYX_ADDRESS_SANITIZER)
  const int items = 20000;  // time enough, and done within a test's time
#else
  const int items = 100000;
#endif
  TempDir dir;
  WriteBytes(dir / "Page1.ini", BigMenu(items));
  WriteBytes(dir / "z.ovq", "");
  StartedProgram run =
      StartProgram(OVQ2TYX_PROGRAM, {dir / "ovq2tyx"}, dir.path());
  const std::string temp = "{dir}/.ovq2tyx-" + std::to_string(run.pid) + "-";
  while (!std::filesystem::exists(ExpandDir(temp + "1.tmp", dir.path()))) {
    usleep(100);
  }
  // Root is not held back by permissions: it gets a read-only mount.
  const bool mounted = mount(dir.path().c_str(), dir.path().c_str(), nullptr,
                             MS_BIND, nullptr) == 0 &&
                       mount(nullptr, dir.path().c_str(), nullptr,
                             MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
  if (!mounted) chmod(dir.path().c_str(), 0555);
  const std::string expected =
      "[Generate] Root.tyx\n[Err:Cannot Write] {dir}/Page1.tyx\n"
      "[Err:Cannot Remove] " +
      temp +
      "1.tmp\n[Err:Cannot Write] {dir}/z.tyx\n"
      "[Err:Cannot Remove] " +
      temp +
      "0.tmp\n[Err:Cannot Write] {dir}/Root.tyx\n"
      "Press Any Key To Exit.\n";
  EXPECT_EQ(FinishProgram(run).output, ExpandDir(expected, dir.path()));
  if (mounted) umount2(dir.path().c_str(), MNT_DETACH);
  chmod(dir.path().c_str(), 0755);
  ExpectRun(dir.path(), {},
            "[Generate] Root.tyx\n[Translate] Page1.ini to Page1.tyx\n"
            "[Translate] z.ovq to z.tyx\n");
  EXPECT_TRUE(Leftovers(dir).empty());
}

// At the key wait under a terminal: a key ends the run, echoed; Ctrl+C ends
// it as Ctrl+C does, and the terminal is as it was either way.
TEST(RobustnessTest, KeyWaitUnderATerminalRestoresIt) {
  for (const char* key : {"k", "\x03"}) {
    TempDir dir;
    int terminal = -1;
    const pid_t pid = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (pid == 0) {
      execl(OVQ2TYX_PROGRAM, (dir / "ovq2tyx").c_str(), "none.ovq", nullptr);
      _exit(127);
    }
    std::string printed;
    char buffer[256];
    while (printed.find("Exit.") == std::string::npos) {
      const ssize_t got = read(terminal, buffer, sizeof buffer);
      ASSERT_GT(got, 0);
      printed.append(buffer, static_cast<std::size_t>(got));
    }
    usleep(100000);  // into the wait itself
    ASSERT_EQ(write(terminal, key, 1), 1);
    int status = 0;
    waitpid(pid, &status, 0);
    struct termios settings;
    ASSERT_EQ(tcgetattr(terminal, &settings), 0);
    EXPECT_TRUE(settings.c_lflag & ICANON);
    EXPECT_TRUE(settings.c_lflag & ECHO);
    if (key[0] == 'k') {
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
      // The rest, up to the end the program's exit makes.
      for (ssize_t got; (got = read(terminal, buffer, sizeof buffer)) > 0;) {
        printed.append(buffer, static_cast<std::size_t>(got));
      }
      EXPECT_TRUE(printed.ends_with("Exit.\r\nk\r\n")) << printed;
    } else {
      EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT);
    }
    close(terminal);
  }
}
#endif

}  // namespace
}  // namespace ovq2tyx::testing
