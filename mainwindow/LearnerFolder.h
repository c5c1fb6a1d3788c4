// The learner's own folder, in which the installed program runs: the program files lie in a
// folder the learner may not write to, the catalogue, the knowledge file and the history in one
// of the learner's own.
#pragma once

#include <string>

// The files a new learner folder starts with: the demo catalogue and the help page.
inline constexpr const char* LearnerFolderTemplates[] = {"Aerolern.dat", "Hilfe.htm"};

// Makes `folder` the working folder. It is created when it is missing, and each template file
// of `templates` that it lacks is copied into it; a file that is there already is never
// replaced, so the learner's catalogue stays as it is. Paths are UTF-8. Returns "" on success,
// otherwise a German sentence that names the folder and why it cannot be used.
std::string EnterLearnerFolder(const std::string& folder, const std::string& templates);
