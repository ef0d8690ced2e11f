#include "os/console.h"

#include <cstdio>
#include <string>

namespace ovq2tyx {

void PrintLine(std::string_view line) {
  std::string shown(line);
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  shown += '\n';
  std::fwrite(shown.data(), 1, shown.size(), stdout);
  std::fflush(stdout);
}

}  // namespace ovq2tyx
