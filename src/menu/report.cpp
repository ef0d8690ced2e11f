#include "menu/report.h"

#include <string>

#include "os/console.h"
#include "os/file_system.h"
#include "os/native_path.h"
#include "text/path_syntax.h"

namespace ovq2tyx {

namespace {

std::string_view Tag(Outcome outcome) {
  switch (outcome) {
    case Outcome::kWritten:
      return "[Translate] ";
    case Outcome::kTargetExisted:
      return "[Err:Already Exists] ";
    case Outcome::kBadFormat:
      return "[Err:Bad Format] ";
    case Outcome::kCannotRead:
    case Outcome::kOutOfMemory:
      return "[Err:Cannot Read] ";
    case Outcome::kCannotWrite:
      return "[Err:Cannot Write] ";
  }
  return "";
}

}  // namespace

void ReportConversion(Outcome outcome, std::string_view source_path,
                      std::string_view target_path) {
  switch (outcome) {
    case Outcome::kWritten:
      PrintLine({Tag(outcome), FindFileName(source_path, kNativePath), " to ",
                 FindFileName(target_path, kNativePath)});
      return;
    case Outcome::kBadFormat:
    case Outcome::kCannotRead:
    case Outcome::kOutOfMemory:
      ReportPath(outcome, source_path);
      return;
    case Outcome::kTargetExisted:
    case Outcome::kCannotWrite:
      ReportPath(outcome, target_path);
      return;
  }
}

void ReportPath(Outcome outcome, std::string_view path) {
  PrintLine({Tag(outcome), path});
}

void ReportUnremovedFiles() {
  for (const std::string& path : TakeUnremovedFiles()) {
    PrintLine({"[Err:Cannot Remove] ", path});
  }
}

void ReportRootIndexStarted() { PrintLine("[Generate] Root.tyx"); }

void ReportUsage() {
  for (std::string_view line : {
           "Usage: ovq2tyx            convert every Page*.ini and *.ovq in the "
           "folder",
           "                          of the program; make Root.tyx there if "
           "missing",
           "       ovq2tyx FILE...    convert the files named (\"--\" first if "
           "the first",
           "                          name could be taken for an option)",
           "       ovq2tyx --help     show this text (also -h, and /? on "
           "Windows)",
           "       ovq2tyx --version  show the version",
           "Each NAME.ini or NAME.ovq gives NAME.tyx beside it; no file is "
           "overwritten.",
       }) {
    PrintLine(line);
  }
}

void ReportVersion() { PrintLine("ovq2tyx " OVQ2TYX_VERSION); }

void ReportClosingPrompt() { PrintLine("Press Any Key To Exit."); }

}  // namespace ovq2tyx
