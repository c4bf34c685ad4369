#pragma once
// The shell operations that the event handlers use.
#include "core/text.h"

namespace velmora {

// Asks the shell to open a web address in the default browser. Failures are
// not reported (any message is the system's own).
void open_web_address(const Text& address);

// The process's working folder; a drive root comes with its backslash (C:\),
// any other folder without. Empty when it cannot be read.
Text current_folder();

// Makes the folder that holds the program file the working folder.
void make_program_folder_current();

// The folder that a path's last backslash ends, found character by character
// in the ANSI code page so that the second byte of a two-byte character is
// never taken for a backslash. Empty when the path holds no backslash.
Text folder_part(const Text& path);

// The shell's modal folder dialog, over the whole namespace, with the
// instruction text above the tree. The chosen item's file-system path, or
// the empty text after cancel or for an item without one.
Text browse_for_folder(const Text& instruction);

}  // namespace velmora
