#include "text/text_encoding.h"

#include "text/text_encoding_parts.h"

namespace ovq2tyx {

namespace {

// The encoding that the byte-order mark starting `text` names, and where
// the text after it begins; false when none starts it.
bool FindByteOrderMark(std::string_view text, Unicode& from,
                       std::size_t& begin) {
  if (text.starts_with("\xEF\xBB\xBF")) {
    from = Unicode::kUtf8;
    begin = 3;
  } else if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) {
    from = text[0] == '\xFF' ? Unicode::kUtf16Le : Unicode::kUtf16Be;
    begin = 2;
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool DecodeUnicodeMenu(LargeArray<char>& bytes) {
  Unicode from;
  std::size_t begin;
  const std::string_view text(bytes.data(), bytes.size());
  if (!FindByteOrderMark(text, from, begin)) return true;
  std::string decoded(text);
  bytes = {};  // the source goes before its decoded copy comes
  if (!ConvertToCodePage932(decoded, begin, from)) return false;
  bytes = CopyToLargeArray(decoded);
  return true;
}

}  // namespace ovq2tyx
