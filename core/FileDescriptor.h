// An open POSIX file descriptor that is closed when it goes out of scope.
#pragma once

#include <unistd.h>
#include <utility>

class TDescriptor {
public:
  explicit TDescriptor(int fd) : fd(fd) {}
  ~TDescriptor() {
    if (fd >= 0)
      ::close(fd);
  }
  TDescriptor(const TDescriptor&) = delete;
  TDescriptor& operator=(const TDescriptor&) = delete;
  // The descriptor; negative when the open failed.
  int Get() const { return fd; }
  // Closes now and reports whether the close succeeded (a late write error shows up here).
  bool Close() { return ::close(std::exchange(fd, -1)) == 0; }
  // Hands the descriptor to the caller, who closes it from now on.
  int Release() { return std::exchange(fd, -1); }

private:
  int fd;
};
