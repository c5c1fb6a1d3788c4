// The application object's message and error display.
#include "toolkit/Application.h"

#include "toolkit/Platform.h"

TApplication Application;

void TApplication::MessageBox(const std::string& text) { Platform().MessageDialog(title, text); }

void TApplication::HandleException(const std::exception& error) { MessageBox(error.what()); }
