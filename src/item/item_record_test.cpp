#include "item/item_record.h"

#include <gtest/gtest.h>

#include <string>

namespace ovq2tyx {
namespace {

TEST(ReadSourceItemTest, MissingKeysGetDefaults) {
  const ProfileFile file =
      ParseProfile("[No.4]\r\nData1=C:\\Tools\\app.exe\r\nData0=\r\n");
  SourceItem item;
  item.data3 = "left over";
  item.data6 = 5;
  ASSERT_TRUE(ReadSourceItem(file, 4, item));
  EXPECT_EQ(item.data0, "app.exe");
  EXPECT_EQ(item.data1, "C:\\Tools\\app.exe");
  EXPECT_EQ(item.data2, "");
  EXPECT_EQ(item.data3, "");
  EXPECT_EQ(item.data5, "");
  EXPECT_EQ(item.data6, 0);
  EXPECT_EQ(item.data7, "True");
  EXPECT_EQ(item.data8, "");
}

TEST(ReadSourceItemTest, ItemExistsOnlyWithData1) {
  const ProfileFile file = ParseProfile(
      "[No.0]\r\nData0=No path\r\n[No.1]\r\nData1=\r\n[No.2]\r\nData1=x\r\n");
  SourceItem item;
  EXPECT_FALSE(ReadSourceItem(file, 0, item));
  EXPECT_FALSE(ReadSourceItem(file, 1, item));
  EXPECT_TRUE(ReadSourceItem(file, 2, item));
  EXPECT_FALSE(ReadSourceItem(file, 3, item));
}

TEST(ReadSourceItemTest, TitleIsLastPathComponent) {
  const struct {
    std::string data1, title;
  } kCases[] = {
      {"C:\\Tools\\app.exe", "app.exe"},
      {"Clip Board", "Clip Board"},
      // 95 5C is one character; its trail byte is no separator.
      {"C:\\\x95\x5C\\app.exe", "app.exe"},
      {"C:\\dir\\\x95\x5C", "\x95\x5C"},
  };
  for (const auto& c : kCases) {
    SourceItem item;
    ASSERT_TRUE(ReadSourceItem(
        ParseProfile("[No.0]\r\nData1=" + c.data1 + "\r\n"), 0, item));
    EXPECT_EQ(item.data0, c.title) << c.data1;
  }
}

TEST(ReadSourceItemTest, CutsValuesToTheirCapacity) {
  const std::string kDouble = "\x83\x41";  // ア
  const ProfileFile file =
      ParseProfile("[No.0]\r\nData1=" + std::string(259, 'p') +
                   "q\r\nData2=" + std::string(258, 'w') + kDouble +
                   "\r\nData7=FalseFalseFalse\r\n" +
                   "Data8=" + std::string(282, 'i') + kDouble + "\r\n");
  SourceItem item;
  ASSERT_TRUE(ReadSourceItem(file, 0, item));
  EXPECT_EQ(item.data1, std::string(259, 'p'));
  EXPECT_EQ(item.data0, std::string(259, 'p'));
  EXPECT_EQ(item.data2, std::string(258, 'w'));
  EXPECT_EQ(item.data7, "FalseFalseF");
  EXPECT_EQ(item.data8, std::string(282, 'i'));
}

TEST(WriteTargetItemTest, WritesKeysInOrderWithFlagFields) {
  ProfileDocument doc;
  WriteTargetItem(doc, 0, TargetItem{});
  TargetItem item;
  item.title = "Title";
  item.path = "C:\\a.exe";
  item.work_dir = "C:\\Work";
  item.cmd_line = "/n";
  item.icon = "C:\\a.exe,1";
  item.hot_key = {0x74, 0x06};
  item.flags.win_state = 1;
  item.flags.priority = 3;
  item.flags.wait = 2;
  item.flags.check = 1;
  WriteTargetItem(doc, 12, item);
  item.flags.win_state = 3;
  item.flags.priority = 2;
  item.flags.wait = 1;
  item.flags.check = 0;
  WriteTargetItem(doc, 3, item);
  EXPECT_EQ(SerializeProfile(doc),
            "[No.0]\r\nTitle=\r\nPath=\r\nWorkDir=\r\nCmdLine=\r\n"
            "HotKey=000000\r\nWinState=0\r\nPriority=0\r\nIcon=\r\nWait=0\r\n"
            "Check=0\r\n"
            "[No.12]\r\nTitle=Title\r\nPath=C:\\a.exe\r\nWorkDir=C:\\Work\r\n"
            "CmdLine=/n\r\nHotKey=74067A\r\nWinState=1\r\nPriority=3\r\n"
            "Icon=C:\\a.exe,1\r\nWait=2\r\nCheck=1\r\n"
            "[No.3]\r\nTitle=Title\r\nPath=C:\\a.exe\r\nWorkDir=C:\\Work\r\n"
            "CmdLine=/n\r\nHotKey=74067A\r\nWinState=3\r\nPriority=2\r\n"
            "Icon=C:\\a.exe,1\r\nWait=1\r\nCheck=0\r\n");
}

}  // namespace
}  // namespace ovq2tyx
