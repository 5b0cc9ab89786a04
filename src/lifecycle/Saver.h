// Process entry: the two windows of the saver and the run of the program.
#pragma once

#include "platform/Platform.h"

namespace kvs {

// Creates the backdrop, runs its load handler (which chooses the mode from
// the command line) and then the message loop while a window is open.
// Returns when the process is to end.
void RunSaver(Platform& platform);

}  // namespace kvs
