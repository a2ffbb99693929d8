// What an interrupted run (Ctrl+C, a hang-up, a termination) must undo
// before it ends: the temporary files being written, removed, and the program
// it started (ffmpeg), stopped and waited for. Nothing half-made is left on
// the user's card, and nothing is left running.
#pragma once

#include <string>

namespace zelvok {

// Notes a temporary file to remove if the run is interrupted: called before
// the file is created, so that no moment leaves it unnoted. False when no
// more can be noted (the caller then does not create it).
bool note_temporary(const std::string& name);

// The temporary has been moved into place or removed.
void forget_temporary(const std::string& name);

// Notes the process started, to stop if the run is interrupted; -1: none.
void note_child(long long process);

}  // namespace zelvok
