#include "menu/menu_file.h"

#include <array>
#include <new>

#include "item/item_conversion.h"
#include "os/console.h"
#include "os/file_system.h"
#include "os/native_path.h"
#include "text/text_encoding.h"

namespace ovq2tyx {

namespace {

// The locate flags of the target for a source "Locate": bits 0-3 of it
// reordered as 0, 2, 3, 1; higher bits dropped.
std::uint8_t PermuteLocateFlags(std::int32_t locate) {
  auto bit = [locate](int n) { return (locate >> n) & 1; };
  return static_cast<std::uint8_t>(bit(0) | bit(2) << 1 | bit(3) << 2 |
                                   bit(1) << 3);
}

ConvertResult Convert(const std::string& source_path,
                      const std::string& target_path, HeaderRule rule,
                      const CommandTable& commands) {
  std::string bytes;
  if (!ReadRegularFile(source_path, bytes, kMaxProfileBytes) ||
      !DecodeUnicodeMenu(bytes)) {
    PrintLine("[Err:Cannot Read] " + source_path);
    return ConvertResult::kNotWritten;
  }
  const ProfileReader source(std::move(bytes));
  NodeConfig config;
  if (!ConvertMenuHeader(source, rule, config)) {
    PrintLine("[Err:Bad Format] " + source_path);
    return ConvertResult::kNotWritten;
  }
  NewFile file(target_path);
  WriteResult result = WriteResult::kFailed;
  if (file.is_open()) {
    ProfileWriter target(
        [&file](std::string_view chunk) { return file.Write(chunk); });
    WriteNodeConfig(target, config);
    ConvertMenuItems(source, commands, target);
    if (target.Finish()) result = file.Commit();
  }
  switch (result) {
    case WriteResult::kWritten:
      PrintLine("[Translate] " +
                std::string(FindFileName(source_path, kNativePath)) + " to " +
                std::string(FindFileName(target_path, kNativePath)));
      return ConvertResult::kWritten;
    case WriteResult::kExists:
      // Another program created the target while we converted.
      PrintLine("[Err:Already Exists] " + target_path);
      return ConvertResult::kTargetExisted;
    case WriteResult::kFailed:
      break;
  }
  PrintLine("[Err:Cannot Write] " + target_path);
  return ConvertResult::kNotWritten;
}

}  // namespace

void WriteNodeConfig(ProfileWriter& target, const NodeConfig& config) {
  const std::array<std::uint8_t, 8> bytes = {
      config.locate_flags, 0, 0, 0, config.left, config.right, 0, 0};
  target.AddSection("Node");
  target.AddStruct("Config", bytes);
}

bool ConvertMenuHeader(const ProfileReader& source, HeaderRule rule,
                       NodeConfig& config) {
  const ProfileSection header = source.FindSection("Config");
  std::int32_t locate = ReadProfileInt(header, "Locate", -1);
  if (locate < 0) {
    if (rule == HeaderRule::kStrict) return false;
    locate = 15;
  }
  config.locate_flags = PermuteLocateFlags(locate);
  // Only the low byte of each coordinate fits the header.
  config.left =
      static_cast<std::uint8_t>(ReadProfileInt(header, "Left", 0) & 0xFF);
  config.right =
      static_cast<std::uint8_t>(ReadProfileInt(header, "Right", 100) & 0xFF);
  return true;
}

std::string TargetPath(const std::string& source_path) {
  return RenameExtension(source_path, ".tyx", kNativePath);
}

ConvertResult ConvertMenuFile(const std::string& source_path, HeaderRule rule,
                              const CommandTable& commands,
                              std::string_view reserved) {
  const std::string target_path = TargetPath(source_path);
  if (PathExists(target_path) ||
      (!reserved.empty() && ComparePaths(target_path, reserved) == 0)) {
    PrintLine("[Err:Already Exists] " + target_path);
    return ConvertResult::kTargetExisted;
  }
  try {
    return Convert(source_path, target_path, rule, commands);
  } catch (const std::bad_alloc&) {
    // Too large for the memory at hand: what was allocated is gone again,
    // and the run goes on with the next source.
    PrintLine("[Err:Cannot Read] " + source_path);
    return ConvertResult::kNotWritten;
  }
}

}  // namespace ovq2tyx
