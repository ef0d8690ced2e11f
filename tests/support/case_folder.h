// Test support: what a case folder of tests/cases says about itself.
#ifndef OVQ2TYX_TESTS_SUPPORT_CASE_FOLDER_H_
#define OVQ2TYX_TESTS_SUPPORT_CASE_FOLDER_H_

#include <filesystem>

namespace ovq2tyx::testing {

// True unless the case's "platforms" file names systems other than this one
// ("posix", "windows"; words separated by any blanks or line ends).
bool CaseRunsHere(const std::filesystem::path& case_folder);

}  // namespace ovq2tyx::testing

#endif  // OVQ2TYX_TESTS_SUPPORT_CASE_FOLDER_H_
