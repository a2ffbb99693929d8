#include "cli/arguments.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <utility>

#include "model/ascii_case.h"

namespace zelvok {
namespace {

bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

void apply_value(char letter, const std::string& value, RunOptions* options) {
  switch (letter) {
    case 's':
      options->output.first = static_cast<std::uint32_t>(decimal_value(value));
      break;
    case 'e':
      options->output.last = static_cast<std::uint32_t>(decimal_value(value));
      break;
    default:
      options->output.whole_name = value;
      break;
  }
}

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// Takes two digits of 00 to 59 from the front of `text`.
bool take_sixty(std::string_view* text, std::int64_t* value) {
  if (text->size() < 2 || !is_digit((*text)[0]) || !is_digit((*text)[1]) || (*text)[0] > '5') {
    return false;
  }
  *value = ((*text)[0] - '0') * 10 + ((*text)[1] - '0');
  text->remove_prefix(2);
  return true;
}

// The front of an offset, as --shift and --zone write it.
struct Offset {
  bool negative;
  std::int64_t hours;
  std::int64_t minutes;
};

// Takes an optional sign, one to `most_hour_digits` digits of hours, ':' and
// two digits of minutes, 00 to 59, from the front of `text`.
bool take_offset(std::string_view* text, std::size_t most_hour_digits, Offset* offset) {
  offset->negative = text->starts_with('-');
  if (offset->negative || text->starts_with('+')) {
    text->remove_prefix(1);
  }
  const std::size_t digits = text->find(':');
  if (digits == 0 || digits > most_hour_digits ||
      !std::all_of(text->begin(), text->begin() + static_cast<std::ptrdiff_t>(digits), is_digit)) {
    return false;  // also when there is no ':' at all
  }
  // Digits only, checked above.
  (void)std::from_chars(text->data(), text->data() + digits, offset->hours);
  text->remove_prefix(digits + 1);
  return take_sixty(text, &offset->minutes);
}

constexpr std::size_t kMostShiftHourDigits = 6;
constexpr std::size_t kMostZoneHourDigits = 2;
constexpr std::int64_t kLastZoneHour = 23;

// The long options that take a value.
constexpr std::array<std::string_view, 4> kValueOptions = {"--shift", "--format", "--zone",
                                                           "--output-dir"};

ScanOutcome apply_long_value(std::string_view name, std::string_view value, RunOptions* options) {
  if (name == "--shift") {
    std::int64_t seconds = 0;
    if (!shift_value(value, &seconds)) {
      return ScanOutcome::kBadShift;
    }
    options->output.shift = seconds;
  } else if (name == "--output-dir") {
    if (value.empty()) {
      return ScanOutcome::kMissingValue;
    }
    options->folder.output_dir = std::string(value);
  } else if (name == "--format") {
    if (!parse_date_format(value, &options->output.format)) {
      return ScanOutcome::kBadFormat;
    }
  } else {
    Zone zone = 0;
    if (!zone_value(value, &zone)) {
      return ScanOutcome::kBadZone;
    }
    options->output.zone = zone;
  }
  return ScanOutcome::kRun;
}

// The flag of a folder run that `argument` sets, or null.
bool* folder_flag(std::string_view argument, FolderOptions* folder) {
  const std::array<std::pair<std::string_view, bool*>, 6> flags = {{{"--mkv", &folder->mkv},
                                                                    {"--mp4", &folder->mp4},
                                                                    {"--burn", &folder->burn},
                                                                    {"--camera", &folder->camera},
                                                                    {"--gps", &folder->gps},
                                                                    {"--gpx", &folder->gpx}}};
  for (const auto& [name, flag] : flags) {
    if (argument == name) {
      return flag;
    }
  }
  return nullptr;
}

// A long option: "--help", "--version", or one that takes a value attached
// after "=" or as the next argument. `at` moves past a value taken.
ScanOutcome scan_long_option(std::span<const std::string> arguments, std::size_t* at,
                             RunOptions* options) {
  const std::string_view argument = arguments[*at];
  if (argument == "--help") {
    return ScanOutcome::kLongHelp;
  }
  if (argument == "--version") {
    return ScanOutcome::kVersion;
  }
  if (argument == "--overwrite") {
    options->folder.overwrite = true;
    return ScanOutcome::kRun;
  }
  if (bool* flag = folder_flag(argument, &options->folder); flag != nullptr) {
    *flag = true;
    return ScanOutcome::kRun;
  }
  if (argument == "--vtt") {
    options->output.form = SubtitleForm::kWebVtt;
    return ScanOutcome::kRun;
  }
  const std::string_view name = argument.substr(0, argument.find('='));
  if (std::find(kValueOptions.begin(), kValueOptions.end(), name) == kValueOptions.end()) {
    return ScanOutcome::kInvalidOption;
  }
  std::string_view value;
  if (name.size() < argument.size()) {
    value = argument.substr(name.size() + 1);
  } else if (*at + 1 < arguments.size()) {
    value = arguments[++*at];
  } else {
    return ScanOutcome::kMissingValue;
  }
  return apply_long_value(name, value, options);
}

}  // namespace

bool shift_value(std::string_view text, std::int64_t* seconds) {
  Offset offset{};
  if (!take_offset(&text, kMostShiftHourDigits, &offset)) {
    return false;
  }
  std::int64_t rest = 0;
  if (text.starts_with(':')) {
    text.remove_prefix(1);
    if (!take_sixty(&text, &rest)) {
      return false;
    }
  }
  const std::int64_t magnitude = (offset.hours * 60 + offset.minutes) * 60 + rest;
  *seconds = offset.negative ? -magnitude : magnitude;
  return text.empty();
}

bool zone_value(std::string_view text, Zone* zone) {
  Offset offset{};
  if (!take_offset(&text, kMostZoneHourDigits, &offset) || offset.hours > kLastZoneHour ||
      !text.empty()) {
    return false;
  }
  const auto magnitude = static_cast<Zone>(offset.hours * 60 + offset.minutes);
  *zone = offset.negative ? static_cast<Zone>(-magnitude) : magnitude;
  return true;
}

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
  bool whole_named = false;  // -o was given
  bool names_only = false;   // "--" was met: every later argument is a name
  for (std::size_t at = 0; at < arguments.size(); ++at) {
    const std::string& argument = arguments[at];
    if (!names_only && argument == "--") {
      names_only = true;
      continue;
    }
    if (names_only || argument.empty() || argument[0] != '-') {
      result.options.input_name = argument;
      result.options.input_names.push_back(argument);
      continue;
    }
    if (argument.starts_with("--")) {
      result.outcome = scan_long_option(arguments, &at, &result.options);
      if (result.outcome != ScanOutcome::kRun) {
        return result;
      }
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
    result.options.picks = true;
    whole_named = whole_named || letter == 'o';
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
  if (result.options.output.form == SubtitleForm::kWebVtt && !whole_named) {
    result.options.output.whole_name = kDefaultWebVttName;
  }
  return result;
}

}  // namespace zelvok
