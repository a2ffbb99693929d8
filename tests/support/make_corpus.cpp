// make_corpus FOLDER
//
// Writes the fuzzing seeds to FOLDER/corpus (three option bytes, then a
// playlist; see fuzz/fuzz_input.h), the playlists that must be rejected to
// FOLDER/bad, with FOLDER/bad/expected.txt naming for each the message it
// must get and the PlayItem count shown before it ("-" for none), and the
// seeds of the stream target (three option bytes, then a clip stream) to
// FOLDER/stream_corpus.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "support/playlist_builder.h"
#include "support/stream_builder.h"

namespace {

namespace fs = std::filesystem;
using zelvok::testing::clip;
using zelvok::testing::PlaylistPlan;
using zelvok::testing::scene_at;

PlaylistPlan clips_of(std::vector<std::uint32_t> milliseconds) {
  PlaylistPlan plan;
  for (std::size_t i = 0; i < milliseconds.size(); ++i) {
    char name[24];
    (void)std::snprintf(name, sizeof name, "%05zu", i % 100000);
    plan.clips.push_back(clip(name, milliseconds[i]));
    plan.scenes.push_back(scene_at(2008, 2, 28, 23, 59, static_cast<unsigned>(50 + i % 10)));
  }
  return plan;
}

void seed(const fs::path& folder, const std::string& name, std::vector<std::uint8_t> options,
          const PlaylistPlan& plan) {
  const std::vector<std::uint8_t> playlist = zelvok::testing::build_playlist(plan);
  options.insert(options.end(), playlist.begin(), playlist.end());
  zelvok::testing::write_file(folder / (name + ".mpls"), options);
}

void write_seeds(const fs::path& folder) {
  seed(folder, "empty", {0, 0, 0}, clips_of({}));
  seed(folder, "one_clip", {0, 0, 0}, clips_of({2500}));
  seed(folder, "three_clips", {0, 0, 0}, clips_of({95095, 187520, 42042}));
  seed(folder, "many_clips", {0, 0, 0}, clips_of(std::vector<std::uint32_t>(120, 1400)));
  seed(folder, "second_only", {3, 2, 2}, clips_of({1000, 2000, 1000}));
  seed(folder, "output_clash", {8, 0, 0}, clips_of({1000, 2000}));
  seed(folder, "other_output", {5, 0xFF, 0}, clips_of({1000, 2000}));
  PlaylistPlan marked = clips_of({1500, 1500, 1500});
  marked.scenes.insert(marked.scenes.begin() + 1, zelvok::testing::undated_scene());
  marked.scenes[0].marker = 0x11;
  marked.scenes[2].marker = 0x11;
  seed(folder, "undated_and_markers", {1, 2, 0}, marked);
  PlaylistPlan damaged_dates = clips_of({3000, 400});
  damaged_dates.scenes[0].month = 0x13;
  damaged_dates.scenes[0].minute = 0x75;
  damaged_dates.scenes[1].year = 0xFFFF;
  seed(folder, "damaged_dates", {0, 0, 0}, damaged_dates);
  PlaylistPlan wrapped = clips_of({1000});
  wrapped.clips[0].in_time = 1;
  wrapped.clips[0].out_time = 0;
  seed(folder, "out_before_in", {0, 0, 0}, wrapped);
  // Option byte 0 bits 6 and 7: a --format picked by byte 1, a --zone by byte 2.
  seed(folder, "minutes_in_home_zone", {0xC0, 0, 0}, clips_of({150000, 61500}));
  PlaylistPlan no_zone = clips_of({2000, 3000});
  no_zone.scenes[1].zone = 0x1E;
  seed(folder, "names_and_no_zone", {0xC0, 1, 1}, no_zone);
}

struct BadFile {
  const char* name;
  std::function<void(PlaylistPlan*)> breaks;
  const char* message;
  const char* count;
};

void write_bad(const fs::path& folder) {
  const std::vector<BadFile> files = {
      {"version", [](PlaylistPlan* s) { s->magic = "MPLS0200"; }, "kNotPlaylist", "-"},
      {"trailing_byte", [](PlaylistPlan* s) { s->trailing = {0}; }, "kBadExtensionData", "-"},
      {"extension_beyond_file", [](PlaylistPlan* s) { s->extension_address = 0xFFFFFFFF; },
       "kBadExtensionData", "-"},
      {"entry_count", [](PlaylistPlan* s) { s->extension_entry_count = 0; }, "kBadExtensionData",
       "-"},
      {"entry_ids", [](PlaylistPlan* s) { s->id1 = 0x0100; }, "kBadExtensionData", "-"},
      {"playlist_beyond_file", [](PlaylistPlan* s) { s->playlist_address = 0xFFFFFFF9; },
       "kNotPlaylist", "-"},
      {"plex_beyond_file", [](PlaylistPlan* s) { s->data_block_address = 0x80000000; },
       "kBadPlexBlock", "2"},
      {"plex_magic", [](PlaylistPlan* s) { s->plex_magic = "plex"; }, "kBadPlexBlock", "2"},
      {"plex_length", [](PlaylistPlan* s) { s->plex_block_length = 0x143; }, "kBadPlexBlock", "2"},
      {"scene_table_size", [](PlaylistPlan* s) { s->scene_table_size = 66 * 2; },
       "kBadSceneTableSize", "2"},
      {"scene_table_beyond_file",
       [](PlaylistPlan* s) {
         s->scene_count = 0xFFFF;
         s->scene_table_size = static_cast<std::uint16_t>(66 * 0xFFFF + 2);
       },
       "kBadSceneTableSize", "2"},
      {"undated_scene", [](PlaylistPlan* s) { s->scenes[0].year = 0; }, "kSceneCountMismatch", "2"},
      {"clip_name_path", [](PlaylistPlan* s) { s->clips[0].name = "../.."; }, "kNotPlaylist", "2"},
      {"clip_name_control", [](PlaylistPlan* s) { s->clips[1].name = "0000\n"; }, "kNotPlaylist",
       "2"},
      {"record_past_end", [](PlaylistPlan* s) { s->clips[0].length = 0xFFF0; }, "kNotPlaylist",
       "2"},
      {"count_past_records",
       [](PlaylistPlan* s) {
         s->play_item_count = 3;
         s->scenes.push_back(scene_at(2009, 1, 1, 0, 0, 0));
       },
       "kNotPlaylist", "3"},
  };
  std::ofstream expected(folder / "expected.txt");
  for (const BadFile& file : files) {
    PlaylistPlan plan = clips_of({1000, 2000});
    file.breaks(&plan);
    zelvok::testing::write_file(folder / (std::string(file.name) + ".mpls"),
                                zelvok::testing::build_playlist(plan));
    expected << file.name << ".mpls " << file.message << ' ' << file.count << '\n';
  }
}

// Small clips of both packet sizes with the traits of real ones: frames out
// of presentation order, a clock that ticks, twenty tags a frame.
void write_stream_seeds(const fs::path& folder) {
  using zelvok::testing::StreamPlan;
  std::vector<std::vector<zelvok::testing::MdpmTag>> dates;
  for (unsigned k = 0; k < 9; ++k) {
    dates.push_back(zelvok::testing::camera_tags(
        zelvok::testing::date_tags(0x46, 2021, 1, 17, 17, 33, k < 4 ? 16 : 17)));
  }
  StreamPlan clip;
  clip.frames = zelvok::testing::gop_frames(9, 54000, dates);
  for (zelvok::testing::FramePlan& frame : clip.frames) {
    frame.slice_bytes = 200;
    frame.second_field = false;
  }
  StreamPlan small = clip;
  small.packet_size = 188;
  small.map_first = true;
  small.frames.resize(2);
  const std::pair<const char*, std::pair<std::vector<std::uint8_t>, StreamPlan>> seeds[] = {
      {"clip_192", {{0, 0, 0}, clip}},
      {"clip_188_map_first", {{0x40, 1, 0}, small}},
      {"clip_minutes_home_zone", {{0xC0, 0, 0}, clip}}};
  for (const auto& [name, seed] : seeds) {
    std::vector<std::uint8_t> bytes = seed.first;
    const std::vector<std::uint8_t> stream = zelvok::testing::build_stream(seed.second);
    bytes.insert(bytes.end(), stream.begin(), stream.end());
    zelvok::testing::write_file(folder / (std::string(name) + ".ts"), bytes);
  }
}

// A record of the folder target's tree: an operation, a length and content.
void put_record(std::vector<std::uint8_t>* out, std::uint8_t operation,
                const std::vector<std::uint8_t>& content = {}) {
  out->push_back(operation);
  out->push_back(static_cast<std::uint8_t>(content.size() >> 8));
  out->push_back(static_cast<std::uint8_t>(content.size() & 0xFF));
  out->insert(out->end(), content.begin(), content.end());
}

// Trees for the folder target (fuzz/fuzz_folder.cpp says how they are read):
// a card with its playlist, its backup and clips, and a folder of copied
// clips with a Mac's companion file and a link back up.
void write_folder_seeds(const fs::path& folder) {
  constexpr std::uint8_t kEnter = 0;
  constexpr std::uint8_t kLeave = 1;
  constexpr std::uint8_t kLinkUp = 2;
  constexpr std::uint8_t kLinkClip = 3;
  constexpr std::uint8_t kFile = 4;
  const auto named = [](std::uint8_t operation, unsigned name) {
    return static_cast<std::uint8_t>(operation | name << 3);
  };
  const std::vector<std::uint8_t> playlist =
      zelvok::testing::build_playlist(clips_of({1500, 2500}));
  std::vector<std::vector<zelvok::testing::MdpmTag>> dates;
  for (unsigned k = 0; k < 3; ++k) {
    dates.push_back(zelvok::testing::date_tags(0x46, 2021, 1, 17, 17, 33, 16));
  }
  zelvok::testing::StreamPlan plan;
  plan.frames = zelvok::testing::gop_frames(3, 54000, dates);
  for (zelvok::testing::FramePlan& frame : plan.frames) {
    frame.slice_bytes = 100;
    frame.second_field = false;
  }
  plan.other_streams = false;
  const std::vector<std::uint8_t> clip = zelvok::testing::build_stream(plan);
  std::vector<std::uint8_t> card = {0x00};
  put_record(&card, named(kEnter, 1));  // PLAYLIST
  put_record(&card, named(kFile, 5), playlist);
  put_record(&card, kLeave);
  put_record(&card, named(kEnter, 2));  // BACKUP/PLAYLIST
  put_record(&card, named(kEnter, 1));
  put_record(&card, named(kFile, 5), playlist);
  put_record(&card, kLeave);
  put_record(&card, kLeave);
  put_record(&card, named(kEnter, 0));  // STREAM
  put_record(&card, named(kFile, 0), {'x'});
  put_record(&card, named(kFile, 1), clip);
  std::vector<std::uint8_t> clips = {0x07};
  put_record(&clips, named(kEnter, 4));
  put_record(&clips, named(kFile, 0), clip);
  put_record(&clips, named(kFile, 3), std::vector<std::uint8_t>(64, 0));
  put_record(&clips, named(kFile, 4), {'m', 'i', 'n', 'e'});
  put_record(&clips, kLinkUp);
  put_record(&clips, kLinkClip);
  zelvok::testing::write_file(folder / "card.tree", card);
  zelvok::testing::write_file(folder / "clips.tree", clips);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || argv[1][0] == '-') {
    const bool help =
        argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h");
    (void)std::fprintf(help ? stdout : stderr, "usage: make_corpus FOLDER\n");
    return help ? 0 : 2;
  }
  const fs::path folder = argv[1];
  fs::create_directories(folder / "corpus");
  fs::create_directories(folder / "bad");
  write_seeds(folder / "corpus");
  write_bad(folder / "bad");
  fs::create_directories(folder / "stream_corpus");
  write_stream_seeds(folder / "stream_corpus");
  fs::create_directories(folder / "folder_corpus");
  write_folder_seeds(folder / "folder_corpus");
  return 0;
}
