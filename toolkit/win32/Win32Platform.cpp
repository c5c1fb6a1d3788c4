// The Win32 platform: clocks, time zone, paths, screen, shell, the message dialog and the loop.
#include "toolkit/win32/Win32Platform.h"

#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/win32/Win32Api.h"
#include "toolkit/win32/Win32Fonts.h"
#include "toolkit/win32/Win32FormPeer.h"
#include "toolkit/win32/Win32Text.h"

#include <algorithm>

namespace {

// 1601-01-01 (the start of Windows file times) to 1970-01-01, in milliseconds.
constexpr int64_t kFileTimeEpochMs = 11644473600000LL;
// File times count 100-nanosecond steps.
constexpr int64_t kStepsPerMs = 10000;
// How many messages one pump takes at most before the model's timers get their turn.
constexpr int kMessagesPerPump = 1000;
// While Windows runs a loop of its own and no model timer runs, the model is asked this often
// whether one has started.
constexpr UINT kIdleTickMs = 200;

int64_t StepsOf(const FILETIME& time) {
  return static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) |
                              time.dwLowDateTime);
}

FILETIME FileTimeOf(int64_t steps) {
  const auto bits = static_cast<uint64_t>(steps);
  return {static_cast<DWORD>(bits & 0xFFFFFFFFu), static_cast<DWORD>(bits >> 32)};
}

void CALLBACK NativeLoopTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (auto* platform = dynamic_cast<TWin32Platform*>(&Platform()))
    platform->NativeLoopTick();
}

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM data) {
  auto& found = *reinterpret_cast<std::vector<HWND>*>(data);
  if (IsWindowVisible(window) && IsWindowEnabled(window))
    found.push_back(window);
  return TRUE;
}

// The window a message box belongs to: the program's active window, else its last shown and
// enabled form.
HWND MessageOwner() {
  HWND active = GetActiveWindow();
  if (active != nullptr && IsWindowVisible(active) && TWin32FormPeer::OfWindow(active) != nullptr)
    return active;
  std::vector<HWND> shown;
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&shown));
  for (HWND window : shown)
    if (TWin32FormPeer::OfWindow(window) != nullptr)
      return window;
  return nullptr;
}

} // namespace

TWin32Platform::TWin32Platform() : fonts(std::make_unique<TWin32Fonts>()) {
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  TWin32FormPeer::RegisterWindowClass();
  InstallPlatform(this);
}

TWin32Platform::~TWin32Platform() {
  if (nativeLoopTimer != 0)
    KillTimer(nullptr, nativeLoopTimer);
  InstallPlatform(nullptr);
  TWin32FormPeer::UnregisterWindowClass();
}

uint32_t TWin32Platform::TickCount() { return GetTickCount(); }

int32_t TWin32Platform::TimeOfDayMs() {
  SYSTEMTIME now{};
  GetSystemTime(&now);
  return ((now.wHour * 60 + now.wMinute) * 60 + now.wSecond) * 1000 + now.wMilliseconds;
}

int64_t TWin32Platform::UtcNowMs() {
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  return StepsOf(now) / kStepsPerMs - kFileTimeEpochMs;
}

int32_t TWin32Platform::UtcOffsetSeconds(int64_t utcMs) {
  const FILETIME utcTime = FileTimeOf((utcMs + kFileTimeEpochMs) * kStepsPerMs);
  SYSTEMTIME utc{}, local{};
  FILETIME localTime{};
  // The zone's rules of that year, daylight saving included.
  TIME_ZONE_INFORMATION zone{};
  const bool converted =
      utcMs >= -kFileTimeEpochMs && FileTimeToSystemTime(&utcTime, &utc) &&
      SystemTimeToTzSpecificLocalTime(
          GetTimeZoneInformationForYear(utc.wYear, nullptr, &zone) ? &zone : nullptr, &utc,
          &local) &&
      SystemTimeToFileTime(&local, &localTime);
  if (!converted) {
    // Before 1601 or after 30827: the zone's standard offset.
    TIME_ZONE_INFORMATION current{};
    GetTimeZoneInformation(&current);
    return static_cast<int32_t>(-current.Bias * 60);
  }
  return static_cast<int32_t>((StepsOf(localTime) - StepsOf(utcTime)) / (kStepsPerMs * 1000));
}

std::string TWin32Platform::ProgramPath() {
  // Paths may be longer than MAX_PATH; the buffer grows until the whole path fits.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0)
      return "";
    if (length < path.size()) {
      path.resize(length);
      return Narrow(path);
    }
    if (path.size() >= 32768)
      return "";
    path.resize(path.size() * 2);
  }
}

void TWin32Platform::MessageDialog(const std::string& caption, const std::string& text) {
  if (painting > 0) {
    // A modal loop inside WM_PAINT would paint the same window again, and fail again.
    deferredMessages.push_back({caption, text});
    return;
  }
  HWND owner = MessageOwner();
  // The message box disables its owner; the program's other windows wait for it too, as they
  // do for a modal form.
  std::vector<HWND> shown;
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&shown));
  std::vector<HWND> disabled;
  for (HWND window : shown)
    if (window != owner && TWin32FormPeer::OfWindow(window) != nullptr) {
      EnableWindow(window, FALSE);
      disabled.push_back(window);
    }
  const UINT style = MB_OK | MB_SETFOREGROUND | (owner != nullptr ? MB_APPLMODAL : MB_TASKMODAL);
  EnterNativeLoop();
  MessageBoxW(owner, Widen(WindowsLineBreaks(text)).c_str(), Widen(caption).c_str(), style);
  LeaveNativeLoop();
  for (HWND window : disabled)
    if (IsWindow(window))
      EnableWindow(window, TRUE);
}

void TWin32Platform::ShowDeferredMessages() {
  if (painting > 0)
    return;
  while (!deferredMessages.empty()) {
    const TMessage message = deferredMessages.front();
    deferredMessages.erase(deferredMessages.begin());
    MessageDialog(message.Caption, message.Text);
  }
}

int TWin32Platform::ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }

int TWin32Platform::ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

TTextSize TWin32Platform::MeasureText(const TFont& font, const std::string& text) {
  return fonts->Measure(font, text);
}

bool TWin32Platform::ShellOpen(const std::string& target) {
  const HINSTANCE result =
      ShellExecuteW(nullptr, L"open", Widen(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  // Values above 32 mean success; the smaller ones are error numbers.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

std::unique_ptr<TFormPeer> TWin32Platform::CreateFormPeer(TForm& form) {
  return std::make_unique<TWin32FormPeer>(form, *this);
}

void TWin32Platform::Pump() {
  MSG message{};
  for (int count = 0; count < kMessagesPerPump; ++count) {
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
      break;
    if (message.message == WM_QUIT) {
      Application.Terminate();
      continue;
    }
    const bool isKey = message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST;
    TWin32FormPeer* peer =
        isKey ? TWin32FormPeer::OfWindow(GetAncestor(message.hwnd, GA_ROOT)) : nullptr;
    if (peer == nullptr || !peer->RouteKeyMessage(message, false)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    ShowDeferredMessages();
  }
}

void TWin32Platform::ProcessMessages() {
  // The model's timers fire from a loop of Windows' own (a message box): that loop takes the
  // messages, since it gives the message box its keys. A loop the model starts from there
  // pumps again.
  if (tickPumpSkipped) {
    tickPumpSkipped = false;
    return;
  }
  Pump();
  ShowDeferredMessages();
}

void TWin32Platform::WaitForEvents(int32_t timeoutMs) {
  // Sleeps in the system until a message comes or the time is up: no spinning.
  MsgWaitForMultipleObjectsEx(0, nullptr, timeoutMs < 0 ? INFINITE : static_cast<DWORD>(timeoutMs),
                              QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  Pump();
}

void TWin32Platform::ModalShown(TForm& form) {
  if (auto* peer = dynamic_cast<TWin32FormPeer*>(form.Peer()))
    peer->MakeModal();
}

void TWin32Platform::EnterNativeLoop() {
  if (nativeLoops++ == 0)
    ArmNativeLoopTimer();
}

void TWin32Platform::LeaveNativeLoop() {
  if (--nativeLoops > 0)
    return;
  nativeLoops = 0;
  if (nativeLoopTimer != 0)
    KillTimer(nullptr, nativeLoopTimer);
  nativeLoopTimer = 0;
}

void TWin32Platform::ArmNativeLoopTimer() {
  const int32_t due = Application.NextTimerDue();
  const UINT wait =
      due < 0 ? kIdleTickMs : std::max<UINT>(USER_TIMER_MINIMUM, static_cast<UINT>(due));
  // A thread timer: the loop running dispatches its WM_TIMER to NativeLoopTimer.
  nativeLoopTimer = SetTimer(nullptr, nativeLoopTimer, wait, NativeLoopTimer);
}

void TWin32Platform::NativeLoopTick() {
  if (nativeLoops == 0)
    return;
  tickPumpSkipped = true;
  Application.ProcessMessages();
  tickPumpSkipped = false;
  if (nativeLoops > 0)
    ArmNativeLoopTimer();
}
