// The Windows API as the Win32 backend includes it: the W functions only, without the macros
// that would rename the toolkit's own members (MessageBox, TextOut).
#pragma once

#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

// TApplication::MessageBox and TCanvas::TextOut keep their names in every translation unit;
// the backend calls MessageBoxW and TextOutW by their full names.
#undef MessageBox
#undef TextOut
#undef DrawText

// The client position of a mouse message.
inline int XOf(LPARAM lParam) { return static_cast<short>(LOWORD(lParam)); }
inline int YOf(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)); }

// Whether a message is one of a key or of the character it types.
inline bool IsKeyMessage(UINT message) {
  return message >= WM_KEYFIRST && message <= WM_KEYLAST && message != WM_UNICHAR;
}
