// Replacing a file only once its new content is complete on disk.
#pragma once

#include <string>

// Writes the bytes to a new file of a fresh name in the same folder ("<name>.neu-" and six
// random letters, created exclusively, so that no link or file planted there is followed or
// overwritten), flushes them to the disk, renames the new file over `path` and flushes the
// folder. A failure at any step or a crash leaves the earlier file as it was and no partial file
// under its name; the new file is removed on every failure. Two saves at once each write their
// own file, and the last rename wins whole. Only a regular file or nothing is replaced: a folder,
// device, named pipe or socket at `path` is refused. An existing file keeps its permissions.
// Raises EInOutError naming `path`.
void ReplaceFileSafely(const std::string& path, const std::string& bytes);
