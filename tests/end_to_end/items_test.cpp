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

TEST(ItemsTest, TranslatesEveryBuiltInCommand) {
  const std::pair<std::string, std::string> commands[] = {
      {"Clip Board",
       "\x83\x4E\x83\x8A\x83\x62\x83\x76\x83\x7B\x81\x5B\x83\x68\x82\xC9\x83"
       "\x52\x83\x73\x81\x5B"},
      {"Clip Board+",
       "\x83\x4E\x83\x8A\x83\x62\x83\x76\x83\x7B\x81\x5B\x83\x68\x82\xC9\x83"
       "\x52\x83\x73\x81\x5B\x26\x83\x79\x81\x5B\x83\x58\x83\x67"},
      {"Screen Saver",
       "\x83\x58\x83\x4E\x83\x8A\x81\x5B\x83\x93\x83\x5A\x81\x5B\x83\x6F\x82"
       "\xCC\x8B\x4E\x93\xAE"},
      {"Control Panel",
       "\x83\x52\x83\x93\x83\x67\x83\x8D\x81\x5B\x83\x8B\x83\x70\x83\x6C\x83"
       "\x8B\x82\xF0\x8A\x4A\x82\xAD"},
      {"Recycle Bin", "\x82\xB2\x82\xDD\x94\xA0"},
      {"Clear Resent Files",
       "\x8D\xC5\x8B\xDF\x8E\x67\x82\xC1\x82\xBD\x83\x74\x83\x40\x83\x43\x83"
       "\x8B\x97\x9A\x97\xF0\x82\xCC\x8D\xED\x8F\x9C"},
      {"Display",
       "\x83\x66\x83\x42\x83\x58\x83\x76\x83\x8C\x83\x43\x89\xF0\x91\x9C\x93"
       "\x78\x82\xCC\x95\xCF\x8D\x58"},
      {"Nothing", "\x89\xBD\x82\xE0\x82\xB5\x82\xC8\x82\xA2"},
      {"Terminate App",
       "\x8E\x77\x92\xE8\x83\x41\x83\x76\x83\x8A\x82\xCC\x8F\x49\x97\xB9"},
      {"Sleep",
       "\x83\x6F\x83\x62\x83\x60\x8F\x88\x97\x9D\x82\xCC\x8E\x77\x92\xE8\x95"
       "\x62\x90\x94\x91\xD2\x8B\x40"},
      {"Pause",
       "\x83\x6F\x83\x62\x83\x60\x8F\x88\x97\x9D\x92\x86\x92\x66\x81\x95\x83"
       "\x81\x83\x62\x83\x5A\x81\x5B\x83\x57\x95\x5C\x8E\xA6"},
      {"Wait",
       "\x83\x6F\x83\x62\x83\x60\x8F\x88\x97\x9D\x82\xCC\x95\x89\x89\xD7\x90"
       "\xA7\x8C\xE4"},
      {"ReStart",
       "\x83\x6F\x83\x62\x83\x60\x8F\x88\x97\x9D\x82\xCC\x8D\xC4\x8E\xC0\x8D"
       "\x73"},
      {"WinExit", "Windows\x82\xCC\x8F\x49\x97\xB9"},
      {"What is Now?", "%WINDIR%\\TIMEDATE.CPL"},
  };
  std::string source, expected = kNode;
  int n = 0;
  for (const auto& [name, translated] : commands) {
    source += "[No." + std::to_string(n) + "]\r\nData1=" + name + "\r\n";
    expected += Section(n++, Item{name, translated});
  }
  // The keyboard macro: marks from "Data2" in fixed order, then "Data3".
  source +=
      "[No.15]\r\nData1=Key Press\r\nData2=Shift Ctrl+Win\r\n"
      "Data3=abc\r\n[No.16]\r\nData1=key press\r\nData2=alt\r\n";
  expected +=
      Section(15, Item{"Key Press",
                       "\x83\x4C\x81\x5B\x83\x7B\x81\x5B\x83\x68\x83\x7D"
                       "\x83\x4E\x83\x8D",
                       "", "#w#s#cabc"});
  expected += Section(16, Item{"key press", "key press", "", "#a"});
  EXPECT_EQ(ConvertMenu(source), expected);
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
