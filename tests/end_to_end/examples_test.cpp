// The sample menus convert to exactly the recorded targets, on every
// platform the program is built for.
#include <gtest/gtest.h>

#include <filesystem>

#include "end_to_end/harness.h"

namespace ovq2tyx::testing {
namespace {

namespace fs = std::filesystem;

TEST(ExamplesTest, ConvertExactlyAsRecorded) {
  TempDir dir;
  for (const auto& entry : fs::directory_iterator(OVQ2TYX_EXAMPLES)) {
    fs::copy_file(entry.path(), dir / entry.path().filename().string());
  }
  EXPECT_EQ(Report(RunInDirectory(dir)),
            (Lines{"[Generate] Root.tyx", "[Translate] Page1.ini to Page1.tyx",
                   "[Translate] Page2.ini to Page2.tyx",
                   "[Err:Bad Format] " + (dir / "Page3.ini"),
                   "[Translate] Tools.ovq to Tools.tyx"}));
  const std::string recorded = OVQ2TYX_TEST_DATA "/examples_converted";
  for (const auto& entry : fs::directory_iterator(recorded)) {
    const std::string name = entry.path().filename().string();
    EXPECT_EQ(ReadBytes(dir / name), ReadBytes(entry.path().string())) << name;
  }
}

}  // namespace
}  // namespace ovq2tyx::testing
