// Whole-file reading and the all-or-nothing writing of the tool's output files.
#pragma once

#include <string>

// The bytes of a file; raises EInOutError with a German message when it cannot be read.
std::string ReadWholeFile(const std::string& path);

// Writes the bytes to a temporary file beside `path` and renames it over `path` once every
// byte is written, so that a failure leaves neither a partial file nor the temporary one and an
// existing file stays as it was. Raises EInOutError on failure.
void WriteFileReplacing(const std::string& path, const std::string& bytes);
