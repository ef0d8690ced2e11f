#include "text/text_encoding.h"

namespace ovq2tyx {

bool DecodeUnicodeMenu(std::string& bytes) {
  const std::string_view text = bytes;
  if (text.starts_with("\xEF\xBB\xBF")) {
    return ConvertToCodePage932(bytes, 3, Unicode::kUtf8);
  }
  if (text.starts_with("\xFF\xFE")) {
    return ConvertToCodePage932(bytes, 2, Unicode::kUtf16Le);
  }
  if (text.starts_with("\xFE\xFF")) {
    return ConvertToCodePage932(bytes, 2, Unicode::kUtf16Be);
  }
  return true;
}

}  // namespace ovq2tyx
