// Windows only: the platform's own profile reader is the reference for ours.
// (1) Every key of every target the cases record reads through
// GetPrivateProfileStringA as our reader reads it. (2) The corpus answers
// recorded in queries.txt are the platform's own; with OVQ2TYX_RECORD set,
// this test records them anew instead.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "corpus/profile_corpus.h"
#include "support/temp_dir.h"

namespace ovq2tyx::testing {
namespace {

namespace fs = std::filesystem;

// The build runs a case with a "platforms" file only on the systems it names.
bool CaseRunsHere(const fs::path& folder) {
  std::istringstream words(fs::exists(folder / "platforms")
                               ? ReadBytes(folder / "platforms")
                               : "windows");
  for (std::string word; words >> word;) {
    if (word == "windows") return true;
  }
  return false;
}

Answer PlatformAnswer(const std::string& path, const std::string& section,
                      const std::string& key, const char* fallback,
                      unsigned size) {
  std::string buffer(size + 1, '\0');
  GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback,
                           buffer.data(), size, path.c_str());
  return {buffer.substr(0, strnlen(buffer.data(), size)),
          static_cast<std::int32_t>(GetPrivateProfileIntA(
              section.c_str(), key.c_str(), kNumberFallback, path.c_str()))};
}

TEST(PlatformReaderTest, WrittenTargetsReadTheSameThroughThePlatform) {
  std::size_t compared = 0, files = 0;
  TempDir copies;  // plain names, which ANSI and UTF-8 functions take alike
  for (const auto& entry : fs::recursive_directory_iterator(OVQ2TYX_CASES)) {
    const fs::path folder = entry.path().parent_path();
    if (folder.filename() != "out" || !entry.is_regular_file() ||
        !CaseRunsHere(folder.parent_path())) {
      continue;
    }
    const std::string path = copies / (std::to_string(files++) + ".tyx");
    fs::copy_file(entry.path(), path);
    // Our writer keeps to "[Section]" and "Key=Value" lines ended by CRLF.
    const std::string text = ReadBytes(entry.path());
    std::string section;
    for (std::size_t start = 0, end; start < text.size(); start = end + 2) {
      end = text.find("\r\n", start);
      const std::string line = text.substr(start, end - start);
      if (line.starts_with('[')) {
        section = line.substr(1, line.size() - 2);
        continue;
      }
      const std::string key = line.substr(0, line.find('='));
      EXPECT_EQ(PlatformAnswer(path, section, key, "<missing>", 1024),
                OurAnswer(path, section, key, "<missing>", 1024))
          << entry.path() << " [" << section << "] " << key;
      ++compared;
    }
  }
  EXPECT_GT(compared, 500u);
}

TEST(PlatformReaderTest, RecordedAnswersAreThePlatformsOwn) {
  Corpus corpus = LoadCorpus(OVQ2TYX_CORPUS);
  ASSERT_GT(corpus.queries.size(), 500u);
  const bool record = std::getenv("OVQ2TYX_RECORD") != nullptr;
  std::vector<Answer> answers;
  for (const Query& q : corpus.queries) {
    answers.push_back(
        PlatformAnswer(q.path, q.section, q.key,
                       q.null_fallback ? nullptr : q.fallback.c_str(), q.size));
    if (!record) {
      EXPECT_EQ(answers.back(), q.recorded) << q.where;
    }
  }
  if (record) {
    EXPECT_TRUE(RecordAnswers(corpus, answers));
  }
}

}  // namespace
}  // namespace ovq2tyx::testing
