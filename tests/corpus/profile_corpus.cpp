#include "corpus/profile_corpus.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "os/file_system.h"
#include "os/native_path.h"
#include "profile/profile_reader.h"
#include "text/text_encoding.h"

namespace ovq2tyx::testing {

namespace {

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  for (std::string field; std::getline(in, field, '\t');)
    fields.push_back(field);
  return fields;
}

// Undoes the corpus escapes: \xNN, \\, \t and \[COUNT*NN].
std::string Unescape(const std::string& field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '\\' || i + 1 == field.size()) {
      out += field[i];
    } else if (field[i + 1] == 'x') {
      out += static_cast<char>(std::stoi(field.substr(i + 2, 2), nullptr, 16));
      i += 3;
    } else if (field[i + 1] == 't') {
      out += '\t';
      ++i;
    } else if (field[i + 1] == '[') {
      std::size_t star = field.find('*', i), close = field.find(']', i);
      out.append(std::stoul(field.substr(i + 2, star - i - 2)),
                 static_cast<char>(std::stoi(
                     field.substr(star + 1, close - star - 1), nullptr, 16)));
      i = close;
    } else {
      out += field[++i];
    }
  }
  return out;
}

// Printable ASCII as it is, runs of 16 or more equal bytes as \[COUNT*NN],
// other bytes as \xNN.
std::string Escape(const std::string& bytes) {
  std::string out;
  char escaped[48];
  for (std::size_t i = 0, run = 1; i < bytes.size(); i += run, run = 1) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    while (i + run < bytes.size() && bytes[i + run] == bytes[i]) ++run;
    if (run < 16) run = 1;
    if (run > 1) {
      std::snprintf(escaped, sizeof escaped, "\\[%zu*%02X]", run, c);
    } else {
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
    }
    out += run == 1 && c == '\\'              ? "\\\\"
           : run == 1 && c > 0x20 && c < 0x7F ? std::string(1, bytes[i])
                                              : escaped;
  }
  return out;
}

}  // namespace

Corpus LoadCorpus(const std::string& directory) {
  Corpus corpus{directory, {}, {}};
  std::ifstream in(CombinePath(directory, "queries.txt"), std::ios::binary);
  for (std::string line; std::getline(in, line);) corpus.lines.push_back(line);
  for (std::size_t n = 0; n < corpus.lines.size(); ++n) {
    const std::vector<std::string> fields = SplitTabs(corpus.lines[n]);
    if (corpus.lines[n].starts_with('#') || fields.size() < 7) continue;
    Query q;
    q.path = CombinePath(directory, fields[0]);
    q.section = Unescape(fields[1]);
    q.key = Unescape(fields[2]);
    q.null_fallback = fields[3] == "\\N";
    q.fallback = q.null_fallback ? "" : Unescape(fields[3]);
    q.size = static_cast<unsigned>(std::stoul(fields[4]));
    q.recorded = {Unescape(fields[5]), std::stoi(fields[6])};
    if (fields.size() > 7) {
      q.differs = corpus.lines[n].substr(corpus.lines[n].find(fields[7]));
    }
    if (fields.size() > 9) q.ours = {Unescape(fields[8]), std::stoi(fields[9])};
    q.line = n;
    q.where = "queries.txt:" + std::to_string(n + 1) + ": " + corpus.lines[n];
    corpus.queries.push_back(q);
  }
  return corpus;
}

bool RecordAnswers(Corpus& corpus, const std::vector<Answer>& answers) {
  for (std::size_t i = 0; i < answers.size(); ++i) {
    const Query& q = corpus.queries[i];
    std::vector<std::string> fields = SplitTabs(corpus.lines[q.line]);
    fields.resize(5);
    std::string line;
    for (const std::string& field : fields) line += field + '\t';
    line += Escape(answers[i].text) + '\t' + std::to_string(answers[i].number);
    corpus.lines[q.line] = q.differs.empty() ? line : line + '\t' + q.differs;
  }
  std::ofstream out(CombinePath(corpus.directory, "queries.txt"),
                    std::ios::binary | std::ios::trunc);
  for (const std::string& line : corpus.lines) out << line << '\n';
  return out.good();
}

Answer OurAnswer(const std::string& path, const std::string& section,
                 const std::string& key, const std::string& fallback,
                 unsigned size) {
  // One reader a file, loaded and indexed once for all its queries.
  static std::map<std::string, std::unique_ptr<ProfileReader>> readers;
  std::unique_ptr<ProfileReader>& reader = readers[path];
  if (!reader) {
    LargeArray<char> bytes;
    if (!ReadRegularFile(path, bytes, kMaxProfileBytes) ||
        !DecodeUnicodeMenu(bytes)) {
      bytes = {};
    }
    reader = std::make_unique<ProfileReader>(std::move(bytes));
  }
  const std::optional<std::string_view> value =
      reader->FindSection(section).FindValue(key);
  return {std::string(ValueAsString(value, fallback, size)),
          ValueAsInt(value, kNumberFallback)};
}

}  // namespace ovq2tyx::testing
