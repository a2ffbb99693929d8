#include "mp4/mp4_output.h"

#include "ffmpeg/creation_time.h"

namespace zelvok {
namespace {

// AAC-LC's rates: enough for stereo to sound as the camera recorded it, and
// for 5.1.
constexpr const char* kStereoRate = "256k";
constexpr const char* kSurroundRate = "384k";
constexpr unsigned kStereo = 2;
constexpr unsigned kFivePointOne = 6;

// Each sound track re-encoded by ffmpeg's own AAC encoder: AC-3 and LPCM,
// what camcorders record, do not play on many phones. A track of more than
// two channels gets the higher rate; 5.1 stays 5.1, in AAC's own order of
// its channels, which every player knows.
void add_sound(const FfmpegJob& job, std::vector<std::string>* command) {
  command->insert(command->end(), {"-c:a", "aac", "-b:a", kStereoRate});
  for (std::size_t k = 0; k < job.media.sounds.size(); ++k) {
    const unsigned channels = job.media.sounds[k].channels;
    const std::string track = ":a:" + std::to_string(k);
    if (channels > kStereo) {
      command->insert(command->end(), {"-b" + track, kSurroundRate});
    }
    if (channels == kFivePointOne) {
      command->insert(command->end(), {"-ch_layout" + track, "5.1"});
    }
  }
}

}  // namespace

void add_mp4_output(const FfmpegJob& job, std::vector<std::string>* command) {
  add_sound(job, command);
  command->insert(command->end(),
                  {"-c:s", "mov_text", "-metadata:s:s:0", "handler_name=Recording date"});
  std::string flags = "+faststart";  // the index first, for streaming
  if (job.created) {
    command->insert(command->end(), {"-metadata", "com.apple.quicktime.creationdate=" +
                                                      local_time_text(*job.created)});
    flags += "+use_metadata_tags";  // which Apple's key needs
  }
  command->insert(command->end(), {"-movflags", flags, "-f", "mp4"});
}

}  // namespace zelvok
