// Test support: the profile reader corpus (tests/data/profile_corpus) with
// the platform's recorded answers, and our reader's answers (OurAnswer).
#ifndef OVQ2TYX_TESTS_CORPUS_PROFILE_CORPUS_H_
#define OVQ2TYX_TESTS_CORPUS_PROFILE_CORPUS_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ovq2tyx::testing {

// A string read and an integer read (fallback kNumberFallback) of one key.
struct Answer {
  std::string text;
  std::int32_t number = 0;
  bool operator==(const Answer&) const = default;
};
inline constexpr std::int32_t kNumberFallback = -7777;

struct Query {
  std::string path, section, key, fallback;
  bool null_fallback = false;  // the platform is given a null pointer
  unsigned size = 0;
  Answer recorded;             // the platform's
  std::string differs;         // "differs:<why>" where ours answers otherwise,
  std::optional<Answer> ours;  // perhaps followed by our own answer
  std::size_t line = 0;        // in queries.txt, from 0
  std::string where;           // "queries.txt:N: <line>", for messages
};

struct Corpus {
  std::string directory;
  std::vector<std::string> lines;  // of queries.txt
  std::vector<Query> queries;
};

Corpus LoadCorpus(const std::string& directory);

// Rewrites queries.txt with `answers`, one per query, as the recorded ones.
bool RecordAnswers(Corpus& corpus, const std::vector<Answer>& answers);

// Our reader's answer; a file that cannot be loaded reads as empty.
Answer OurAnswer(const std::string& path, const std::string& section,
                 const std::string& key, const std::string& fallback,
                 unsigned size);

}  // namespace ovq2tyx::testing

#endif  // OVQ2TYX_TESTS_CORPUS_PROFILE_CORPUS_H_
