// The program's start-up: application title, the windows in their order, the splash pause.
#pragma once

// Sets the title, creates every window hidden (the main window first) and shows the splash
// window for five seconds. The event loop (Application.Run) follows.
void StartProgram();
