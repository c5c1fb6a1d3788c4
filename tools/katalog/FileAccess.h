// Whole-file reading of the tool's input files; its output files are written with
// ReplaceFileSafely (core/SafeFileReplace.h).
#pragma once

#include <string>

// The bytes of a file; raises EInOutError with a German message when it cannot be read.
std::string ReadWholeFile(const std::string& path);
// Raises the error ReadWholeFile would raise for a file that cannot be opened or is a folder.
void EnsureReadable(const std::string& path);
