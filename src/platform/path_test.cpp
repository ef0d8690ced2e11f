#include "platform/path.h"

#include <gtest/gtest.h>

#include <string>

namespace ovq2tyx {
namespace {

TEST(PathTest, SplitsPathsAtSeparatorsOnly) {
  struct Case {
    std::string_view path, file_name, directory;
  } cases[] = {
      {"C:\\Tools\\app.exe", "app.exe", "C:\\Tools"},
      {"Clip Board", "Clip Board", ""},
      {"dir/sub/menu.ovq", "menu.ovq", "dir/sub"},
      {"C:\\Root.tyx", "Root.tyx", "C:\\"},
      {"/Page1.ini", "Page1.ini", "/"},
      {"C:\\dir\\", "", "C:\\dir"},
      // The directory name ends in 0x95 0x5C: its second byte is no separator.
      {"C:\\\x95\x5C\\app.exe", "app.exe", "C:\\\x95\x5C"},
      {"C:\\dir\\\x95\x5C", "\x95\x5C", "C:\\dir"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindFileName(c.path), c.file_name) << c.path;
    EXPECT_EQ(RemoveFileName(c.path), c.directory) << c.path;
  }
}

TEST(PathTest, RenamesExtensionOfLastComponent) {
  struct Case {
    std::string_view path, expected;
  } cases[] = {
      {"Page1.ini", "Page1.tyx"},
      {"menu", "menu.tyx"},
      {"C:\\Menus\\menu", "C:\\Menus\\menu.tyx"},
      {"C:\\v1.2\\menu", "C:\\v1.2\\menu.tyx"},  // dot in a directory
      {"a.b.ovq", "a.b.tyx"},
      {"\x83\x2E", "\x83\x2E.tyx"},  // 0x2E as a second byte is no dot
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RenameExtension(c.path, ".tyx"), c.expected) << c.path;
  }
}

TEST(PathTest, CombinesWithOneSeparator) {
  const std::string sep(1, kNativeSeparator);
  EXPECT_EQ(CombinePath("C:\\", "Root.tyx"), "C:\\Root.tyx");
  EXPECT_EQ(CombinePath("dir/", "Root.tyx"), "dir/Root.tyx");
  EXPECT_EQ(CombinePath("", "Root.tyx"), "Root.tyx");
  EXPECT_EQ(CombinePath("dir", "Root.tyx"), "dir" + sep + "Root.tyx");
  // A directory ending in 0x95 0x5C still needs a separator.
  EXPECT_EQ(CombinePath("\x95\x5C", "a"), "\x95\x5C" + sep + "a");
}

TEST(PathTest, LongPathsAreKeptWhole) {
  std::string directory(400, 'd');
  std::string combined = CombinePath(directory, "Page1.ini");
  EXPECT_EQ(combined.size(), 410u);
  EXPECT_EQ(RenameExtension(combined, ".tyx").size(), 410u);
}

}  // namespace
}  // namespace ovq2tyx
