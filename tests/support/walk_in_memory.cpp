#include "support/walk_in_memory.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "cli/arguments.h"
#include "cli/run.h"
#include "playlist/validate.h"

namespace zelvok::testing {

Walked walk_bytes(const std::vector<std::uint8_t>& bytes, std::vector<std::string> options,
                  ConsoleEncoding encoding) {
  Walked walked;
  const Validation validation = validate_playlist(ByteSpan(bytes.data(), bytes.size()));
  EXPECT_EQ(validation.fault, PlaylistFault::kNone);
  options.emplace_back("in.mpls");
  const ScanResult scan = scan_arguments(options);
  EXPECT_EQ(scan.outcome, ScanOutcome::kRun);
  char* text = nullptr;
  std::size_t size = 0;
  std::FILE* stream = open_memstream(&text, &size);
  walked.succeeded = produce_subtitles_in_memory(scan.options.output, validation.playlist,
                                                 {stream, encoding}, &walked.files);
  (void)std::fclose(stream);
  walked.console.assign(text, size);
  std::free(text);
  return walked;
}

Walked walk(const PlaylistPlan& plan, std::vector<std::string> options, ConsoleEncoding encoding) {
  return walk_bytes(build_playlist(plan), std::move(options), encoding);
}

std::string cue(int number, const std::string& start, const std::string& end,
                const std::string& text) {
  return std::to_string(number) + "\r\n" + start + " --> " + end + "\r\n" + text + "\r\n\r\n";
}

}  // namespace zelvok::testing
