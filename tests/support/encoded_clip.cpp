#include "support/encoded_clip.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "support/playlist_builder.h"
#include "support/run_program.h"

namespace zelvok::testing {

namespace fs = std::filesystem;

bool has_ffmpeg_tools() {
  return std::system("ffmpeg -version > /dev/null 2>&1") == 0 &&
         std::system("ffprobe -version > /dev/null 2>&1") == 0;
}

ScopedVariable::ScopedVariable(const char* name, const char* value) : name_(name) {
  setenv(name, value, 1);
}

ScopedVariable::~ScopedVariable() {
  unsetenv(name_);
}

void make_clip(const fs::path& folder, const std::string& name, const ClipTraits& traits) {
  const fs::path kept = fs::path(ZELVOK_ENCODED_CLIPS_DIR) / (std::string(traits.what) + ".MTS");
  if (!fs::exists(kept)) {
    fs::create_directories(kept.parent_path());
    const std::string mdpm = std::string("MDPM\x02\x18") + static_cast<char>(traits.zone) +
                             "\x20\x21\x01\x19\x17\x17\x33\x16";
    std::vector<std::string> command = {"ffmpeg", "-v", "error",       "-f",
                                        "lavfi",  "-i", traits.picture};
    if (traits.sound) {
      command.insert(command.end(), {"-itsoffset", std::to_string(-traits.sound_early), "-f",
                                     "lavfi", "-i", "sine=frequency=440:sample_rate=48000", "-c:a",
                                     "ac3", "-ac", std::to_string(traits.channels)});
    }
    if (traits.interlaced) {
      command.insert(command.end(), {"-flags", "+ildct+ilme", "-field_order", "tt"});
    }
    // One GOP: ffmpeg's SEI filter leaves later key frames without a time.
    const std::string made = kept.string() + "." + std::to_string(getpid()) + ".ts";
    command.insert(command.end(),
                   {"-t", "3", "-c:v", "libx264", "-bf", "2", "-g", "1000", "-bsf:v",
                    "h264_metadata=sei_user_data=17ee8c60-f84d-11d9-8cd6-0800200c9a66+" + mdpm,
                    "-f", "mpegts", "-mpegts_m2ts_mode", traits.stamped ? "1" : "0", made});
    ASSERT_EQ(run_program(command, folder).status, 0);
    fs::rename(made, kept);  // whole, for a test running beside this one
  }
  fs::copy_file(kept, folder / name);
}

std::string probe(const fs::path& folder, const std::string& name, const std::string& entries) {
  return run_program({"ffprobe", "-v", "error", "-show_entries", entries, "-of", "csv=p=0", name},
                     folder)
      .output;
}

std::vector<Packet> packets(const fs::path& folder, const std::string& name) {
  std::vector<Packet> found;
  std::istringstream lines(probe(folder, name, "packet=stream_index,pts_time,size"));
  for (std::string line; std::getline(lines, line);) {
    // "stream,time,size", and a comma more where a packet has side data.
    std::istringstream fields(line);
    std::string stream;
    std::string time;
    std::string size;
    if (std::getline(fields, stream, ',') && std::getline(fields, time, ',') &&
        std::getline(fields, size, ',') && time != "N/A") {
      found.push_back({std::stoi(stream), std::stod(time), std::stoul(size)});
    }
  }
  return found;
}

Timeline timeline_of(const fs::path& folder, const std::string& name, int cue_stream) {
  Timeline timeline;
  for (const Packet& packet : packets(folder, name)) {
    timeline.first = std::min(timeline.first, packet.time);
    if (packet.stream == 0) {
      timeline.first_shown = std::min(timeline.first_shown, packet.time);
    }
    if (packet.stream == cue_stream && packet.size > 2) {
      timeline.cues.push_back(packet.time);
    }
  }
  return timeline;
}

double duration_of(const fs::path& folder, const std::string& name) {
  return std::stod(probe(folder, name, "format=duration"));
}

std::string stand_in(const fs::path& folder, const std::string& body) {
  const fs::path script = folder / "stand-in";
  write_file(script, std::vector<std::uint8_t>(body.begin(), body.end()));
  fs::permissions(script, fs::perms::owner_all);
  return script.string();
}

}  // namespace zelvok::testing
