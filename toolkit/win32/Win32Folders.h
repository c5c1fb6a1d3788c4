// The learner's known folders on Windows.
#pragma once

#include <string>

// The learner's "Documents" folder (UTF-8), as Windows names it for the signed-in user; empty
// when Windows names none.
std::string DocumentsFolder();
