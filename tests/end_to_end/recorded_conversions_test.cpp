// Sample menus convert to exactly the recorded targets, on every platform the
// program is built for. The records were checked by hand once; a change in
// them must be deliberate.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "end_to_end/harness.h"

namespace ovq2tyx::testing {
namespace {

namespace fs = std::filesystem;

// Copies every file of `from` into `dir`; returns their paths there.
std::vector<std::string> CopyAll(const std::string& from, const TempDir& dir) {
  std::vector<std::string> copies;
  for (const auto& entry : fs::directory_iterator(from)) {
    copies.push_back(dir / entry.path().filename().string());
    fs::copy_file(entry.path(), copies.back());
  }
  std::sort(copies.begin(), copies.end());
  return copies;
}

// Every recorded target in `recorded` equals the one written in `dir`.
void ExpectRecordedTargets(const std::string& recorded, const TempDir& dir) {
  for (const auto& entry : fs::directory_iterator(recorded)) {
    const std::string name = entry.path().filename().string();
    EXPECT_EQ(ReadBytes(dir / name), ReadBytes(entry.path().string())) << name;
  }
}

TEST(RecordedConversionsTest, Examples) {
  TempDir dir;
  CopyAll(OVQ2TYX_EXAMPLES, dir);
  EXPECT_EQ(Report(RunInDirectory(dir)),
            (Lines{"[Generate] Root.tyx", "[Translate] Page1.ini to Page1.tyx",
                   "[Translate] Page2.ini to Page2.tyx",
                   "[Err:Bad Format] " + (dir / "Page3.ini"),
                   "[Translate] Tools.ovq to Tools.tyx"}));
  ExpectRecordedTargets(OVQ2TYX_TEST_DATA "/examples_converted", dir);
}

// Every built-in command; values that need quotes to keep their blanks and
// quotes; the worked example of the item conversion.
TEST(RecordedConversionsTest, Menus) {
  TempDir dir;
  const std::vector<std::string> sources =
      CopyAll(OVQ2TYX_TEST_DATA "/menus", dir);
  Lines expected;
  for (const std::string& source : sources) {
    const std::string name(fs::path(source).stem().string());
    expected.push_back("[Translate] " + name + ".ovq to " + name + ".tyx");
  }
  EXPECT_EQ(Report(RunOnFiles(sources)), expected);
  ExpectRecordedTargets(OVQ2TYX_TEST_DATA "/menus_converted", dir);
}

}  // namespace
}  // namespace ovq2tyx::testing
