#!/usr/bin/env python3
"""Writes the Shift_JIS (code page 932) bytes of every message's Japanese text.

Reads src/messages/messages.h, where each message is written

    inline constexpr Message kName = {"Japanese text", "English text",
                                      shift_jis::kName};

(each text possibly several adjacent literals), and writes a header that
defines shift_jis::kName as the Japanese text's bytes, so that the program
prints Shift_JIS without loading a converter at run time.

Usage: shift_jis_messages.py MESSAGES_H OUTPUT_H
"""
import re
import sys

MESSAGE = re.compile(r"inline constexpr Message (k\w+) = \{(.*?)\};", re.S)
LITERAL = re.compile(r'"((?:[^"\\]|\\.)*)"', re.S)
ESCAPES = {"n": "\n", "r": "\r", "t": "\t", "\\": "\\", '"': '"', "'": "'", "0": "\0"}


def unescape(body):
    out = []
    at = 0
    while at < len(body):
        if body[at] == "\\":
            out.append(ESCAPES[body[at + 1]])
            at += 2
        else:
            out.append(body[at])
            at += 1
    return "".join(out)


def japanese_text(initialiser):
    """The first text of an initialiser: its literals up to the first comma."""
    text = []
    at = 0
    while True:
        while initialiser[at] in " \t\r\n":
            at += 1
        if initialiser[at] == ",":
            return "".join(text)
        literal = LITERAL.match(initialiser, at)
        if literal is None:
            raise SystemExit("messages.h: a text that is not a string literal")
        text.append(unescape(literal.group(1)))
        at = literal.end()


def c_literal(data):
    return '"' + "".join("\\x%02X" % byte for byte in data) + '"'


def main():
    source, output = sys.argv[1], sys.argv[2]
    with open(source, encoding="utf-8") as file:
        messages = MESSAGE.findall(file.read())
    lines = [
        "// Made by cmake/shift_jis_messages.py from src/messages/messages.h: edit that.",
        "#pragma once",
        "",
        "#include <string_view>",
        "",
        "namespace zelvok::messages::shift_jis {",
        "",
    ]
    for name, initialiser in messages:
        data = japanese_text(initialiser).encode("cp932")
        lines.append("inline constexpr std::string_view %s{%s, %d};" % (name, c_literal(data), len(data)))
    lines += ["", "}  // namespace zelvok::messages::shift_jis", ""]
    text = "\n".join(lines)
    try:
        with open(output, encoding="utf-8") as file:
            if file.read() == text:
                return
    except OSError:
        pass
    with open(output, "w", encoding="utf-8") as file:
        file.write(text)


main()
