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
