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

std::string_view console_text(const Message& message, const Console& console) {
  if (console.language == Language::kEnglish) {
    return message.english;
  }
  return console.encoding == ConsoleEncoding::kUtf8 ? message.japanese : message.shift_jis;
}

void print(const Console& console, const Message& message) {
  write_bytes(console, console_text(message, console));
}

std::string render_message(std::string_view text, std::string_view value,
                           ConsoleEncoding encoding) {
  // Each text takes one value, marked "%s" or "%d". A '%' byte is never part
  // of a Shift_JIS character, so the mark is found in either encoding.
  std::size_t mark = text.find("%s");
  if (mark == std::string_view::npos) {
    mark = text.find("%d");
  }
  if (mark == std::string_view::npos) {
    return std::string(text);
  }
  return std::string(text.substr(0, mark)) + encode_value(value, encoding) +
         std::string(text.substr(mark + 2));
}

void print(const Console& console, const Message& message, std::string_view value) {
  write_bytes(console, render_message(console_text(message, console), value, console.encoding));
}

}  // namespace zelvok
