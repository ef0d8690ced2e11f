// Large pages on Windows: none. They need a privilege that users do not
// hold, so memory is allocated as usual.
#include "os/large_pages.h"

namespace ovq2tyx {

void UseLargePages() {}

}  // namespace ovq2tyx
