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

// The variables the console's language and encoding are chosen by; null for
// one that is not set.
struct LocaleVariables {
  const char* zelvok_lang;
  const char* lc_all;
  const char* lc_messages;
  const char* lang;
};

// How the console speaks under those variables, as the platform's
// conventions have them. The locale is the first of LC_ALL, LC_MESSAGES and
// LANG that is set and not empty. The language is ZELVOK_LANG's when that is
// set and not empty; else Japanese for no locale, "C", "POSIX", "C.<charset>"
// and a locale beginning "ja" (then its end, '_', '.', '@' or '-'), English
// for any other. Japanese is UTF-8 when the locale's charset (after its
// first '.', up to any '@') is "UTF-8" or "utf8" in any case, else Shift_JIS,
// whether the console is a terminal or a pipe.
Console console_for_locale(const LocaleVariables& variables);

// Standard output, as the environment chooses it: the locale variables on
// POSIX; on Windows the user's interface language (ZELVOK_LANG first) and the
// console's code page.
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
