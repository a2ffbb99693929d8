// The built program on the command line: help, option failures, exit status.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "messages/messages.h"
#include "support/run_program.h"

namespace zelvok {
namespace {

using testing::read_file;
using testing::sjis;

std::string help_text() {
  return read_file(std::string(ZELVOK_SOURCE_DIR) + "/tests/golden/help.txt");
}

struct CommandCase {
  std::vector<std::string> arguments;
  std::string output;  // exact bytes on standard output
};

class CommandLineTest : public ::testing::TestWithParam<CommandCase> {};

TEST_P(CommandLineTest, PrintsOneMessageAndFails) {
  testing::TempFolder folder;
  const testing::ProgramResult result = testing::run_zelvok(GetParam().arguments, folder.path);
  EXPECT_EQ(result.output, GetParam().output);
  EXPECT_EQ(result.status, 255);
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

}  // namespace
}  // namespace zelvok
