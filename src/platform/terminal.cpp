#include "platform/terminal.h"

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

bool windows_locale(WindowsLocale* locale) {
  constexpr unsigned kUtf8CodePage = 65001;
  locale->japanese = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
  locale->utf8 = GetConsoleOutputCP() == kUtf8CodePage;
  return true;
}

bool output_is_terminal() {
  DWORD mode = 0;
  HANDLE handle = GetStdHandle(STD_OUTPUT_HANDLE);
  return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

// A console window takes the text as UTF-16, whatever its code page.
bool write_to_console_window(const std::FILE* stream, std::string_view bytes) {
  if (stream != stdout || !output_is_terminal()) {
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

bool windows_locale(WindowsLocale* /*locale*/) {
  return false;
}

bool output_is_terminal() {
  return isatty(STDOUT_FILENO) != 0;
}

bool write_to_console_window(const std::FILE* /*stream*/, std::string_view /*bytes*/) {
  return false;
}

#endif

}  // namespace zelvok
