// Paths of the pictures beside the program.
#include "windows/Assets.h"

#include "toolkit/Platform.h"

std::string AssetPath(const std::string& name) { return ProgramFolder() + "assets/" + name; }
