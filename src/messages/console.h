// The console: where every message of the program goes, and in which bytes.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace zelvok {

enum class ConsoleEncoding {
  kShiftJis,  // the messages' own bytes: for pipes, files and Shift_JIS consoles
  kUtf8,      // the same text for a terminal that shows UTF-8
};

struct Console {
  std::FILE* stream;         // standard output in the program; any stream in tests
  ConsoleEncoding encoding;  // how the texts of src/messages are written to it
};

// Standard output, with Shift_JIS unless it is a terminal that shows UTF-8.
Console standard_console();

// A message text (UTF-8, as held in src/messages) in the given encoding.
std::string encode_text(std::string_view text, ConsoleEncoding encoding);

// A message text with its "%s" or "%d" replaced by `value`, whose bytes go in
// unchanged (file names are not re-encoded).
std::string render_message(std::string_view text, std::string_view value, ConsoleEncoding encoding);

// Prints a message text as it stands.
void print(const Console& console, std::string_view text);

// Prints a message text with its "%s" or "%d" replaced by `value`.
void print(const Console& console, std::string_view text, std::string_view value);

}  // namespace zelvok
