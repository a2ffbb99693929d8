// Every file the program makes is written whole or not at all: under a new,
// hidden temporary name beside its place, then moved into place in one step.
// An interrupted run removes the temporary; a later run passes it over.
#pragma once

#include <string>
#include <string_view>

#include "platform/files.h"

namespace zelvok {

// Creates a new file beside `target` to write it under first: a hidden name
// with a random part, noted for an interruption before it is created, made
// new (never an entry already there, never through a link). `temporary`
// gets its name; returns its descriptor, or -1 when no such file could be
// made.
int create_temporary_beside(const std::string& target, std::string* temporary);

// `bytes` written whole into a temporary made beside `target`: its name, or
// empty when it could not be made or written (nothing is left then).
std::string write_temporary_beside(const std::string& target, std::string_view bytes);

// Removes a temporary that is not to be moved into place.
void remove_temporary(const std::string& temporary);

// Moves a temporary into place as `target` (move_into_place's rules) and
// forgets it; removes it when that fails. Only a regular file is moved: a
// program given the temporary's name (ffmpeg) may have put anything there.
bool put_temporary_in_place(const std::string& temporary, const std::string& target, bool replace);

// Writes `bytes` as the file `target`, whole or not at all. An entry at
// `target` is replaced only when `replace` is set, and only a regular file.
bool write_whole_file(const std::string& target, std::string_view bytes, bool replace);

}  // namespace zelvok
