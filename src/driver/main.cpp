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
#include "os/program_arguments.h"

int main(int argc, char** argv) {
  ovq2tyx::KeepStandardStreamsOpen();
  const std::vector<std::string> arguments =
      ovq2tyx::CommandLineArguments(argc, argv);
  // Without even the program's own path, neither mode has anything to do.
  const ovq2tyx::CommandLine line =
      arguments.empty()
          ? ovq2tyx::CommandLine{ovq2tyx::Request::kFiles, {}}
          : ovq2tyx::ReadCommandLine({arguments.begin() + 1, arguments.end()});
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
    ovq2tyx::RunDirectoryMode(arguments[0], commands);
  } else {
    ovq2tyx::RunArgumentMode(line.files, commands);
  }
  ovq2tyx::SyncWrittenFolders();
  ovq2tyx::ReportClosingPrompt();
  ovq2tyx::WaitForKey();
  return 0;
}
