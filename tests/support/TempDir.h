// A fresh temporary directory for the files a test, benchmark or fuzzer writes, and whole-file
// helpers.
#pragma once

#include <string>

class TTempDir {
public:
  // Enter: the working directory moves there and back, as the question data look for their
  // files in it. Stay: the working directory stays where it is.
  enum class TMode { Enter, Stay };

  // Throws std::runtime_error when the directory cannot be made or entered.
  explicit TTempDir(TMode mode = TMode::Enter, const std::string& prefix = "aerolern-test");
  ~TTempDir();
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;

  const std::string& Path() const { return path; }
  // Path of a file inside the directory.
  std::string File(const std::string& name) const { return path + "/" + name; }
  // Creates a directory inside and returns its path.
  std::string MakeSubDir(const std::string& name) const;

private:
  std::string path;
  std::string previousDir; // empty for TMode::Stay
};

// Whole-file helpers. WriteFileBytes is false when the file could not be written completely.
std::string ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
