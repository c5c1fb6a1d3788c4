// Where the pictures supplied with the program lie: the folder "assets" beside the program.
#pragma once

#include <string>

// The full path of an asset, e.g. AssetPath("sketches/13_12.jpg").
std::string AssetPath(const std::string& name);
