// What the console needs from the operating system: whether standard output
// is a terminal, and on Windows the user's language, the console window and
// the Shift_JIS form of names.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace zelvok {

// A name the user gave, as the console shows it: on POSIX its own bytes, in
// whatever encoding the file system uses; on Windows, where names arrive as
// UTF-8 from the wide command line, in the console's encoding.
std::string console_name(std::string_view name, bool shift_jis);

// What Windows itself says of the user: whether the interface language is
// Japanese, and whether the console's output code page is UTF-8 (65001).
struct WindowsLocale {
  bool japanese;
  bool utf8;
};

// True on Windows, with what it says in `locale`; false elsewhere, where the
// locale variables decide.
bool windows_locale(WindowsLocale* locale);

// True when standard output is a terminal (a console window on Windows),
// where a line may be rewritten in place.
bool output_is_terminal();

// Writes UTF-8 text to the Windows console window when `stream` is standard
// output and that is one, leaving its code page as the user set it; false
// elsewhere, where the bytes go out as they are.
bool write_to_console_window(const std::FILE* stream, std::string_view bytes);

}  // namespace zelvok
