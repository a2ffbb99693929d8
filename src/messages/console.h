// The console: where every message of the program goes, and in which bytes.
#pragma once

#include <cstdio>
#include <span>
#include <string>
#include <string_view>

#include "messages/messages.h"

namespace zelvok {

enum class ConsoleEncoding {
  kShiftJis,  // the messages' own bytes: for pipes, files and Shift_JIS consoles
  kUtf8,      // the same text for a terminal that shows UTF-8
};

struct Console {
  std::FILE* stream;                        // standard output in the program; any stream in tests
  ConsoleEncoding encoding;                 // how the texts of src/messages are written to it
  Language language = Language::kJapanese;  // which of each message's texts it shows
};

// Standard output, with Shift_JIS unless it is a terminal that shows UTF-8,
// in the language ZELVOK_LANG asks for.
Console standard_console();

// The language a ZELVOK_LANG value asks for: English for "en", alone or
// followed by '_', '-', '.' or '@' and anything, in any case; Japanese for
// anything else, and when the variable is not set (null).
Language language_named(const char* value);

// The bytes of a message as the console shows it: its English text, or its
// Japanese text in the console's encoding. Nothing is converted or allocated,
// so that it can be had when nothing else can.
std::string_view console_text(const Message& message, const Console& console);

// A message's bytes (as console_text gives them) with their "%s" or "%d"
// replaced by `value`, a name shown as the platform shows names: on POSIX its
// own bytes; on Windows, where names arrive as UTF-8, in the console's
// encoding.
std::string render_message(std::string_view text, std::string_view value, ConsoleEncoding encoding);

// The same with each of `values` in place of the marks, in order.
std::string render_message(std::string_view text, std::span<const std::string_view> values,
                           ConsoleEncoding encoding);

// Prints a message in the console's language, as it stands.
void print(const Console& console, const Message& message);

// Prints a message in the console's language with its "%s" or "%d" replaced
// by `value`.
void print(const Console& console, const Message& message, std::string_view value);

// Prints a message whose marks take `values`, in order.
void print(const Console& console, const Message& message,
           std::span<const std::string_view> values);

}  // namespace zelvok
