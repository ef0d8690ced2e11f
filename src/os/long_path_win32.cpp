#include <windows.h>

#include "os/long_path.h"
#include "os/wide_name.h"

namespace ovq2tyx {

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// What a system call that fills a buffer of wide characters gives, or "".
template <typename Call>
std::wstring Filled(Call call) {
  std::wstring text(MAX_PATH, L'\0');
  DWORD size = call(static_cast<DWORD>(text.size()), text.data());
  if (size >= text.size()) {
    text.resize(size);
    size = call(size, text.data());
  }
  text.resize(size < text.size() ? size : 0);
  return text;
}

// `path` made absolute by what only the system knows: the current folder
// for a relative path, its root for "\name", and a drive's own current
// folder for "C:name". An absolute path comes back as it is; "" when the
// system cannot say.
std::wstring Absolute(std::wstring_view path) {
  const bool rooted = !path.empty() && IsSeparator(path[0]);
  const bool drive = path.size() >= 2 && path[1] == L':';
  if (rooted ? path.size() >= 2 && IsSeparator(path[1])
             : drive && path.size() >= 3 && IsSeparator(path[2])) {
    return std::wstring(path);
  }
  // Neither "\" nor "C:" has a last component the system could trim.
  const std::wstring start(rooted ? L"\\" : drive ? path.substr(0, 2) : L"");
  const std::wstring base =
      start.empty()
          ? Filled([](DWORD size, wchar_t* buffer) {
              return GetCurrentDirectoryW(size, buffer);
            })
          : Filled([&start](DWORD size, wchar_t* buffer) {
              return GetFullPathNameW(start.c_str(), size, buffer, nullptr);
            });
  if (base.empty()) return base;
  return base + L'\\' + std::wstring(path.substr(drive ? 2 : 0));
}

}  // namespace

std::wstring LongPath(std::string_view native) {
  const std::wstring given = NameToWide(native);
  if (given.starts_with(L"\\\\?\\")) return given;
  // A current folder in the "\\?\" form still has "." and ".." after it.
  const std::wstring path = Absolute(given);
  if (path.empty()) return path;
  // The root: "C:", a share's server and name, or the name after "\\.\".
  std::wstring full = L"\\\\?";
  std::size_t at = 0;
  int root_parts = 1;
  if (IsSeparator(path[0])) {
    const bool device = path.size() >= 3 &&
                        (path[2] == L'.' || path[2] == L'?') &&
                        (path.size() == 3 || IsSeparator(path[3]));
    at = device ? 4 : 2;
    if (!device) {
      full += L"\\UNC";
      root_parts = 2;
    }
  }
  std::size_t root_end = 0;
  for (std::size_t end = at; at <= path.size(); at = end + 1) {
    end = at;
    while (end < path.size() && !IsSeparator(path[end])) ++end;
    const std::wstring_view part(path.data() + at, end - at);
    if (root_parts > 0) {
      (full += L'\\') += part;
      if (--root_parts == 0) root_end = full.size();
    } else if (part == L"..") {
      if (full.size() > root_end) full.resize(full.rfind(L'\\'));
    } else if (!part.empty() && part != L".") {
      (full += L'\\') += part;
    }
  }
  if (full.size() == root_end) full += L'\\';  // a root folder
  return full;
}

std::wstring LongPathIn(std::wstring_view folder, std::wstring_view name) {
  std::wstring path(folder);
  if (!path.ends_with(L'\\')) path += L'\\';
  return path += name;
}

}  // namespace ovq2tyx
