#include "profile/profile_writer.h"

#include "profile/line_syntax.h"
#include "text/code_page.h"

namespace ovq2tyx {

namespace {

constexpr std::size_t kChunkBytes = std::size_t{1} << 20;

// What a line can carry of a value: up to any CR, LF or NUL, without a lead
// byte at the end that has no trail (the reader would drop it).
std::string_view StorableValue(std::string_view value) {
  std::size_t end = 0;
  for (; end < value.size(); ++end) {
    const auto c = static_cast<unsigned char>(value[end]);
    if (c <= '\r' && (c == '\r' || c == '\n' || c == '\0')) break;
  }
  value = value.substr(0, end);
  if (!value.empty() && IsLeadByte(static_cast<unsigned char>(value.back())) &&
      LastCharStart(value) == value.size() - 1) {
    value.remove_suffix(1);
  }
  return value;
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

}  // namespace

ProfileWriter::ProfileWriter(Sink sink) : sink_(std::move(sink)) {
  buffer_.reserve(kChunkBytes + 1024);
}

void ProfileWriter::AddSection(std::string_view name) {
  buffer_ += '[';
  buffer_ += name;
  buffer_ += "]\r\n";
}

void ProfileWriter::AddString(std::string_view key, std::string_view value) {
  value = StorableValue(value);
  const bool quoted = NeedsQuotes(value);
  buffer_.append(key);
  buffer_.append(quoted ? "=\"" : "=", quoted ? 2 : 1);
  buffer_.append(value);
  buffer_.append(quoted ? "\"\r\n" : "\r\n", quoted ? 3 : 2);
  if (buffer_.size() >= kChunkBytes) Flush();
}

void ProfileWriter::AddStruct(std::string_view key,
                              std::span<const std::uint8_t> bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text;
  unsigned sum = 0;
  auto put = [&text](unsigned byte) {
    text += kHex[(byte >> 4) & 0xF];
    text += kHex[byte & 0xF];
  };
  for (std::uint8_t byte : bytes) {
    put(byte);
    sum += byte;
  }
  put(sum & 0xFF);
  AddString(key, text);
}

bool ProfileWriter::Flush() {
  if (buffer_.empty()) return true;
  const bool taken = sink_(buffer_);
  buffer_.clear();
  if (!taken) failed_ = true;
  return taken;
}

bool ProfileWriter::Finish() { return Flush() && !failed_; }

}  // namespace ovq2tyx
