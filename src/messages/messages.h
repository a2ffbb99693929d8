// Every text the program prints on the console, each held once, in both of
// its languages side by side.
//
// The Japanese texts are kept here in UTF-8 so that they can be read and
// reviewed; the build writes their Shift_JIS (code page 932) bytes beside
// them (cmake/shift_jis_messages.py), so that printing one loads no
// converter and cannot fail. The English texts are plain ASCII, the same
// bytes in every encoding. "%s" or "%d" marks the one value a text takes.
#pragma once

#include <string_view>

#include "messages/shift_jis.h"

namespace zelvok {

enum class Language {
  kJapanese,  // the texts as they have always been, and the default
  kEnglish,   // on request
};

struct Message {
  std::string_view japanese;   // UTF-8, as a terminal that shows UTF-8 gets it
  std::string_view english;    // plain ASCII
  std::string_view shift_jis;  // the Japanese text's bytes in code page 932, made at build time
};

inline constexpr std::string_view text_in(const Message& message, Language language) {
  return language == Language::kEnglish ? message.english : message.japanese;
}

}  // namespace zelvok

namespace zelvok::messages {

// No input name was given.
inline constexpr Message kNoFileName = {" ファイル名の指定がありません！!　処理を終了します。\n",
                                        " No file name given. Stopping.\n", shift_jis::kNoFileName};
// A value-taking option ends the argument list.
inline constexpr Message kMissingValue = {" オプション指定に誤りがあります。\n",
                                          " An option is missing its value.\n",
                                          shift_jis::kMissingValue};
// An option letter other than h, s, e and o.
inline constexpr Message kInvalidOption = {" 無効なオプション指定がありました。\n",
                                           " Unknown option.\n", shift_jis::kInvalidOption};
// --version: the program's name and version.
inline constexpr Message kVersion = {"zelvok %s\n", "zelvok %s\n", shift_jis::kVersion};
// The input name, before the playlist is read.
inline constexpr Message kInputName = {"\n 指定のファイル名は、[%s]です。\n\n",
                                       "\n Input file: [%s]\n\n", shift_jis::kInputName};
// The playlist cannot be opened or read.
inline constexpr Message kOpenFailed = {" ファイルを開くことができません！!　処理を終了します。\n",
                                        " Cannot open the file. Stopping.\n",
                                        shift_jis::kOpenFailed};
// No memory for the playlist, or a file far larger than any playlist.
inline constexpr Message kAllocationFailed = {
    "編集用エリアの獲得に失敗しました！!　処理を終了します。\n", "Out of memory. Stopping.\n",
    shift_jis::kAllocationFailed};
// Header, PlayList or PlayItem records unusable.
inline constexpr Message kNotPlaylist = {
    "プレイリストファイルではありません！!　処理を終了します。\n",
    "Not a playlist file. Stopping.\n", shift_jis::kNotPlaylist};
// Extension data size, entry count or IDs wrong.
inline constexpr Message kBadExtensionData = {
    "プレイリストファイルではありません！!(拡張データエリア)　処理を終了します。\n",
    "Not a playlist file (extension data). Stopping.\n", shift_jis::kBadExtensionData};
// Progress line once the PlayList is found.
inline constexpr Message kPlayItemCount = {" PlayItem数は [%d] です。\n", " PlayItems: [%d]\n",
                                           shift_jis::kPlayItemCount};
// "PLEX" block missing, short, or of the wrong length.
inline constexpr Message kBadPlexBlock = {" 拡張データ情報の構造が異常です。　処理を終了します。\n",
                                          " The extension data is malformed. Stopping.\n",
                                          shift_jis::kBadPlexBlock};
// Scene table size wrong or table beyond the file.
inline constexpr Message kBadSceneTableSize = {
    " 拡張データ(シーン)情報のサイズが異常です！!　処理を終了します。\n",
    " The scene data has a wrong size. Stopping.\n", shift_jis::kBadSceneTableSize};
// Dated scene entries do not match the PlayItems.
inline constexpr Message kSceneCountMismatch = {
    " PlayItem数とシーン情報(撮影開始日時)数が異なります！!　処理を終了します。\n",
    " The PlayItems and the dated scenes do not match. Stopping.\n",
    shift_jis::kSceneCountMismatch};
// First half of a selected PlayItem's console line.
inline constexpr Message kStreamName = {" PlayItem AV Stream FileName = [%s],  ",
                                        " PlayItem AV Stream FileName = [%s],  ",
                                        shift_jis::kStreamName};
// Second half: the per-clip subtitle file.
inline constexpr Message kSubtitleName = {"[%s]\n", "[%s]\n", shift_jis::kSubtitleName};
// The recording date of a selected PlayItem.
inline constexpr Message kRecordingDate = {"          シーンの記録日時は、[%s] です。\n",
                                           "          Recorded at [%s]\n",
                                           shift_jis::kRecordingDate};
// A subtitle file cannot be opened, or would overwrite the input.
inline constexpr Message kOutputOpenFailed = {
    " 字幕出力ファイル(%s)を開けませんでした！!　処理を終了します。\n",
    " Subtitle file (%s) cannot be opened. Stopping.\n", shift_jis::kOutputOpenFailed};
// --shift given a value that is not an offset.
inline constexpr Message kBadShift = {" 時刻補正(--shift)の指定に誤りがあります。\n",
                                      " The --shift value is not valid.\n", shift_jis::kBadShift};
// A scene's recording date is not a real one, or a shift would move it out of
// the years 0000-9999.
inline constexpr Message kShiftImpossible = {
    " シーンの記録日時が異常なため、時刻を補正できません！!　処理を終了します。\n",
    " A recording date is damaged or would leave the years 0000-9999: it cannot be moved. "
    "Stopping.\n",
    shift_jis::kShiftImpossible};
// --format given a text that is not a date form.
inline constexpr Message kBadFormat = {" 日付書式(--format)の指定に誤りがあります。\n",
                                       " The --format value is not valid.\n",
                                       shift_jis::kBadFormat};
// A form that names weekdays or months, or keeps a 12-hour clock, meets a
// recording date that is not a real one.
inline constexpr Message kFormatImpossible = {
    " シーンの記録日時が異常なため、日付書式を適用できません！!　処理を終了します。\n",
    " A recording date is damaged: it has no weekday, month name or 12-hour time. Stopping.\n",
    shift_jis::kFormatImpossible};
// --zone given a value that is not a UTC offset.
inline constexpr Message kBadZone = {" タイムゾーン(--zone)の指定に誤りがあります。\n",
                                     " The --zone value is not valid.\n", shift_jis::kBadZone};
// --zone meets a scene whose camera recorded no time zone.
inline constexpr Message kZoneNotRecorded = {
    " シーンにタイムゾーンが記録されていないため、時刻を変換できません！!　処理を終了します。\n",
    " A scene has no time zone recorded: it cannot be converted. Stopping.\n",
    shift_jis::kZoneNotRecorded};
// A write or close of a subtitle file failed.
inline constexpr Message kOutputWriteFailed = {
    " 字幕出力ファイル(%s)への書き込みに失敗しました！!　処理を終了します。\n",
    " Subtitle file (%s) cannot be written. Stopping.\n", shift_jis::kOutputWriteFailed};
// -s, -e or -o with clips or folders.
inline constexpr Message kPicksNeedPlaylist = {
    " -s -e -o オプションはプレイリストを指定した時だけ使えます！!　処理を終了します。\n",
    " -s, -e and -o apply only to a playlist. Stopping.\n", shift_jis::kPicksNeedPlaylist};
// --output-dir with a playlist, or a name that is neither a clip nor a folder.
inline constexpr Message kOutputDirNeedsClips = {
    " --output-dir はクリップかフォルダを指定した時だけ使えます！!　処理を終了します。\n",
    " --output-dir applies only to clips and folders. Stopping.\n",
    shift_jis::kOutputDirNeedsClips};
// Several names, some clips or folders and some not.
inline constexpr Message kMixedNames = {
    " 複数の名前を指定する時は、すべてクリップかフォルダにしてください！!　処理を終了します。\n",
    " When several names are given, each must be a clip or a folder. Stopping.\n",
    shift_jis::kMixedNames};
// A folder of a folder run whose names cannot be read; it counts as a clip
// that failed.
inline constexpr Message kFolderUnreadable = {" フォルダ(%s)を読むことができません。\n",
                                              " Folder (%s) cannot be read.\n",
                                              shift_jis::kFolderUnreadable};
// A folder run that finds no clip at all.
inline constexpr Message kNoClipInFolder = {
    " フォルダにクリップ(.MTS .m2ts)が見つかりません！!　処理を終了します。\n",
    " No clip (.MTS .m2ts) found in the folder. Stopping.\n", shift_jis::kNoClipInFolder};
// A clip of a folder run whose subtitle file is there already.
inline constexpr Message kSubtitleThere = {" 字幕ファイルが既にあるため、出力しません。\n",
                                           " A subtitle file is already there: left as it is.\n",
                                           shift_jis::kSubtitleThere};
// A clip of a folder run that is no stream, or has no dated frame.
inline constexpr Message kClipUndated = {" クリップから撮影日時を読み取れません。\n",
                                         " No recording date can be read from the clip.\n",
                                         shift_jis::kClipUndated};
// A clip of a folder run whose date fails the checks of --shift, --zone or
// --format.
inline constexpr Message kClipDateRefused = {
    " 撮影日時が異常なため、このクリップの字幕は出力しません。\n",
    " The recording date is damaged or cannot be converted: no subtitles for this clip.\n",
    shift_jis::kClipDateRefused};
// A clip of a folder run whose subtitle file could not be written.
inline constexpr Message kClipWriteFailed = {" 字幕ファイルを書き込めませんでした。\n",
                                             " The subtitle file cannot be written.\n",
                                             shift_jis::kClipWriteFailed};
// A clip of a folder run that cannot be opened or read.
inline constexpr Message kClipUnreadable = {" クリップを読むことができません。\n",
                                            " The clip cannot be read.\n",
                                            shift_jis::kClipUnreadable};
// A clip of a folder run for which there was not memory enough.
inline constexpr Message kClipOutOfMemory = {
    " メモリが足りないため、クリップを読むことができません。\n",
    " Out of memory: the clip cannot be read.\n", shift_jis::kClipOutOfMemory};
// A clip whose subtitle file would go where this run put another clip's.
inline constexpr Message kPlaceTaken = {
    " 別のクリップの字幕と同じ場所になるため、出力しません。\n",
    " Another clip's subtitle file has this place: not written.\n", shift_jis::kPlaceTaken};
// A clip whose subtitle file would hold no cue.
inline constexpr Message kNothingToShow = {
    " 字幕にする内容がないため、出力しません。\n",
    " Nothing to show for this clip: no subtitle file written.\n", shift_jis::kNothingToShow};
// After the summary: each clip that failed, as its own line shows it.
inline constexpr Message kFailedClip = {" 失敗したクリップ: [%s]\n", " Failed clip: [%s]\n",
                                        shift_jis::kFailedClip};
// The end of a folder run: clips found; written, of them dated from
// playlists and from streams; already there; failed.
inline constexpr Message kFolderSummary = {
    "\n クリップ [%d] 本：出力 [%d] 本(プレイリストから %d 本、ストリームから %d 本)、既存 [%d] "
    "本、"
    "失敗 [%d] 本\n",
    "\n Clips: [%d]; written [%d] (from playlists %d, from streams %d); already there [%d]; "
    "failed [%d]\n",
    shift_jis::kFolderSummary};
// --mkv with no ffmpeg to be found.
inline constexpr Message kNoFfmpeg = {
    " --mkv には ffmpeg が必要ですが、見つかりません！!　処理を終了します。\n",
    " --mkv needs ffmpeg, which was not found. Stopping.\n", shift_jis::kNoFfmpeg};
// --mkv with a playlist.
inline constexpr Message kMkvNeedsClip = {
    " --mkv はクリップかフォルダを指定した時だけ使えます！!　処理を終了します。\n",
    " --mkv applies only to a clip or a folder. Stopping.\n", shift_jis::kMkvNeedsClip};
// --camera, --gps or --gpx with a playlist.
inline constexpr Message kCameraNeedsClips = {
    " --camera、--gps、--gpx はクリップかフォルダを指定した時だけ使えます！!　処理を終了します。\n",
    " --camera, --gps and --gpx apply only to clips and folders. Stopping.\n",
    shift_jis::kCameraNeedsClips};
// --gpx for a clip whose frames hold no valid GPS fix; not a failure.
inline constexpr Message kNoGpsFix = {" GPS情報がないため、GPXファイルは出力しません。\n",
                                      " No GPS fix in the clip: no GPX file written.\n",
                                      shift_jis::kNoGpsFix};
// A clip's MKV, made.
inline constexpr Message kMkvMade = {" MKVファイルを作成しました: [%s]\n", " MKV made: [%s]\n",
                                     shift_jis::kMkvMade};
// A clip's MKV that is there already, without --overwrite.
inline constexpr Message kMkvThere = {" MKVファイルが既にあるため、作成しません: [%s]\n",
                                      " MKV already there, left as it is: [%s]\n",
                                      shift_jis::kMkvThere};
// A clip whose MKV would go where this run put another clip's.
inline constexpr Message kMkvPlaceTaken = {
    " 別のクリップのMKVと同じ場所になるため、作成しません: [%s]\n",
    " Another clip's MKV has this place: not made: [%s]\n", shift_jis::kMkvPlaceTaken};
// The end of a run with --mkv, after the clips' summary: made, already
// there, failed.
inline constexpr Message kMkvSummary = {" MKV：作成 [%d] 本、既存 [%d] 本、失敗 [%d] 本\n",
                                        " MKV: made [%d]; already there [%d]; failed [%d]\n",
                                        shift_jis::kMkvSummary};
// ffmpeg failed to make a clip's MKV; its last lines follow.
inline constexpr Message kMkvFailed = {" ffmpeg でMKVを作成できませんでした(%s)！!\n",
                                       " ffmpeg could not make the MKV (%s).\n",
                                       shift_jis::kMkvFailed};
// One of the last lines ffmpeg wrote, after kMkvFailed or kMp4Failed, as it
// wrote it.
inline constexpr Message kFfmpegErrorLine = {"   %s\n", "   %s\n", shift_jis::kFfmpegErrorLine};
// How far the MKV of a clip has come, rewritten in place on a terminal.
inline constexpr Message kMkvProgress = {" MKV %s\r", " MKV %s\r", shift_jis::kMkvProgress};

// --mp4 or --burn with no ffmpeg to be found.
inline constexpr Message kNoFfmpegForMp4 = {
    " --mp4 には ffmpeg が必要ですが、見つかりません！!　処理を終了します。\n",
    " --mp4 needs ffmpeg, which was not found. Stopping.\n", shift_jis::kNoFfmpegForMp4};
// --mp4 or --burn with a playlist.
inline constexpr Message kMp4NeedsClip = {
    " --mp4 はクリップかフォルダを指定した時だけ使えます！!　処理を終了します。\n",
    " --mp4 applies only to a clip or a folder. Stopping.\n", shift_jis::kMp4NeedsClip};
// --burn with an ffmpeg that lacks what drawing the dates takes: the
// subtitles filter, libx264, or both.
inline constexpr Message kFfmpegLacks = {
    " ffmpeg に必要な機能(%s)がありません！!　処理を終了します。\n",
    " ffmpeg lacks what this needs (%s). Stopping.\n", shift_jis::kFfmpegLacks};
// A clip's MP4, made.
inline constexpr Message kMp4Made = {" MP4ファイルを作成しました: [%s]\n", " MP4 made: [%s]\n",
                                     shift_jis::kMp4Made};
// A clip's MP4 that is there already, without --overwrite.
inline constexpr Message kMp4There = {" MP4ファイルが既にあるため、作成しません: [%s]\n",
                                      " MP4 already there, left as it is: [%s]\n",
                                      shift_jis::kMp4There};
// A clip whose MP4 would go where this run put another clip's.
inline constexpr Message kMp4PlaceTaken = {
    " 別のクリップのMP4と同じ場所になるため、作成しません: [%s]\n",
    " Another clip's MP4 has this place: not made: [%s]\n", shift_jis::kMp4PlaceTaken};
// The end of a run with --mp4, after the MKV's summary.
inline constexpr Message kMp4Summary = {" MP4：作成 [%d] 本、既存 [%d] 本、失敗 [%d] 本\n",
                                        " MP4: made [%d]; already there [%d]; failed [%d]\n",
                                        shift_jis::kMp4Summary};
// ffmpeg failed to make a clip's MP4; its last lines follow.
inline constexpr Message kMp4Failed = {" ffmpeg でMP4を作成できませんでした(%s)！!\n",
                                       " ffmpeg could not make the MP4 (%s).\n",
                                       shift_jis::kMp4Failed};
// How far the MP4 of a clip has come, rewritten in place on a terminal.
inline constexpr Message kMp4Progress = {" MP4 %s\r", " MP4 %s\r", shift_jis::kMp4Progress};
// An MKV or MP4 made of a clip whose camera recorded no zone: once a run.
inline constexpr Message kNoCreationTime = {
    " カメラがタイムゾーンを記録していないため、作成日時は書き込みません。\n",
    " The camera recorded no time zone: no creation time written.\n", shift_jis::kNoCreationTime};

// The help text, printed on -h and --help.
inline constexpr Message kHelp = {
    "\n"
    " ===== オプション指定の説明 =====\n"
    " [-o] オプション：PlayList全体の字幕ファイル名を指定。\n"
    "                  ※指定しない場合のファイル名は、playlist.srt となる。\n"
    " [-s] オプション：PlayListファイルに含まれるPlayItemにおいて、\n"
    "                  出力開始するPlayItem番号(１始まり)を指定。\n"
    "                  ※指定しない場合は、最初のPlayItemから出力。\n"
    " [-e] オプション：PlayListファイルに含まれるPlayItemにおいて、\n"
    "                  出力停止するPlayItem番号を指定。\n"
    "                  ※指定しない場合は、最後のPlayItemまで出力。\n"
    "\n"
    " 例) C:\\zelvok.exe -s 3 -e 5  -o pl000.srt 00000.mpls\n"
    "     [-s]  PlayItemの３番目から出力\n"
    "     [-e]  PlayItemの５番目まで出力\n"
    "     [-o]  PlayList全体の字幕ファイル名を [pl000.srt] として出力\n"
    "\n"
    "     オプションに使用用途としては、一つのプレイリストに数多くの\n"
    "     撮影シーンが含まれる時に、その一部のみを日時字幕として抜き\n"
    "     出したい時などに使用する。\n"
    "     また、一つの作業フォルダで複数のプレイリストを入力する時に、\n"
    "     プレイリスト全体の日時字幕ファイルが上書きされてしまうため、\n"
    "     それを避けるために[-o]オプションによりファイル名を指定できる。\n",
    "\n"
    " ===== Options =====\n"
    " [-o] : the name of the subtitle file for the whole PlayList.\n"
    "        If not given, the file is named playlist.srt.\n"
    " [-s] : the number (from 1) of the first PlayItem of the PlayList\n"
    "        to write.\n"
    "        If not given, writing starts at the first PlayItem.\n"
    " [-e] : the number of the last PlayItem of the PlayList to write.\n"
    "        If not given, writing goes on to the last PlayItem.\n"
    "\n"
    " e.g.) zelvok -s 3 -e 5 -o pl000.srt 00000.mpls\n"
    "     [-s]  write from the 3rd PlayItem\n"
    "     [-e]  write up to the 5th PlayItem\n"
    "     [-o]  name the whole-PlayList subtitle file [pl000.srt]\n"
    "\n"
    "     The options serve to take the date subtitles of only some of\n"
    "     the scenes when one playlist holds many recorded scenes.\n"
    "     And when several playlists are read in one working folder,\n"
    "     the whole-playlist subtitle file would be overwritten: [-o]\n"
    "     avoids that by naming the file.\n",
    shift_jis::kHelp};

// What --help prints after the help text: the long options.
inline constexpr Message kLongOptionHelp = {
    "\n"
    " ===== 拡張オプションの説明 =====\n"
    " [--shift=時間]  ：記録日時を補正。例) --shift=+1:00  --shift=-0:00:30\n"
    " [--format=書式] ：字幕の日時の書式を指定。%Y %y %m %d %e %H %I %M %S %p\n"
    "                   %a %A %b %B %z(タイムゾーン) %n(改行) %%(%) が使える。\n"
    "                   例) --format=\"%d.%m.%Y %H:%M\"\n"
    " [--zone=時差]   ：記録日時を指定の時差の時刻に変換。例) --zone=+9:00\n"
    " [--vtt]         ：字幕をWebVTT形式(.vtt)で出力。\n"
    " [--output-dir=出力先]：クリップかフォルダの指定時、字幕を出力先フォルダの下に出力。\n"
    " [--overwrite]   ：クリップかフォルダの指定時、既存の字幕ファイルを上書き。\n"
    " [--mkv]         ：字幕を字幕トラックとして入れたMKVを作成(ffmpegが必要)。\n"
    " [--mp4]         ：スマートフォンやテレビで再生できるMP4を作成(ffmpegが必要)。\n"
    " [--burn]        ：MKVやMP4の映像に日時を焼き込む(再エンコード)。単独ならMP4を作成。\n"
    " [--camera]      "
    "：クリップかフォルダの指定時、日時の下に撮影設定(絞り、シャッター等)を表示。\n"
    " [--gps]         ：クリップかフォルダの指定時、日時の下に撮影位置を表示。\n"
    " [--gpx]         ：クリップかフォルダの指定時、GPSの軌跡をGPXファイルに出力。\n"
    " [--version]     ：版数を表示。\n"
    " [--help]        ：この説明を表示。\n"
    " [--]            ：以降の引数を、- で始まっていてもすべてファイル名として扱う。\n"
    "\n"
    "     クリップ(.MTS .m2ts)やフォルダ(カードやそのコピー)を指定すると、各クリップの\n"
    "     字幕をクリップの隣に出力する。日時はカードのプレイリストがあればそれを、\n"
    "     なければクリップ自身に記録された撮影日時を使う。\n"
    "     メッセージの言語はロケール(LC_ALL, LC_MESSAGES, LANG)に従う。\n"
    "     環境変数 ZELVOK_LANG=en で英語、ZELVOK_LANG=ja で日本語を指定できる。\n",
    "\n"
    " ===== Long options =====\n"
    " [--shift=TIME]  : move every recording date. e.g.) --shift=+1:00  --shift=-0:00:30\n"
    " [--format=TEXT] : the form of the subtitles' date: %Y %y %m %d %e %H %I %M %S %p\n"
    "                   %a %A %b %B %z (time zone) %n (line break) %% (%).\n"
    "                   e.g.) --format=\"%d.%m.%Y %H:%M\"\n"
    " [--zone=OFFSET] : show every date at this UTC offset. e.g.) --zone=+9:00\n"
    " [--vtt]         : write WebVTT (.vtt) instead of SubRip (.srt).\n"
    " [--output-dir=DIR] : with clips or folders, write the subtitles under DIR.\n"
    " [--overwrite]   : with clips or folders, replace subtitle files already there.\n"
    " [--mkv]         : also make NAME.mkv holding the dates as a subtitle track (needs ffmpeg).\n"
    " [--mp4]         : also make NAME.mp4, which phones and TVs play (needs ffmpeg).\n"
    " [--burn]        : draw the dates into the MKV's or MP4's picture (re-encoded);\n"
    "                   given alone, it makes the MP4.\n"
    " [--camera]      : with clips or folders, show the camera's settings under the date.\n"
    " [--gps]         : with clips or folders, show where the camera was under the date.\n"
    " [--gpx]         : with clips or folders, also write the clip's GPS track as NAME.gpx.\n"
    " [--version]     : print the version.\n"
    " [--help]        : print this help.\n"
    " [--]            : every later argument is a name, even one beginning with -.\n"
    "\n"
    "     Given clips (.MTS .m2ts) or folders (a card, or a copy of one), zelvok\n"
    "     writes each clip's subtitles beside it, dated from the card's playlist\n"
    "     if any, else from the recording dates stored in the clip itself.\n"
    "     Messages follow the locale (LC_ALL, LC_MESSAGES, LANG);\n"
    "     ZELVOK_LANG=en or ZELVOK_LANG=ja chooses English or Japanese.\n",
    shift_jis::kLongOptionHelp};

}  // namespace zelvok::messages
