#include "driver/modes.h"

#include "driver/root_index.h"
#include "menu/menu_file.h"
#include "platform/file_system.h"
#include "platform/path.h"

namespace ovq2tyx {

namespace {

// Converts every entry of `directory` that matches `pattern`. The listing is
// taken whole first, so the targets written meanwhile are never listed.
void ConvertListed(const std::string& directory, std::string_view pattern,
                   bool is_menu, const CommandTable& commands,
                   RootIndexState& root) {
  const HeaderRule rule = is_menu ? HeaderRule::kLenient : HeaderRule::kStrict;
  for (const std::string& name : ListDirectory(directory, pattern)) {
    ConvertResult result =
        ConvertMenuFile(CombinePath(directory, name), rule, commands);
    RecordRootLink(root, name, is_menu, result);
  }
}

}  // namespace

void RunDirectoryMode(const std::string& program_path,
                      const CommandTable& commands) {
  const std::string directory(RemoveFileName(program_path));
  RootIndexState root;
  PrepareRootIndex(root, directory);
  ConvertListed(directory, "Page*.ini", false, commands, root);
  ConvertListed(directory, "*.ovq", true, commands, root);
}

void RunArgumentMode(const std::vector<std::string>& paths,
                     const CommandTable& commands) {
  for (const std::string& path : paths) {
    ConvertMenuFile(path, HeaderRule::kLenient, commands);
  }
}

}  // namespace ovq2tyx
