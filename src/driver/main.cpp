// ovq2tyx: converts source launcher menus ("Page*.ini", "*.ovq") into target
// launcher menus (".tyx") beside them. Without arguments it converts the
// program's own folder; with arguments, the files named (see
// command_line.h for the few options).
#include <cstdlib>
#include <new>
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

namespace {

// The run as `arguments` ask; false when they ask for no conversions (the
// usage or the version), which end without the key wait.
bool Run(const std::vector<std::string>& arguments) {
  // Without even the program's own path, neither mode has anything to do.
  const ovq2tyx::CommandLine line =
      arguments.empty()
          ? ovq2tyx::CommandLine{ovq2tyx::Request::kFiles, {}}
          : ovq2tyx::ReadCommandLine({arguments.begin() + 1, arguments.end()});
  if (line.request == ovq2tyx::Request::kUsage) {
    ovq2tyx::ReportUsage();
    return false;
  }
  if (line.request == ovq2tyx::Request::kVersion) {
    ovq2tyx::ReportVersion();
    return false;
  }
  ovq2tyx::InstallInterruptHandlers();
  const ovq2tyx::CommandTable commands = ovq2tyx::BuildCommandTable();
  if (line.request == ovq2tyx::Request::kFolder) {
    ovq2tyx::RunDirectoryMode(arguments[0], commands);
  } else {
    ovq2tyx::RunArgumentMode(line.files, commands);
  }
  return true;
}

// False when the heap gives nothing at all, as under a limit the program
// barely starts in: then not even a shortage could be reported, since the
// exception that reports it is made on the heap too.
// (Not the nothrow operator new: it catches that same exception.)
bool HeapGivesMemory() {
  void* volatile block = std::malloc(256);
  std::free(block);
  return block != nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  ovq2tyx::KeepStandardStreamsOpen();
  std::vector<std::string> arguments;
  try {
    if (HeapGivesMemory()) {
      arguments = ovq2tyx::CommandLineArguments(argc, argv);
      if (!Run(arguments)) return 0;
    }
  } catch (const std::bad_alloc&) {
    // The modes answer a shortage file by file; this one came before them.
    ovq2tyx::ReportNothingConverted(arguments);
  }
  ovq2tyx::SyncWrittenFolders();
  ovq2tyx::ReportClosingPrompt();
  ovq2tyx::WaitForKey();
  return 0;
}
