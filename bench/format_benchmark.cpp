// The entry formatter alone, in entries per second: the hot path of a run,
// apart from the disk. Entries are made one after the other, as a clip's are,
// and copied into a buffer as the walk copies them.
#include <benchmark/benchmark.h>

#include <vector>

#include "model/recording_stamp.h"
#include "subtitle/date_format.h"
#include "subtitle/srt_entry.h"

namespace {

void FormatEntry(benchmark::State& state) {
  std::vector<char> buffer(std::size_t{64} << 10);  // stays in the cache: the formatter, not memory
  std::size_t used = 0;
  zelvok::RecordingStamp stamp{2024, 7, 14, 9, 30, 12};
  zelvok::EntryText entry{};
  const zelvok::DateStyle style{zelvok::fixed_date_format(), zelvok::kNoZone};
  zelvok::layout_entry(&entry, 1, 0, 1000, style, stamp);
  for (auto _ : state) {
    zelvok::advance_stamp(&stamp);
    if (buffer.size() - used < zelvok::kMaxEntrySize) {
      benchmark::DoNotOptimize(buffer.data());
      used = 0;
    }
    char* out = buffer.data() + used;
    char* const end = zelvok::put_next_entry(&entry, 1000, style, stamp, out);
    used = static_cast<std::size_t>(end - buffer.data());
  }
  benchmark::DoNotOptimize(used);
  benchmark::ClobberMemory();
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(FormatEntry);

}  // namespace

BENCHMARK_MAIN();
