#include "profile/profile_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "corpus/profile_corpus.h"

namespace ovq2tyx {
namespace {

using testing::Answer;
using testing::Corpus;
using testing::Query;

// The reader's rules are the corpus queries, answered by the platform's own
// reader when they were recorded: ours answers them alike, except where a
// query is marked to differ.
TEST(ProfileReaderTest, AnswersTheCorpusAsThePlatformDid) {
  const Corpus corpus = testing::LoadCorpus(OVQ2TYX_CORPUS);
  ASSERT_GT(corpus.queries.size(), 500u);
  std::size_t marked = 0;
  for (const Query& q : corpus.queries) {
    const Answer ours =
        testing::OurAnswer(q.path, q.section, q.key, q.fallback, q.size);
    if (q.differs.empty()) {
      EXPECT_EQ(ours.text, q.recorded.text) << q.where;
      EXPECT_EQ(ours.number, q.recorded.number) << q.where;
    } else {
      ++marked;
      EXPECT_NE(ours, q.recorded) << "marked, but reads the same: " << q.where;
      if (q.ours) {
        EXPECT_EQ(ours, *q.ours) << q.where;
      }
    }
  }
  // The marks are exceptions, not the rule.
  EXPECT_LT(marked * 4, corpus.queries.size());
}

// The value of "k" in each section asked for, in turn, from one cursor;
// "-" for none.
std::vector<std::string> ReadInTurn(const ProfileReader& reader,
                                    const std::vector<std::string>& names) {
  SectionCursor cursor(reader);
  std::vector<std::string> values;
  for (const std::string& name : names) {
    values.emplace_back(cursor.FindSection(name).FindValue("k").value_or("-"));
  }
  return values;
}

// A cursor finds what the reader finds, whatever order sections are asked
// for in: the next section in the file only when it is the first of its
// name.
TEST(ProfileReaderTest, CursorFindsTheFirstSectionOfEachName) {
  const ProfileReader reader(
      "k=0\n[a]\nk=1\n[b]\nk=2\n[A]\nk=3\n[c]\nk=4\n[ b ]\nk=5\n[d]\n[]\nk=6");
  struct Case {
    std::vector<std::string> names, values;
  } cases[] = {
      {{"a", "b", "c", "d"}, {"1", "2", "4", "-"}},
      {{"b", "a", "c", "b"}, {"2", "1", "4", "2"}},
      {{"", "a", "", "x", "b"}, {"0", "1", "0", "-", "2"}},
      {{"d", "", "b"}, {"-", "0", "2"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadInTurn(reader, c.names), c.values)
        << ::testing::PrintToString(c.names);
  }
  // As many names as the text can hold leave room to look for others.
  EXPECT_EQ(ReadInTurn(ProfileReader("[a]"), {"a", "b"}),
            (std::vector<std::string>{"-", "-"}));
}

// More names than the index first makes room for, some again further on:
// each is found, the first of its name, in either order.
TEST(ProfileReaderTest, FindsEachOfManySections) {
  std::string text;
  std::vector<std::string> names = {"s"}, values = {"-"};
  for (int n = 0; n < 5000; ++n) {
    text += "[s" + std::to_string(n) + "]\nk=0\n";
    names.push_back("S" + std::to_string(n));
    values.emplace_back("0");
  }
  for (int n = 0; n < 5000; n += 10) text += "[S" + std::to_string(n) + "]\n";
  const ProfileReader reader(text);
  EXPECT_EQ(ReadInTurn(reader, names), values);
  std::reverse(names.begin(), names.end());
  std::reverse(values.begin(), values.end());
  EXPECT_EQ(ReadInTurn(reader, names), values);
}

// Keys asked for together, in any order and more than 32 of them, read as
// each asked for alone: from the first line that holds it in the section,
// none for a key without "=".
TEST(ProfileReaderTest, FindsValuesTogetherAsAlone) {
  std::string text = "[s]\nb=2\nA=1\nc\nb=3\n";
  std::vector<std::string> names = {"a", "b", "c", "d"};
  for (int n = 0; n < 40; ++n) {
    text += "k" + std::to_string(n) + "=" + std::to_string(n) + "\n";
    names.insert(names.begin() + 4, "k" + std::to_string(n));
  }
  const ProfileReader reader(text + "[t]\nd=4\n");
  const std::vector<std::string_view> keys(names.begin(), names.end());
  std::vector<std::optional<std::string_view>> values(keys.size(), "old");
  reader.FindSection("s").FindValues(keys, values);
  EXPECT_EQ(values[0], "1");
  EXPECT_EQ(values[1], "2");
  EXPECT_EQ(values[2], std::nullopt);
  EXPECT_EQ(values[3], std::nullopt);  // another section's
  EXPECT_EQ(values[4], "39");
  for (std::size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(values[i], reader.FindSection("s").FindValue(keys[i])) << keys[i];
  }
}

}  // namespace
}  // namespace ovq2tyx
