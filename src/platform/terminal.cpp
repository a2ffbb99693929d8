#include "platform/terminal.h"

#include <cctype>
#include <cstdlib>

#ifdef _WIN32
#include <windows.h>

#include "platform/windows_text.h"
#else
#include <iconv.h>
#include <unistd.h>
#endif

namespace zelvok {

#ifdef _WIN32

namespace {
constexpr unsigned kShiftJisCodePage = 932;
}  // namespace

std::string to_shift_jis(std::string_view text) {
  const std::string converted = narrow(widen(text), kShiftJisCodePage);
  return converted.empty() ? std::string(text) : converted;
}

std::string console_name(std::string_view name, bool shift_jis) {
  return shift_jis ? to_shift_jis(name) : std::string(name);
}

// A console window takes the text as UTF-16 (written as UTF-8 here, below),
// whatever its code page; pipes and files keep the Shift_JIS bytes.
bool is_utf8_terminal() {
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

namespace {

// NOLINTNEXTLINE(performance-no-int-to-ptr): iconv_open reports failure so.
const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// One converter for the run, closed at its end: opening one costs more than
// the text it turns.
struct ShiftJisConverter {
  ShiftJisConverter() : handle(iconv_open("CP932", "UTF-8")) {}
  ShiftJisConverter(const ShiftJisConverter&) = delete;
  ShiftJisConverter& operator=(const ShiftJisConverter&) = delete;
  ~ShiftJisConverter() {
    if (handle != kNoConverter) {
      iconv_close(handle);
    }
  }
  iconv_t handle;
};

}  // namespace

std::string to_shift_jis(std::string_view text) {
  static const ShiftJisConverter converter;
  if (converter.handle == kNoConverter) {
    // The converter ships with the C library; without it the text is still
    // better shown than dropped.
    return std::string(text);
  }
  // Shift_JIS never takes more bytes than UTF-8 for the same characters.
  std::string out(text.size(), '\0');
  std::string in(text);
  char* in_next = in.data();
  std::size_t in_left = in.size();
  char* out_next = out.data();
  std::size_t out_left = out.size();
  (void)iconv(converter.handle, nullptr, nullptr, nullptr, nullptr);  // a clean start
  const std::size_t result = iconv(converter.handle, &in_next, &in_left, &out_next, &out_left);
  if (result == static_cast<std::size_t>(-1)) {
    return std::string(text);
  }
  out.resize(out.size() - out_left);
  return out;
}

std::string console_name(std::string_view name, bool /*shift_jis*/) {
  return std::string(name);
}

// The locale is decided from its variables, as the user set them: a UTF-8
// locale that is named but not installed still has a UTF-8 terminal.
bool is_utf8_terminal() {
  return isatty(STDOUT_FILENO) != 0 &&
         locale_names_utf8(std::getenv("LC_ALL"), std::getenv("LC_CTYPE"), std::getenv("LANG"));
}

bool write_to_console_window(const std::FILE* /*stream*/, std::string_view /*bytes*/) {
  return false;
}

#endif

bool locale_names_utf8(const char* lc_all, const char* lc_ctype, const char* lang) {
  for (const char* value : {lc_all, lc_ctype, lang}) {
    if (value == nullptr || *value == '\0') {
      continue;
    }
    std::string lower(value);
    for (char& c : lower) {
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower.find("utf-8") != std::string::npos || lower.find("utf8") != std::string::npos;
  }
  return false;
}

}  // namespace zelvok
