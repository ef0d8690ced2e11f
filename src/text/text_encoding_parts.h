// Within text/: what each system's text_encoding_<system>.cpp defines for
// text_encoding.cpp. Other folders use text_encoding.h.
#ifndef OVQ2TYX_TEXT_TEXT_ENCODING_PARTS_H_
#define OVQ2TYX_TEXT_TEXT_ENCODING_PARTS_H_

#include <cstddef>
#include <string>

namespace ovq2tyx {

enum class Unicode { kUtf8, kUtf16Le, kUtf16Be };

// Converts bytes[begin, end) from `from` into code page 932, writing the
// result from bytes[0] on (it is never longer than its source) and cutting
// `bytes` to it.
bool ConvertToCodePage932(std::string& bytes, std::size_t begin, Unicode from);

}  // namespace ovq2tyx

#endif  // OVQ2TYX_TEXT_TEXT_ENCODING_PARTS_H_
