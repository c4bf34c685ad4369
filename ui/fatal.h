#pragma once
// The end of the program after an error it cannot go on from.

namespace velmora {

// Shows the error box with the message and ends the process with status -1.
// Allocates nothing, so it also serves when memory has run out.
[[noreturn]] void fatal_error(const char* message);

}  // namespace velmora
