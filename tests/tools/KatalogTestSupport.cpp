// Shared helpers of the aerolern-katalog tests.
#include "KatalogTestSupport.h"

#include "tools/katalog/KatalogCommands.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

const char* const kCsvHeaderLine =
    "Nr;Lizenz;Bereich;Skizze;Richtig;Frage;Antwort A;Antwort B;Antwort C;Antwort D;Aktiv\n";

QuestionRecord EditionQuestion(int16_t licence, int16_t area, const std::string& question) {
  return MakeQuestion(licence, area, question,
                      {{"Antwort eins", "Antwort zwei", "Antwort drei", "Antwort vier"}, 'B'});
}

TToolRun RunTool(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = RunKatalog(args, out, err);
  return {status, out.str(), err.str()};
}

std::vector<std::string> FilesIn(const std::string& directory) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(directory))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}
