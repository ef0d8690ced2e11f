#include "platform/path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace ovq2tyx {
namespace {

// A Windows path in a menu and a name on POSIX split differently: "\" and
// the trail byte 0x5C of 0x95 0x5C separate in neither, "\" in the first.
TEST(PathTest, SplitsAtTheSyntaxsSeparators) {
  struct Case {
    PathSyntax syntax;
    std::string_view path, file_name, directory, extension_of_name;
  } cases[] = {
      {kMenuPath, "C:\\Tools\\app.exe", "app.exe", "C:\\Tools", ".exe"},
      {kMenuPath, "Clip Board", "Clip Board", "", ""},
      {kMenuPath, "dir/sub/menu.ovq", "menu.ovq", "dir/sub", ".ovq"},
      {kMenuPath, "C:\\Root.tyx", "Root.tyx", "C:\\", ".tyx"},
      {kMenuPath, "/Page1.ini", "Page1.ini", "/", ".ini"},
      {kMenuPath, "C:\\dir\\", "", "C:\\dir", ""},
      {kMenuPath, "C:\\\x95\x5C\\app", "app", "C:\\\x95\x5C", ""},
      {kMenuPath, "C:\\v1.2\\menu", "menu", "C:\\v1.2", ""},
      {kMenuPath, "a\\\x83\x2E", "\x83\x2E", "a", ""},  // 0x2E is no dot here
      {PathSyntax::kPosix, "a\\b.ovq", "a\\b.ovq", "", ".ovq"},
      {PathSyntax::kPosix, "/Page1.ini", "Page1.ini", "/", ".ini"},
      {PathSyntax::kPosix, "C:\\x", "C:\\x", "", ""},
      // UTF-8 names whose last byte before "/" or "." is a lead byte of
      // code page 932: "プ" (E3 83 97) and "あ" (E3 81 82).
      {PathSyntax::kPosix, "\xE3\x83\x97/Page1.ini", "Page1.ini",
       "\xE3\x83\x97", ".ini"},
      {PathSyntax::kPosix, "m.\xE3\x81\x82/\xE3\x81\x82.ovq",
       "\xE3\x81\x82.ovq", "m.\xE3\x81\x82", ".ovq"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindFileName(c.path, c.syntax), c.file_name) << c.path;
    EXPECT_EQ(RemoveFileName(c.path, c.syntax), c.directory) << c.path;
    const std::string renamed = RenameExtension(c.path, ".tyx", c.syntax);
    EXPECT_EQ(renamed.substr(renamed.size() - 4), ".tyx") << c.path;
    EXPECT_EQ(renamed.size(), c.path.size() - c.extension_of_name.size() + 4)
        << c.path;
  }
}

TEST(PathTest, CombinesWithOneNativeSeparator) {
  const std::string sep(1, kNativeSeparator);
  EXPECT_EQ(CombinePath("dir/", "Root.tyx"), "dir/Root.tyx");
  EXPECT_EQ(CombinePath("", "Root.tyx"), "Root.tyx");
  EXPECT_EQ(CombinePath("dir", "Root.tyx"), "dir" + sep + "Root.tyx");
  EXPECT_EQ(CombinePath("\x95\x5C", "a"), "\x95\x5C" + sep + "a");
  EXPECT_EQ(CombinePath(std::string(400, 'd'), "a").size(), 402u);
}

TEST(PathTest, MatchesAndOrdersNativeNames) {
  struct Case {
    std::string_view name, pattern;
    bool expected;
  } cases[] = {
      {"Page1.ini", "Page*.ini", true},
      {"PAGE7.INI", "Page*.ini", true},
      {"Page.ini", "Page*.ini", true},
      {"Page1.ini.bak", "Page*.ini", false},
      {"MyPage1.ini", "Page*.ini", false},
      {"menu.ovqx", "*.ovq", false},
      {".ovq", "*.ovq", true},
      {"a.ovq.ovq", "*.ovq", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MatchesWildcard(c.name, c.pattern), c.expected) << c.name;
  }
  // A name's last character before "." can be a lead byte in code page 932
  // and a character of its own in UTF-8 ("あ" is E3 81 82, "テ" E3 83 86).
  const bool posix = kNativePath == PathSyntax::kPosix;
  EXPECT_EQ(MatchesWildcard("Page\xE3\x81\x82.ini", "Page*.ini"), posix);
  EXPECT_EQ(MatchesWildcard("\xE3\x83\x86.ovq", "*.ovq"), posix);
  EXPECT_TRUE(MatchesWildcard("\x83\x76.ovq", "*.ovq"));
  std::vector<std::string> names = {"page2.ini", "Page10.ini", "PAGE1.ini",
                                    "Page_1.ini", "Page1.ini"};
  std::sort(names.begin(), names.end(), NameLess);
  EXPECT_EQ(names,
            (std::vector<std::string>{"PAGE1.ini", "Page1.ini", "Page10.ini",
                                      "page2.ini", "Page_1.ini"}));
  EXPECT_EQ(ComparePaths("Page1.tyx", "Page1.tyx"), 0);
  EXPECT_EQ(ComparePaths("page1.tyx", "Page1.tyx") == 0,
            kNativePath == PathSyntax::kWindows);
}

}  // namespace
}  // namespace ovq2tyx
