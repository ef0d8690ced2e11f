#include "support/temp_dir.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>

#include "support/run_program.h"

namespace fs = std::filesystem;

namespace ovq2tyx::testing {

TempDir::TempDir() {
  static std::atomic<unsigned> counter{0};
  const auto stamp =
      std::chrono::steady_clock::now().time_since_epoch().count();
  std::error_code error;
  do {
    path_ =
        (fs::temp_directory_path() / ("ovq2tyx-test-" + std::to_string(stamp) +
                                      "-" + std::to_string(counter++)))
            .string();
  } while (!fs::create_directory(path_, error));
}

TempDir::~TempDir() { RemoveTree(path_); }

std::string TempDir::operator/(std::string_view name) const {
  return (fs::path(path_) / fs::path(std::string(name))).string();
}

void WriteBytes(const fs::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return in ? content.str() : "<missing>";
}

std::vector<std::string> ListNames(const std::string& directory) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(directory)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string ExpandDir(std::string text, const std::string& dir) {
  auto replace = [&text](std::string_view placeholder,
                         const std::string& value) {
    for (std::size_t at = 0;
         (at = text.find(placeholder, at)) != std::string::npos;
         at += value.size()) {
      text.replace(at, placeholder.size(), value);
    }
  };
  const std::string separator(1,
                              static_cast<char>(fs::path::preferred_separator));
  replace("{dir}/", dir + separator);
  replace("{dir}", dir);
  replace("{/}", separator);
  return text;
}

}  // namespace ovq2tyx::testing
