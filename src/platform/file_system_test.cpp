#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/path.h"
#include "support/temp_dir.h"

namespace ovq2tyx {
namespace {

using testing::ListNames;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

TEST(FileSystemTest, MatchesWholeNamesWithWildcards) {
  struct Case {
    std::string_view name, pattern;
    bool expected;
  } cases[] = {
      {"Page1.ini", "Page*.ini", true},
      {"PAGE7.INI", "Page*.ini", true},
      {"Page.ini", "Page*.ini", true},
      {"Page1.ini.bak", "Page*.ini", false},
      {"MyPage1.ini", "Page*.ini", false},
      {"menu.ovq", "*.ovq", true},
      {"menu.ovqx", "*.ovq", false},
      {".ovq", "*.ovq", true},
      {"a.ovq.ovq", "*.ovq", true},
      // 0x83 0x76 is one character: no "v" or "." inside it matches.
      {"\x83\x76q", "*.ovq", false},
      {"\x83\x76.ovq", "*.ovq", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MatchesWildcard(c.name, c.pattern), c.expected) << c.name;
  }
}

TEST(FileSystemTest, OrdersNamesWithLettersFolded) {
  std::vector<std::string> names = {"page2.ini", "Page10.ini", "PAGE1.ini",
                                    "Page_1.ini", "Page1.ini"};
  std::sort(names.begin(), names.end(), NameLess);
  // "_" (0x5F) sorts after the folded letters; ties fall back to raw bytes.
  EXPECT_EQ(names,
            (std::vector<std::string>{"PAGE1.ini", "Page1.ini", "Page10.ini",
                                      "page2.ini", "Page_1.ini"}));
}

TEST(FileSystemTest, ListsMatchingFilesAndDirectories) {
  TempDir dir;
  WriteBytes(dir / "Page2.ini", "");
  WriteBytes(dir / "page1.INI", "");
  WriteBytes(dir / "other.ini", "");
  std::filesystem::create_directory(dir / "Page3.ini");
  EXPECT_EQ(ListDirectory(dir.path(), "Page*.ini"),
            (std::vector<std::string>{"page1.INI", "Page2.ini", "Page3.ini"}));
  EXPECT_TRUE(ListDirectory(dir / "missing", "*").empty());
}

TEST(FileSystemTest, WritesNewFilesWithoutReplacing) {
  TempDir dir;
  std::string path = dir / "a.tyx";
  EXPECT_EQ(WriteNewFile(path, "one"), WriteResult::kWritten);
  EXPECT_EQ(WriteNewFile(path, "two"), WriteResult::kExists);
  EXPECT_EQ(ReadBytes(path), "one");
  EXPECT_EQ(WriteNewFile(CombinePath(dir / "missing", "b.tyx"), "x"),
            WriteResult::kFailed);
  EXPECT_EQ(ListNames(dir.path()), std::vector<std::string>{"a.tyx"});
}

TEST(FileSystemTest, ReadsRegularFilesOnly) {
  TempDir dir;
  std::string bytes = "stale";
  WriteBytes(dir / "a.ini", std::string("x\0y", 3));
  EXPECT_TRUE(ReadRegularFile(dir / "a.ini", bytes, 3));
  EXPECT_EQ(bytes, std::string("x\0y", 3));
  EXPECT_FALSE(ReadRegularFile(dir / "a.ini", bytes, 2));
  EXPECT_FALSE(ReadRegularFile(dir / "missing.ini", bytes, 9));
  EXPECT_FALSE(ReadRegularFile(dir.path(), bytes, 9));
}

TEST(FileSystemTest, AppendsToExistingFiles) {
  TempDir dir;
  WriteBytes(dir / "r.tyx", "head\r\n");
  EXPECT_TRUE(AppendToFile(dir / "r.tyx", "more\r\n"));
  EXPECT_EQ(ReadBytes(dir / "r.tyx"), "head\r\nmore\r\n");
  EXPECT_FALSE(AppendToFile(dir / "none.tyx", "x"));
  EXPECT_FALSE(PathExists(dir / "none.tyx"));
}

}  // namespace
}  // namespace ovq2tyx
