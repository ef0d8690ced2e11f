// Windows only: the platform's own profile reader is the reference for ours.
// (1) Values our writer stores read back through GetPrivateProfileStringA as
// written, for every key of every menu and root index the program writes. (2)
// For a corpus of damaged and tricky source files, GetPrivateProfileStringA /
// GetPrivateProfileIntA and our store give the same answers.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "driver/root_index.h"
#include "item/command_table.h"
#include "menu/menu_file.h"
#include "platform/path.h"
#include "platform/profile_store.h"
#include "support/temp_dir.h"

namespace ovq2tyx {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

// What GetPrivateProfileStringA leaves in a zeroed buffer of `size` bytes.
std::string PlatformString(const std::string& path, const std::string& section,
                           const std::string& key, const char* fallback,
                           unsigned size) {
  std::vector<char> buffer(size + 1, '\0');
  GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback,
                           buffer.data(), size, path.c_str());
  return std::string(buffer.data(), strnlen(buffer.data(), size));
}

// Every (section, key) our reader finds in `file`, first occurrences only.
std::vector<std::pair<std::string, std::string>> Keys(const ProfileFile& file) {
  std::vector<std::pair<std::string, std::string>> keys;
  for (const auto& [name, index] : file.section_index) {
    if (name.empty()) continue;
    const ProfileFile::Section& section = file.sections[index];
    for (std::uint32_t i = 0; i < section.entry_count; ++i) {
      const ProfileFile::Entry& entry = file.entries[section.first_entry + i];
      keys.emplace_back(name,
                        file.bytes->substr(entry.key_begin, entry.key_size));
    }
  }
  return keys;
}

TEST(PlatformReaderTest, WrittenValuesReadBackAsWritten) {
  const std::string values[] = {
      "plain",
      " lead",
      "trail ",
      "\tboth\t",
      "\"quoted\"",
      "'single'",
      "\"mixed'",
      "\"",
      "",
      "\x95\x5C\\",
      "a=b",
      "[x]",
      ";x",
      " \"q\" ",
      "\x83\x41\x83\x76\x83\x8A",
      std::string(259, 'x'),
  };
  ProfileDocument doc;
  for (std::size_t i = 0; i < std::size(values); ++i) {
    SetProfileString(doc, "S", "k" + std::to_string(i), values[i]);
  }
  TempDir dir;
  const std::string path = dir / "values.tyx";
  ASSERT_EQ(SaveNewProfile(path, doc), WriteResult::kWritten);
  for (std::size_t i = 0; i < std::size(values); ++i) {
    EXPECT_EQ(
        PlatformString(path, "S", "k" + std::to_string(i), "<missing>", 1024),
        values[i])
        << "value [" << values[i] << "]";
  }
}

TEST(PlatformReaderTest, ConvertedMenusReadTheSameThroughThePlatform) {
  TempDir dir;
  const CommandTable commands = BuildCommandTable();
  RootIndexState root;
  PrepareRootIndex(root, dir.path());
  std::vector<std::string> targets = {root.root_path};
  for (const char* source_dir :
       {OVQ2TYX_EXAMPLES, OVQ2TYX_TEST_DATA "/menus"}) {
    for (const auto& entry : fs::directory_iterator(source_dir)) {
      const std::string name = entry.path().filename().string();
      fs::copy_file(entry.path(), dir / name);
      const ConvertResult result =
          ConvertMenuFile(dir / name, HeaderRule::kLenient, commands);
      RecordRootLink(root, name, name.ends_with(".ovq"), result);
      if (result == ConvertResult::kWritten) {
        targets.push_back(RenameExtension(dir / name, ".tyx"));
      }
    }
  }
  ASSERT_GT(root.next_link, 3);
  ASSERT_GE(targets.size(), 4u);
  std::size_t compared = 0;
  for (const std::string& target : targets) {
    ProfileFile file;
    ASSERT_TRUE(LoadProfileFile(target, file));
    for (const auto& [section, key] : Keys(file)) {
      EXPECT_EQ(PlatformString(target, section, key, "<missing>", 1024),
                ReadProfileString(file, section, key, "<missing>", 1024))
          << target << " [" << section << "] " << key;
      ++compared;
    }
  }
  EXPECT_GT(compared, 100u);
}

// One query of the corpus: file, section, key, default (absent: a null
// pointer), buffer size, and why our answer differs when it may.
struct Query {
  std::string line, file, section, key, fallback, differs;
  bool null_fallback = false;
  unsigned size = 0;
};

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

std::vector<Query> LoadQueries(const std::string& path) {
  std::vector<Query> queries;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos;
         start = tab + 1) {
      fields.push_back(line.substr(start, tab - start));
    }
    fields.push_back(line.substr(start));
    if (fields.size() < 5) continue;
    Query query;
    query.line = line;
    query.file = fields[0];
    query.section = Unescape(fields[1]);
    query.key = Unescape(fields[2]);
    query.null_fallback = fields[3] == "\\N";
    query.fallback = query.null_fallback ? "" : Unescape(fields[3]);
    query.size = static_cast<unsigned>(std::stoul(fields[4]));
    if (fields.size() > 5) query.differs = fields[5];
    queries.push_back(query);
  }
  return queries;
}

TEST(PlatformReaderTest, TrickySourcesReadAsThePlatformReadsThem) {
  const std::string corpus = OVQ2TYX_TEST_DATA "/profile_corpus";
  const std::vector<Query> queries = LoadQueries(corpus + "/queries.txt");
  ASSERT_GT(queries.size(), 100u);
  std::size_t marked = 0;
  for (const Query& q : queries) {
    const std::string path = CombinePath(corpus, q.file);
    ProfileFile file;
    if (!LoadProfileFile(path, file)) file = ParseProfile("");
    const std::string ours =
        ReadProfileString(file, q.section, q.key, q.fallback, q.size);
    const std::string platform =
        PlatformString(path, q.section, q.key,
                       q.null_fallback ? nullptr : q.fallback.c_str(), q.size);
    const std::int32_t our_int = ReadProfileInt(file, q.section, q.key, -7777);
    const auto platform_int = static_cast<std::int32_t>(GetPrivateProfileIntA(
        q.section.c_str(), q.key.c_str(), -7777, path.c_str()));
    if (q.differs.empty()) {
      EXPECT_EQ(ours, platform) << q.line;
      EXPECT_EQ(our_int, platform_int) << q.line;
    } else {
      ++marked;
      EXPECT_TRUE(ours != platform || our_int != platform_int)
          << "marked as differing, but reads the same: " << q.line;
    }
  }
  // The marks are exceptions, not the rule.
  EXPECT_LT(marked * 4, queries.size());
}

}  // namespace
}  // namespace ovq2tyx
