// Writing profiles: "[Section]" and "Key=Value" lines ended by CRLF, no BOM,
// in the order they are added, such that the platform's profile reader reads
// every value back as it was given. A target is a sequence of new sections
// with each key written once, so the writer only appends; it hands its text
// on in chunks of about half a megabyte and never holds a whole file.
#ifndef OVQ2TYX_PROFILE_PROFILE_WRITER_H_
#define OVQ2TYX_PROFILE_PROFILE_WRITER_H_

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <span>
#include <string_view>

namespace ovq2tyx {

class ProfileWriter {
 public:
  // Takes the file's text in order; false when it could not keep it.
  using Sink = std::function<bool(std::string_view)>;

  explicit ProfileWriter(Sink sink);

  void AddSection(std::string_view name);

  // A value is cut before any CR, LF or NUL, which a line cannot hold, and
  // loses a lead byte without its trail at its end. A value the reader
  // would trim or unquote is wrapped in one more pair of double quotes.
  // Inline, so that a key of known size is copied without a call: every
  // item is ten lines.
  void AddString(std::string_view key, std::string_view value) {
    char* out = Reserve(key.size() + value.size() + 5);
    if (!key.empty()) std::memcpy(out, key.data(), key.size());
    out[key.size()] = '=';
    AddValue(out + key.size() + 1, value);
  }

  // A value of one decimal digit (0 to 9), which needs neither cutting nor
  // quotes. Inline as well: every item has four.
  void AddDigit(std::string_view key, unsigned digit) {
    char* out = Reserve(key.size() + 4);
    if (!key.empty()) std::memcpy(out, key.data(), key.size());
    out += key.size();
    out[0] = '=';
    out[1] = static_cast<char>('0' + digit);
    out[2] = '\r';
    out[3] = '\n';
    Commit(out + 4);
  }

  // The bytes as uppercase hex digit pairs followed by a checksum byte (the
  // sum of the bytes modulo 256) in the same form.
  void AddStruct(std::string_view key, std::span<const std::uint8_t> bytes);

  // Hands the buffered text to the sink: false when this hand-over failed.
  // The text of a failed hand-over is dropped; the writer goes on.
  bool Flush();

  // Flushes; true when the sink has taken everything ever added.
  bool Finish();

 private:
  // Where `size` more bytes of text go: flushes first when they do not fit,
  // and makes room for a longer line than ever came.
  char* Reserve(std::size_t size) {
    return capacity_ - used_ < size ? MakeRoom(size) : buffer_.get() + used_;
  }
  char* MakeRoom(std::size_t size);
  // The value of a line whose key and "=" end at `out`, and the line end.
  void AddValue(char* out, std::string_view value);
  // Takes the text written up to `end`; flushes from a chunk's size on.
  void Commit(const char* end) {
    used_ = static_cast<std::size_t>(end - buffer_.get());
    if (used_ >= kChunkBytes) Flush();
  }

  // A chunk handed on: half a megabyte, few hand-overs for a large target
  // and little memory for a small one. Lines up to kLineRoom never start a
  // smaller one.
  static constexpr std::size_t kChunkBytes = std::size_t{1} << 19;
  static constexpr std::size_t kLineRoom = std::size_t{1} << 16;

  Sink sink_;
  std::unique_ptr<char[]> buffer_;
  std::size_t capacity_ = 0, used_ = 0;
  bool failed_ = false;
};

}  // namespace ovq2tyx

#endif  // OVQ2TYX_PROFILE_PROFILE_WRITER_H_
