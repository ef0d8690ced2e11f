#include "platform/path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace ovq2tyx {
namespace {

// Windows syntax (menu text, and names on Windows): "\" and "/" separate,
// but not the trail byte 0x5C of 0x95 0x5C; "C:\" is a root. POSIX: bytes,
// "/" only.
TEST(PathTest, SplitsAtTheSyntaxsSeparators) {
  struct Case {
    PathSyntax syntax;
    std::string_view path, directory, file_name, renamed;
  } cases[] = {
      {kMenuPath, "C:\\Root.tyx", "C:\\", "Root.tyx", "C:\\Root.tyx"},
      {kMenuPath, "\\x", "\\", "x", "\\x.tyx"},
      {kMenuPath, "C:\\\x95\x5C/a.b", "C:\\\x95\x5C", "a.b",
       "C:\\\x95\x5C/a.tyx"},
      {kMenuPath, "v1.2\\\x83\x2E", "v1.2", "\x83\x2E", "v1.2\\\x83\x2E.tyx"},
      {PathSyntax::kPosix, "/C:\\x", "/", "C:\\x", "/C:\\x.tyx"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RemoveFileName(c.path, c.syntax), c.directory) << c.path;
    EXPECT_EQ(FindFileName(c.path, c.syntax), c.file_name) << c.path;
    EXPECT_EQ(RenameExtension(c.path, ".tyx", c.syntax), c.renamed) << c.path;
  }
  const std::string sep(1, kNativeSeparator);
  EXPECT_EQ(CombinePath("dir/", "a"), "dir/a");
  EXPECT_EQ(CombinePath("\x95\x5C", "a"), "\x95\x5C" + sep + "a");
}

TEST(PathTest, MatchesAndOrdersNativeNames) {
  EXPECT_TRUE(MatchesWildcard("PAGE7.INI", "Page*.ini"));
  EXPECT_TRUE(MatchesWildcard("a.ovq.ovq", "*.ovq"));
  EXPECT_FALSE(MatchesWildcard("Page1.ini.bak", "Page*.ini"));
  std::vector<std::string> names = {"page2", "Page10", "PAGE1", "Page_1",
                                    "Page1"};
  std::sort(names.begin(), names.end(), NameLess);
  EXPECT_EQ(names, (std::vector<std::string>{"PAGE1", "Page1", "Page10",
                                             "page2", "Page_1"}));
  EXPECT_EQ(ComparePaths("page1.tyx", "Page1.tyx") == 0,
            kNativePath == PathSyntax::kWindows);
}

}  // namespace
}  // namespace ovq2tyx
