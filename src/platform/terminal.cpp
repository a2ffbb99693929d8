#include "platform/terminal.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#ifdef _WIN32
#include <windows.h>

#include "platform/windows_text.h"
#else
#include <unistd.h>
#endif

namespace zelvok {

#ifdef _WIN32

namespace {
constexpr unsigned kShiftJisCodePage = 932;
}  // namespace

// A name that cannot be converted is better shown as it is than dropped.
std::string console_name(std::string_view name, bool shift_jis) {
  const std::string converted = shift_jis ? narrow(widen(name), kShiftJisCodePage) : std::string();
  return converted.empty() ? std::string(name) : converted;
}

// A console window takes the text as UTF-16 (written as UTF-8 here, below),
// whatever its code page; pipes and files keep the Shift_JIS bytes.
bool is_utf8_terminal() {
  DWORD mode = 0;
  HANDLE handle = GetStdHandle(STD_OUTPUT_HANDLE);
  return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

bool output_is_terminal() {
  DWORD mode = 0;
  HANDLE handle = GetStdHandle(STD_OUTPUT_HANDLE);
  return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

bool write_to_console_window(const std::FILE* stream, std::string_view bytes) {
  if (stream != stdout) {
    return false;
  }
  (void)std::fflush(stdout);
  const std::wstring wide = widen(bytes);
  DWORD written = 0;
  return WriteConsoleW(GetStdHandle(STD_OUTPUT_HANDLE), wide.data(),
                       static_cast<DWORD>(wide.size()), &written, nullptr) != 0;
}

#else

std::string console_name(std::string_view name, bool /*shift_jis*/) {
  return std::string(name);
}

// The locale is decided from its variables, as the user set them: a UTF-8
// locale that is named but not installed still has a UTF-8 terminal.
bool is_utf8_terminal() {
  return isatty(STDOUT_FILENO) != 0 &&
         locale_names_utf8(std::getenv("LC_ALL"), std::getenv("LC_CTYPE"), std::getenv("LANG"));
}

bool output_is_terminal() {
  return isatty(STDOUT_FILENO) != 0;
}

bool write_to_console_window(const std::FILE* /*stream*/, std::string_view /*bytes*/) {
  return false;
}

#endif

namespace {

// Whether `text` holds `word` (lower case), in any letter case. Nothing is
// allocated: the console is chosen before the program has any memory of its
// own.
bool holds_word(std::string_view text, std::string_view word) {
  const auto same = [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == static_cast<unsigned char>(b);
  };
  return std::search(text.begin(), text.end(), word.begin(), word.end(), same) != text.end();
}

}  // namespace

bool locale_names_utf8(const char* lc_all, const char* lc_ctype, const char* lang) {
  for (const char* value : {lc_all, lc_ctype, lang}) {
    if (value == nullptr || *value == '\0') {
      continue;
    }
    return holds_word(value, "utf-8") || holds_word(value, "utf8");
  }
  return false;
}

}  // namespace zelvok
