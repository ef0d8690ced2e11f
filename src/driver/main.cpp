// ovq2tyx: converts source launcher menus ("Page*.ini", "*.ovq") into target
// launcher menus (".tyx") beside them. Without arguments it converts the
// program's own folder; with arguments, the files named.
#include <string>
#include <vector>

#include "driver/modes.h"
#include "item/command_table.h"
#include "menu/report.h"
#include "os/console.h"
#include "os/file_system.h"
#include "os/interruption.h"

int main(int argc, char** argv) {
  ovq2tyx::KeepStandardStreamsOpen();
  ovq2tyx::InstallInterruptHandlers();
  const ovq2tyx::CommandTable commands = ovq2tyx::BuildCommandTable();
  std::vector<std::string> paths;
  for (int i = 1; i < argc; ++i) paths.emplace_back(argv[i]);
  if (argc == 1) {
    ovq2tyx::RunDirectoryMode(argv[0], commands);
  } else {
    ovq2tyx::RunArgumentMode(paths, commands);  // none when argc is 0
  }
  ovq2tyx::SyncWrittenFolders();
  ovq2tyx::ReportClosingPrompt();
  ovq2tyx::WaitForKey();
  return 0;
}
