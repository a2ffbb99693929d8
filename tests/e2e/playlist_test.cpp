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
#include "support/run_program.h"

namespace zelvok {
namespace {

namespace fs = std::filesystem;
using testing::PlaylistSpec;
using testing::sjis;

PlaylistSpec two_clips() {
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
  std::string_view message;
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
        LoadCase{"directory", [](const fs::path& f) { fs::create_directory(f); },
                 messages::kOpenFailed},
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
                   write_bytes(f, "\x47\x40\x00\x10");
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

TEST(LoadTest, UnreadableFileCannotBeOpened) {
  if (geteuid() == 0) {
    GTEST_SKIP() << "the superuser reads any file";
  }
  testing::TempFolder folder;
  testing::write_file(folder.path / "in.mpls", testing::build_playlist(two_clips()));
  fs::permissions(folder.path / "in.mpls", fs::perms::none);
  const testing::ProgramResult result = testing::run_zelvok({"in.mpls"}, folder.path);
  EXPECT_EQ(result.output, header("in.mpls") + sjis(messages::kOpenFailed));
}

struct CheckCase {
  const char* what;
  std::function<void(PlaylistSpec*)> breaks;
  bool count_shown;
  std::string_view message;
};

class CheckTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CheckTest, ShowsTheCountOnceKnownThenTheFailure) {
  testing::TempFolder folder;
  PlaylistSpec spec = two_clips();
  GetParam().breaks(&spec);
  testing::write_file(folder.path / "00000.mpls", testing::build_playlist(spec));
  const testing::ProgramResult result = testing::run_zelvok({"00000.mpls"}, folder.path);
  const std::string count = GetParam().count_shown ? count_line(2) : "";
  EXPECT_EQ(result.output, header("00000.mpls") + count + sjis(GetParam().message));
  EXPECT_EQ(result.status, 255);
  EXPECT_EQ(testing::files_in(folder.path), std::vector<std::string>{"00000.mpls"});
}

INSTANTIATE_TEST_SUITE_P(
    Checks, CheckTest,
    ::testing::Values(CheckCase{"version", [](PlaylistSpec* s) { s->magic = "MPLS0300"; }, false,
                                messages::kNotPlaylist},
                      CheckCase{"trailing bytes",
                                [](PlaylistSpec* s) {
                                  s->trailing = {1, 2};
                                },
                                false, messages::kBadExtensionData},
                      CheckCase{"ID2", [](PlaylistSpec* s) { s->id2 = 0x0200; }, false,
                                messages::kBadExtensionData},
                      CheckCase{"PlayList beyond file",
                                [](PlaylistSpec* s) { s->playlist_address = 1u << 31; }, false,
                                messages::kNotPlaylist},
                      CheckCase{"PLEX magic", [](PlaylistSpec* s) { s->plex_magic = "XELP"; }, true,
                                messages::kBadPlexBlock},
                      CheckCase{"PLEX length", [](PlaylistSpec* s) { s->plex_block_length = 0; },
                                true, messages::kBadPlexBlock},
                      CheckCase{"scene table size",
                                [](PlaylistSpec* s) { s->scene_table_size = 0; }, true,
                                messages::kBadSceneTableSize},
                      CheckCase{"dated scenes", [](PlaylistSpec* s) { s->scenes.pop_back(); }, true,
                                messages::kSceneCountMismatch},
                      CheckCase{"clip name", [](PlaylistSpec* s) { s->clips[1].name = "a/b.c"; },
                                true, messages::kNotPlaylist}));

// Each cut of a sound file ends with one clean message, never a crash.
TEST(DamagedFileTest, EveryTruncationEndsWithOneMessage) {
  testing::TempFolder folder;
  const std::vector<std::uint8_t> bytes = testing::build_playlist(two_clips());
  const std::set<std::string> failures = {
      sjis(messages::kNotPlaylist), sjis(messages::kBadExtensionData),
      sjis(messages::kBadPlexBlock), sjis(messages::kBadSceneTableSize),
      sjis(messages::kSceneCountMismatch)};
  for (std::size_t size = 0; size < bytes.size(); ++size) {
    testing::write_file(
        folder.path / "cut.mpls",
        std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(size)));
    const testing::ProgramResult result = testing::run_zelvok({"cut.mpls"}, folder.path);
    ASSERT_EQ(result.status, 255) << size;
    std::string rest = result.output.substr(header("cut.mpls").size());
    if (rest.starts_with(count_line(2))) {
      rest = rest.substr(count_line(2).size());
    }
    EXPECT_EQ(failures.count(rest), 1u) << "cut at " << size;
  }
}

// The files kept for the fuzzer that must be rejected, each with its message.
TEST(BadCorpusTest, EveryFileGetsItsMessage) {
  const std::map<std::string, std::string_view> by_name = {
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

// Playlists from real devices: none may crash, and those that get far enough
// show their PlayItem count.
TEST(RealPlaylistTest, EveryOneEndsCleanly) {
  const fs::path samples = ZELVOK_SAMPLES_DIR;
  if (!fs::is_directory(samples)) {
    GTEST_SKIP() << "no real playlists beside the checkout";
  }
  testing::TempFolder folder;
  int checked = 0;
  for (const auto& entry : fs::directory_iterator(samples)) {
    const std::string extension = entry.path().extension().string();
    if (extension != ".mpls" && extension != ".MPL") {
      continue;
    }
    const std::string name = entry.path().string();
    const testing::ProgramResult result = testing::run_zelvok({name}, folder.path);
    ++checked;
    EXPECT_TRUE(result.status == 0 || result.status == 255) << name;
    EXPECT_TRUE(result.output.starts_with(header(name))) << name;
    const std::string head = testing::read_file(entry.path()).substr(0, 8);
    if (head != "MPLS0100") {
      EXPECT_EQ(result.output, header(name) + sjis(messages::kNotPlaylist)) << name;
    }
  }
  EXPECT_GT(checked, 0);
}

TEST(RealPlaylistTest, CamcorderPlaylistShowsItsCount) {
  const fs::path sample = fs::path(ZELVOK_SAMPLES_DIR) / "ElishaAz_AVCHD-Converter_files_00002.MPL";
  if (!fs::exists(sample)) {
    GTEST_SKIP() << "the camcorder sample is not beside the checkout";
  }
  testing::TempFolder folder;
  const testing::ProgramResult result = testing::run_zelvok({sample.string()}, folder.path);
  // Its camcorder split five recordings into thirteen clips, one scene each.
  EXPECT_EQ(result.output,
            header(sample.string()) + count_line(13) + sjis(messages::kSceneCountMismatch));
  EXPECT_EQ(result.status, 255);
}

}  // namespace
}  // namespace zelvok
