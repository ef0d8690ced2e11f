// ovq2tyx: converts source launcher menus ("Page*.ini", "*.ovq") into target
// launcher menus (".tyx") beside them. Without arguments it converts the
// program's own folder; with arguments, the files named (see
// command_line.h for the few options).
#include <string>
#include <vector>

#include "driver/command_line.h"
#include "driver/modes.h"
#include "item/command_table.h"
#include "menu/report.h"
#include "os/console.h"
#include "os/file_system.h"
#include "os/interruption.h"

int main(int argc, char** argv) {
  ovq2tyx::KeepStandardStreamsOpen();
  // Without even the program's own path, neither mode has anything to do.
  const ovq2tyx::CommandLine line =
      argc == 0 ? ovq2tyx::CommandLine{ovq2tyx::Request::kFiles, {}}
                : ovq2tyx::ReadCommandLine({argv + 1, argv + argc});
  if (line.request == ovq2tyx::Request::kUsage) {
    ovq2tyx::ReportUsage();
    return 0;
  }
  if (line.request == ovq2tyx::Request::kVersion) {
    ovq2tyx::ReportVersion();
    return 0;
  }
  ovq2tyx::InstallInterruptHandlers();
  const ovq2tyx::CommandTable commands = ovq2tyx::BuildCommandTable();
  if (line.request == ovq2tyx::Request::kFolder) {
    ovq2tyx::RunDirectoryMode(argv[0], commands);
  } else {
    ovq2tyx::RunArgumentMode(line.files, commands);
  }
  ovq2tyx::SyncWrittenFolders();
  ovq2tyx::ReportClosingPrompt();
  ovq2tyx::WaitForKey();
  return 0;
}
