// make_playlist OUTPUT [+]DURATION[xCOUNT]...
//
// Writes a camcorder playlist with one clip per DURATION (milliseconds; xCOUNT
// repeats it), named 00000, 00001, ..., each a recording with its own dated
// scene: the first recorded on 2024/07/14 at 09:30:12, each next one ten
// minutes after the previous recording ended. A DURATION written +DURATION
// continues the recording before it instead, as a camcorder splits a long
// recording into clips. Used for the sample playlist and the benchmark.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "support/playlist_builder.h"

namespace {

using zelvok::testing::ScenePlan;

struct Moment {
  unsigned year = 2024, month = 7, day = 14, hour = 9, minute = 30, second = 12;
};

// Moves `moment` on by `seconds`; months of 31 days are close enough here.
void advance(Moment* moment, unsigned long long seconds) {
  unsigned long long total = moment->second + 60ull * (moment->minute + 60ull * moment->hour);
  total += seconds;
  moment->second = static_cast<unsigned>(total % 60);
  moment->minute = static_cast<unsigned>(total / 60 % 60);
  moment->hour = static_cast<unsigned>(total / 3600 % 24);
  moment->day += static_cast<unsigned>(total / 86400);
  while (moment->day > 28) {
    moment->day -= 28;
    if (++moment->month > 12) {
      moment->month = 1;
      ++moment->year;
    }
  }
}

bool parse(std::string_view text, unsigned long* value) {
  const auto result = std::from_chars(text.data(), text.data() + text.size(), *value);
  return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

}  // namespace

// A playlist of recordings of one part each is laid out as the sample has
// always been: clips from IN time 0, and no marks.
zelvok::testing::PlaylistPlan plan_of(const std::vector<std::vector<std::uint32_t>>& recordings,
                                      const std::vector<ScenePlan>& scenes) {
  const bool split = std::any_of(recordings.begin(), recordings.end(),
                                 [](const auto& parts) { return parts.size() > 1; });
  if (split) {
    return zelvok::testing::recordings_of(recordings, scenes);
  }
  zelvok::testing::PlaylistPlan plan;
  plan.scenes = scenes;
  for (const auto& parts : recordings) {
    char name[8];
    (void)std::snprintf(name, sizeof name, "%05zu", plan.clips.size() % 100000);
    plan.clips.push_back(zelvok::testing::clip(name, parts[0]));
  }
  return plan;
}

int main(int argc, char** argv) {
  const std::string_view first = argc > 1 ? argv[1] : "";
  if (argc < 2 || first == "--help" || first == "-h") {
    (void)std::fprintf(argc < 2 ? stderr : stdout,
                       "usage: make_playlist OUTPUT [+]DURATION_MS[xCOUNT]...\n");
    return argc < 2 ? 2 : 0;
  }
  if (first.starts_with('-')) {
    (void)std::fprintf(stderr, "make_playlist: unknown option '%s'\n", argv[1]);
    return 2;
  }
  std::vector<std::vector<std::uint32_t>> recordings;
  for (int at = 2; at < argc; ++at) {
    std::string_view argument = argv[at];
    const bool continues = argument.starts_with('+');
    argument.remove_prefix(continues ? 1 : 0);
    const std::size_t times = argument.find('x');
    unsigned long duration = 0;
    unsigned long count = 1;
    if (!parse(argument.substr(0, times), &duration) ||
        (times != std::string_view::npos && !parse(argument.substr(times + 1), &count)) ||
        (continues && recordings.empty())) {
      (void)std::fprintf(stderr, "make_playlist: bad clip duration '%s'\n", argv[at]);
      return 2;
    }
    for (unsigned long i = 0; i < count; ++i) {
      if (!continues) {
        recordings.emplace_back();
      }
      recordings.back().push_back(static_cast<std::uint32_t>(duration));
    }
  }
  std::vector<ScenePlan> scenes;
  Moment moment;
  for (const auto& parts : recordings) {
    scenes.push_back(zelvok::testing::scene_at(moment.year, moment.month, moment.day, moment.hour,
                                               moment.minute, moment.second));
    unsigned long long recorded = 0;
    for (const std::uint32_t part : parts) {
      recorded += part;
    }
    advance(&moment, recorded / 1000 + 600);
  }
  zelvok::testing::write_file(argv[1],
                              zelvok::testing::build_playlist(plan_of(recordings, scenes)));
  return 0;
}
