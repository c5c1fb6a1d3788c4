// Replacing a file only once its new content is complete on disk.
#pragma once

#include <string>

// Writes the bytes to "<path>.neu" in the same folder, flushes them to the disk, renames the
// new file over `path` and flushes the folder, so that a failure at any step or a crash leaves
// the earlier file as it was and no partial file under its name. Raises EInOutError naming
// `path`; a temporary file it created is removed again.
void ReplaceFileSafely(const std::string& path, const std::string& bytes);
