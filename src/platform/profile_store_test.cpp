#include "platform/profile_store.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace ovq2tyx {
namespace {

using namespace std::string_literals;

std::string Read(std::string_view bytes, std::string_view section,
                 std::string_view key, std::size_t capacity = 260) {
  return ReadProfileString(ParseProfile(std::string(bytes)), section, key,
                           "<default>", capacity);
}

TEST(ProfileStoreTest, ReadsValuesAsThePlatformReaderDoes) {
  struct Case {
    std::string bytes, section, key, expected;
  } cases[] = {
      {"[S]\r\nk=v\r\n", "S", "k", "v"},
      {"[S]\nk=v", "s", "K", "v"},       // case, LF, no end
      {"[S]\rk=v\rj=w", "S", "j", "w"},  // CR only
      {"  [ S ]  junk\r\n \tk \t= \x0B v w \x1A\r\n", "S", "k", "v w"},
      {"[S]\r\nk=a=b\r\n", "S", "k", "a=b"},           // first "=" splits
      {"[S]\r\nk=\r\n", "S", "k", ""},                 // empty value
      {"[S]\r\nk\r\nk=v\r\n", "S", "k", "<default>"},  // no "=" hides
      {"[S]\r\n;k=v\r\n", "S", ";k", "v"},             // no comments
      {"[S]\r\nk=1\r\nK=2\r\n", "S", "k", "1"},        // first key wins
      {"[S]\r\nk=1\r\n[s]\r\nk=2\r\nj=3\r\n", "S", "k", "1"},
      {"[S]\r\nk=1\r\n[s]\r\nj=3\r\n", "S", "j", "<default>"},  // first section
      {"[a]b]\r\nk=v\r\n", "a]b", "k", "v"},      // last "]" closes
      {"[S\r\nk=v\r\n", "S", "k", "<default>"},   // no "]": a key
      {"k=v\r\n[S]\r\n", "S", "k", "<default>"},  // before any header
      {"[S]\r\nk=\"v\"\r\n", "S", "k", "v"},      // quotes stripped
      {"[S]\r\nk='v'\r\n", "S", "k", "v"},
      {"[S]\r\nk=\"v'\r\n", "S", "k", "\"v'"},
      {"[S]\r\nk=\"\r\n", "S", "k", "\""},
      {"[S]\r\nk=\"\"\"\"\r\n", "S", "k", "\"\""},  // one pair only
      {"[S]\r\nk=\" v \"\r\n", "S", "k", " v "},
      {"[S]\r\nk=ab\0cd\r\n"s, "S", "k", "ab"},  // NUL ends value
      {"[S]\r\nk\0x=v\r\n"s, "S", "k", "v"},     // NUL ends key
      {"[S]\r\nk=\"ab\0\"\r\n"s, "S", "k", "\"ab"},
      {"[S]\r\nk=\"\x81\"\r\n", "S", "k", "\"\x81\""},  // 81 22 is one pair
      // Double-byte characters whose second byte is "\", "]", "=" or "[".
      {"[\x95\x5C]\r\n\x95\x5Ck=\x83\x5C\r\n", "\x95\x5C", "\x95\x5Ck",
       "\x83\x5C"},
      {"[S\x81]]\r\nk=v\r\n", "S\x81]", "k", "v"},
      {"[S]\r\n\x81=k=v\r\n", "S", "\x81=k", "v"},
      // A lead byte without its trail is dropped, never eating the line end.
      {"[S]\r\nk=ab\x81\r\nj=w\r\n", "S", "k", "ab"},
      {"[S]\r\nk=ab\x81\r\nj=w\r\n", "S", "j", "w"},
      {"[S]\r\nk=ab \x81", "S", "k", "ab"},
      {"[S]\r\nk=ab\x81\0zz\r\n"s, "S", "k", "ab"},
      {"[S]\r\nk=v\r\n", "T", "k", "<default>"},
      {"", "S", "k", "<default>"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Read(c.bytes, c.section, c.key), c.expected)
        << "file: " << c.bytes << " key: " << c.key;
  }
}

TEST(ProfileStoreTest, LookupsSurviveMovingTheFile) {
  ProfileFile file;
  file = ParseProfile("[s]\nb=2");  // short enough to live inside a string
  EXPECT_EQ(ReadProfileString(file, "s", "b", "", 260), "2");
}

TEST(ProfileStoreTest, MatchesNamesAndFallbacksAsThePlatformDoes) {
  ProfileFile file = ParseProfile("[Name]\r\nkey=v\r\n");
  EXPECT_EQ(ReadProfileString(file, " Name\t", " key ", "", 260), "v");
  EXPECT_EQ(ReadProfileString(file, std::string("Name\0x", 6), "key", "", 260),
            "v");
  EXPECT_EQ(ReadProfileString(file, "Name", "none", "\"abc\"  ", 260), "abc");
  EXPECT_EQ(ReadProfileString(file, "Name", "none", "ab\x81", 260), "ab");
  EXPECT_EQ(ReadProfileString(file, "Name", "none", "\x8C ", 260), "\x8C ");
}

TEST(ProfileStoreTest, CutsValuesToCapacity) {
  const std::string value259(259, 'x');
  EXPECT_EQ(Read("[S]\r\nk=" + value259 + "\r\n", "S", "k"), value259);
  EXPECT_EQ(Read("[S]\r\nk=" + value259 + "yz\r\n", "S", "k"), value259);
  EXPECT_EQ(Read("[S]\r\nk=0123456789ABCDEF\r\n", "S", "k", 12), "0123456789A");
  // The cut never leaves the first byte of a double-byte character.
  EXPECT_EQ(Read("[S]\r\nk=0123456789\x83\x41\r\n", "S", "k", 12),
            "0123456789");
  EXPECT_EQ(Read("[S]\r\nk=v\r\n", "S", "missing", 4), "<de");
}

TEST(ProfileStoreTest, ReadsIntegers) {
  struct Case {
    std::string value;
    std::int32_t expected;
  } cases[] = {
      {"12", 12},
      {" +12", 12},
      {"-12", -12},
      {"0x10", 16},
      {"0X1f", 0},
      {"0o17", 15},
      {"0b101", 5},
      {"12abc", 12},
      {"abc", 0},
      {"-", 0},
      {"4294967295", -1},
      {"4294967296", 0},
      {"-2147483649", 2147483647},
      {"\"5\"", 5},
      {std::string(28, '0') + "7", 7},  // 29 characters are read
      {std::string(29, '0') + "7", 0},
      {"\x01\x1F 12", 12},
      {"", -7},  // empty: the default
  };
  for (const Case& c : cases) {
    ProfileFile file = ParseProfile("[S]\r\nk=" + c.value + "\r\n");
    EXPECT_EQ(ReadProfileInt(file, "S", "k", -7), c.expected) << c.value;
  }
  EXPECT_EQ(ReadProfileInt(ParseProfile("[S]\r\n"), "S", "Locate", -1), -1);
}

TEST(ProfileStoreTest, WritesSectionsAndKeysInOrder) {
  ProfileDocument doc;
  SetProfileString(doc, "B", "one", "1");
  SetProfileString(doc, "A", "x", "");
  SetProfileString(doc, "b", "two", "2");
  SetProfileString(doc, "B", "ONE", "3");  // replaces in place
  SetProfileString(doc, "A", "gone", "z");
  RemoveProfileKey(doc, "A", "gone");
  RemoveProfileKey(doc, "A", "never");
  EXPECT_EQ(SerializeProfile(doc), "[B]\r\none=3\r\ntwo=2\r\n[A]\r\nx=\r\n");
}

TEST(ProfileStoreTest, WritesStructValuesWithChecksum) {
  ProfileDocument doc;
  const std::array<std::uint8_t, 8> header = {0x0F, 0, 0, 0, 0, 0x64, 0, 0};
  const std::array<std::uint8_t, 2> none = {0, 0};
  const std::array<std::uint8_t, 2> hot_key = {0x74, 0x06};
  const std::array<std::uint8_t, 2> wraps = {0xFF, 0x02};
  SetProfileStruct(doc, "S", "Config", header);
  SetProfileStruct(doc, "S", "None", none);
  SetProfileStruct(doc, "S", "HotKey", hot_key);
  SetProfileStruct(doc, "S", "Wraps", wraps);
  EXPECT_EQ(SerializeProfile(doc),
            "[S]\r\nConfig=0F0000000064000073\r\nNone=000000\r\n"
            "HotKey=74067A\r\nWraps=FF0201\r\n");
}

TEST(ProfileStoreTest, WrittenValuesReadBackExactly) {
  const std::string values[] = {
      "plain",     " lead",    "trail ", "\ttab\t", "\"q\"",
      "'q'",       "\"q'",     "\"",     "'",       "",
      "a\x83\x5C", "\x81\x40", "\x1A",   " \"q\" ", "\"\"",
  };
  ProfileDocument doc;
  for (std::size_t i = 0; i < std::size(values); ++i) {
    SetProfileString(doc, "S", "k" + std::to_string(i), values[i]);
  }
  ProfileFile file = ParseProfile(SerializeProfile(doc));
  for (std::size_t i = 0; i < std::size(values); ++i) {
    EXPECT_EQ(ReadProfileString(file, "S", "k" + std::to_string(i), "<d>", 260),
              values[i])
        << "value: [" << values[i] << "]";
  }
}

TEST(ProfileStoreTest, ValuesAreCutToWhatALineCanHold) {
  ProfileDocument doc;
  SetProfileString(doc, "S", "a", "one\r\ntwo");
  SetProfileString(doc, "S", "b", "x\x81");
  EXPECT_EQ(SerializeProfile(doc), "[S]\r\na=one\r\nb=x\r\n");
}

}  // namespace
}  // namespace ovq2tyx
