// Large pages for large blocks of memory. A conversion walks its source
// once and its tables by lookups; on small pages every page costs a fault
// and a translation the first time it is touched, and in a virtual machine
// that costs more than reading the page.
#ifndef OVQ2TYX_OS_LARGE_PAGES_H_
#define OVQ2TYX_OS_LARGE_PAGES_H_

namespace ovq2tyx {

// From now on, blocks of a megabyte or more that the program allocates are
// placed on large pages where the system offers them. Called once, first
// thing; without the call, memory is allocated as usual.
void UseLargePages();

}  // namespace ovq2tyx

#endif  // OVQ2TYX_OS_LARGE_PAGES_H_
