#include "messages/console.h"

#include <cstdlib>
#include <string>

#include "platform/terminal.h"

namespace zelvok {
namespace {

// A name is passed through as the platform shows it.
std::string encode_value(std::string_view value, ConsoleEncoding encoding) {
  return console_name(value, encoding == ConsoleEncoding::kShiftJis);
}

// A console that cannot be written to leaves no way to report it.
void write_bytes(const Console& console, std::string_view bytes) {
  if (console.encoding == ConsoleEncoding::kUtf8 &&
      write_to_console_window(console.stream, bytes)) {
    return;
  }
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
