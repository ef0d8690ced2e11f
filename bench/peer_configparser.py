#!/usr/bin/env python3
"""The peer that scripts/bench races ovq2tyx against: one menu converted the
way a Python programmer would write it, with configparser.

usage: peer_configparser.py SOURCE.ovq

Writes SOURCE.tyx beside the source, never over an existing file. It does
the program's job on one menu named on the command line: the source read as
code page 932, every item's title, path (built-in command names looked up,
menu links renamed), working directory, command line, hot-key text to code,
icon reference, mode code to window state / priority / wait, check flag and
keyboard macros, and the target written with CRLF line ends. Not part of the
product: the output differs from the program's only in details such as the
blank line configparser puts after each section and its own handling of
duplicate and oddly spaced lines.
"""

import configparser
import re
import sys

ENCODING = "cp932"
ERRORS = "surrogateescape"  # bytes that are no character pass through

TEXT_CAPACITY = 260
CHECK_CAPACITY = 12
ICON_CAPACITY = 284

COMMANDS = {
    "Clip Board": "クリップボードにコピー",
    "Clip Board+": "クリップボードにコピー&ペースト",
    "Screen Saver": "スクリーンセーバの起動",
    "Control Panel": "コントロールパネルを開く",
    "Recycle Bin": "ごみ箱",
    "Clear Resent Files": "最近使ったファイル履歴の削除",
    "Display": "ディスプレイ解像度の変更",
    "Key Press": "キーボードマクロ",
    "Nothing": "何もしない",
    "Terminate App": "指定アプリの終了",
    "Sleep": "バッチ処理の指定秒数待機",
    "Pause": "バッチ処理中断＆メッセージ表示",
    "Wait": "バッチ処理の負荷制御",
    "ReStart": "バッチ処理の再実行",
    "WinExit": "Windowsの終了",
    "What is Now?": "%WINDIR%\\TIMEDATE.CPL",
}

MODIFIERS = (("Alt + ", 0x04), ("Ctrl + ", 0x02), ("Shift + ", 0x01),
             ("Win + ", 0x08))
NAMED_KEYS = (("↑", 0x26), ("↓", 0x28), ("←", 0x25), ("→", 0x27),
              ("Esc", 0x1B), ("Tab", 0x09), ("Space", 0x20), ("BS", 0x08),
              ("Enter", 0x0D), ("Ins", 0x2D), ("Del", 0x2E), ("End", 0x23),
              ("Home", 0x24), ("PgDown", 0x22), ("PgUp", 0x21))
MACRO_MARKS = (("win", "#w"), ("shift", "#s"), ("ctrl", "#c"), ("alt", "#a"))
DEFAULT_ICON = "既定?icon=0"
BLANKS = " \t\x0b\x0c\x1a"
INTEGER = re.compile(r"[\x00- ]*([+-]?)(?:0([xob]))?([0-9A-Za-z]*)")
DIGITS = {"x": (16, re.compile(r"[0-9A-Fa-f]*")),
          "o": (8, re.compile(r"[0-7]*")),
          "b": (2, re.compile(r"[01]*")),
          None: (10, re.compile(r"[0-9]*"))}


def cut(text, capacity):
    """At most capacity - 1 bytes of code page 932, whole characters."""
    if len(text) * 2 < capacity:  # no character takes more than two bytes
        return text
    size = 0
    for pos, char in enumerate(text):
        size += len(char.encode(ENCODING, ERRORS))
        if size > capacity - 1:
            return text[:pos]
    return text


def unquote(value):
    if len(value) >= 2 and value[0] in "\"'" and value[-1] == value[0]:
        return value[1:-1]
    return value


def read_text(section, key, fallback, capacity):
    value = section.get(key)
    return cut(fallback if value is None else unquote(value), capacity)


def read_int(section, key, fallback):
    value = section.get(key)
    if value is None or value == "":
        return fallback
    sign, prefix, rest = INTEGER.match(unquote(value)[:29]).groups()
    base, digits = DIGITS[prefix]
    number = int(digits.match(rest).group() or "0", base) & 0xFFFFFFFF
    if sign == "-":
        number = -number & 0xFFFFFFFF
    return number - (1 << 32) if number >= 1 << 31 else number


def c_div(a, b):
    """Integer division truncated toward zero, as the launchers compute it."""
    quotient = abs(a) // b
    return -quotient if a < 0 else quotient


def c_rem(a, b):
    return a - c_div(a, b) * b


def struct_text(values):
    data = bytes(values) + bytes([sum(values) & 0xFF])
    return data.hex().upper()


def file_name(path):
    return re.split(r"[\\/]", path)[-1]


def translate_path(path):
    if path in COMMANDS:
        return COMMANDS[path]
    name = file_name(path)
    dot = name.rfind(".")
    if dot >= 0 and name[dot:].lower() == ".ovq":
        return path[:len(path) - len(name) + dot] + ".tyx"
    return path


def hot_key_code(text):
    modifiers = 0
    for name, flag in MODIFIERS:
        if name in text:
            modifiers |= flag
    blank = text.rfind(" ")
    if blank < 0:
        return 0, modifiers
    part = text[blank + 1:]
    for n in range(12, 0, -1):
        if "F%d" % n in part:
            return 0x6F + n, modifiers
    for n in range(9, -1, -1):
        if "Num%d" % n in part:
            return 0x60 + n, modifiers
        if str(n) in part:
            return 0x30 + n, modifiers
    for name, code in NAMED_KEYS:
        if name in part:
            return code, modifiers
    for letter in "ABCDEFGHIJKLMNOPQRSTUVWXYZ":
        if letter in part:
            return ord(letter), modifiers
    return 0, modifiers


def icon_reference(text):
    if not text or text.lower() == DEFAULT_ICON.lower():
        return ""
    text = cut(text, ICON_CAPACITY)
    question = text.find("?")
    if question < 0:
        return text
    equals = text.find("=", question)
    if equals < 0:
        return text[:question]
    return text[:question] + "," + text[equals + 1:]


def stored(value):
    """The value as a target line holds it: quoted when a reader would trim
    blanks or strip quotes from its ends."""
    if value and (value[0] in BLANKS or value[-1] in BLANKS
                  or unquote(value) != value):
        return '"' + value + '"'
    return value


def convert_item(source):
    data1 = read_text(source, "Data1", "", TEXT_CAPACITY)
    if not data1:
        return None
    title = read_text(source, "Data0", "", TEXT_CAPACITY) or file_name(data1)
    work_dir = read_text(source, "Data2", "", TEXT_CAPACITY)
    cmd_line = read_text(source, "Data3", "", TEXT_CAPACITY)
    key, modifiers = hot_key_code(
        read_text(source, "Data5", "", TEXT_CAPACITY))
    mode = read_int(source, "Data6", 0)
    check = read_text(source, "Data7", "True", CHECK_CAPACITY)
    icon = icon_reference(read_text(source, "Data8", "", ICON_CAPACITY))
    if data1.lower() == "key press":
        marks = "".join(mark for name, mark in MACRO_MARKS
                        if name in work_dir.lower())
        cmd_line = cut(marks + cmd_line, TEXT_CAPACITY)
        work_dir = ""
    return {
        "Title": stored(title),
        "Path": stored(translate_path(data1)),
        "WorkDir": stored(work_dir),
        "CmdLine": stored(cmd_line),
        "HotKey": struct_text([key, modifiers]),
        "WinState": str(c_rem(mode, 10) & 3),
        "Priority": str(c_rem(c_div(mode, 10), 10) & 3),
        "Icon": stored(icon),
        "Wait": "2" if mode >= 100 else "0",
        "Check": "0" if check.lower() == "false" else "1",
    }


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    source_path = sys.argv[1]
    source = configparser.ConfigParser(interpolation=None, strict=False,
                                       delimiters=("=",), comment_prefixes=(),
                                       allow_no_value=True,
                                       empty_lines_in_values=False)
    with open(source_path, encoding=ENCODING, errors=ERRORS) as stream:
        source.read_file(stream)

    target = configparser.ConfigParser(interpolation=None)
    target.optionxform = str  # keys keep their case
    config = source["Config"] if source.has_section("Config") else {}
    locate = read_int(config, "Locate", -1)
    if locate < 0:
        locate = 15
    flags = sum(((locate >> bit) & 1) << place
                for bit, place in ((0, 0), (2, 1), (3, 2), (1, 3)))
    target["Node"] = {"Config": struct_text([
        flags, 0, 0, 0, read_int(config, "Left", 0) & 0xFF,
        read_int(config, "Right", 100) & 0xFF, 0, 0])}
    n = 0
    while source.has_section("No.%d" % n):
        item = convert_item(source["No.%d" % n])
        if item is None:
            break
        target["No.%d" % n] = item
        n += 1

    dot = source_path.rfind(".")
    target_path = (source_path[:dot] if dot > source_path.rfind("/")
                   else source_path) + ".tyx"
    with open(target_path, "x", encoding=ENCODING, errors=ERRORS,
              newline="\r\n") as stream:
        target.write(stream, space_around_delimiters=False)


if __name__ == "__main__":
    main()
