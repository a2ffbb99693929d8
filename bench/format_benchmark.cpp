// The entry formatter alone, in entries per second: the hot path of a run,
// apart from the disk.
#include <benchmark/benchmark.h>

#include "subtitle/recording_stamp.h"
#include "subtitle/srt_entry.h"
#include "subtitle/subtitle_clock.h"

namespace {

void FormatEntry(benchmark::State& state) {
  char buffer[zelvok::kMaxEntrySize];
  char text[zelvok::kMaxStampText];
  zelvok::SubtitleClock clock;
  zelvok::RecordingStamp stamp{2024, 7, 14, 9, 30, 12};
  for (auto _ : state) {
    const char* text_end = zelvok::put_stamp(text, stamp);
    char* end =
        zelvok::put_entry(buffer, clock.number++, zelvok::timecode_at(clock.start_ms),
                          zelvok::timecode_at(clock.start_ms + 1000),
                          std::string_view(text, static_cast<std::size_t>(text_end - text)));
    benchmark::DoNotOptimize(end);
    benchmark::ClobberMemory();
    clock.start_ms += 1000;
    zelvok::advance_stamp(&stamp);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(FormatEntry);

}  // namespace

BENCHMARK_MAIN();
