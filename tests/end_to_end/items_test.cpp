// Item conversion as the user sees it: whole source files in, target files
// out, compared byte for byte.
#include <gtest/gtest.h>

#include "end_to_end/harness.h"

namespace ovq2tyx::testing {
namespace {

// A converted item: the given fields, the defaults for the rest.
struct Item {
  Item(std::string title_text, std::string path_text,
       std::string work_dir_text = "", std::string cmd_line_text = "",
       std::string hot_key_code = "000000")
      : title(std::move(title_text)),
        path(std::move(path_text)),
        work_dir(std::move(work_dir_text)),
        cmd_line(std::move(cmd_line_text)),
        hot_key(std::move(hot_key_code)) {}
  std::string title, path, work_dir, cmd_line, hot_key;
  std::string win_state = "0", priority = "0", icon, wait = "0", check = "1";
};

std::string Section(int n, const Item& item) {
  return "[No." + std::to_string(n) + "]\r\nTitle=" + item.title +
         "\r\nPath=" + item.path + "\r\nWorkDir=" + item.work_dir +
         "\r\nCmdLine=" + item.cmd_line + "\r\nHotKey=" + item.hot_key +
         "\r\nWinState=" + item.win_state + "\r\nPriority=" + item.priority +
         "\r\nIcon=" + item.icon + "\r\nWait=" + item.wait +
         "\r\nCheck=" + item.check + "\r\n";
}

const char kNode[] = "[Node]\r\nConfig=0F0000000064000073\r\n";

// Converts `source` as a menu and returns the target's bytes.
std::string ConvertMenu(const std::string& source) {
  TempDir dir;
  WriteBytes(dir / "m.ovq", source);
  EXPECT_EQ(Report(RunOnFiles({dir / "m.ovq"})),
            Lines{"[Translate] m.ovq to m.tyx"});
  return ReadBytes(dir / "m.tyx");
}

TEST(ItemsTest, ConvertsTheWorkedExample) {
  TempDir dir;
  WriteBytes(dir / "Page1.ini",
             "[Config]\r\nLocate=5\r\nLeft=10\r\nRight=90\r\n"
             "[No.0]\r\nData0=Editor\r\nData1=C:\\Tools\\edit.exe\r\n"
             "Data2=C:\\Work\r\nData3=/n\r\nData5=Ctrl + Alt + E\r\n"
             "Data6=112\r\nData7=False\r\nData8=C:\\Tools\\edit.exe?icon=1\r\n"
             "[No.1]\r\nData1=Clip Board\r\n");
  EXPECT_EQ(
      Report(RunInDirectory(dir)),
      (Lines{"[Generate] Root.tyx", "[Translate] Page1.ini to Page1.tyx"}));
  Item editor("Editor", "C:\\Tools\\edit.exe", "C:\\Work", "/n", "45064B");
  editor.win_state = "2";
  editor.priority = "1";
  editor.icon = "C:\\Tools\\edit.exe,1";
  editor.wait = "2";
  editor.check = "0";
  Item clip("Clip Board",
            "\x83\x4E\x83\x8A\x83\x62\x83\x76\x83\x7B\x81\x5B\x83\x68\x82\xC9"
            "\x83\x52\x83\x73\x81\x5B");
  EXPECT_EQ(ReadBytes(dir / "Page1.tyx"),
            "[Node]\r\nConfig=030000000A5A000067\r\n" + Section(0, editor) +
                Section(1, clip));
}

TEST(ItemsTest, ItemsKeepTheirNumbersUpToTheFirstGap) {
  std::string target = ConvertMenu(
      "[No.0]\r\nData1=a.exe\r\n[No.1]\r\nData1=C:\\b.exe\r\n"
      "[No.3]\r\nData1=d.exe\r\n");
  EXPECT_EQ(target, kNode + Section(0, Item{"a.exe", "a.exe"}) +
                        Section(1, Item{"b.exe", "C:\\b.exe"}));
  EXPECT_EQ(ConvertMenu("[No.0]\r\nData0=x\r\nData1=\r\n[No.1]\r\nData1=a\r\n"),
            kNode);
}

TEST(ItemsTest, LinksToMenusPointAtTheirTargets) {
  std::string target = ConvertMenu(
      "[No.0]\r\nData1=C:\\Menus\\Sub.OVQ\r\n"
      "[No.1]\r\nData1=C:\\Menus\\Page2.ini\r\n");
  EXPECT_EQ(target, kNode + Section(0, Item{"Sub.OVQ", "C:\\Menus\\Sub.tyx"}) +
                        Section(1, Item{"Page2.ini", "C:\\Menus\\Page2.ini"}));
}

// The marks come from "Data2" in a fixed order; the path is translated only
// when it is exactly "Key Press".
TEST(ItemsTest, KeyboardMacrosBecomePrefixedCommandLines) {
  std::string target = ConvertMenu(
      "[No.0]\r\nData1=Key Press\r\nData2=Shift Ctrl+Win\r\n"
      "Data3=abc\r\n[No.1]\r\nData1=key press\r\nData2=alt\r\n");
  EXPECT_EQ(target, kNode +
                        Section(0, Item{"Key Press",
                                        "\x83\x4C\x81\x5B\x83\x7B\x81\x5B\x83"
                                        "\x68\x83\x7D\x83\x4E\x83\x8D",
                                        "", "#w#s#cabc"}) +
                        Section(1, Item{"key press", "key press", "", "#a"}));
}

TEST(ItemsTest, DoubleByteTextIsNeverSplitOrMisread) {
  // The title comes from a path whose directory ends in 0x95 0x5C; the hot
  // key's key part is 0x83 0x41, which holds no letter "A"; the check text
  // is cut to 11 bytes, not inside a character.
  std::string target = ConvertMenu(
      "[No.0]\r\nData1=C:\\\x95\x5C\\app.exe\r\nData5=Ctrl + \x83\x41\r\n"
      "Data7=0123456789\x83\x41\r\n"
      "[No.1]\r\nData1=C:\\dir\\\x95\x5C\r\nData5=Alt + \x81\xAB\r\n");
  EXPECT_EQ(
      target,
      kNode +
          Section(0,
                  Item{"app.exe", "C:\\\x95\x5C\\app.exe", "", "", "000202"}) +
          Section(1, Item{"\x95\x5C", "C:\\dir\\\x95\x5C", "", "", "28042C"}));
}

}  // namespace
}  // namespace ovq2tyx::testing
