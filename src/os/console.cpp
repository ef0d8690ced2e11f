#include "os/console.h"

#include <cstdio>
#include <string>

#include "text/code_page.h"

namespace ovq2tyx {

void PrintLine(std::string_view line) {
  std::string shown(line);
  for (char& c : shown) {
    if (IsControlByte(static_cast<unsigned char>(c))) c = '?';
  }
  shown += '\n';
  std::fwrite(shown.data(), 1, shown.size(), stdout);
  std::fflush(stdout);
}

}  // namespace ovq2tyx
