// Every text the program prints on the console, each held once.
//
// The texts are kept here in UTF-8 so that they can be read and reviewed; the
// console module turns them into Shift_JIS (code page 932) bytes as they are
// printed. "%s" or "%d" marks the one value a text takes.
#pragma once

#include <array>
#include <string_view>

namespace zelvok::messages {

// No input name was given.
inline constexpr std::string_view kNoFileName =
    " ファイル名の指定がありません！!　処理を終了します。\n";
// A value-taking option ends the argument list.
inline constexpr std::string_view kMissingValue = " オプション指定に誤りがあります。\n";
// An option letter other than h, s, e and o.
inline constexpr std::string_view kInvalidOption = " 無効なオプション指定がありました。\n";
// --version: the program's name and version.
inline constexpr std::string_view kVersion = "zelvok %s\n";
// The input name, before the playlist is read.
inline constexpr std::string_view kInputName = "\n 指定のファイル名は、[%s]です。\n\n";
// The playlist cannot be opened or read.
inline constexpr std::string_view kOpenFailed =
    " ファイルを開くことができません！!　処理を終了します。\n";
// No memory for the playlist, or a file far larger than any playlist.
inline constexpr std::string_view kAllocationFailed =
    "編集用エリアの獲得に失敗しました！!　処理を終了します。\n";
// Header, PlayList or PlayItem records unusable.
inline constexpr std::string_view kNotPlaylist =
    "プレイリストファイルではありません！!　処理を終了します。\n";
// Extension data size, entry count or IDs wrong.
inline constexpr std::string_view kBadExtensionData =
    "プレイリストファイルではありません！!(拡張データエリア)　処理を終了します。\n";
// Progress line once the PlayList is found.
inline constexpr std::string_view kPlayItemCount = " PlayItem数は [%d] です。\n";
// "PLEX" block missing, short, or of the wrong length.
inline constexpr std::string_view kBadPlexBlock =
    " 拡張データ情報の構造が異常です。　処理を終了します。\n";
// Scene table size wrong or table beyond the file.
inline constexpr std::string_view kBadSceneTableSize =
    " 拡張データ(シーン)情報のサイズが異常です！!　処理を終了します。\n";
// Dated scene entries do not match the PlayItems.
inline constexpr std::string_view kSceneCountMismatch =
    " PlayItem数とシーン情報(撮影開始日時)数が異なります！!　処理を終了します。\n";
// First half of a selected PlayItem's console line.
inline constexpr std::string_view kStreamName = " PlayItem AV Stream FileName = [%s],  ";
// Second half: the per-clip subtitle file.
inline constexpr std::string_view kSubtitleName = "[%s]\n";
// The recording date of a selected PlayItem.
inline constexpr std::string_view kRecordingDate = "          シーンの記録日時は、[%s] です。\n";
// A subtitle file cannot be opened, or would overwrite the input.
inline constexpr std::string_view kOutputOpenFailed =
    " 字幕出力ファイル(%s)を開けませんでした！!　処理を終了します。\n";
// --shift given a value that is not an offset.
inline constexpr std::string_view kBadShift = " 時刻補正(--shift)の指定に誤りがあります。\n";
// A scene's recording date is not a real one, or a shift would move it out of
// the years 0000-9999.
inline constexpr std::string_view kShiftImpossible =
    " シーンの記録日時が異常なため、時刻を補正できません！!　処理を終了します。\n";
// --format given a text that is not a date form.
inline constexpr std::string_view kBadFormat = " 日付書式(--format)の指定に誤りがあります。\n";
// A form that names weekdays or months, or keeps a 12-hour clock, meets a
// recording date that is not a real one.
inline constexpr std::string_view kFormatImpossible =
    " シーンの記録日時が異常なため、日付書式を適用できません！!　処理を終了します。\n";
// --zone given a value that is not a UTC offset.
inline constexpr std::string_view kBadZone = " タイムゾーン(--zone)の指定に誤りがあります。\n";
// --zone meets a scene whose camera recorded no time zone.
inline constexpr std::string_view kZoneNotRecorded =
    " シーンにタイムゾーンが記録されていないため、時刻を変換できません！!　処理を終了します。\n";
// A write or close of a subtitle file failed.
inline constexpr std::string_view kOutputWriteFailed =
    " 字幕出力ファイル(%s)への書き込みに失敗しました！!　処理を終了します。\n";

// The help text, printed line by line on -h.
inline constexpr std::array<std::string_view, 22> kHelp = {
    "\n",
    " ===== オプション指定の説明 =====\n",
    " [-o] オプション：PlayList全体の字幕ファイル名を指定。\n",
    "                  ※指定しない場合のファイル名は、playlist.srt となる。\n",
    " [-s] オプション：PlayListファイルに含まれるPlayItemにおいて、\n",
    "                  出力開始するPlayItem番号(１始まり)を指定。\n",
    "                  ※指定しない場合は、最初のPlayItemから出力。\n",
    " [-e] オプション：PlayListファイルに含まれるPlayItemにおいて、\n",
    "                  出力停止するPlayItem番号を指定。\n",
    "                  ※指定しない場合は、最後のPlayItemまで出力。\n",
    "\n",
    " 例) C:\\zelvok.exe -s 3 -e 5  -o pl000.srt 00000.mpls\n",
    "     [-s]  PlayItemの３番目から出力\n",
    "     [-e]  PlayItemの５番目まで出力\n",
    "     [-o]  PlayList全体の字幕ファイル名を [pl000.srt] として出力\n",
    "\n",
    "     オプションに使用用途としては、一つのプレイリストに数多くの\n",
    "     撮影シーンが含まれる時に、その一部のみを日時字幕として抜き\n",
    "     出したい時などに使用する。\n",
    "     また、一つの作業フォルダで複数のプレイリストを入力する時に、\n",
    "     プレイリスト全体の日時字幕ファイルが上書きされてしまうため、\n",
    "     それを避けるために[-o]オプションによりファイル名を指定できる。\n",
};

// What --help prints after the help text: the long options.
inline constexpr std::array<std::string_view, 13> kLongOptionHelp = {
    "\n",
    " ===== 拡張オプションの説明 =====\n",
    " [--shift=時間]  ：記録日時を補正。例) --shift=+1:00  --shift=-0:00:30\n",
    " [--format=書式] ：字幕の日時の書式を指定。%Y %y %m %d %e %H %I %M %S %p\n",
    "                   %a %A %b %B %z(タイムゾーン) %n(改行) %%(%) が使える。\n",
    "                   例) --format=\"%d.%m.%Y %H:%M\"\n",
    " [--zone=時差]   ：記録日時を指定の時差の時刻に変換。例) --zone=+9:00\n",
    " [--version]     ：版数を表示。\n",
    " [--help]        ：この説明を表示。\n",
    "\n",
    "     プレイリストの代わりにビデオクリップ(.MTS .m2ts)を指定すると、\n",
    "     クリップ自身に記録された撮影日時から字幕を出力する。\n",
    "     環境変数 ZELVOK_LANG=en で英語、ZELVOK_LANG=ja で日本語のメッセージを表示する。\n",
};

}  // namespace zelvok::messages
