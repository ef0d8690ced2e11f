// main() gets its arguments in the ANSI code page, where a name may have no
// form ("??" for Korean) or a look-alike ("Cafe" for "Café") that names
// another file. The wide command line is split instead, by the same rules.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "os/program_arguments.h"
#include "os/wide_name.h"

namespace ovq2tyx {

std::vector<std::string> CommandLineArguments(int, char**) {
  std::vector<std::string> arguments;
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(NameFromWide(wide[i]));
  LocalFree(wide);
  return arguments;
}

}  // namespace ovq2tyx
