// Test support: a temporary directory removed with everything in it when the
// object goes away, and whole-file helpers on raw bytes.
#ifndef OVQ2TYX_TESTS_SUPPORT_TEMP_DIR_H_
#define OVQ2TYX_TESTS_SUPPORT_TEMP_DIR_H_

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ovq2tyx::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // The path of `name` inside the directory (native separator).
  std::string operator/(std::string_view name) const;

 private:
  std::string path_;
};

// Writes `bytes` to `path` exactly (creating or replacing it).
void WriteBytes(const std::filesystem::path& path, std::string_view bytes);
// The bytes of `path`, or "<missing>" when it cannot be read.
std::string ReadBytes(const std::filesystem::path& path);
// The names in `directory`, sorted by byte.
std::vector<std::string> ListNames(const std::string& directory);

// Expected console text for a test's folder: "{dir}/" becomes `dir` and the
// native separator, any other "{dir}" `dir`, and "{/}" the separator.
std::string ExpandDir(std::string text, const std::string& dir);

}  // namespace ovq2tyx::testing

#endif  // OVQ2TYX_TESTS_SUPPORT_TEMP_DIR_H_
