// The command line of aerolern-katalog: import, export, check, wissen, umziehen, verlauf and
// klasse.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// Exit statuses of the tool.
enum : int { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

// Runs the tool with its arguments (without the program name). Results go to `out`, error
// messages, warnings and notes to `err`. Returns the exit status.
int RunKatalog(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The German usage text.
std::string KatalogUsage();
