#include "os/console.h"

#include <string>

#include "text/code_page.h"

namespace ovq2tyx {

void PrintLine(std::string_view line) {
  std::string shown(line);
  for (char& c : shown) {
    if (IsControlByte(static_cast<unsigned char>(c))) c = '?';
  }
  shown += '\n';
  WriteOutput(shown);
}

}  // namespace ovq2tyx
