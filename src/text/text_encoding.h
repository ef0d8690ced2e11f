// Text that arrives in another encoding, turned into code page 932 menu text
// with the system's own converters (iconv on POSIX, the code page functions
// on Windows): menus saved as Unicode, and the names of files on this
// system where a menu refers to them.
#ifndef OVQ2TYX_TEXT_TEXT_ENCODING_H_
#define OVQ2TYX_TEXT_TEXT_ENCODING_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "text/large_array.h"

namespace ovq2tyx {

// When `bytes` start with a UTF-8, UTF-16LE or UTF-16BE byte-order mark,
// replaces them by their code page 932 form, as the platform's profile
// reader reads such a file; other bytes are left as they are. A character
// without a code page 932 form becomes Windows' best-fit form or "?", on
// every system; damaged Unicode keeps its valid part. Decodes a copy, in
// chunks. False only when the system has no converter.
bool DecodeUnicodeMenu(LargeArray<char>& bytes);

// `name`, a native file name, as code page 932 text. False when it has no
// exact form: one that code page 932 reads back as the same characters, the
// same on every system (no best fit). A name in valid UTF-8 is converted;
// on POSIX any other name is taken to be code page 932 already, as names
// from Windows archives are, and has none when its bytes are not valid
// code page 932.
bool NameToMenuText(std::string_view name, std::string& text);

}  // namespace ovq2tyx

#endif  // OVQ2TYX_TEXT_TEXT_ENCODING_H_
