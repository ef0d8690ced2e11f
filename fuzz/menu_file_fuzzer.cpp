// A whole menu conversion on arbitrary source bytes, in a temporary
// directory made once per process. The input is the source file; the low bit
// of its last byte picks the strict header rule.
//
// The outcome must match the files: a target exactly when the result says
// written, and no other file (no temporary) left beside the source. A target
// must be a file our reader takes back whole: the header first, then one
// section per source item, numbered from 0 without gaps, each holding the ten
// item keys in order with values in their ranges and capacities. Unicode
// sources (with a byte-order mark) are decoded first.
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "item/command_table.h"
#include "item/item_record.h"
#include "key_codes.h"
#include "menu/menu_file.h"
#include "profile/profile_reader.h"
#include "text/text_encoding.h"

namespace ovq2tyx {
namespace {

std::string temp_dir;

[[noreturn]] void Fail(const char* what, std::string_view detail = {}) {
  std::fprintf(stderr, "%s: %.*s\n", what, static_cast<int>(detail.size()),
               detail.data());
  std::abort();
}

void RemoveTempDir() {
  unlink((temp_dir + "/m.ovq").c_str());
  unlink((temp_dir + "/m.tyx").c_str());
  rmdir(temp_dir.c_str());
}

bool WriteFile(const std::string& path, std::string_view bytes) {
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool ok = write(fd, bytes.data(), bytes.size()) ==
            static_cast<ssize_t>(bytes.size());
  return close(fd) == 0 && ok;
}

// False when there is no such file.
bool ReadFile(const std::string& path, std::string& bytes) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bytes.clear();
  char buffer[1 << 14];
  ssize_t got;
  while ((got = read(fd, buffer, sizeof buffer)) > 0) {
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  close(fd);
  if (got < 0) Fail("cannot read the target");
  return true;
}

void CheckOnlySourceAndTargetLeft() {
  DIR* dir = opendir(temp_dir.c_str());
  if (dir == nullptr) Fail("cannot list", temp_dir);
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != ".." && name != "m.ovq" && name != "m.tyx") {
      Fail("file left beside the source", name);
    }
  }
  closedir(dir);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A struct value of `size` bytes: upper-case hex pairs and their checksum.
std::string DecodeStruct(std::string_view text, std::size_t size) {
  if (text.size() != 2 * (size + 1)) Fail("struct value of wrong size", text);
  std::string bytes;
  unsigned sum = 0;
  for (std::size_t i = 0; i < text.size(); i += 2) {
    int high = HexDigit(text[i]), low = HexDigit(text[i + 1]);
    if (high < 0 || low < 0) Fail("struct value not hex", text);
    bytes += static_cast<char>(high * 16 + low);
  }
  for (std::size_t i = 0; i < size; ++i) {
    sum += static_cast<unsigned char>(bytes[i]);
  }
  if ((sum & 0xFF) != static_cast<unsigned char>(bytes[size])) {
    Fail("struct checksum wrong", text);
  }
  return bytes.substr(0, size);
}

constexpr std::string_view kKeyOrder[] = {
    "Title",    "Path",     "WorkDir", "CmdLine", "HotKey",
    "WinState", "Priority", "Icon",    "Wait",    "Check"};

void CheckNumber(std::string_view value, std::string_view allowed) {
  if (value.size() != 1 || allowed.find(value[0]) == std::string_view::npos) {
    Fail("number out of range", value);
  }
}

// The target as its lines, which our writer keeps simple: "[Section]" and
// "Key=Value", each ended by CRLF.
std::vector<std::string_view> Lines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find("\r\n");
    if (end == std::string_view::npos) Fail("line without CRLF", bytes);
    lines.push_back(bytes.substr(0, end));
    bytes.remove_prefix(end + 2);
  }
  return lines;
}

void CheckTarget(const std::string& bytes, int source_items) {
  const std::vector<std::string_view> lines = Lines(bytes);
  if (lines.size() < 2 || lines[0] != "[Node]" ||
      !lines[1].starts_with("Config=")) {
    Fail("target does not start with its header", bytes.substr(0, 32));
  }
  const ProfileReader file(CopyToLargeArray(bytes));
  constexpr std::size_t kUncut = std::size_t{1} << 30;
  auto read = [&](std::string_view section, std::string_view key) {
    return ValueAsString(file.FindSection(section).FindValue(key), "", kUncut);
  };
  DecodeStruct(read("Node", "Config"), 8);
  // One section per source item, numbered from 0, each with the ten keys in
  // order.
  if (lines.size() != 2 + static_cast<std::size_t>(source_items) * 11) {
    Fail("target items differ from the source's");
  }
  for (int n = 0; n < source_items; ++n) {
    const std::string name{SectionName(n)};
    const std::size_t first = 2 + static_cast<std::size_t>(n) * 11;
    if (lines[first] != "[" + name + "]") Fail("item out of place", name);
    for (std::size_t i = 0; i < std::size(kKeyOrder); ++i) {
      if (!lines[first + 1 + i].starts_with(std::string(kKeyOrder[i]) + "=")) {
        Fail("item keys out of order", name);
      }
    }
    for (std::string_view key : {"Title", "Path", "WorkDir", "CmdLine"}) {
      if (read(name, key).size() >= kTextCapacity) Fail("text too long", key);
    }
    if (read(name, "Icon").size() >= kIconCapacity) Fail("icon too long");
    const std::string hot_key = DecodeStruct(read(name, "HotKey"), 2);
    if (!IsProducibleKey(static_cast<std::uint8_t>(hot_key[0])) ||
        (static_cast<unsigned char>(hot_key[1]) & ~0x0Fu) != 0) {
      Fail("hot key out of range", name);
    }
    CheckNumber(read(name, "WinState"), "0123");
    CheckNumber(read(name, "Priority"), "0123");
    CheckNumber(read(name, "Wait"), "02");
    CheckNumber(read(name, "Check"), "01");
  }
}

int CountSourceItems(std::string_view bytes) {
  LargeArray<char> text = CopyToLargeArray(bytes);
  if (!DecodeUnicodeMenu(text)) Fail("no converter for a Unicode source");
  const ProfileReader file(std::move(text));
  SectionCursor items(file);
  SourceItem item;
  int n = 0;
  while (ReadSourceItem(items, SectionName(n), item)) ++n;
  return n;
}

}  // namespace
}  // namespace ovq2tyx

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  using namespace ovq2tyx;
  const char* base = std::getenv("TMPDIR");
  std::string pattern = base != nullptr && *base != '\0' ? base : "/tmp";
  pattern += "/ovq2tyx_fuzz.XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) Fail("cannot make a temp dir");
  temp_dir = pattern;
  std::atexit(RemoveTempDir);
  // One console line per conversion would drown the fuzzer's log.
  std::fflush(stdout);
  int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (null < 0 || dup2(null, STDOUT_FILENO) < 0) Fail("cannot silence stdout");
  close(null);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace ovq2tyx;
  static const CommandTable commands = BuildCommandTable();
  const std::string_view source(reinterpret_cast<const char*>(data), size);
  const HeaderRule rule = size > 0 && (data[size - 1] & 1) != 0
                              ? HeaderRule::kStrict
                              : HeaderRule::kLenient;
  const std::string source_path = temp_dir + "/m.ovq";
  const std::string target_path = temp_dir + "/m.tyx";
  if (!WriteFile(source_path, source)) Fail("cannot write the source");

  const Outcome result =
      ConvertMenuFile(source_path, target_path, rule, commands);
  std::string target;
  const bool written = ReadFile(target_path, target);
  if (result == Outcome::kTargetExisted) Fail("target reported present");
  // Only the strict rule refuses a readable source.
  if (rule == HeaderRule::kLenient && result != Outcome::kWritten) {
    Fail("lenient conversion not written");
  }
  if (written != (result == Outcome::kWritten)) {
    Fail("result and target file disagree");
  }
  CheckOnlySourceAndTargetLeft();
  if (written) CheckTarget(target, CountSourceItems(source));

  unlink(source_path.c_str());
  unlink(target_path.c_str());
  return 0;
}
