// The built program reading playlists: load failures, checks, damaged files.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <string>

#include "messages/messages.h"
#include "support/playlist_builder.h"
#include "support/requirements.h"
#include "support/run_program.h"

namespace zelvok {
namespace {

namespace fs = std::filesystem;
using testing::PlaylistPlan;
using testing::sjis;

PlaylistPlan two_clips() {
  return testing::playlist_of(
      {testing::clip("00000", 2500), testing::clip("00001", 1000)},
      {testing::scene_at(2008, 11, 30, 23, 59, 59), testing::scene_at(2008, 12, 31, 23, 59, 59)});
}

std::string header(const std::string& name) {
  return sjis(messages::kInputName, name);
}

std::string count_line(int count) {
  return sjis(messages::kPlayItemCount, std::to_string(count));
}

struct LoadCase {
  const char* what;
  std::function<void(const fs::path& file)> make;  // makes "in.mpls"
  Message message;
};

class LoadTest : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadTest, RefusesWhatIsNotAPlaylistFile) {
  testing::TempFolder folder;
  GetParam().make(folder.path / "in.mpls");
  const testing::ProgramResult result = testing::run_zelvok({"in.mpls"}, folder.path);
  EXPECT_EQ(result.output, header("in.mpls") + sjis(GetParam().message));
  EXPECT_EQ(result.status, 255);
  EXPECT_FALSE(fs::exists(folder.path / "playlist.srt"));
}

void write_bytes(const fs::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

// A file of `size` bytes that begins like a playlist, made sparse so that it
// costs no disk.
void sparse_playlist(const fs::path& file, std::uintmax_t size) {
  write_bytes(file, "MPLS0100");
  fs::resize_file(file, size);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadTest,
    ::testing::Values(
        LoadCase{"missing", [](const fs::path&) {}, messages::kOpenFailed},
        // A folder is a folder run, here of no clip at all.
        LoadCase{"directory", [](const fs::path& f) { fs::create_directory(f); },
                 messages::kNoClipInFolder},
        LoadCase{"fifo", [](const fs::path& f) { mkfifo(f.c_str(), 0600); }, messages::kOpenFailed},
        LoadCase{"device", [](const fs::path& f) { fs::create_symlink("/dev/zero", f); },
                 messages::kOpenFailed},
        LoadCase{"empty", [](const fs::path& f) { write_bytes(f, ""); }, messages::kNotPlaylist},
        LoadCase{"seven bytes", [](const fs::path& f) { write_bytes(f, "MPLS010"); },
                 messages::kNotPlaylist},
        LoadCase{"magic only", [](const fs::path& f) { write_bytes(f, "MPLS0100"); },
                 messages::kNotPlaylist},
        LoadCase{"nineteen bytes",
                 [](const fs::path& f) { write_bytes(f, "MPLS0100" + std::string(11, '\0')); },
                 messages::kNotPlaylist},
        LoadCase{"disc playlist",
                 [](const fs::path& f) { write_bytes(f, "MPLS0200" + std::string(40, '\0')); },
                 messages::kNotPlaylist},
        LoadCase{"huge video file",
                 [](const fs::path& f) {
                   write_bytes(f, std::string("\x47\x40\x00\x10", 4));
                   fs::resize_file(f, std::uintmax_t{20} << 30);
                 },
                 messages::kNotPlaylist},
        LoadCase{"over 64 MiB",
                 [](const fs::path& f) { sparse_playlist(f, (std::uintmax_t{64} << 20) + 1); },
                 messages::kAllocationFailed},
        LoadCase{"exactly 64 MiB",
                 [](const fs::path& f) { sparse_playlist(f, std::uintmax_t{64} << 20); },
                 messages::kBadExtensionData}),
    [](const ::testing::TestParamInfo<LoadCase>& param_info) {
      return testing::test_name(param_info.param.what);
    });

// The superuser reads any file: as root (as CI runs), the program runs as
// nobody, in a folder that nobody may enter, so that only the file refuses.
TEST(LoadTest, UnreadableFileCannotBeOpened) {
  ZELVOK_POSIX_ONLY();
  testing::TempFolder folder;
  testing::write_file(folder.path / "in.mpls", testing::build_playlist(two_clips()));
  fs::permissions(folder.path / "in.mpls", fs::perms::none);
  testing::ProgramResult result{};
  if (geteuid() == 0) {
    ZELVOK_REQUIRE(std::system("setpriv --version > /dev/null 2>&1") == 0, "setpriv");
    fs::permissions(folder.path, fs::perms::others_exec, fs::perm_options::add);
    result = testing::run_program(
        {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", ZELVOK_BINARY, "in.mpls"},
        folder.path);
  } else {
    result = testing::run_zelvok({"in.mpls"}, folder.path);
  }
  EXPECT_EQ(result.output, header("in.mpls") + sjis(messages::kOpenFailed));
}

// The files kept for the fuzzer that must be rejected, each with its message
// and the PlayItem count shown before it: one broken field each, from the
// header to the clip names, the same breaks the validation unit tests make.
TEST(BadCorpusTest, EveryFileGetsItsMessage) {
  const std::map<std::string, Message> by_name = {
      {"kNotPlaylist", messages::kNotPlaylist},
      {"kBadExtensionData", messages::kBadExtensionData},
      {"kBadPlexBlock", messages::kBadPlexBlock},
      {"kBadSceneTableSize", messages::kBadSceneTableSize},
      {"kSceneCountMismatch", messages::kSceneCountMismatch}};
  const fs::path bad = fs::path(ZELVOK_SOURCE_DIR) / "fuzz/bad";
  std::ifstream expected(bad / "expected.txt");
  std::string file;
  std::string message;
  std::string count;
  int checked = 0;
  testing::TempFolder folder;
  while (expected >> file >> message >> count) {
    fs::copy_file(bad / file, folder.path / file);
    const testing::ProgramResult result = testing::run_zelvok({file}, folder.path);
    ASSERT_EQ(by_name.count(message), 1u) << message;
    const std::string shown = count == "-" ? "" : count_line(std::stoi(count));
    EXPECT_EQ(result.output, header(file) + shown + sjis(by_name.at(message))) << file;
    EXPECT_EQ(result.status, 255) << file;
    ++checked;
  }
  EXPECT_GT(checked, 10);
  EXPECT_EQ(testing::files_in(folder.path).size(), static_cast<std::size_t>(checked));
}

// Playlists from real devices, beside the checkout when they are there, and
// the outcome recorded for each: its status, the PlayItem count it shows
// (-1 for none), its last message (empty after success) and the number of
// per-clip files it writes. Only the camcorder playlists are of the version
// read here; the disc playlists are refused at once.
struct RealOutcome {
  const char* file;
  int status;
  int count;
  Message message;
  int clip_files;
};

constexpr RealOutcome kRealOutcomes[] = {
    // Five recordings split into thirteen clips, with one scene each.
    {"ElishaAz_AVCHD-Converter_files_00002.MPL", 0, 13, {"", "", ""}, 13},
    // Nineteen clips, one scene each.
    {"Jakebutta_verbose-octo-guide_AVCHD_BDMV_PLAYLIST_00000.MPL", 0, 19, {"", "", ""}, 19},
    {"agentjp_bdinfo-rs_BigBuckBunny_00000.mpls", 255, -1, messages::kNotPlaylist, 0},
    {"tautcony_ChapterTool_ConanZeroEnforcer_00000.mpls", 255, -1, messages::kNotPlaylist, 0},
    {"tautcony_ChapterTool_KIMETSU_P1_DISC1_00020.mpls", 255, -1, messages::kNotPlaylist, 0},
    {"tautcony_ChapterTool_MAYONAKA_PUNCH_DISC1_01001.mpls", 255, -1, messages::kNotPlaylist, 0},
    {"tautcony_ChapterTool_TimeShiftTest_00011_eva.mpls", 255, -1, messages::kNotPlaylist, 0},
    {"vcb-s_ChapterTool_Mpls_00000_HEVC.mpls", 255, -1, messages::kNotPlaylist, 0},
    {"vcb-s_ChapterTool_Mpls_00000_tsMuxer.mpls", 255, -1, messages::kNotPlaylist, 0},
    {"vcb-s_ChapterTool_Mpls_00001_MPEG_II.mpls", 255, -1, messages::kNotPlaylist, 0},
    {"vcb-s_ChapterTool_Mpls_00001_TwoChapter.mpls", 255, -1, messages::kNotPlaylist, 0},
    {"vcb-s_ChapterTool_Mpls_00002_Menu.mpls", 255, -1, messages::kNotPlaylist, 0},
    {"vcb-s_ChapterTool_Mpls_00002_MultiAngle2.mpls", 255, -1, messages::kNotPlaylist, 0},
    {"vcb-s_ChapterTool_Mpls_00003_Padding_Zero.mpls", 255, -1, messages::kNotPlaylist, 0},
    {"vcb-s_ChapterTool_Mpls_00020_Terminator2.mpls", 255, -1, messages::kNotPlaylist, 0},
    {"vcb-s_ChapterTool_Mpls_00800_4Angle.mpls", 255, -1, messages::kNotPlaylist, 0},
    {"yxbh_bdpl_disc1_00002.mpls", 255, -1, messages::kNotPlaylist, 0},
    {"yxbh_bdpl_disc26_00000.mpls", 255, -1, messages::kNotPlaylist, 0},
    {"yxbh_bdpl_disc5_00000.mpls", 255, -1, messages::kNotPlaylist, 0},
};

TEST(RealPlaylistTest, EachEndsAsRecorded) {
  const fs::path samples = ZELVOK_SAMPLES_DIR;
  ZELVOK_REQUIRE(fs::is_directory(samples), "the real playlists beside the checkout");
  for (const RealOutcome& outcome : kRealOutcomes) {
    const fs::path sample = samples / outcome.file;
    if (!fs::exists(sample)) {
      continue;
    }
    testing::TempFolder folder;
    fs::copy_file(sample, folder.path / outcome.file);
    const testing::ProgramResult result = testing::run_zelvok({outcome.file}, folder.path);
    EXPECT_EQ(result.status, outcome.status) << outcome.file;
    const std::string shown = outcome.count < 0 ? "" : count_line(outcome.count);
    EXPECT_TRUE(result.output.starts_with(header(outcome.file) + shown)) << outcome.file;
    EXPECT_TRUE(result.output.ends_with(sjis(outcome.message))) << outcome.file;
    const std::size_t clip_files = testing::files_in(folder.path).size() - 1 -
                                   (fs::exists(folder.path / "playlist.srt") ? 1 : 0);
    EXPECT_EQ(clip_files, static_cast<std::size_t>(outcome.clip_files)) << outcome.file;
  }
}

// Copies the real playlist `name` into `folder`; false when the real
// playlists are not beside the checkout.
bool copy_real_playlist(const std::string& name, const fs::path& folder) {
  const fs::path sample = fs::path(ZELVOK_SAMPLES_DIR) / name;
  if (!fs::exists(sample)) {
    return false;
  }
  fs::copy_file(sample, folder / name);
  return true;
}

std::vector<std::string> entries_of(const std::string& file) {
  std::vector<std::string> entries;
  for (std::size_t at = 0; at < file.size();) {
    const std::size_t end = file.find("\r\n\r\n", at);
    entries.push_back(file.substr(at, end - at));
    at = end + 4;
  }
  return entries;
}

// Values worked out by hand from the bytes of the camcorder that splits long
// recordings: 00010 starts at 2021/07/07 09:39:00 and lasts 944443 ms; 00011
// and 00012 continue it; 00013 to 00022 hold four more recordings.
TEST(RealPlaylistTest, ASplitRecordingReadsAsOne) {
  const std::string name = "ElishaAz_AVCHD-Converter_files_00002.MPL";
  testing::TempFolder folder;
  ZELVOK_REQUIRE(copy_real_playlist(name, folder.path), "the real playlists beside the checkout");
  const testing::ProgramResult result = testing::run_zelvok({name}, folder.path);
  ASSERT_EQ(result.status, 0);
  for (const char* date : {"2021/07/07 09:39:00", "2021/07/07 09:54:44", "2021/07/07 10:10:28",
                           "2022/06/15 11:05:08", "2022/06/15 11:14:56"}) {
    EXPECT_NE(result.output.find(sjis(messages::kRecordingDate, date)), std::string::npos) << date;
  }
  const std::vector<std::string> clip = entries_of(testing::read_file(folder.path / "00011.srt"));
  ASSERT_GE(clip.size(), 2u);
  EXPECT_EQ(clip[0], "1\r\n00:00:00,000 --> 00:00:00,557\r\n2021/07/07 09:54:44");
  EXPECT_EQ(clip[1], "2\r\n00:00:00,557 --> 00:00:01,557\r\n2021/07/07 09:54:45");
  const std::vector<std::string> whole =
      entries_of(testing::read_file(folder.path / "playlist.srt"));
  ASSERT_GE(whole.size(), 947u);
  EXPECT_EQ(whole[944], "945\r\n00:15:44,000 --> 00:15:44,443\r\n2021/07/07 09:54:44");
  EXPECT_EQ(whole[945], "946\r\n00:15:44,443 --> 00:15:45,000\r\n2021/07/07 09:54:44");
  EXPECT_EQ(whole[946], "947\r\n00:15:45,000 --> 00:15:46,000\r\n2021/07/07 09:54:45");
}

// The help text's own example on the camcorder with one scene per clip.
TEST(RealPlaylistTest, ASelectedClipKeepsItsDate) {
  const std::string name = "Jakebutta_verbose-octo-guide_AVCHD_BDMV_PLAYLIST_00000.MPL";
  testing::TempFolder folder;
  ZELVOK_REQUIRE(copy_real_playlist(name, folder.path), "the real playlists beside the checkout");
  const testing::ProgramResult result =
      testing::run_zelvok({"-s", "3", "-e", "5", name}, folder.path);
  ASSERT_EQ(result.status, 0);
  EXPECT_EQ(
      testing::files_in(folder.path),
      (std::vector<std::string>{"00002.srt", "00003.srt", "00004.srt", name, "playlist.srt"}));
  EXPECT_TRUE(testing::read_file(folder.path / "00002.srt")
                  .starts_with("1\r\n00:00:00,000 --> 00:00:01,000\r\n2012/10/07 19:02:29\r\n"));
}

// A playlist added beside the others needs its outcome recorded above.
TEST(RealPlaylistTest, EveryOneHasARecordedOutcome) {
  const fs::path samples = ZELVOK_SAMPLES_DIR;
  ZELVOK_REQUIRE(fs::is_directory(samples), "the real playlists beside the checkout");
  std::set<std::string> recorded;
  for (const RealOutcome& outcome : kRealOutcomes) {
    recorded.insert(outcome.file);
  }
  for (const auto& entry : fs::directory_iterator(samples)) {
    const std::string extension = entry.path().extension().string();
    if (extension == ".mpls" || extension == ".MPL") {
      EXPECT_EQ(recorded.count(entry.path().filename().string()), 1u) << entry.path();
    }
  }
}

}  // namespace
}  // namespace zelvok
