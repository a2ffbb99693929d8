#include "messages/console.h"

#include <cstdlib>
#include <string>

#ifdef _WIN32
#include <windows.h>

#include "platform/windows_text.h"
#else
#include <iconv.h>
#include <langinfo.h>
#include <unistd.h>

#include <clocale>
#include <cstring>
#endif

namespace zelvok {
namespace {

#ifdef _WIN32

constexpr unsigned kShiftJisCodePage = 932;

std::string to_shift_jis(std::string_view text) {
  const std::string converted = narrow(widen(text), kShiftJisCodePage);
  return converted.empty() ? std::string(text) : converted;
}

// Names come from the wide command line as UTF-8; they go out in the
// console's encoding like the rest of the line.
std::string encode_value(std::string_view value, ConsoleEncoding encoding) {
  return encoding == ConsoleEncoding::kShiftJis ? to_shift_jis(value) : std::string(value);
}

// A console window takes the text as UTF-16 (written as UTF-8 here, below),
// whatever its code page; pipes and files keep the Shift_JIS bytes.
bool is_utf8_terminal() {
  DWORD mode = 0;
  HANDLE handle = GetStdHandle(STD_OUTPUT_HANDLE);
  return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

// Writes to the console window itself, leaving its code page as the user set it.
bool write_to_console_window(const Console& console, std::string_view bytes) {
  if (console.encoding != ConsoleEncoding::kUtf8 || console.stream != stdout) {
    return false;
  }
  (void)std::fflush(stdout);
  const std::wstring wide = widen(bytes);
  DWORD written = 0;
  return WriteConsoleW(GetStdHandle(STD_OUTPUT_HANDLE), wide.data(),
                       static_cast<DWORD>(wide.size()), &written, nullptr) != 0;
}

#else

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

// A name is the user's own bytes, in whatever encoding the file system uses:
// they go out unchanged.
std::string encode_value(std::string_view value, ConsoleEncoding /*encoding*/) {
  return std::string(value);
}

bool is_utf8_terminal() {
  if (isatty(STDOUT_FILENO) == 0) {
    return false;
  }
  // The character set of the user's locale; nothing else depends on it.
  (void)std::setlocale(LC_CTYPE, "");
  const char* codeset = nl_langinfo(CODESET);
  return codeset != nullptr && std::strcmp(codeset, "UTF-8") == 0;
}

#endif

// A console that cannot be written to leaves no way to report it.
void write_bytes(const Console& console, std::string_view bytes) {
#ifdef _WIN32
  if (write_to_console_window(console, bytes)) {
    return;
  }
#endif
  (void)std::fwrite(bytes.data(), 1, bytes.size(), console.stream);
}

}  // namespace

Console standard_console() {
  return Console{stdout, is_utf8_terminal() ? ConsoleEncoding::kUtf8 : ConsoleEncoding::kShiftJis,
                 language_named(std::getenv("ZELVOK_LANG"))};
}

Language language_named(const char* value) {
  if (value == nullptr) {
    return Language::kJapanese;
  }
  const std::string_view name(value);
  const bool english =
      name.size() >= 2 && (name[0] == 'e' || name[0] == 'E') &&
      (name[1] == 'n' || name[1] == 'N') &&
      (name.size() == 2 || std::string_view("_-.@").find(name[2]) != std::string_view::npos);
  return english ? Language::kEnglish : Language::kJapanese;
}

std::string encode_text(std::string_view text, ConsoleEncoding encoding) {
  if (encoding == ConsoleEncoding::kUtf8) {
    return std::string(text);
  }
  return to_shift_jis(text);
}

void print(const Console& console, const Message& message) {
  write_bytes(console, encode_text(text_in(message, console.language), console.encoding));
}

std::string render_message(std::string_view text, std::string_view value,
                           ConsoleEncoding encoding) {
  // Each text takes one value, marked "%s" or "%d"; the halves around it are
  // encoded on their own so that the value's bytes pass through untouched.
  std::size_t mark = text.find("%s");
  if (mark == std::string_view::npos) {
    mark = text.find("%d");
  }
  if (mark == std::string_view::npos) {
    return encode_text(text, encoding);
  }
  return encode_text(text.substr(0, mark), encoding) + encode_value(value, encoding) +
         encode_text(text.substr(mark + 2), encoding);
}

void print(const Console& console, const Message& message, std::string_view value) {
  write_bytes(console, render_message(text_in(message, console.language), value, console.encoding));
}

}  // namespace zelvok
