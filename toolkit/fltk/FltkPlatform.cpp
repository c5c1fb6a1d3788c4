// The FLTK platform: clocks, paths, screen, desktop opener, dialog and the event loop.
#include "toolkit/fltk/FltkPlatform.h"

#include "toolkit/Form.h"
#include "toolkit/fltk/FltkFonts.h"
#include "toolkit/fltk/FltkFormPeer.h"
#include "toolkit/fltk/FltkMessageDialog.h"
#include "toolkit/fltk/FltkX11.h"

#include <FL/Fl.H>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>

extern char** environ;

namespace {

constexpr int64_t kMsPerDay = 24 * 60 * 60 * 1000;
// How long ShellOpen waits for the opener's verdict.
constexpr int kOpenerWaitMs = 5000;
// FLTK's own "forever", in seconds.
constexpr double kForever = 1e20;

int64_t MsOf(const timespec& time) {
  return static_cast<int64_t>(time.tv_sec) * 1000 + time.tv_nsec / 1000000;
}

} // namespace

TFltkPlatform::TFltkPlatform() {
  // The classic desktop's button-face grey for windows and buttons.
  Fl::background(0xD4, 0xD0, 0xC8);
  InstallPlatform(this);
}

TFltkPlatform::~TFltkPlatform() { InstallPlatform(nullptr); }

uint32_t TFltkPlatform::TickCount() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint32_t>(MsOf(now));
}

int32_t TFltkPlatform::TimeOfDayMs() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return static_cast<int32_t>(MsOf(now) % kMsPerDay);
}

std::string TFltkPlatform::ProgramPath() {
  std::string path(4096, '\0');
  const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0)
    return "";
  path.resize(static_cast<std::size_t>(length));
  return path;
}

void TFltkPlatform::MessageDialog(const std::string& caption, const std::string& text) {
  ShowFltkMessageDialog(caption, text);
}

int TFltkPlatform::ScreenWidth() {
  OpenFltkDisplay();
  return Fl::w();
}

int TFltkPlatform::ScreenHeight() {
  OpenFltkDisplay();
  return Fl::h();
}

TTextSize TFltkPlatform::MeasureText(const TFont& font, const std::string& text) {
  return FltkMeasureText(font, text);
}

bool TFltkPlatform::ShellOpen(const std::string& target) {
  // Openers from earlier calls that have ended since.
  runningOpeners.erase(
      std::remove_if(runningOpeners.begin(), runningOpeners.end(),
                     [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; }),
      runningOpeners.end());

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  // The opener's chatter must not mix with the program's own output.
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  std::string program = "xdg-open";
  std::string argument = target;
  char* argv[] = {program.data(), argument.data(), nullptr};
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, "xdg-open", &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0)
    return false;

  const uint32_t start = TickCount();
  for (;;) {
    int status = 0;
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid)
      return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (done < 0 && errno != EINTR)
      return false;
    if (TickCount() - start >= kOpenerWaitMs) {
      runningOpeners.push_back(pid);
      return true;
    }
    usleep(20000);
  }
}

std::unique_ptr<TFormPeer> TFltkPlatform::CreateFormPeer(TForm& form) {
  OpenFltkDisplay();
  return std::make_unique<TFltkFormPeer>(form);
}

void TFltkPlatform::ProcessMessages() {
  OpenFltkDisplay();
  Fl::check();
}

void TFltkPlatform::WaitForEvents(int32_t timeoutMs) {
  OpenFltkDisplay();
  // Fl::wait sleeps in the system until an event or the time limit: no spinning. (The
  // argument-less Fl::wait returns at once while no window is shown, so it is not used.)
  if (timeoutMs < 0)
    Fl::wait(kForever);
  else
    Fl::wait(timeoutMs / 1000.0);
}

void TFltkPlatform::ModalShown(TForm& form) {
  if (auto* peer = dynamic_cast<TFltkFormPeer*>(form.Peer()))
    peer->MakeModal();
}
