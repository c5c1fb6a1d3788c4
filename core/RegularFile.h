// Opening and replacing files that must be regular files. A folder, device, named pipe or socket
// at such a path is refused by name, so that a read never waits on a pipe and a save never
// replaces a device node.
#pragma once

#include <string>

// Opens the regular file at `path` with `flags` (O_RDONLY or O_RDWR, with O_CLOEXEC added) and
// returns its descriptor, or -1 when nothing stands at the path. Raises EInOutError when it
// cannot be opened or is not a regular file; `operation` names the step in the message.
int OpenRegularFile(const std::string& path, int flags, const std::string& operation);

// Raises EInOutError naming what stands at `path` (links followed) when that is neither missing
// nor a regular file.
void RequireRegularOrMissing(const std::string& path, const std::string& operation);
