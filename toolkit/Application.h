// The application object: title, termination request, standard message dialog and the
// default error display.
#pragma once

#include <exception>
#include <string>

class TApplication {
public:
  const std::string& Title() const { return title; }
  void SetTitle(const std::string& value) { title = value; }

  // Asks the program to end; takes effect when control returns to the event loop.
  void Terminate() { terminated = true; }
  bool Terminated() const { return terminated; }
  // Withdraws a termination request (a new run in the same process, as tests do).
  void ResetTerminated() { terminated = false; }

  // The standard message dialog with one OK button and the title as caption.
  void MessageBox(const std::string& text);

  // The default error display: shows what failed in the standard message dialog.
  void HandleException(const std::exception& error);

private:
  std::string title = "Aerolern";
  bool terminated = false;
};

extern TApplication Application;
