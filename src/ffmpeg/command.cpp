#include "ffmpeg/command.h"

#include "burn/burn_filter.h"
#include "ffmpeg/creation_time.h"
#include "mkv/mkv_output.h"
#include "mp4/mp4_output.h"

namespace zelvok {
namespace {

// ffmpeg reads each of two inputs in a thread of its own: a deeper queue lets
// the clip's reader run ahead, and the copy costs little more than one of the
// clip alone.
constexpr const char* kQueuedPackets = "4096";

// Cues count whole milliseconds: they start on the first at or after the
// clip's first frame shown, as a cue a fraction of one before the file's zero
// is put a whole second early in an MP4.
std::uint64_t whole_ms_after(std::uint64_t pts) {
  return (pts + kPtsPerMillisecond - 1) / kPtsPerMillisecond * kPtsPerMillisecond;
}

// The clip, then its cues, which start where the clip's first frame is shown
// on its own clock: a sound that starts before the picture, or frames
// presented before the first one in the file, move nothing. The clip's video
// and sound are taken (the camera's caption stream and any data stream left
// out), then the cues.
void add_inputs(const FfmpegJob& job, const JobFiles& files, std::vector<std::string>* command) {
  command->insert(command->end(), {"-nostdin",
                                   "-hide_banner",
                                   "-loglevel",
                                   "error",
                                   "-nostats",
                                   "-progress",
                                   "pipe:1",
                                   "-copyts",
                                   "-thread_queue_size",
                                   kQueuedPackets,
                                   "-i",
                                   file_url(job.clip),
                                   "-itsoffset",
                                   seconds_of(whole_ms_after(job.media.first_shown_pts)),
                                   "-thread_queue_size",
                                   kQueuedPackets,
                                   "-f",
                                   job.form == SubtitleForm::kWebVtt ? "webvtt" : "srt",
                                   "-i",
                                   file_url(files.cues),
                                   "-map",
                                   "0:v",
                                   "-map",
                                   "0:a?",
                                   "-map",
                                   "1:0"});
}

// The dates as a track titled "Recording date" that the viewer turns on; the
// video and sound are named default tracks, as some players play no track
// that is not. Where the camera recorded its zone, the file's creation time
// is the instant its first frame was filmed.
void add_tracks_and_time(const FfmpegJob& job, std::vector<std::string>* command) {
  command->insert(command->end(),
                  {"-metadata:s:s:0", "title=Recording date", "-disposition:s:0", "0",
                   "-disposition:v:0", "default", "-disposition:a", "default"});
  RecordingStamp utc{};
  if (job.created && utc_of(*job.created, &utc)) {
    command->insert(command->end(), {"-metadata", "creation_time=" + utc_time_text(utc)});
  }
}

}  // namespace

std::string seconds_of(std::uint64_t pts, std::string_view sign) {
  const std::uint64_t microseconds = (pts * 100 + 4) / 9;  // rounded to the nearest
  std::string text(sign);
  text += std::to_string(microseconds / 1000000);
  text += '.';
  text.append(std::to_string(1000000 + microseconds % 1000000), 1, 6);  // six digits
  return text;
}

std::string file_url(const std::string& path) {
  std::string url = "file:";
  url += path;
  return url;
}

std::vector<std::string> ffmpeg_command(const std::string& ffmpeg, const FfmpegJob& job,
                                        const JobFiles& files) {
  std::vector<std::string> command = {ffmpeg};
  add_inputs(job, files, &command);
  if (files.drawn_cues.empty()) {
    command.insert(command.end(), {"-c:v", "copy"});
  } else {
    add_burned_video(job, files.drawn_cues, &command);
  }
  add_tracks_and_time(job, &command);
  switch (job.container) {
    case Container::kMkv:
      add_mkv_output(job, &command);
      break;
    case Container::kMp4:
      add_mp4_output(job, &command);
      break;
  }
  // The whole timeline moved so that the first frame shown is at zero (or,
  // where the sound starts before it, the sound).
  command.insert(command.end(), {"-output_ts_offset", seconds_of(job.media.first_shown_pts, "-"),
                                 "-y", file_url(files.output)});
  return command;
}

}  // namespace zelvok
