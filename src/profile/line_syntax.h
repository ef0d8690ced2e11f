// What the reader and the writer of profiles agree on about a line: the
// bytes the reader trims around names and values, which the writer must
// therefore quote.
#ifndef OVQ2TYX_PROFILE_LINE_SYNTAX_H_
#define OVQ2TYX_PROFILE_LINE_SYNTAX_H_

namespace ovq2tyx {

constexpr bool IsBlank(unsigned char c) {
  return c == ' ' || c == '\t' || c == 0x0B || c == 0x0C || c == 0x1A;
}

}  // namespace ovq2tyx

#endif  // OVQ2TYX_PROFILE_LINE_SYNTAX_H_
