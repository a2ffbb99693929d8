#include "messages/console.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>

#include "model/ascii_case.h"
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

namespace {

bool is_set(const char* value) {
  return value != nullptr && *value != '\0';
}

// The locales whose messages are the program's own Japanese ones: none at
// all, the plain C locale, and Japanese.
bool locale_is_japanese(std::string_view locale) {
  if (locale == "C" || locale == "POSIX" || locale.starts_with("C.")) {
    return true;
  }
  return locale.starts_with("ja") &&
         (locale.size() == 2 || std::string_view("_.@-").find(locale[2]) != std::string_view::npos);
}

// The charset a locale names: after its first '.', up to any '@'.
std::string_view charset_of(std::string_view locale) {
  const std::size_t dot = locale.find('.');
  if (dot == std::string_view::npos) {
    return {};
  }
  const std::string_view charset = locale.substr(dot + 1);
  return charset.substr(0, charset.find('@'));
}

}  // namespace

Console console_for_locale(const LocaleVariables& variables) {
  const std::array<const char*, 3> in_order = {variables.lc_all, variables.lc_messages,
                                               variables.lang};
  const char* const* first_set = std::find_if(in_order.begin(), in_order.end(), is_set);
  const char* locale = first_set != in_order.end() ? *first_set : nullptr;
  Console console{stdout, ConsoleEncoding::kShiftJis, Language::kJapanese};
  if (is_set(variables.zelvok_lang)) {
    console.language = language_named(variables.zelvok_lang);
  } else if (locale != nullptr && !locale_is_japanese(locale)) {
    console.language = Language::kEnglish;
  }
  const std::string_view charset = locale != nullptr ? charset_of(locale) : std::string_view();
  if (same_ignoring_case(charset, "utf-8") || same_ignoring_case(charset, "utf8")) {
    console.encoding = ConsoleEncoding::kUtf8;
  }
  return console;
}

// Nothing here allocates: the console is chosen before the program has any
// memory of its own.
Console standard_console() {
  const char* zelvok_lang = std::getenv("ZELVOK_LANG");
  WindowsLocale windows{false, false};
  if (windows_locale(&windows)) {
    return Console{stdout, windows.utf8 ? ConsoleEncoding::kUtf8 : ConsoleEncoding::kShiftJis,
                   is_set(zelvok_lang) ? language_named(zelvok_lang)
                   : windows.japanese  ? Language::kJapanese
                                       : Language::kEnglish};
  }
  return console_for_locale(LocaleVariables{zelvok_lang, std::getenv("LC_ALL"),
                                            std::getenv("LC_MESSAGES"), std::getenv("LANG")});
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
