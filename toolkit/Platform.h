// The platform interface: what the model needs from the machine it runs on.
// One platform is installed per run (the FLTK backend in the program, the headless one in tests).
#pragma once

#include <cstdint>
#include <string>

class TPlatform {
public:
  virtual ~TPlatform() = default;

  // Milliseconds since the system started; 32 bits, wraps around.
  virtual uint32_t TickCount() = 0;
  // Milliseconds since midnight in universal time.
  virtual int32_t TimeOfDayMs() = 0;
  // Full path of the running program file.
  virtual std::string ProgramPath() = 0;
  // The standard message dialog: the text, one OK button, the caption on its title bar.
  // Returns when the user has closed it.
  virtual void MessageDialog(const std::string& caption, const std::string& text) = 0;
};

// The installed platform. Throws std::logic_error when none is installed.
TPlatform& Platform();

// Installs a platform (nullptr uninstalls). Backends call this from their constructor and
// destructor; the caller keeps ownership.
void InstallPlatform(TPlatform* platform);

// Whether a platform is installed.
bool HasPlatform();
