#include "menu/menu_file.h"

#include <array>

#include "item/item_conversion.h"
#include "platform/console.h"
#include "platform/path.h"

namespace ovq2tyx {

std::uint8_t PermuteLocateFlags(std::int32_t locate) {
  auto bit = [locate](int n) { return (locate >> n) & 1; };
  return static_cast<std::uint8_t>(bit(0) | bit(2) << 1 | bit(3) << 2 |
                                   bit(1) << 3);
}

void WriteNodeConfig(ProfileDocument& target, const NodeConfig& config) {
  const std::array<std::uint8_t, 8> bytes = {
      config.locate_flags, 0, 0, 0, config.left, config.right, 0, 0};
  SetProfileStruct(target, "Node", "Config", bytes);
}

bool ConvertMenuHeader(const ProfileFile& source, HeaderRule rule,
                       ProfileDocument& target) {
  std::int32_t locate = ReadProfileInt(source, "Config", "Locate", -1);
  if (locate < 0) {
    if (rule == HeaderRule::kStrict) return false;
    locate = 15;
  }
  NodeConfig config;
  config.locate_flags = PermuteLocateFlags(locate);
  // Only the low byte of each coordinate fits the header.
  config.left = static_cast<std::uint8_t>(
      ReadProfileInt(source, "Config", "Left", 0) & 0xFF);
  config.right = static_cast<std::uint8_t>(
      ReadProfileInt(source, "Config", "Right", 100) & 0xFF);
  WriteNodeConfig(target, config);
  return true;
}

ConvertResult ConvertMenuFile(const std::string& source_path, HeaderRule rule,
                              const CommandTable& commands) {
  const std::string target_path = RenameExtension(source_path, ".tyx");
  if (PathExists(target_path)) {
    PrintLine("[Err:Already Exists] " + target_path);
    return ConvertResult::kTargetExisted;
  }
  ProfileFile source;
  if (!LoadProfileFile(source_path, source)) {
    PrintLine("[Err:Cannot Read] " + source_path);
    return ConvertResult::kNotWritten;
  }
  ProfileDocument target;
  // A target is about the size of its source: grow it once, not by halves.
  ReserveProfile(target, source.bytes->size(), source.entries.size() * 5 / 4);
  if (!ConvertMenuHeader(source, rule, target)) {
    PrintLine("[Err:Bad Format] " + source_path);
    return ConvertResult::kNotWritten;
  }
  ConvertMenuItems(source, commands, target);
  switch (SaveNewProfile(target_path, target)) {
    case WriteResult::kWritten:
      PrintLine("[Translate] " + std::string(FindFileName(source_path)) +
                " to " + std::string(FindFileName(target_path)));
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

}  // namespace ovq2tyx
