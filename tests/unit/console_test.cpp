#include "messages/console.h"

#include <gtest/gtest.h>

#include <string>

#include "messages/messages.h"
#include "platform/terminal.h"

namespace zelvok {
namespace {

struct EncodingCase {
  Message message;
  const char* bytes;    // the Japanese text in Shift_JIS, written out from the code page table
  const char* english;  // the English text, as typed from the catalogue
};

// Every message, as the console receives it; "構" is 0x8D 0x5C, whose second
// byte is a backslash. The help texts are checked against tests/golden.
constexpr EncodingCase kMessages[] = {
    {messages::kNoFileName,
     " \x83\x74\x83\x40\x83\x43\x83\x8B\x96\xBC\x82\xCC\x8E\x77\x92\xE8\x82"
     "\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x49!\x81\x40\x8F\x88"
     "\x97\x9D\x82\xF0\x8F\x49\x97\xB9\x82\xB5\x82\xDC\x82\xB7\x81\x42\n",
     " No file name given. Stopping.\n"},
    {messages::kMissingValue,
     " \x83\x49\x83\x76\x83\x56\x83\x87\x83\x93\x8E\x77\x92\xE8\x82\xC9\x8C"
     "\xEB\x82\xE8\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB7\x81\x42\n",
     " An option is missing its value.\n"},
    {messages::kInvalidOption,
     " \x96\xB3\x8C\xF8\x82\xC8\x83\x49\x83\x76\x83\x56\x83\x87\x83\x93\x8E"
     "\x77\x92\xE8\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB5\x82\xBD\x81\x42\n",
     " Unknown option.\n"},
    {messages::kInputName,
     "\n \x8E\x77\x92\xE8\x82\xCC\x83\x74\x83\x40\x83\x43\x83\x8B\x96\xBC\x82"
     "\xCD\x81\x41[%s]\x82\xC5\x82\xB7\x81\x42\n\n",
     "\n Input file: [%s]\n\n"},
    {messages::kOpenFailed,
     " \x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x8A\x4A\x82\xAD\x82\xB1\x82"
     "\xC6\x82\xAA\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81\x49!\x81\x40"
     "\x8F\x88\x97\x9D\x82\xF0\x8F\x49\x97\xB9\x82\xB5\x82\xDC\x82\xB7\x81\x42"
     "\n",
     " Cannot open the file. Stopping.\n"},
    {messages::kAllocationFailed,
     "\x95\xD2\x8F\x57\x97\x70\x83\x47\x83\x8A\x83\x41\x82\xCC\x8A\x6C\x93\xBE"
     "\x82\xC9\x8E\xB8\x94\x73\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81\x49!\x81"
     "\x40\x8F\x88\x97\x9D\x82\xF0\x8F\x49\x97\xB9\x82\xB5\x82\xDC\x82\xB7\x81"
     "\x42\n",
     "Out of memory. Stopping.\n"},
    {messages::kNotPlaylist,
     "\x83\x76\x83\x8C\x83\x43\x83\x8A\x83\x58\x83\x67\x83\x74\x83\x40\x83\x43"
     "\x83\x8B\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x49"
     "!\x81\x40\x8F\x88\x97\x9D\x82\xF0\x8F\x49\x97\xB9\x82\xB5\x82\xDC\x82"
     "\xB7\x81\x42\n",
     "Not a playlist file. Stopping.\n"},
    {messages::kBadExtensionData,
     "\x83\x76\x83\x8C\x83\x43\x83\x8A\x83\x58\x83\x67\x83\x74\x83\x40\x83\x43"
     "\x83\x8B\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x49"
     "!(\x8A\x67\x92\xA3\x83\x66\x81\x5B\x83\x5E\x83\x47\x83\x8A\x83\x41)\x81"
     "\x40\x8F\x88\x97\x9D\x82\xF0\x8F\x49\x97\xB9\x82\xB5\x82\xDC\x82\xB7\x81"
     "\x42\n",
     "Not a playlist file (extension data). Stopping.\n"},
    {messages::kPlayItemCount, " PlayItem\x90\x94\x82\xCD [%d] \x82\xC5\x82\xB7\x81\x42\n",
     " PlayItems: [%d]\n"},
    {messages::kBadPlexBlock,
     " \x8A\x67\x92\xA3\x83\x66\x81\x5B\x83\x5E\x8F\xEE\x95\xF1\x82\xCC\x8D"
     "\x5C\x91\xA2\x82\xAA\x88\xD9\x8F\xED\x82\xC5\x82\xB7\x81\x42\x81\x40\x8F"
     "\x88\x97\x9D\x82\xF0\x8F\x49\x97\xB9\x82\xB5\x82\xDC\x82\xB7\x81\x42\n",
     " The extension data is malformed. Stopping.\n"},
    {messages::kBadSceneTableSize,
     " \x8A\x67\x92\xA3\x83\x66\x81\x5B\x83\x5E(\x83\x56\x81\x5B\x83\x93)\x8F"
     "\xEE\x95\xF1\x82\xCC\x83\x54\x83\x43\x83\x59\x82\xAA\x88\xD9\x8F\xED\x82"
     "\xC5\x82\xB7\x81\x49!\x81\x40\x8F\x88\x97\x9D\x82\xF0\x8F\x49\x97\xB9"
     "\x82\xB5\x82\xDC\x82\xB7\x81\x42\n",
     " The scene data has a wrong size. Stopping.\n"},
    {messages::kSceneCountMismatch,
     " PlayItem\x90\x94\x82\xC6\x83\x56\x81\x5B\x83\x93\x8F\xEE\x95\xF1(\x8E"
     "\x42\x89\x65\x8A\x4A\x8E\x6E\x93\xFA\x8E\x9E)\x90\x94\x82\xAA\x88\xD9"
     "\x82\xC8\x82\xE8\x82\xDC\x82\xB7\x81\x49!\x81\x40\x8F\x88\x97\x9D\x82"
     "\xF0\x8F\x49\x97\xB9\x82\xB5\x82\xDC\x82\xB7\x81\x42\n",
     " The PlayItems and the dated scenes do not match. Stopping.\n"},
    {messages::kStreamName, " PlayItem AV Stream FileName = [%s],  ",
     " PlayItem AV Stream FileName = [%s],  "},
    {messages::kSubtitleName, "[%s]\n", "[%s]\n"},
    {messages::kRecordingDate,
     "          \x83\x56\x81\x5B\x83\x93\x82\xCC\x8B\x4C\x98\x5E\x93\xFA\x8E"
     "\x9E\x82\xCD\x81\x41[%s] \x82\xC5\x82\xB7\x81\x42\n",
     "          Recorded at [%s]\n"},
    {messages::kOutputOpenFailed,
     " \x8E\x9A\x96\x8B\x8F\x6F\x97\xCD\x83\x74\x83\x40\x83\x43\x83\x8B(%s)"
     "\x82\xF0\x8A\x4A\x82\xAF\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD"
     "\x81\x49!\x81\x40\x8F\x88\x97\x9D\x82\xF0\x8F\x49\x97\xB9\x82\xB5\x82"
     "\xDC\x82\xB7\x81\x42\n",
     " Subtitle file (%s) cannot be opened. Stopping.\n"},
    {messages::kOutputWriteFailed,
     " \x8E\x9A\x96\x8B\x8F\x6F\x97\xCD\x83\x74\x83\x40\x83\x43\x83\x8B(%s)"
     "\x82\xD6\x82\xCC\x8F\x91\x82\xAB\x8D\x9E\x82\xDD\x82\xC9\x8E\xB8\x94\x73"
     "\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81\x49!\x81\x40\x8F\x88\x97\x9D\x82"
     "\xF0\x8F\x49\x97\xB9\x82\xB5\x82\xDC\x82\xB7\x81\x42\n",
     " Subtitle file (%s) cannot be written. Stopping.\n"},
    {messages::kBadShift,
     " \x8E\x9E\x8D\x8F\x95\xE2\x90\xB3(--shift)\x82\xCC\x8E\x77\x92\xE8\x82"
     "\xC9\x8C\xEB\x82\xE8\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB7\x81\x42\n",
     " The --shift value is not valid.\n"},
    {messages::kShiftImpossible,
     " \x83\x56\x81\x5B\x83\x93\x82\xCC\x8B\x4C\x98\x5E\x93\xFA\x8E\x9E\x82"
     "\xAA\x88\xD9\x8F\xED\x82\xC8\x82\xBD\x82\xDF\x81\x41\x8E\x9E\x8D\x8F\x82"
     "\xF0\x95\xE2\x90\xB3\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81\x49!"
     "\x81\x40\x8F\x88\x97\x9D\x82\xF0\x8F\x49\x97\xB9\x82\xB5\x82\xDC\x82\xB7"
     "\x81\x42\n",
     " A recording date is damaged or would leave the years 0000-9999: it cannot be moved. "
     "Stopping.\n"},
    {messages::kBadFormat,
     " \x93\xFA\x95\x74\x8F\x91\x8E\xAE(--format)\x82\xCC\x8E\x77\x92\xE8"
     "\x82\xC9\x8C\xEB\x82\xE8\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB7\x81"
     "\x42\n",
     " The --format value is not valid.\n"},
    {messages::kFormatImpossible,
     " \x83\x56\x81\x5B\x83\x93\x82\xCC\x8B\x4C\x98\x5E\x93\xFA\x8E\x9E"
     "\x82\xAA\x88\xD9\x8F\xED\x82\xC8\x82\xBD\x82\xDF\x81\x41\x93\xFA\x95"
     "\x74\x8F\x91\x8E\xAE\x82\xF0\x93\x4B\x97\x70\x82\xC5\x82\xAB\x82\xDC"
     "\x82\xB9\x82\xF1\x81\x49!\x81\x40\x8F\x88\x97\x9D\x82\xF0\x8F\x49"
     "\x97\xB9\x82\xB5\x82\xDC\x82\xB7\x81\x42\n",
     " A recording date is damaged: it has no weekday, month name or 12-hour time. Stopping.\n"},
    {messages::kBadZone,
     " \x83\x5E\x83\x43\x83\x80\x83\x5D\x81\x5B\x83\x93(--zone)\x82\xCC"
     "\x8E\x77\x92\xE8\x82\xC9\x8C\xEB\x82\xE8\x82\xAA\x82\xA0\x82\xE8\x82"
     "\xDC\x82\xB7\x81\x42\n",
     " The --zone value is not valid.\n"},
    {messages::kZoneNotRecorded,
     " \x83\x56\x81\x5B\x83\x93\x82\xC9\x83\x5E\x83\x43\x83\x80\x83\x5D"
     "\x81\x5B\x83\x93\x82\xAA\x8B\x4C\x98\x5E\x82\xB3\x82\xEA\x82\xC4\x82"
     "\xA2\x82\xC8\x82\xA2\x82\xBD\x82\xDF\x81\x41\x8E\x9E\x8D\x8F\x82\xF0"
     "\x95\xCF\x8A\xB7\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81\x49!"
     "\x81\x40\x8F\x88\x97\x9D\x82\xF0\x8F\x49\x97\xB9\x82\xB5\x82\xDC\x82"
     "\xB7\x81\x42\n",
     " A scene has no time zone recorded: it cannot be converted. Stopping.\n"},
    {messages::kNoStreamDate,
     " \x83\x58\x83\x67\x83\x8A\x81\x5B\x83\x80\x82\xC9\x8E\x42\x89\x65"
     "\x93\xFA\x8E\x9E\x82\xCC\x8F\xEE\x95\xF1\x82\xAA\x82\xA0\x82\xE8\x82"
     "\xDC\x82\xB9\x82\xF1\x81\x49!\x81\x40\x8F\x88\x97\x9D\x82\xF0\x8F"
     "\x49\x97\xB9\x82\xB5\x82\xDC\x82\xB7\x81\x42\n",
     " The stream holds no recording date. Stopping.\n"},
};

TEST(ShiftJisTest, EveryMessageGoesOutAsCodePage932) {
  for (const EncodingCase& message : kMessages) {
    EXPECT_EQ(message.message.shift_jis, message.bytes) << message.bytes;
  }
}

// English is plain ASCII: the same bytes in a pipe, a log and a terminal.
TEST(EnglishTest, EveryMessageHasItsTwinInPlainAscii) {
  for (const EncodingCase& message : kMessages) {
    const std::string_view english = text_in(message.message, Language::kEnglish);
    EXPECT_EQ(english, message.english);
    for (const ConsoleEncoding encoding : {ConsoleEncoding::kShiftJis, ConsoleEncoding::kUtf8}) {
      EXPECT_EQ(console_text(message.message, Console{nullptr, encoding, Language::kEnglish}),
                message.english);
    }
  }
}

TEST(EnglishTest, OnlyZelvokLangEnSelectsEnglish) {
  const std::pair<const char*, Language> values[] = {
      {"en", Language::kEnglish},           {"en_US.UTF-8", Language::kEnglish},
      {"en.utf8", Language::kEnglish},      {"en@latin", Language::kEnglish},
      {"EN", Language::kEnglish},           {"En-gb", Language::kEnglish},
      {"ja", Language::kJapanese},          {"ja_JP.UTF-8", Language::kJapanese},
      {"de_DE.UTF-8", Language::kJapanese}, {"english", Language::kJapanese},
      {"C", Language::kJapanese},           {"", Language::kJapanese},
      {"e", Language::kJapanese},           {" en", Language::kJapanese},
      {"en ", Language::kJapanese},         {nullptr, Language::kJapanese}};
  for (const auto& [value, language] : values) {
    EXPECT_EQ(language_named(value), language) << (value == nullptr ? "(not set)" : value);
  }
}

TEST(ConsoleTest, ValuesPassThroughUnchanged) {
  // A file name in UTF-8 or Latin-1 keeps its own bytes, whatever the console.
  const std::string name = "\xE6\x97\xA5\xFF.mpls";
  EXPECT_EQ(render_message(messages::kSubtitleName.shift_jis, name, ConsoleEncoding::kShiftJis),
            "[" + name + "]\n");
  EXPECT_EQ(render_message(messages::kPlayItemCount.shift_jis, "13", ConsoleEncoding::kShiftJis),
            " PlayItem\x90\x94\x82\xCD [13] \x82\xC5\x82\xB7\x81\x42\n");
  EXPECT_EQ(render_message(messages::kPlayItemCount.japanese, "13", ConsoleEncoding::kUtf8),
            " PlayItem数は [13] です。\n");
}

// The first of LC_ALL, LC_CTYPE and LANG that is set and not empty decides.
TEST(TerminalTest, TheLocaleVariablesNameUtf8) {
  struct Locale {
    const char* lc_all;
    const char* lc_ctype;
    const char* lang;
    bool utf8;
  };
  const Locale locales[] = {{nullptr, nullptr, "en_US.UTF-8", true},
                            {nullptr, nullptr, "xx_YY.utf8", true},
                            {nullptr, nullptr, "C.Utf-8", true},
                            {"C", nullptr, "ja_JP.UTF-8", false},
                            {"", "ja_JP.UTF-8", "C", true},
                            {nullptr, "POSIX", "en_US.UTF-8", false},
                            {nullptr, nullptr, "ja_JP.eucJP", false},
                            {nullptr, nullptr, "ja_JP.SJIS", false},
                            {"", "", "", false},
                            {nullptr, nullptr, nullptr, false}};
  for (const Locale& locale : locales) {
    EXPECT_EQ(locale_names_utf8(locale.lc_all, locale.lc_ctype, locale.lang), locale.utf8)
        << (locale.lang == nullptr ? "-" : locale.lang);
  }
}

TEST(ConsoleTest, UnformattedTextsStayWhole) {
  EXPECT_EQ(render_message("abc\n", "x", ConsoleEncoding::kShiftJis), "abc\n");
  EXPECT_EQ(console_text(messages::kInvalidOption, Console{nullptr, ConsoleEncoding::kUtf8}),
            messages::kInvalidOption.japanese);
}

}  // namespace
}  // namespace zelvok
