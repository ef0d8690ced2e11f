#include "profile/profile_reader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "corpus/profile_corpus.h"

namespace ovq2tyx {
namespace {

// The reader's rules are the corpus queries, answered by the platform's own
// reader when they were recorded: ours answers them alike, except where a
// query is marked to differ.
TEST(ProfileReaderTest, AnswersTheCorpusAsThePlatformDid) {
  const testing::Corpus corpus = testing::LoadCorpus(OVQ2TYX_CORPUS);
  ASSERT_GT(corpus.queries.size(), 500u);
  std::size_t marked = 0;
  for (const testing::Query& q : corpus.queries) {
    const testing::Answer ours =
        testing::OurAnswer(q.path, q.section, q.key, q.fallback, q.size);
    if (!q.differs.empty()) {
      ++marked;
      EXPECT_NE(ours, q.recorded) << "marked, but reads the same: " << q.where;
    }
    const testing::Answer expected =
        q.differs.empty() ? q.recorded : q.ours.value_or(ours);
    EXPECT_EQ(ours.text, expected.text) << q.where;
    EXPECT_EQ(ours.number, expected.number) << q.where;
  }
  // The marks are exceptions, not the rule.
  EXPECT_LT(marked * 4, corpus.queries.size());
}

// The value of "k" in each section of `names` (blank-separated, "." for
// ""), asked for in turn from one cursor, each followed by a blank; "-" for
// none.
std::string ReadInTurn(const ProfileReader& reader, const std::string& names) {
  SectionCursor cursor(reader);
  std::istringstream in(names);
  std::string values;
  for (std::string name; in >> name; values += ' ') {
    const ProfileSection section = cursor.FindSection(name == "." ? "" : name);
    values += section.FindValue("k").value_or("-");
  }
  return values;
}

// A cursor finds what the reader finds, whatever order sections are asked
// for in: the next section in the file only when it is the first of its
// name. As many names as a text can hold leave room to look for others.
TEST(ProfileReaderTest, CursorFindsTheFirstSectionOfEachName) {
  const ProfileReader reader(CopyToLargeArray(
      "k=0\n[a]\nk=1\n[b]\nk=2\n[A]\nk=3\n[c]\nk=4\n[ b ]\nk=5\n[d]\n[]\nk=6"));
  EXPECT_EQ(ReadInTurn(reader, "a b c d"), "1 2 4 - ");
  EXPECT_EQ(ReadInTurn(reader, "b a c b"), "2 1 4 2 ");
  EXPECT_EQ(ReadInTurn(reader, ". a . x b"), "0 1 0 - 2 ");
  EXPECT_EQ(ReadInTurn(ProfileReader(CopyToLargeArray("[a]")), "a b"), "- - ");
  EXPECT_EQ(ReadInTurn(ProfileReader(CopyToLargeArray("[\n[a]\nk=1")), "a"),
            "1 ");
}

// More names than the index first makes room for, some again further on,
// after 16 MiB of other lines (an index on large pages) or none: each is
// found, the first of its name, in reverse of file order.
TEST(ProfileReaderTest, FindsEachOfManySections) {
  for (const std::size_t lines : {std::size_t{16} << 20, std::size_t{0}}) {
    std::string text(lines, 'a'), names = "s ", values = "- ";
    for (int n = 0; n < 5000; ++n) {
      const std::string number = std::to_string(n);
      text += "\n[s" + number + "]\nk=" + number;
      if (n % 10 == 0) text += "\n[S" + number + "]\nk=x";
      names.insert(0, "S" + number + ' ');
      values.insert(0, number + ' ');
    }
    EXPECT_EQ(ReadInTurn(ProfileReader(CopyToLargeArray(text)), names), values);
  }
}

// A number ends at the first character that is no digit of its base, even
// one that follows "9" in ASCII; the corpus holds the rest of the rules.
TEST(ProfileReaderTest, NumbersEndAtTheFirstOtherCharacter) {
  EXPECT_EQ(ValueAsInt("0x1:", 7), 1);
}

// Keys asked for together, in any order and more than 32 of them, read as
// each asked for alone, whatever the values held before.
TEST(ProfileReaderTest, FindsValuesTogetherAsAlone) {
  // What follows a NUL on a line is no line of its own.
  std::string text = std::string("[s]\nb=2\nA=1\nc\nb=3\ne=\0d=5\n", 25);
  std::vector<std::string> names = {"a", "b", "c", "d"};
  for (int n = 0; n < 40; ++n) {
    text += "k" + std::to_string(n) + "=" + std::to_string(n) + "\n";
    names.insert(names.begin() + 4, "k" + std::to_string(n));
  }
  const ProfileReader reader(CopyToLargeArray(text + "[t]\nd=4\n"));
  const std::vector<std::string_view> keys(names.begin(), names.end());
  std::vector<std::optional<std::string_view>> values(keys.size(), "old");
  reader.FindSection("s").FindValues(keys, values);
  for (std::size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(values[i], reader.FindSection("s").FindValue(keys[i])) << keys[i];
  }
  EXPECT_EQ(values[3], std::nullopt);  // another section's
  EXPECT_EQ(values[4], "39");
}

}  // namespace
}  // namespace ovq2tyx
