// A fresh temporary directory that a test works in; the working directory moves there and back.
#pragma once

#include <string>

class TTempDir {
public:
  TTempDir();
  ~TTempDir();
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;

  const std::string& Path() const { return path; }
  // Path of a file inside the directory.
  std::string File(const std::string& name) const { return path + "/" + name; }

private:
  std::string path;
  std::string previousDir;
};

// Whole-file helpers for tests.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
