// Holds the one installed platform.
#include "toolkit/Platform.h"

#include <stdexcept>

namespace {

TPlatform* installedPlatform = nullptr;

} // namespace

TPlatform& Platform() {
  if (installedPlatform == nullptr)
    throw std::logic_error("Keine Plattform installiert.");
  return *installedPlatform;
}

void InstallPlatform(TPlatform* platform) { installedPlatform = platform; }

bool HasPlatform() { return installedPlatform != nullptr; }
