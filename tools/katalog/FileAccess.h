// Whole-file reading of the tool's input files; its output files are written with
// ReplaceFileSafely (core/SafeFileReplace.h).
#pragma once

#include <string>
#include <vector>

// The bytes of a regular file; raises EInOutError with a German message when it cannot be read
// or is not a regular file (a folder, a device, a named pipe: never waited on).
std::string ReadWholeFile(const std::string& path);
// Raises the error ReadWholeFile would raise for a file that cannot be opened or read.
void EnsureReadable(const std::string& path);
// Raises Exception when the output is the same file as one of the inputs (same device and
// inode, links followed), before anything is written: the output would destroy the input.
void RefuseOutputOverInput(const std::string& output, const std::vector<std::string>& inputs);
