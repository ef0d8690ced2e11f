#include "support/run_program.h"

namespace ovq2tyx::testing {

std::vector<std::string> RunResult::Lines() const {
  std::vector<std::string> lines;
  std::string line;
  for (char c : output) {
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace ovq2tyx::testing
