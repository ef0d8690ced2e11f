#include "menu/menu_file.h"

#include <array>
#include <new>

#include "item/item_conversion.h"
#include "os/file_system.h"
#include "os/native_path.h"
#include "profile/profile_reader.h"
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

// Reads the source "Config" section into `config`. False when the strict
// rule finds no "Locate" or a negative one.
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

Outcome Convert(const std::string& source_path, const std::string& target_path,
                HeaderRule rule, const CommandTable& commands) {
  LargeArray<char> bytes;
  Permissions permissions = kNewFilePermissions;
  if (!ReadRegularFile(source_path, bytes, kMaxProfileBytes, &permissions) ||
      !DecodeUnicodeMenu(bytes)) {
    return Outcome::kCannotRead;
  }
  const ProfileReader source(std::move(bytes));
  NodeConfig config;
  if (!ConvertMenuHeader(source, rule, config)) return Outcome::kBadFormat;
  PrepareFolder(RemoveFileName(target_path));
  NewFile file(target_path, permissions);  // as private as its source
  if (!file.is_open()) return Outcome::kCannotWrite;
  ProfileWriter target(
      [&file](std::string_view chunk) { return file.Write(chunk); });
  WriteNodeConfig(target, config);
  ConvertMenuItems(source, commands, target);
  if (!target.Finish()) return Outcome::kCannotWrite;
  switch (file.Commit()) {
    case WriteResult::kWritten:
      return Outcome::kWritten;
    case WriteResult::kExists:
      // Another program created the target while we converted.
      return Outcome::kTargetExisted;
    case WriteResult::kFailed:
      break;
  }
  return Outcome::kCannotWrite;
}

}  // namespace

void WriteNodeConfig(ProfileWriter& target, const NodeConfig& config) {
  const std::array<std::uint8_t, 8> bytes = {
      config.locate_flags, 0, 0, 0, config.left, config.right, 0, 0};
  target.AddSection("Node");
  target.AddStruct("Config", bytes);
}

std::string TargetPath(const std::string& source_path) {
  return RenameExtension(source_path, ".tyx", kNativePath);
}

Outcome ConvertMenuFile(const std::string& source_path,
                        const std::string& target_path, HeaderRule rule,
                        const CommandTable& commands,
                        const ReservedTarget& reserved) {
  if (!reserved.path.empty() &&
      reserved.order.Compare(target_path, reserved.path) == 0) {
    return Outcome::kTargetExisted;
  }
  switch (InspectTarget(target_path)) {
    case TargetState::kFree:
      break;
    case TargetState::kTaken:
      return Outcome::kTargetExisted;
    case TargetState::kBlocked:
      return Outcome::kCannotWrite;
  }
  try {
    return Convert(source_path, target_path, rule, commands);
  } catch (const std::bad_alloc&) {
    // Too little memory, at any stage: what was allocated is gone again,
    // the temporary file with it, and the run goes on with the next source.
    return Outcome::kOutOfMemory;
  }
}

}  // namespace ovq2tyx
