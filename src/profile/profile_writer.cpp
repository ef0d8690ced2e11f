#include "profile/profile_writer.h"

#include <cstring>

#include "profile/line_syntax.h"
#include "text/byte_scan.h"
#include "text/code_page.h"

namespace ovq2tyx {

namespace {

// Copies what a line can carry of `value`, up to any CR, LF or NUL, to
// `out`, which has room for all of it; returns the size copied.
std::size_t CopyLine(char* out, std::string_view value) {
  const std::size_t size = FindBreak(value, 0);
  if (size != 0) std::memcpy(out, value.data(), size);
  return size;
}

// Would the reader trim the value's ends or strip quotes from it? Quoting a
// value whose last byte is a blank is harmless even when that byte is the
// second of a character, and spares stepping through it.
bool NeedsQuotes(std::string_view value) {
  if (value.empty()) return false;
  const char first = value.front(), last = value.back();
  if (IsBlank(static_cast<unsigned char>(first)) ||
      IsBlank(static_cast<unsigned char>(last))) {
    return true;
  }
  return value.size() >= 2 && (first == '"' || first == '\'') &&
         last == first && LastCharStart(value) == value.size() - 1;
}

char* Put(char* out, std::string_view text) {
  if (!text.empty()) std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

char* PutHex(char* out, unsigned byte) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out[0] = kHex[(byte >> 4) & 0xF];
  out[1] = kHex[byte & 0xF];
  return out + 2;
}

}  // namespace

ProfileWriter::ProfileWriter(Sink sink)
    : sink_(std::move(sink)),
      buffer_(std::make_unique_for_overwrite<char[]>(kChunkBytes + kLineRoom)),
      capacity_(kChunkBytes + kLineRoom) {}

char* ProfileWriter::MakeRoom(std::size_t size) {
  Flush();
  if (capacity_ < size) {
    buffer_ = std::make_unique_for_overwrite<char[]>(size);
    capacity_ = size;
  }
  return buffer_.get();
}

void ProfileWriter::AddSection(std::string_view name) {
  char* out = Reserve(name.size() + 4);
  *out++ = '[';
  out = Put(out, name);
  Commit(Put(out, "]\r\n"));
}

void ProfileWriter::AddValue(char* out, std::string_view value) {
  std::string_view stored(out, CopyLine(out, value));
  // The reader would drop a lead byte without its trail at the end.
  if (!stored.empty() &&
      IsLeadByte(static_cast<unsigned char>(stored.back())) &&
      LastCharStart(stored) == stored.size() - 1) {
    stored.remove_suffix(1);
  }
  if (NeedsQuotes(stored)) {
    std::memmove(out + 1, out, stored.size());
    *out = '"';
    out += stored.size() + 1;
    *out++ = '"';
  } else {
    out += stored.size();
  }
  Commit(Put(out, "\r\n"));
}

void ProfileWriter::AddStruct(std::string_view key,
                              std::span<const std::uint8_t> bytes) {
  char* out = Reserve(key.size() + 2 * bytes.size() + 5);
  out = Put(out, key);
  *out++ = '=';
  unsigned sum = 0;
  for (std::uint8_t byte : bytes) {
    out = PutHex(out, byte);
    sum += byte;
  }
  out = PutHex(out, sum & 0xFF);
  Commit(Put(out, "\r\n"));
}

bool ProfileWriter::Flush() {
  if (used_ == 0) return true;
  const bool taken = sink_(std::string_view(buffer_.get(), used_));
  used_ = 0;
  if (!taken) failed_ = true;
  return taken;
}

bool ProfileWriter::Finish() { return Flush() && !failed_; }

}  // namespace ovq2tyx
