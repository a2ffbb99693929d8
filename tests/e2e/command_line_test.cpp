// The built program on the command line: help, option failures, exit status.
#include <gtest/gtest.h>

#include <cstdlib>

#include <string>
#include <vector>

#include "messages/messages.h"
#include "support/requirements.h"
#include "support/run_program.h"

namespace zelvok {
namespace {

using testing::read_file;
using testing::sjis;

std::string golden(const std::string& name) {
  return read_file(std::string(ZELVOK_SOURCE_DIR) + "/tests/golden/" + name);
}

std::string help_text() {
  return golden("help.txt");
}

// --help: the help text, then the long options.
std::string long_help_text() {
  return golden("long_help.txt");
}

struct CommandCase {
  std::vector<std::string> arguments;
  std::string output;  // exact bytes on standard output
  int status = 255;
};

class CommandLineTest : public ::testing::TestWithParam<CommandCase> {};

TEST_P(CommandLineTest, PrintsOneMessageAndEnds) {
  testing::TempFolder folder;
  const testing::ProgramResult result = testing::run_zelvok(GetParam().arguments, folder.path);
  EXPECT_EQ(result.output, GetParam().output);
  EXPECT_EQ(result.status, GetParam().status);
  EXPECT_EQ(result.errors, "");
  EXPECT_TRUE(testing::files_in(folder.path).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineTest,
    ::testing::Values(
        CommandCase{{}, sjis(messages::kNoFileName)},
        CommandCase{{""}, sjis(messages::kNoFileName)},
        CommandCase{{"a.mpls", ""}, sjis(messages::kNoFileName)},
        CommandCase{{"-o", "-s"}, sjis(messages::kNoFileName)},
        CommandCase{{"-s", "3"}, sjis(messages::kNoFileName)}, CommandCase{{"-h"}, help_text()},
        CommandCase{{"-H"}, help_text()}, CommandCase{{"-help"}, help_text()},
        CommandCase{{"a.mpls", "-s", "2", "-h", "-z"}, help_text()},
        CommandCase{{"-h", "-s"}, help_text()},
        CommandCase{{"-z", "-h"}, sjis(messages::kInvalidOption)},
        // Long options: --help and --version succeed where they stand.
        CommandCase{{"--help"}, long_help_text(), 0},
        CommandCase{{"a.mpls", "--help", "-z"}, long_help_text(), 0},
        CommandCase{{"-z", "--help"}, sjis(messages::kInvalidOption)},
        CommandCase{{"--version", "-h"}, "zelvok " ZELVOK_VERSION "\n", 0},
        CommandCase{{"--"}, sjis(messages::kNoFileName)},
        CommandCase{{"---"}, sjis(messages::kInvalidOption)},
        CommandCase{{"--", "-h"}, sjis(messages::kInputName, "-h") + sjis(messages::kOpenFailed)},
        CommandCase{{"--helpx"}, sjis(messages::kInvalidOption)},
        CommandCase{{"--s", "3"}, sjis(messages::kInvalidOption)},
        CommandCase{{"--shift=x", "-h"}, sjis(messages::kBadShift)},
        CommandCase{{"a.mpls", "--shift"}, sjis(messages::kMissingValue)},
        CommandCase{{"--shift", "-1:00", "--shift", "1:5"}, sjis(messages::kBadShift)},
        CommandCase{{"--shift=1234567:00"}, sjis(messages::kBadShift)},
        CommandCase{{"--shift=+1:60"}, sjis(messages::kBadShift)},
        CommandCase{{"--shift=1:00:5"}, sjis(messages::kBadShift)},
        CommandCase{{"--shift=:00"}, sjis(messages::kBadShift)},
        CommandCase{{"--shift=+-1:00"}, sjis(messages::kBadShift)},
        CommandCase{{"--shift=-123456:59:59"}, sjis(messages::kNoFileName)},
        CommandCase{{"--format=%Q", "-h"}, sjis(messages::kBadFormat)},
        CommandCase{{"a.mpls", "--format"}, sjis(messages::kMissingValue)},
        CommandCase{{"--zone", "+9:5", "a.mpls"}, sjis(messages::kBadZone)},
        CommandCase{{"--zone=-9:30", "--format", "%A%n%z"}, sjis(messages::kNoFileName)},
        CommandCase{{"-"}, sjis(messages::kInvalidOption)},
        CommandCase{{"a.mpls", "-s"}, sjis(messages::kMissingValue)},
        CommandCase{{"a.mpls", "-E"}, sjis(messages::kMissingValue)},
        CommandCase{{"a.mpls", "-o"}, sjis(messages::kMissingValue)},
        CommandCase{{"missing.mpls"},
                    sjis(messages::kInputName, "missing.mpls") + sjis(messages::kOpenFailed)},
        CommandCase{{"-s3", "missing.mpls", "-oout.srt"},
                    sjis(messages::kInputName, "missing.mpls") + sjis(messages::kOpenFailed)},
        // Names of any length are used whole; the system refuses this one.
        CommandCase{
            {std::string(5000, 'n')},
            sjis(messages::kInputName, std::string(5000, 'n')) + sjis(messages::kOpenFailed)}));

// ZELVOK_LANG set for the programs a test starts, and taken back after it.
struct LanguageVariable {
  explicit LanguageVariable(const char* value) { setenv("ZELVOK_LANG", value, 1); }
  ~LanguageVariable() { unsetenv("ZELVOK_LANG"); }
  LanguageVariable(const LanguageVariable&) = delete;
  LanguageVariable& operator=(const LanguageVariable&) = delete;
};

class EnglishCommandLineTest : public ::testing::TestWithParam<CommandCase> {};

// One of each kind of message in English: help, option errors, the input line
// and a file that cannot be read. The playlist's and the walk's own messages
// are in the subtitle tests.
TEST_P(EnglishCommandLineTest, PrintsTheEnglishTwin) {
  const LanguageVariable english_please("en_US.UTF-8");
  testing::TempFolder folder;
  const testing::ProgramResult result = testing::run_zelvok(GetParam().arguments, folder.path);
  EXPECT_EQ(result.output, GetParam().output);
  EXPECT_EQ(result.status, GetParam().status);
  EXPECT_EQ(result.errors, "");
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, EnglishCommandLineTest,
    ::testing::Values(CommandCase{{"-h"}, golden("help_en.txt")},
                      CommandCase{{"--help"}, golden("long_help_en.txt"), 0},
                      CommandCase{{}, " No file name given. Stopping.\n"},
                      CommandCase{{"a.mpls", "-o"}, " An option is missing its value.\n"},
                      CommandCase{{"-x"}, " Unknown option.\n"},
                      CommandCase{{"--shift=1"}, " The --shift value is not valid.\n"},
                      CommandCase{{"--format=%Q"}, " The --format value is not valid.\n"},
                      CommandCase{{"--zone=UTC"}, " The --zone value is not valid.\n"},
                      CommandCase{{"--version"}, "zelvok " ZELVOK_VERSION "\n", 0},
                      CommandCase{
                          {"missing.mpls"},
                          "\n Input file: [missing.mpls]\n\n Cannot open the file. Stopping.\n"}));

// The program reads the locale from LC_ALL, LC_MESSAGES and LANG, never
// LC_CTYPE, and a pipe gets the charset the locale names as a terminal does.
TEST(LocaleTest, TheLocaleVariablesChooseTheConsole) {
  testing::TempFolder folder;
  const std::string utf8(messages::kNoFileName.japanese);
  const std::string english(messages::kNoFileName.english);
  const std::pair<std::vector<std::string>, std::string> runs[] = {
      {{"LC_ALL="}, sjis(messages::kNoFileName)},
      {{"LC_ALL=", "LANG=ja_JP.UTF-8"}, utf8},
      {{"LC_ALL=", "LC_MESSAGES=de_DE.UTF-8", "LANG=ja_JP.UTF-8"}, english},
      {{"LC_ALL=", "LC_CTYPE=ja_JP.UTF-8"}, sjis(messages::kNoFileName)},
      {{"LC_ALL=C", "LANG=de_DE.UTF-8"}, sjis(messages::kNoFileName)},
      {{"LC_ALL=en_GB.UTF-8", "ZELVOK_LANG=ja"}, utf8},
  };
  for (const auto& [locale, output] : runs) {
    if (testing::testing_windows_build()) {
      GTEST_SKIP() << "Windows takes the language from the system, not these variables";
    }
    EXPECT_EQ(testing::run_zelvok_in_locale({}, folder.path, locale).output, output)
        << locale.back();
  }
}

TEST(LanguageTest, AnythingButEnglishKeepsJapanese) {
  const LanguageVariable german("de_DE.UTF-8");
  testing::TempFolder folder;
  EXPECT_EQ(testing::run_zelvok({"-x"}, folder.path).output, sjis(messages::kInvalidOption));
}

}  // namespace
}  // namespace zelvok
