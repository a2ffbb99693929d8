#include "cli/arguments.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace zelvok {
namespace {

struct ScanCase {
  std::vector<std::string> arguments;
  ScanOutcome outcome;
  std::string input_name;
  std::string output_name;
  std::int32_t first;
  std::int32_t last;
};

class ScanTest : public ::testing::TestWithParam<ScanCase> {};

TEST_P(ScanTest, FillsOptionsOrStops) {
  const ScanCase& c = GetParam();
  const ScanResult result = scan_arguments(c.arguments);
  EXPECT_EQ(result.outcome, c.outcome);
  if (c.outcome == ScanOutcome::kRun) {
    EXPECT_EQ(result.options.input_name, c.input_name);
    EXPECT_EQ(result.options.output.whole_name, c.output_name);
    EXPECT_EQ(result.options.output.first, static_cast<std::uint32_t>(c.first));
    EXPECT_EQ(result.options.output.last, static_cast<std::uint32_t>(c.last));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, ScanTest,
    ::testing::Values(
        ScanCase{{}, ScanOutcome::kNoFileName, "", "", 0, 0},
        ScanCase{{"a.mpls"}, ScanOutcome::kRun, "a.mpls", "playlist.srt", 0, 0},
        ScanCase{{"a.mpls", "b.mpls"}, ScanOutcome::kRun, "b.mpls", "playlist.srt", 0, 0},
        ScanCase{{"a.mpls", ""}, ScanOutcome::kNoFileName, "", "", 0, 0},
        ScanCase{{"", "a.mpls"}, ScanOutcome::kRun, "a.mpls", "playlist.srt", 0, 0},
        ScanCase{{"-s", "3", "-e", "5", "-o", "pl000.srt", "00000.mpls"},
                 ScanOutcome::kRun,
                 "00000.mpls",
                 "pl000.srt",
                 3,
                 5},
        ScanCase{{"-s3", "-e5", "-opl.srt", "x"}, ScanOutcome::kRun, "x", "pl.srt", 3, 5},
        ScanCase{{"-S", "2", "-E", "4", "-O", "o.srt", "x"}, ScanOutcome::kRun, "x", "o.srt", 2, 4},
        ScanCase{{"-o", "-s", "x"}, ScanOutcome::kRun, "x", "-s", 0, 0},
        ScanCase{{"-s", "-5", "x"}, ScanOutcome::kRun, "x", "playlist.srt", -5, 0},
        ScanCase{{"-s", "1", "-s", "2", "x"}, ScanOutcome::kRun, "x", "playlist.srt", 2, 0},
        ScanCase{{"-start", "x"}, ScanOutcome::kRun, "x", "playlist.srt", 0, 0},
        ScanCase{{"-s", "abc", "x"}, ScanOutcome::kRun, "x", "playlist.srt", 0, 0},
        ScanCase{{"x", "-s"}, ScanOutcome::kMissingValue, "", "", 0, 0},
        ScanCase{{"x", "-o"}, ScanOutcome::kMissingValue, "", "", 0, 0},
        ScanCase{{"x", "-s3"}, ScanOutcome::kRun, "x", "playlist.srt", 3, 0},
        ScanCase{{"-h"}, ScanOutcome::kHelp, "", "", 0, 0},
        ScanCase{{"-HELP", "-x"}, ScanOutcome::kHelp, "", "", 0, 0},
        ScanCase{{"x", "-s", "1", "-h", "-s"}, ScanOutcome::kHelp, "", "", 0, 0},
        ScanCase{{"-x", "-h"}, ScanOutcome::kInvalidOption, "", "", 0, 0},
        ScanCase{{"-"}, ScanOutcome::kInvalidOption, "", "", 0, 0},
        // Only ASCII letters fold: the Latin-1 and UTF-8 look-alikes are other letters.
        ScanCase{{"-\xC5\x9B", "x"}, ScanOutcome::kInvalidOption, "", "", 0, 0},
        ScanCase{{"-\xD3", "x"}, ScanOutcome::kInvalidOption, "", "", 0, 0},
        ScanCase{{"-s", "", "x"}, ScanOutcome::kRun, "x", "playlist.srt", 0, 0},
        // "--" ends the options: names that look like options are names after it.
        ScanCase{
            {"--", "--format=%z.MTS"}, ScanOutcome::kRun, "--format=%z.MTS", "playlist.srt", 0, 0},
        ScanCase{{"-s2", "--", "-h", "--"}, ScanOutcome::kRun, "--", "playlist.srt", 2, 0},
        ScanCase{{"x", "--", "-o"}, ScanOutcome::kRun, "-o", "playlist.srt", 0, 0},
        ScanCase{{"x", "--", ""}, ScanOutcome::kNoFileName, "", "", 0, 0},
        ScanCase{{"--"}, ScanOutcome::kNoFileName, "", "", 0, 0},
        ScanCase{{"---", "x"}, ScanOutcome::kInvalidOption, "", "", 0, 0},
        ScanCase{{"--x", "x"}, ScanOutcome::kInvalidOption, "", "", 0, 0}));

TEST(ScanTest, LongArgumentsAreKeptWhole) {
  const std::string name(5000, 'n');
  const std::vector<std::string> arguments = {"-o" + name, name};
  const ScanResult result = scan_arguments(arguments);
  EXPECT_EQ(result.options.input_name, name);
  EXPECT_EQ(result.options.output.whole_name, name);
}

struct DecimalCase {
  const char* text;
  std::int32_t value;
};

class DecimalTest : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(DecimalTest, ConvertsLikeTheCLibraryButClamped) {
  EXPECT_EQ(decimal_value(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Decimal, DecimalTest,
                         ::testing::Values(DecimalCase{"", 0}, DecimalCase{"abc", 0},
                                           DecimalCase{"7", 7}, DecimalCase{"  \t\n\v\f\r42", 42},
                                           DecimalCase{"+12", 12}, DecimalCase{"-12", -12},
                                           DecimalCase{"--12", 0}, DecimalCase{"+-1", 0},
                                           DecimalCase{"- 1", 0}, DecimalCase{"12abc", 12},
                                           DecimalCase{"3.9", 3}, DecimalCase{"007", 7},
                                           DecimalCase{"2147483647", 2147483647},
                                           DecimalCase{"2147483648", 2147483647},
                                           DecimalCase{"99999999999999999999999", 2147483647},
                                           DecimalCase{"-2147483648", -2147483647 - 1},
                                           DecimalCase{"-2147483649", -2147483647 - 1},
                                           DecimalCase{"-99999999999999999999", -2147483647 - 1},
                                           DecimalCase{"\xA0"
                                                       "5",
                                                       0}));

TEST(ShiftValueTest, HoursMinutesAndSecondsInSeconds) {
  const std::pair<const char*, std::int64_t> offsets[] = {{"+1:00", 3600},
                                                          {"-9:00", -32400},
                                                          {"0:00:30", 30},
                                                          {"-0:00:01", -1},
                                                          {"+0:00", 0},
                                                          {"144657:25:10", 520766710},
                                                          {"999999:59:59", 3599999999},
                                                          {"07:05", 25500}};
  for (const auto& [text, seconds] : offsets) {
    std::int64_t value = 0;
    EXPECT_TRUE(shift_value(text, &value)) << text;
    EXPECT_EQ(value, seconds) << text;
  }
}

TEST(ShiftValueTest, AnythingAfterTheOffsetIsRefused) {
  for (const char* text : {"1:00x", "1:00:00x", "+1:00 ", "1:00:", "1:0", "1:60", "--1:00", ""}) {
    std::int64_t value = 0;
    EXPECT_FALSE(shift_value(text, &value)) << text;
  }
}

}  // namespace
}  // namespace zelvok

namespace zelvok {
namespace {

// --zone values: minutes east of UTC, or refused (nullopt).
TEST(ZoneValueTest, SignedHoursAndMinutesOrNothing) {
  const std::pair<const char*, std::optional<int>> zones[] = {{"+9:00", 540},
                                                              {"-05:00", -300},
                                                              {"5:30", 330},
                                                              {"+5:45", 345},
                                                              {"23:59", 1439},
                                                              {"-0:30", -30},
                                                              {"00:00", 0},
                                                              {"9", std::nullopt},
                                                              {"24:00", std::nullopt},
                                                              {"UTC", std::nullopt},
                                                              {"+9:5", std::nullopt},
                                                              {"1:00:00", std::nullopt},
                                                              {"", std::nullopt},
                                                              {"+", std::nullopt},
                                                              {"+:30", std::nullopt},
                                                              {"123:00", std::nullopt},
                                                              {"1:60", std::nullopt},
                                                              {"+-1:00", std::nullopt},
                                                              {" 1:00", std::nullopt},
                                                              {"1:00 ", std::nullopt}};
  for (const auto& [text, minutes] : zones) {
    Zone zone = 0;
    const bool taken = zone_value(text, &zone);
    EXPECT_EQ(taken ? std::optional<int>(zone) : std::nullopt, minutes) << text;
  }
}

// The long options that take a value, attached or as the next argument.
TEST(ScanTest, FormatAndZoneTakeTheirValues) {
  const std::vector<std::string> arguments = {"--format", "-%H", "--zone=-5:00", "--format=%M",
                                              "x"};
  const ScanResult result = scan_arguments(arguments);
  ASSERT_EQ(result.outcome, ScanOutcome::kRun);
  EXPECT_EQ(result.options.output.format.text, "%M");
  EXPECT_EQ(result.options.output.zone, std::optional<Zone>(-300));
  const std::pair<std::vector<std::string>, ScanOutcome> stops[] = {
      {{"x", "--format"}, ScanOutcome::kMissingValue},
      {{"x", "--zone"}, ScanOutcome::kMissingValue},
      {{"--format=%q", "-h"}, ScanOutcome::kBadFormat},
      {{"--format=", "x"}, ScanOutcome::kBadFormat},
      {{"--zone=9", "-h"}, ScanOutcome::kBadZone},
      {{"--zonex=9:00", "x"}, ScanOutcome::kInvalidOption},
      {{"--format", "%q", "-h"}, ScanOutcome::kBadFormat}};
  for (const auto& [stop, outcome] : stops) {
    EXPECT_EQ(scan_arguments(stop).outcome, outcome) << stop[0];
  }
}

}  // namespace
}  // namespace zelvok
