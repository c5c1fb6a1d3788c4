// Paths of the pictures beside the program.
#include "windows/Assets.h"

#include "toolkit/Platform.h"

std::string AssetPath(const std::string& name) {
  const std::string program = Platform().ProgramPath();
  const std::size_t slash = program.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : program.substr(0, slash);
  return folder + "/assets/" + name;
}
