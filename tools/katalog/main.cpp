// Entry of aerolern-katalog, the command-line tool for the question catalogue.
#include "tools/katalog/KatalogCommands.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
  try {
    const int status =
        RunKatalog(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
    std::cout.flush();
    if (!std::cout) {
      std::cerr << "aerolern-katalog: Die Ausgabe konnte nicht geschrieben werden.\n";
      return kExitFailed;
    }
    return status;
  } catch (const std::exception& error) {
    std::cerr << "aerolern-katalog: " << error.what() << '\n';
    return kExitFailed;
  }
}
