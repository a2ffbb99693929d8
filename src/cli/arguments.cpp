#include "cli/arguments.h"

#include <limits>

namespace zelvok {
namespace {

bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Option letters are matched without regard to case, by ASCII rules alone.
char lower_ascii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

void apply_value(char letter, const std::string& value, RunOptions* options) {
  switch (letter) {
    case 's':
      options->first_play_item = decimal_value(value);
      break;
    case 'e':
      options->last_play_item = decimal_value(value);
      break;
    default:
      options->output_name = value;
      break;
  }
}

}  // namespace

std::int32_t decimal_value(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && is_blank(text[at])) {
    ++at;
  }
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    negative = text[at] == '-';
    ++at;
  }
  // Magnitude of the limit on this side; digits beyond it change nothing.
  const std::int64_t limit = negative ? -std::int64_t{std::numeric_limits<std::int32_t>::min()}
                                      : std::int64_t{std::numeric_limits<std::int32_t>::max()};
  std::int64_t magnitude = 0;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    magnitude = magnitude * 10 + (text[at] - '0');
    if (magnitude > limit) {
      magnitude = limit;
    }
  }
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

ScanResult scan_arguments(std::span<const std::string> arguments) {
  ScanResult result{ScanOutcome::kRun, RunOptions{}};
  for (std::size_t at = 0; at < arguments.size(); ++at) {
    const std::string& argument = arguments[at];
    if (argument.empty() || argument[0] != '-') {
      result.options.input_name = argument;
      continue;
    }
    const char letter = argument.size() > 1 ? lower_ascii(argument[1]) : '\0';
    if (letter == 'h') {
      result.outcome = ScanOutcome::kHelp;
      return result;
    }
    if (letter != 's' && letter != 'e' && letter != 'o') {
      result.outcome = ScanOutcome::kInvalidOption;
      return result;
    }
    if (argument.size() > 2) {
      apply_value(letter, argument.substr(2), &result.options);
    } else if (at + 1 < arguments.size()) {
      ++at;
      apply_value(letter, arguments[at], &result.options);
    } else {
      result.outcome = ScanOutcome::kMissingValue;
      return result;
    }
  }
  if (result.options.input_name.empty()) {
    result.outcome = ScanOutcome::kNoFileName;
  }
  return result;
}

}  // namespace zelvok
