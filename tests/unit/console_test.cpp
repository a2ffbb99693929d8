#include "messages/console.h"

#include <gtest/gtest.h>

#include <string>

#include "messages/messages.h"

namespace zelvok {
namespace {

struct EncodingCase {
  std::string_view text;
  std::string bytes;  // as written out by hand from the code page table
};

class ShiftJisTest : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(ShiftJisTest, MessagesGoOutAsCodePage932) {
  EXPECT_EQ(encode_text(GetParam().text, ConsoleEncoding::kShiftJis), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ShiftJisTest,
    ::testing::Values(
        // "構" is 0x8D 0x5C: its second byte is a backslash.
        EncodingCase{messages::kBadPlexBlock,
                     " \x8A\x67\x92\xA3\x83\x66\x81\x5B\x83\x5E\x8F\xEE\x95\xF1\x82\xCC\x8D\x5C"
                     "\x91\xA2\x82\xAA\x88\xD9\x8F\xED\x82\xC5\x82\xB7\x81\x42\x81\x40\x8F\x88"
                     "\x97\x9D\x82\xF0\x8F\x49\x97\xB9\x82\xB5\x82\xDC\x82\xB7\x81\x42\n"},
        EncodingCase{messages::kNoFileName,
                     " \x83\x74\x83\x40\x83\x43\x83\x8B\x96\xBC\x82\xCC\x8E\x77\x92\xE8\x82\xAA"
                     "\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x49!\x81\x40\x8F\x88\x97\x9D"
                     "\x82\xF0\x8F\x49\x97\xB9\x82\xB5\x82\xDC\x82\xB7\x81\x42\n"},
        EncodingCase{messages::kMissingValue,
                     " \x83\x49\x83\x76\x83\x56\x83\x87\x83\x93\x8E\x77\x92\xE8\x82\xC9\x8C\xEB"
                     "\x82\xE8\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB7\x81\x42\n"},
        EncodingCase{messages::kHelp[11],
                     " \x97\xE1) C:\\zelvok.exe -s 3 -e 5  -o pl000.srt 00000.mpls\n"},
        EncodingCase{messages::kHelp[12],
                     "     [-s]  PlayItem\x82\xCC\x82\x52\x94\xD4\x96\xDA\x82\xA9\x82\xE7\x8F\x6F"
                     "\x97\xCD\n"},
        EncodingCase{messages::kStreamName, " PlayItem AV Stream FileName = [%s],  "}));

TEST(ConsoleTest, ValuesPassThroughUnchanged) {
  // A file name in UTF-8 or Latin-1 keeps its own bytes, whatever the console.
  const std::string name = "\xE6\x97\xA5\xFF.mpls";
  EXPECT_EQ(render_message(messages::kSubtitleName, name, ConsoleEncoding::kShiftJis),
            "[" + name + "]\n");
  EXPECT_EQ(render_message(messages::kPlayItemCount, "13", ConsoleEncoding::kShiftJis),
            " PlayItem\x90\x94\x82\xCD [13] \x82\xC5\x82\xB7\x81\x42\n");
  EXPECT_EQ(render_message(messages::kPlayItemCount, "13", ConsoleEncoding::kUtf8),
            " PlayItem数は [13] です。\n");
}

TEST(ConsoleTest, UnformattedTextsStayWhole) {
  EXPECT_EQ(render_message("abc\n", "x", ConsoleEncoding::kShiftJis), "abc\n");
  EXPECT_EQ(encode_text(messages::kInvalidOption, ConsoleEncoding::kUtf8),
            messages::kInvalidOption);
}

}  // namespace
}  // namespace zelvok
