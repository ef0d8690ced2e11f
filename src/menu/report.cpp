#include "menu/report.h"

#include <string>

#include "os/console.h"
#include "os/file_system.h"
#include "os/native_path.h"
#include "text/path_syntax.h"

namespace ovq2tyx {

namespace {

std::string_view Tag(Outcome outcome) {
  switch (outcome) {
    case Outcome::kWritten:
      return "[Translate] ";
    case Outcome::kTargetExisted:
      return "[Err:Already Exists] ";
    case Outcome::kBadFormat:
      return "[Err:Bad Format] ";
    case Outcome::kCannotRead:
    case Outcome::kOutOfMemory:
      return "[Err:Cannot Read] ";
    case Outcome::kCannotWrite:
      return "[Err:Cannot Write] ";
  }
  return "";
}

// The usage, as it shows: in English and in Japanese, for a shell user on
// POSIX and for a Windows user, who also double-clicks and drops files.
constexpr std::string_view kPosixUsage =
    R"(Usage: ovq2tyx             convert every Page*.ini and *.ovq in the directory
                           of the program (the current directory when it was
                           found through PATH); make Root.tyx there if missing
       ovq2tyx FILE...     convert only the files named ("--" first to name a
                           file like an option)
       ovq2tyx --help, -h  show this text
       ovq2tyx --version   show the version
Each NAME.ini or NAME.ovq gives NAME.tyx beside it; no file is overwritten.
The manual page ovq2tyx(1) explains every line the program prints.)";

constexpr std::string_view kPosixUsageJa =
    R"(使い方: ovq2tyx
          プログラムのあるディレクトリ（名前だけで PATH から起動したときは
          カレントディレクトリ）の Page*.ini と *.ovq をすべて変換し、
          Root.tyx がなければ作ります。
        ovq2tyx ファイル...
          指定したファイルだけを変換します。オプションと同じ名前の
          ファイルは、前に -- を付けて指定します。
        ovq2tyx --help または -h
          この説明を表示します。
        ovq2tyx --version
          バージョンを表示します。
NAME.ini や NAME.ovq から、同じディレクトリに NAME.tyx を作ります。
すでにあるファイルを上書きすることはありません。
表示される各行の意味は、man ovq2tyx のマニュアルで説明しています。)";

constexpr std::string_view kWindowsUsage =
    R"(ovq2tyx.exe converts the menus of your old launcher (Page*.ini, *.ovq) into
menus for the new one: each NAME.ini or NAME.ovq gives NAME.tyx beside it.
No file is ever overwritten.

A whole folder: copy ovq2tyx.exe into the folder that holds the menus and
                double-click it there. It also makes a top menu, Root.tyx,
                linking them, if the folder has none.
Chosen files:   drop them onto ovq2tyx.exe, or name them after it:
                  ovq2tyx.exe C:\Menus\Page1.ini D:\Old\Tools.ovq
                (put -- first to name a file like an option)
ovq2tyx.exe /?         shows this text (so do --help and -h)
ovq2tyx.exe --version  shows the version

README.txt, in the zip that ovq2tyx.exe came in, explains every line the
window shows.)";

constexpr std::string_view kWindowsUsageJa =
    R"(ovq2tyx.exe は、古いランチャーのメニュー（Page*.ini と *.ovq）を
新しいランチャーのメニューに変換します。NAME.ini や NAME.ovq から、
同じフォルダーに NAME.tyx を作ります。すでにあるファイルを上書きする
ことはありません。

・フォルダーごと変換する
    ovq2tyx.exe をメニューのあるフォルダーにコピーして、ダブルクリック
    してください。フォルダーにまだ Root.tyx がなければ、メニューを
    まとめたトップメニュー Root.tyx も作ります。
・選んだファイルだけ変換する
    ファイルを ovq2tyx.exe のアイコンにドラッグ＆ドロップしてください。
    コマンドラインで指定することもできます。
      例: ovq2tyx.exe C:\Menus\Page1.ini D:\Old\Tools.ovq
    オプションと同じ名前のファイルは、前に -- を付けて指定します。
・ovq2tyx.exe /?         この説明を表示します（--help、-h でも同じです）。
・ovq2tyx.exe --version  バージョンを表示します。

表示される各行の意味は、ovq2tyx.exe が入っていた zip の
「お読みください.txt」（英語版は README.txt）で説明しています。)";

}  // namespace

void ReportConversion(Outcome outcome, std::string_view source_path,
                      std::string_view target_path) {
  switch (outcome) {
    case Outcome::kWritten:
      PrintLine({Tag(outcome), FindFileName(source_path, kNativePath), " to ",
                 FindFileName(target_path, kNativePath)});
      return;
    case Outcome::kBadFormat:
    case Outcome::kCannotRead:
    case Outcome::kOutOfMemory:
      ReportPath(outcome, source_path);
      return;
    case Outcome::kTargetExisted:
    case Outcome::kCannotWrite:
      ReportPath(outcome, target_path);
      return;
  }
}

void ReportPath(Outcome outcome, std::string_view path) {
  PrintLine({Tag(outcome), path});
}

void ReportUnremovedFiles() {
  for (const std::string& path : TakeUnremovedFiles()) {
    PrintLine({"[Err:Cannot Remove] ", path});
  }
}

void ReportRootIndexStarted() { PrintLine("[Generate] Root.tyx"); }

void ReportUsage() {
  const bool japanese = UserLanguage() == Language::kJapanese;
  std::string_view text = kThisSystem == System::kWindows
                              ? (japanese ? kWindowsUsageJa : kWindowsUsage)
                              : (japanese ? kPosixUsageJa : kPosixUsage);
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    PrintLine(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
}

void ReportVersion() { PrintLine("ovq2tyx " OVQ2TYX_VERSION); }

void ReportClosingPrompt() { PrintLine("Press Any Key To Exit."); }

}  // namespace ovq2tyx
