// The built program given folders: cards and archives of them, dated from
// their playlists or their clips' own streams, with every subtitle beside its
// clip and nothing already there ever replaced. The console lines are typed
// from what a user is promised to see, in English (ZELVOK_LANG=en).
#include <sys/resource.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "messages/messages.h"
#include "support/playlist_builder.h"
#include "support/requirements.h"
#include "support/run_program.h"
#include "support/stream_builder.h"
#include "support/walk_in_memory.h"

namespace zelvok {
namespace {

namespace fs = std::filesystem;
using testing::read_file;

struct EnglishRun {
  EnglishRun() { setenv("ZELVOK_LANG", "en", 1); }
  ~EnglishRun() { unsetenv("ZELVOK_LANG"); }
  EnglishRun(const EnglishRun&) = delete;
  EnglishRun& operator=(const EnglishRun&) = delete;
};

std::vector<std::uint8_t> bytes_of(const std::string& text) {
  return {text.begin(), text.end()};
}

std::string summary(int found, int written, int playlists, int streams, int there, int failed) {
  return "\n Clips: [" + std::to_string(found) + "]; written [" + std::to_string(written) +
         "] (from playlists " + std::to_string(playlists) + ", from streams " +
         std::to_string(streams) + "); already there [" + std::to_string(there) + "]; failed [" +
         std::to_string(failed) + "]\n";
}

std::string clip_line(const std::string& clip, const std::string& subtitle) {
  return " PlayItem AV Stream FileName = [" + clip + "],  [" + subtitle + "]\n";
}

// Every file below `root`, "/"-joined, sorted: temporary files show here.
std::vector<std::string> tree(const fs::path& root) {
  std::vector<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_directory()) {
      names.push_back(fs::relative(entry.path(), root).generic_string());
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A card as a camcorder leaves it: the playlist, its backup copy, and a clip
// file (never read) for each PlayItem.
void make_card(const fs::path& bdmv, const std::vector<std::uint8_t>& playlist,
               const std::vector<std::string>& clips, const std::string& extension = ".MTS") {
  fs::create_directories(bdmv / "PLAYLIST");
  fs::create_directories(bdmv / "STREAM");
  fs::create_directories(bdmv / "BACKUP/PLAYLIST");
  testing::write_file(bdmv / "PLAYLIST/00000.MPL", playlist);
  testing::write_file(bdmv / "BACKUP/PLAYLIST/00000.MPL", playlist);
  for (const std::string& clip : clips) {
    testing::write_file(bdmv / "STREAM" / (clip + extension), bytes_of("not read"));
  }
}

std::vector<std::uint8_t> real_playlist(const char* name) {
  const std::string bytes = read_file(fs::path(ZELVOK_SAMPLES_DIR) / name);
  return bytes_of(bytes);
}

// The two camcorders' own playlists on cards with their clips: each clip's
// file is the one the playlist's own run writes for it, the clips are never
// read, and a second run writes nothing.
TEST(FolderRunTest, RealCardsAreDatedFromTheirPlaylists) {
  ZELVOK_REQUIRE(fs::is_directory(ZELVOK_SAMPLES_DIR), "the real playlists beside the checkout");
  const EnglishRun english;
  const std::pair<const char*, int> samples[] = {
      {"Jakebutta_verbose-octo-guide_AVCHD_BDMV_PLAYLIST_00000.MPL", 19},
      {"ElishaAz_AVCHD-Converter_files_00002.MPL", 13}};
  for (const auto& [sample, count] : samples) {
    const std::vector<std::uint8_t> playlist = real_playlist(sample);
    const testing::Walked own = testing::walk_bytes(playlist, {});
    ASSERT_TRUE(own.succeeded) << sample;
    std::vector<std::string> clips;
    for (const auto& [name, content] : own.files) {
      if (name != "playlist.srt") {
        clips.push_back(name.substr(0, 5));
      }
    }
    ASSERT_EQ(clips.size(), static_cast<std::size_t>(count));
    testing::TempFolder folder;
    make_card(folder.path / "card/PRIVATE/AVCHD/BDMV", playlist, clips);
    const testing::ProgramResult first = testing::run_zelvok({"card"}, folder.path);
    EXPECT_EQ(first.status, 0) << sample;
    EXPECT_TRUE(first.output.ends_with(summary(count, count, count, 0, 0, 0))) << first.output;
    for (const std::string& clip : clips) {
      EXPECT_EQ(read_file(folder.path / "card/PRIVATE/AVCHD/BDMV/STREAM" / (clip + ".srt")),
                own.files.at(clip + ".srt"))
          << sample << " " << clip;
    }
    const testing::ProgramResult again = testing::run_zelvok({"card"}, folder.path);
    EXPECT_EQ(again.status, 0);
    EXPECT_TRUE(again.output.ends_with(summary(count, 0, 0, 0, count, 0))) << again.output;
  }
}

// Other layouts: a disc copy in lower case with .mpls and .m2ts, whose main
// playlist is damaged so that its backup dates it; a card whose playlist
// names other clips, whose clips are then dated from their streams.
TEST(FolderRunTest, BackupsLowerCaseAndPlaylistsThatNameOtherClips) {
  const EnglishRun english;
  testing::TempFolder folder;
  const std::vector<std::uint8_t> playlist = testing::build_playlist(testing::playlist_of(
      {testing::clip("00000", 1500)}, {testing::scene_at(2019, 5, 1, 10, 0, 0)}));
  const fs::path disc = folder.path / "disc/bdmv";
  fs::create_directories(disc / "playlist");
  fs::create_directories(disc / "stream");
  fs::create_directories(disc / "backup/playlist");
  testing::write_file(disc / "playlist/00000.mpls",
                      std::vector<std::uint8_t>(playlist.begin(), playlist.end() - 1));
  testing::write_file(disc / "backup/playlist/00000.mpls", playlist);
  testing::write_file(disc / "stream/00000.m2ts", bytes_of("not read"));
  const fs::path other = folder.path / "other/BDMV";
  make_card(other, playlist, {});
  testing::write_file(other / "STREAM/00007.MTS", testing::build_stream(testing::ticking_clip()));
  const testing::ProgramResult result = testing::run_zelvok({"disc", "other"}, folder.path);
  EXPECT_EQ(result.output,
            "\n Input file: [disc]\n\n\n Input file: [other]\n\n" +
                clip_line("disc/bdmv/stream/00000.m2ts", "disc/bdmv/stream/00000.srt") +
                "          Recorded at [2019/05/01 10:00:00]\n" +
                clip_line("other/BDMV/STREAM/00007.MTS", "other/BDMV/STREAM/00007.srt") +
                "          Recorded at [2021/01/17 17:33:16]\n" + summary(2, 2, 1, 1, 0, 0));
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(read_file(disc / "stream/00000.srt"),
            testing::cue(1, "00:00:00,000", "00:00:01,000", "2019/05/01 10:00:00") +
                testing::cue(2, "00:00:01,000", "00:00:01,500", "2019/05/01 10:00:01"));
}

// Copied clips alone, in the walk's order: names in byte order, a folder's
// clips where its name falls, the Mac's "._" companions and hidden folders
// passed over, a clip that is no stream failed and the run gone on.
TEST(FolderRunTest, CopiedClipsInOrderWithFailuresCounted) {
  const EnglishRun english;
  testing::TempFolder folder;
  const std::vector<std::uint8_t> clip = testing::build_stream(testing::ticking_clip());
  const fs::path a = folder.path / "a";
  fs::create_directories(a / "b");
  fs::create_directories(a / ".hidden");
  for (const char* name : {"0.MTS", "B.m2ts", "b/1.mts", "c.MTS", ".hidden/h.MTS"}) {
    testing::write_file(a / name, clip);
  }
  testing::write_file(a / "._0.MTS", std::vector<std::uint8_t>(4096, 0));
  testing::write_file(a / "b/2.MTS", bytes_of("a text file"));
  testing::write_file(a / "notes.txt", bytes_of("not a clip"));
  const testing::ProgramResult result = testing::run_zelvok({"a/"}, folder.path);
  const std::string date = "          Recorded at [2021/01/17 17:33:16]\n";
  EXPECT_EQ(result.output, "\n Input file: [a/]\n\n" + clip_line("a/0.MTS", "a/0.srt") + date +
                               clip_line("a/B.m2ts", "a/B.srt") + date +
                               clip_line("a/b/1.mts", "a/b/1.srt") + date +
                               clip_line("a/b/2.MTS", "a/b/2.srt") +
                               " No recording date can be read from the clip.\n" +
                               clip_line("a/c.MTS", "a/c.srt") + date + summary(5, 4, 0, 4, 0, 1) +
                               " Failed clip: [a/b/2.MTS]\n");
  EXPECT_EQ(result.status, 255);
  EXPECT_EQ(tree(a), (std::vector<std::string>{"._0.MTS", ".hidden/h.MTS", "0.MTS", "0.srt",
                                               "B.m2ts", "B.srt", "b/1.mts", "b/1.srt", "b/2.MTS",
                                               "c.MTS", "c.srt", "notes.txt"}));
}

// What is there stays: a user's own subtitle file; with --overwrite a
// regular file is replaced, a folder in the way never, and a file this run
// wrote for another clip never (00002.MTS and 00002.m2ts side by side).
TEST(FolderRunTest, NothingThereIsReplacedUnlessAskedAndNeverTwice) {
  const EnglishRun english;
  testing::TempFolder folder;
  const std::vector<std::uint8_t> clip = testing::build_stream(testing::ticking_clip());
  const fs::path s = folder.path / "s";
  fs::create_directories(s / "00001.srt");
  for (const char* name : {"00000.MTS", "00001.MTS", "00002.MTS", "00002.m2ts"}) {
    testing::write_file(s / name, clip);
  }
  testing::write_file(s / "00000.srt", bytes_of("mine"));
  const testing::ProgramResult kept = testing::run_zelvok({"s"}, folder.path);
  EXPECT_EQ(read_file(s / "00000.srt"), "mine");
  EXPECT_TRUE(kept.output.ends_with(summary(4, 1, 0, 1, 2, 1) + " Failed clip: [s/00002.m2ts]\n"))
      << kept.output;
  EXPECT_EQ(kept.status, 255);
  const testing::ProgramResult replaced = testing::run_zelvok({"--overwrite", "s"}, folder.path);
  const std::string date = "          Recorded at [2021/01/17 17:33:16]\n";
  EXPECT_EQ(replaced.output, "\n Input file: [s]\n\n" + clip_line("s/00000.MTS", "s/00000.srt") +
                                 date + clip_line("s/00001.MTS", "s/00001.srt") + date +
                                 " The subtitle file cannot be written.\n" +
                                 clip_line("s/00002.MTS", "s/00002.srt") + date +
                                 clip_line("s/00002.m2ts", "s/00002.srt") + date +
                                 " Another clip's subtitle file has this place: not written.\n" +
                                 summary(4, 2, 0, 2, 0, 2) + " Failed clip: [s/00001.MTS]\n" +
                                 " Failed clip: [s/00002.m2ts]\n");
  EXPECT_EQ(replaced.status, 255);
  EXPECT_TRUE(read_file(s / "00000.srt").starts_with("1\r\n00:00:00,000 --> 00:00:00,520\r\n"));
  EXPECT_TRUE(fs::is_directory(s / "00001.srt"));
  EXPECT_EQ(tree(s), (std::vector<std::string>{"00000.MTS", "00000.srt", "00001.MTS", "00002.MTS",
                                               "00002.m2ts", "00002.srt"}));
}

// Two cards whose clips share names, written below --output-dir where each
// stands below the folder given; a clip named as well counts once.
TEST(FolderRunTest, AnArchiveOfCardsIntoAnOutputFolder) {
  const EnglishRun english;
  testing::TempFolder folder;
  const fs::path archive = folder.path / "archive";
  for (const auto& [card, day] : {std::pair{"2019", 1u}, std::pair{"2020", 2u}}) {
    make_card(archive / card / "PRIVATE/AVCHD/BDMV",
              testing::build_playlist(testing::playlist_of(
                  {testing::clip("00000", 1000)}, {testing::scene_at(2019, 1, day, 0, 0, 0)})),
              {"00000"});
  }
  // Named on its own too, it must read as a clip.
  testing::write_file(archive / "2020/PRIVATE/AVCHD/BDMV/STREAM/00000.MTS",
                      testing::build_stream(testing::ticking_clip()));
  const testing::ProgramResult result = testing::run_zelvok(
      {"--output-dir", "subs", "archive", "archive/2020/PRIVATE/AVCHD/BDMV/STREAM/00000.MTS"},
      folder.path);
  EXPECT_TRUE(result.output.ends_with(
      clip_line("archive/2020/PRIVATE/AVCHD/BDMV/STREAM/00000.MTS", "subs/00000.srt") +
      " A subtitle file is already there: left as it is.\n" + summary(3, 2, 2, 0, 1, 0)))
      << result.output;
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(tree(folder.path / "subs"),
            (std::vector<std::string>{"2019/PRIVATE/AVCHD/BDMV/STREAM/00000.srt",
                                      "2020/PRIVATE/AVCHD/BDMV/STREAM/00000.srt"}));
  EXPECT_EQ(read_file(folder.path / "subs/2020/PRIVATE/AVCHD/BDMV/STREAM/00000.srt"),
            testing::cue(1, "00:00:00,000", "00:00:01,000", "2019/01/02 00:00:00"));
}

// Each place a clip is found gets its own subtitle file, decided by that
// place alone. `make` lays out the tree; the run's summary and the subtitle
// files it leaves are typed from what a user is promised.
struct PlaceCase {
  const char* what;
  void (*make)(const fs::path& root);
  std::vector<std::string> arguments;
  std::string ending;  // the end of the console's output
  std::vector<std::string> subtitles;
};

std::vector<std::uint8_t> a_clip() {
  return testing::build_stream(testing::ticking_clip());
}

void links_before_the_clip(const fs::path& root) {
  fs::create_directories(root / "t");
  testing::write_file(root / "t/z.MTS", a_clip());
  fs::create_symlink("z.MTS", root / "t/a.MTS");
  fs::create_hard_link(root / "t/z.MTS", root / "t/b.MTS");
}

void card_of_one(const fs::path& root, const char* stream_folder) {
  const fs::path bdmv = root / "card/BDMV";
  fs::create_directories(bdmv / "PLAYLIST");
  fs::create_directories(bdmv / stream_folder);
  testing::write_file(bdmv / "PLAYLIST/00000.MPL", testing::build_playlist(testing::playlist_of(
                                                       {testing::clip("00000", 1000)},
                                                       {testing::scene_at(2019, 5, 1, 10, 0, 0)})));
  testing::write_file(bdmv / stream_folder / "00000.MTS", a_clip());
}

void two_cards_alike(const fs::path& root) {
  for (const char* card : {"A/STREAM", "B/STREAM"}) {
    fs::create_directories(root / card);
    testing::write_file(root / card / "00000.MTS", a_clip());
  }
}

const std::string kLongName(251, 'x');

void a_long_name(const fs::path& root) {
  fs::create_directories(root / "t");
  testing::write_file(root / "t" / (kLongName + ".MTS"), a_clip());
}

class FolderPlaceTest : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(FolderPlaceTest, EachPlaceGetsItsOwnFile) {
  ZELVOK_POSIX_ONLY();
  const EnglishRun english;
  testing::TempFolder folder;
  GetParam().make(folder.path);
  const testing::ProgramResult result = testing::run_zelvok(GetParam().arguments, folder.path);
  EXPECT_TRUE(result.output.ends_with(GetParam().ending)) << result.output;
  for (const std::string& subtitle : GetParam().subtitles) {
    EXPECT_TRUE(fs::is_regular_file(folder.path / subtitle)) << subtitle;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Places, FolderPlaceTest,
    ::testing::Values(
        PlaceCase{"links sorted before the clip",
                  links_before_the_clip,
                  {"t"},
                  summary(3, 3, 0, 3, 0, 0),
                  {"t/a.srt", "t/b.srt", "t/z.srt"}},
        PlaceCase{"a card's clip named alone",
                  [](const fs::path& root) { card_of_one(root, "STREAM"); },
                  {"card/BDMV/STREAM/00000.MTS"},
                  "          Recorded at [2019/05/01 10:00:00]\n" + summary(1, 1, 1, 0, 0, 0),
                  {"card/BDMV/STREAM/00000.srt"}},
        PlaceCase{"clips beside a playlist, not in a STREAM folder",
                  [](const fs::path& root) { card_of_one(root, "CLIPS"); },
                  {"card"},
                  "          Recorded at [2021/01/17 17:33:16]\n" + summary(1, 1, 0, 1, 0, 0),
                  {"card/BDMV/CLIPS/00000.srt"}},
        PlaceCase{"two clips mirrored onto one place",
                  two_cards_alike,
                  {"--output-dir=subs", "A", "B"},
                  clip_line("B/STREAM/00000.MTS", "subs/STREAM/00000.srt") +
                      "          Recorded at [2021/01/17 17:33:16]\n"
                      " Another clip's subtitle file has this place: not written.\n" +
                      summary(2, 1, 0, 1, 0, 1) + " Failed clip: [B/STREAM/00000.MTS]\n",
                  {"subs/STREAM/00000.srt"}},
        PlaceCase{"a name as long as names go",
                  a_long_name,
                  {"t"},
                  summary(1, 1, 0, 1, 0, 0),
                  {"t/" + kLongName + ".srt"}}),
    [](const ::testing::TestParamInfo<PlaceCase>& param_info) {
      return testing::test_name(param_info.param.what);
    });

// A link loop and a folder 200 levels deep neither hang nor overflow; a
// link to a clip is dated where the link is.
TEST(FolderRunTest, LoopsAndDeepTreesEnd) {
  ZELVOK_POSIX_ONLY();
  const EnglishRun english;
  testing::TempFolder folder;
  fs::path deep = folder.path / "t";
  for (int level = 0; level < 200; ++level) {
    deep /= "d";
  }
  fs::create_directories(deep);
  testing::write_file(deep / "00000.MTS", testing::build_stream(testing::ticking_clip()));
  fs::create_directory_symlink("..", folder.path / "t/loop");
  testing::write_file(folder.path / "outside.MTS", testing::build_stream(testing::ticking_clip()));
  fs::create_symlink(folder.path / "outside.MTS", folder.path / "t/link.MTS");
  const testing::ProgramResult result = testing::run_zelvok({"t"}, folder.path);
  EXPECT_TRUE(result.output.ends_with(summary(2, 2, 0, 2, 0, 0))) << result.output;
  EXPECT_TRUE(fs::exists(folder.path / "t/link.srt"));
  EXPECT_TRUE(fs::exists(deep / "00000.srt"));
}

// A disk that fills: the clip fails, and neither a part of its file nor a
// temporary file stays behind.
TEST(FolderRunTest, AFullDiskLeavesNoPartOfAFile) {
  ZELVOK_POSIX_ONLY();
  const EnglishRun english;
  testing::TempFolder folder;
  fs::create_directories(folder.path / "card/BDMV");
  make_card(folder.path / "card/BDMV",
            testing::build_playlist(testing::playlist_of({testing::clip("00000", 7200000)},
                                                         {testing::scene_at(2015, 1, 1, 0, 0, 0)})),
            {"00000"});
  const testing::ProgramResult result = testing::run_zelvok(
      {"card"}, folder.path, testing::ResourceLimit{RLIMIT_FSIZE, std::uint64_t{64} << 10});
  EXPECT_TRUE(result.output.ends_with(
      "          Recorded at [2015/01/01 00:00:00]\n"
      " The subtitle file cannot be written.\n" +
      summary(1, 0, 0, 0, 0, 1) + " Failed clip: [card/BDMV/STREAM/00000.MTS]\n"))
      << result.output;
  EXPECT_EQ(result.status, 255);
  EXPECT_EQ(tree(folder.path / "card/BDMV/STREAM"), (std::vector<std::string>{"00000.MTS"}));
}

// A folder that cannot be read is a line where its clips would be, counted
// as a clip that failed; the run goes on. The superuser reads any folder: as
// root the program runs as nobody.
TEST(FolderRunTest, AnUnreadableFolderIsALineOfItsOwn) {
  ZELVOK_POSIX_ONLY();
  const EnglishRun english;
  testing::TempFolder folder;
  const fs::path t = folder.path / "t";
  fs::create_directories(t / "a");
  fs::create_directories(t / "c");
  testing::write_file(t / "b.MTS", testing::build_stream(testing::ticking_clip()));
  testing::write_file(t / "c/d.MTS", testing::build_stream(testing::ticking_clip()));
  fs::permissions(t / "a", fs::perms::none);
  // Listed, but not entered: its clip cannot be read, and nothing is there.
  fs::permissions(t / "c", fs::perms::owner_read | fs::perms::others_read);
  fs::permissions(t, fs::perms::all);
  fs::permissions(folder.path, fs::perms::others_exec, fs::perm_options::add);
  std::vector<std::string> command = {"t"};
  if (geteuid() == 0) {
    ZELVOK_REQUIRE(std::system("setpriv --version > /dev/null 2>&1") == 0, "setpriv");
    command.insert(command.begin(),
                   {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", ZELVOK_BINARY});
  }
  const testing::ProgramResult result = geteuid() == 0 ? testing::run_program(command, folder.path)
                                                       : testing::run_zelvok(command, folder.path);
  EXPECT_EQ(result.output,
            "\n Input file: [t]\n\n Folder (t/a) cannot be read.\n" +
                clip_line("t/b.MTS", "t/b.srt") + "          Recorded at [2021/01/17 17:33:16]\n" +
                clip_line("t/c/d.MTS", "t/c/d.srt") + " The clip cannot be read.\n" +
                summary(3, 1, 0, 1, 0, 2) + " Failed clip: [t/a]\n Failed clip: [t/c/d.MTS]\n");
  EXPECT_EQ(result.status, 255);
  fs::permissions(t / "a", fs::perms::owner_all);
  fs::permissions(t / "c", fs::perms::owner_all);
}

struct RefusalCase {
  std::vector<std::string> arguments;
  std::string output;
};

class FolderRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(FolderRefusalTest, NothingIsWritten) {
  const EnglishRun english;
  testing::TempFolder folder;
  fs::create_directories(folder.path / "empty");
  fs::create_directories(folder.path / "clips");
  testing::write_file(folder.path / "clips/0.MTS", testing::build_stream(testing::ticking_clip()));
  testing::write_file(folder.path / "a.mpls", bytes_of("MPLS0100"));
  const testing::ProgramResult result = testing::run_zelvok(GetParam().arguments, folder.path);
  EXPECT_EQ(result.output, GetParam().output);
  EXPECT_EQ(result.status, 255);
  EXPECT_EQ(tree(folder.path / "clips"), (std::vector<std::string>{"0.MTS"}));
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, FolderRefusalTest,
    ::testing::Values(
        RefusalCase{
            {"-s", "1", "clips"},
            "\n Input file: [clips]\n\n -s, -e and -o apply only to a playlist. Stopping.\n"},
        RefusalCase{{"clips/0.MTS", "-e2"},
                    "\n Input file: [clips/0.MTS]\n\n"
                    " -s, -e and -o apply only to a playlist. Stopping.\n"},
        RefusalCase{{"clips", "clips/0.MTS", "-oall.srt"},
                    "\n Input file: [clips]\n\n\n Input file: [clips/0.MTS]\n\n"
                    " -s, -e and -o apply only to a playlist. Stopping.\n"},
        RefusalCase{{"--output-dir=subs", "a.mpls"},
                    "\n Input file: [a.mpls]\n\n"
                    " --output-dir applies only to clips and folders. Stopping.\n"},
        RefusalCase{{"--output-dir", "subs", "missing"},
                    "\n Input file: [missing]\n\n"
                    " --output-dir applies only to clips and folders. Stopping.\n"},
        RefusalCase{{"empty"},
                    "\n Input file: [empty]\n\n No clip (.MTS .m2ts) found in the folder. "
                    "Stopping.\n"},
        // A clip or a folder among names that are neither: every name line, then
        // the refusal, before that of -s, -e and -o.
        RefusalCase{{"clips/0.MTS", "a.mpls"},
                    "\n Input file: [clips/0.MTS]\n\n\n Input file: [a.mpls]\n\n"
                    " When several names are given, each must be a clip or a folder. Stopping.\n"},
        RefusalCase{{"-s1", "a.mpls", "missing", "clips"},
                    "\n Input file: [a.mpls]\n\n\n Input file: [missing]\n\n"
                    "\n Input file: [clips]\n\n"
                    " When several names are given, each must be a clip or a folder. Stopping.\n"},
        RefusalCase{{"--mkv", "a.mpls"},
                    "\n Input file: [a.mpls]\n\n"
                    " --mkv applies only to a clip or a folder. Stopping.\n"},
        RefusalCase{{"--burn", "a.mpls"},
                    "\n Input file: [a.mpls]\n\n"
                    " --mp4 applies only to a clip or a folder. Stopping.\n"},
        RefusalCase{{"--overwrite=1", "clips"}, " Unknown option.\n"},
        RefusalCase{{"--vtt=1", "clips"}, " Unknown option.\n"},
        RefusalCase{{"clips", "--output-dir"}, " An option is missing its value.\n"},
        RefusalCase{{"--output-dir=", "clips"}, " An option is missing its value.\n"}),
    [](const ::testing::TestParamInfo<RefusalCase>& param_info) {
      return "case" + std::to_string(param_info.index);
    });

}  // namespace
}  // namespace zelvok
