// Our profile reader answers the corpus queries as the platform's reader did
// when the answers were recorded, except where a query is marked to differ.
#include <gtest/gtest.h>

#include "corpus/profile_corpus.h"

namespace ovq2tyx::testing {
namespace {

TEST(RecordedAnswersTest, OurReaderAnswersAsThePlatformDid) {
  const Corpus corpus = LoadCorpus(OVQ2TYX_CORPUS);
  ASSERT_GT(corpus.queries.size(), 500u);
  std::size_t marked = 0;
  for (const Query& q : corpus.queries) {
    const Answer ours = OurAnswer(q.path, q.section, q.key, q.fallback, q.size);
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

}  // namespace
}  // namespace ovq2tyx::testing
