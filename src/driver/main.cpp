// ovq2tyx: converts source launcher menus ("Page*.ini", "*.ovq") into target
// launcher menus (".tyx") beside them. Without arguments it converts the
// program's own folder; with arguments, the files named.
#include <string>
#include <vector>

#include "driver/modes.h"
#include "item/command_table.h"
#include "menu/report.h"
#include "os/command_line.h"
#include "os/console.h"
#include "os/file_system.h"
#include "os/interruption.h"

int main(int argc, char** argv) {
  ovq2tyx::KeepStandardStreamsOpen();
  ovq2tyx::InstallInterruptHandlers();
  const ovq2tyx::CommandTable commands = ovq2tyx::BuildCommandTable();
  const std::vector<std::string> arguments =
      ovq2tyx::CommandLineArguments(argc, argv);
  if (arguments.size() == 1) {
    ovq2tyx::RunDirectoryMode(arguments[0], commands);
  } else if (arguments.size() > 1) {
    ovq2tyx::RunArgumentMode({arguments.begin() + 1, arguments.end()},
                             commands);
  }
  ovq2tyx::SyncWrittenFolders();
  ovq2tyx::ReportClosingPrompt();
  ovq2tyx::WaitForKey();
  return 0;
}
