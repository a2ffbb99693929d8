// What the console needs from the operating system: whether standard output
// is a terminal that shows UTF-8, and on Windows the console window and the
// Shift_JIS form of names.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace zelvok {

// A name the user gave, as the console shows it: on POSIX its own bytes, in
// whatever encoding the file system uses; on Windows, where names arrive as
// UTF-8 from the wide command line, in the console's encoding.
std::string console_name(std::string_view name, bool shift_jis);

// True when standard output is a terminal that shows UTF-8: on POSIX a
// terminal whose locale variables name UTF-8, on Windows a console window.
bool is_utf8_terminal();

// True when standard output is a terminal (a console window on Windows),
// where a line may be rewritten in place.
bool output_is_terminal();

// True when the first of LC_ALL, LC_CTYPE and LANG that is set and not empty
// names UTF-8 ("UTF-8" or "utf8", in any case). Null for a variable not set.
bool locale_names_utf8(const char* lc_all, const char* lc_ctype, const char* lang);

// Writes UTF-8 text to the Windows console window when `stream` is standard
// output, which the caller has found to be one (is_utf8_terminal), leaving
// its code page as the user set it; false elsewhere, where the bytes go out
// as they are.
bool write_to_console_window(const std::FILE* stream, std::string_view bytes);

}  // namespace zelvok
