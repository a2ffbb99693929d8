// Clips that ffmpeg encodes from its test sources, dated as a camera dates
// them (MDPM tags in an SEI message), for the tests of the files ffmpeg
// makes; and what ffprobe reads back of a file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/requirements.h"

namespace zelvok::testing {

// The Windows build under wine would need a Windows ffmpeg, which Debian
// does not ship: its files made by ffmpeg are not tested here.
#define ZELVOK_NEEDS_FFMPEG()                                          \
  if (::zelvok::testing::testing_windows_build()) {                    \
    GTEST_SKIP() << "no ffmpeg for the Windows build on this machine"; \
  }                                                                    \
  ZELVOK_REQUIRE(::zelvok::testing::has_ffmpeg_tools(), "ffmpeg and ffprobe")

bool has_ffmpeg_tools();

struct ScopedVariable {
  ScopedVariable(const char* name, const char* value);
  ~ScopedVariable();
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const char* name_;
};

struct ClipTraits {
  const char* what;    // names the clip kept for later tests: one name, one kind
  bool sound;          // AC-3, with `channels`
  double sound_early;  // seconds the sound starts before the picture
  bool stamped;        // 192-byte packets (an arrival time stamp before each)
  const char* picture = "testsrc=size=320x240:rate=25";  // ffmpeg's source
  bool interlaced = false;                               // encoded as fields
  std::uint8_t zone = 0x46;                              // +03:00; 0x1E: none recorded
  int channels = 1;                                      // of the sound: 1, or 6 for 5.1
};

inline constexpr ClipTraits kPlainClip{"plain", true, 0, true};

// A clip of three seconds dated 2021/01/17 17:33:16 in the traits' zone,
// encoded once for each kind of clip and kept for every later test, copied
// to `folder`/`name`.
void make_clip(const std::filesystem::path& folder, const std::string& name,
               const ClipTraits& traits);

struct Packet {
  int stream;
  double time;
  std::size_t size;  // bytes: an MP4's empty cue, which fills a gap, has 2
};

// The packets ffprobe reads of a file, with their presentation times.
std::vector<Packet> packets(const std::filesystem::path& folder, const std::string& name);

// Where a made file's packets stand, in seconds: its earliest packet, its
// first frame shown (stream 0), and each cue with text on `cue_stream`.
struct Timeline {
  double first = 1e9;
  double first_shown = 1e9;
  std::vector<double> cues;
};

Timeline timeline_of(const std::filesystem::path& folder, const std::string& name, int cue_stream);

// How long ffprobe says the file lasts, in seconds.
double duration_of(const std::filesystem::path& folder, const std::string& name);

// ffprobe's "-show_entries `entries`" of a file, as CSV without prefixes.
std::string probe(const std::filesystem::path& folder, const std::string& name,
                  const std::string& entries);

// A shell script standing in for ffmpeg, in `folder`; its path.
std::string stand_in(const std::filesystem::path& folder, const std::string& body);

}  // namespace zelvok::testing
