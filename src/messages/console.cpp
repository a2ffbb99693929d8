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

std::string render_message(std::string_view text, std::span<const std::string_view> values,
                           ConsoleEncoding encoding) {
  // The values replace the marks "%s" and "%d" in order. A '%' byte is never
  // part of a Shift_JIS character, so the marks are found in either encoding.
  std::string rendered;
  for (const std::string_view value : values) {
    std::size_t mark = text.find('%');
    while (mark != std::string_view::npos && mark + 1 < text.size() && text[mark + 1] != 's' &&
           text[mark + 1] != 'd') {
      mark = text.find('%', mark + 1);
    }
    if (mark == std::string_view::npos || mark + 1 == text.size()) {
      break;
    }
    rendered.append(text.substr(0, mark)).append(encode_value(value, encoding));
    text.remove_prefix(mark + 2);
  }
  return rendered.append(text);
}

std::string render_message(std::string_view text, std::string_view value,
                           ConsoleEncoding encoding) {
  return render_message(text, std::span<const std::string_view>(&value, 1), encoding);
}

void print(const Console& console, const Message& message, std::string_view value) {
  write_bytes(console, render_message(console_text(message, console), value, console.encoding));
}

void print(const Console& console, const Message& message,
           std::span<const std::string_view> values) {
  write_bytes(console, render_message(console_text(message, console), values, console.encoding));
}

}  // namespace zelvok
