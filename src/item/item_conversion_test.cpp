#include "item/item_conversion.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace ovq2tyx {
namespace {

SourceItem Source(std::string data1, std::string data2 = "",
                  std::string data3 = "") {
  SourceItem source;
  source.data1 = std::move(data1);
  source.data2 = std::move(data2);
  source.data3 = std::move(data3);
  return source;
}

const CommandTable& Table() {
  static const CommandTable table = BuildCommandTable();
  return table;
}

TEST(ConvertIconSpecTest, Rules) {
  const struct {
    std::string text, icon;
  } kCases[] = {
      {"C:\\Tools\\app.exe?icon=3", "C:\\Tools\\app.exe,3"},
      {"C:\\x.ico", "C:\\x.ico"},
      {"a?b", "a"},
      {"a?=", "a,"},
      {"a?x=1=2", "a,1=2"},
      {"a?b?c=2", "a,2"},
      {"a=1?b", "a=1"},
      {"", ""},
      {"\x8A\xF9\x92\xE8?icon=0", ""},  // 既定?icon=0
      {"\x8A\xF9\x92\xE8?ICON=0", ""},
      {"\x8A\xF9\x92\xE8?icon=1", "\x8A\xF9\x92\xE8,1"},
      // Cut to 283 bytes before the "?" rule, never inside a character.
      {std::string(281, 'a') + "\x83\x41"
                               "?x=1",
       std::string(281, 'a') + "\x83\x41"},
      {std::string(280, 'a') + "?x=12", std::string(280, 'a') + ","},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(ConvertIconSpec(c.text), c.icon) << c.text;
  }
}

TEST(ConvertItemTest, ModeCodeGivesWindowStatePriorityAndWait) {
  const struct {
    std::int32_t data6;
    unsigned win_state, priority, wait;
  } kCases[] = {
      {0, 0, 0, 0},  {1, 1, 0, 0},   {12, 2, 1, 0},        {7, 3, 0, 0},
      {99, 1, 1, 0}, {100, 0, 0, 2}, {135, 1, 3, 2},       {900, 0, 0, 2},
      {-1, 3, 0, 0}, {-12, 2, 3, 0}, {INT32_MIN, 0, 0, 0},
  };
  for (const auto& c : kCases) {
    SourceItem source = Source("x");
    source.data6 = c.data6;
    TargetItem target;
    ConvertItem(source, Table(), target);
    EXPECT_EQ(target.flags.win_state, c.win_state) << c.data6;
    EXPECT_EQ(target.flags.priority, c.priority) << c.data6;
    EXPECT_EQ(target.flags.wait, c.wait) << c.data6;
  }
}

TEST(ConvertItemTest, OnlyFalseClearsCheck) {
  for (const char* data7 : {"False", "false", "FALSE"}) {
    SourceItem source = Source("x");
    source.data7 = data7;
    TargetItem target;
    ConvertItem(source, Table(), target);
    EXPECT_EQ(target.flags.check, 0u) << data7;
  }
  for (const char* data7 : {"True", "no", "", "False "}) {
    SourceItem source = Source("x");
    source.data7 = data7;
    TargetItem target;
    ConvertItem(source, Table(), target);
    EXPECT_EQ(target.flags.check, 1u) << data7;
  }
}

TEST(ApplyKeyPressTest, MarksInFixedOrderThenKeys) {
  const struct {
    std::string data1, data2, cmd_line, work_dir;
  } kCases[] = {
      {"Key Press", "Ctrl+Alt", "#c#aabc", ""},
      {"key press", "Shift Win", "#w#sabc", ""},
      {"KEY PRESS", "ALT CTRL SHIFT WIN", "#w#s#c#aabc", ""},
      {"Key Press", "", "abc", ""},
      // 83 77 and 83 61 hold no "w" or "a".
      {"Key Press", "\x83\x77in \x83\x61lt", "abc", ""},
      {"Key Press2", "Ctrl", "old", "dir"},
      {"C:\\a.exe", "Ctrl", "old", "dir"},
  };
  for (const auto& c : kCases) {
    TargetItem target;
    target.work_dir = "dir";
    target.cmd_line = "old";
    ApplyKeyPress(Source(c.data1, c.data2, "abc"), target);
    EXPECT_EQ(target.cmd_line, c.cmd_line) << c.data1 << "/" << c.data2;
    EXPECT_EQ(target.work_dir, c.work_dir) << c.data1 << "/" << c.data2;
  }
}

TEST(ApplyKeyPressTest, LongMacroKeepsMarksAndCutsKeys) {
  const SourceItem source = Source("Key Press", "ctrl",
                                   std::string(256, 'k') +
                                       "\x83\x41"
                                       "zz");
  TargetItem target;
  ApplyKeyPress(source, target);
  EXPECT_EQ(target.cmd_line, "#c" + std::string(256, 'k'));
}

TEST(ConvertMenuItemsTest, StopsAtFirstMissingItemAndKeepsNumbers) {
  const struct {
    std::string source, sections;
  } kCases[] = {
      {"[Config]\r\nLocate=1\r\n", ""},
      {"[No.0]\r\nData1=a\r\n[No.2]\r\nData1=c\r\n", "[No.0]"},
      {"[No.0]\r\nData0=a\r\n[No.1]\r\nData1=b\r\n", ""},
      {"[No.3]\r\nData1=d\r\n[No.1]\r\nData1=b\r\n[No.0]\r\nData1=a\r\n"
       "[No.2]\r\nData1=c\r\n",
       "[No.0][No.1][No.2][No.3]"},
  };
  for (const auto& c : kCases) {
    ProfileDocument target;
    ConvertMenuItems(ParseProfile(c.source), Table(), target);
    std::string sections;
    for (const ProfileDocument::Section& section : target.sections) {
      sections += '[';
      sections += target.text.substr(section.name_begin, section.name_size);
      sections += ']';
    }
    EXPECT_EQ(sections, c.sections) << c.source;
  }
}

}  // namespace
}  // namespace ovq2tyx
