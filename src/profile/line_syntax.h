// The grammar of a profile's lines, as the platform's profile reader reads
// them: the one definition that every search of the reader follows and
// that the writer keeps to.
//
// A line runs up to a CR or LF (CR LF ends one line) and divides into code
// page 932 characters; a lead byte before a NUL, a line break or the end of
// the text has no trail and stands alone. Blanks and such lone lead bytes
// are invisible. A line is
//   blank    when nothing on it is visible;
//   section  when its first visible character is "[" and a later one "]":
//            the name lies between "[" and the last "]";
//   key      otherwise, ";" lines too (there are no comments): the key runs
//            up to the first "=" and the value after it; a line without
//            "=" is a key without a value.
// Names and values lose the blanks around them, and a value one pair of
// enclosing quotes. A NUL ends a name or value, and a lone lead byte before
// it goes too; a key or value keeps the blanks before the NUL, a section
// name loses them.
#ifndef OVQ2TYX_PROFILE_LINE_SYNTAX_H_
#define OVQ2TYX_PROFILE_LINE_SYNTAX_H_

#include <cstddef>
#include <optional>
#include <string_view>

namespace ovq2tyx {

constexpr bool IsBlank(unsigned char c) {
  return c == ' ' || c == '\t' || c == 0x0B || c == 0x0C || c == 0x1A;
}

struct ProfileLine {
  enum Kind { kBlank, kKey, kSection } kind = kBlank;
  std::string_view name;  // a key line's key, a section line's name
  std::optional<std::string_view> value;  // a key line's, after its "="
  std::size_t next = 0;  // where the next line begins (or the text ends)
};

// The line that begins at `begin` (a line start) in `text`.
ProfileLine ReadLine(std::string_view text, std::size_t begin);

// The first section line that begins at or after `begin` (a line start):
// where it begins, `line` holding it; the size of the text when none does.
std::size_t FindSectionLine(std::string_view text, std::size_t begin,
                            ProfileLine& line);

// A section or key name that a caller asks for, as the reader matches it:
// up to a NUL, without a lone lead byte before it and blanks around it.
std::string_view QueryName(std::string_view name);

// `text` up to its first NUL, without a lone lead byte at its end.
std::string_view UpToNul(std::string_view text);

// One pair of matching enclosing quotes (double or single) removed.
std::string_view StripQuotes(std::string_view value);

}  // namespace ovq2tyx

#endif  // OVQ2TYX_PROFILE_LINE_SYNTAX_H_
