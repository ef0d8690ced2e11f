#include "platform/console.h"

#include <cstdio>

namespace ovq2tyx {

void PrintLine(std::string_view line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

}  // namespace ovq2tyx
