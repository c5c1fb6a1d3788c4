// Temporary directories and whole-file helpers.
#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

TTempDir::TTempDir(TMode mode, const std::string& prefix) {
  // A new folder of an unused name, as mkdtemp makes one, on every platform.
  std::random_device seed;
  std::mt19937_64 random(seed());
  const fs::path base = fs::temp_directory_path();
  for (int attempt = 0; attempt < 100 && path.empty(); ++attempt) {
    const fs::path candidate = base / (prefix + "-" + std::to_string(random() % 1000000000));
    if (fs::create_directory(candidate))
      path = candidate.string();
  }
  if (path.empty())
    throw std::runtime_error("cannot create a temporary directory in " + base.string());
  if (mode == TMode::Enter) {
    previousDir = fs::current_path().string();
    fs::current_path(path);
  }
}

TTempDir::~TTempDir() {
  std::error_code ignored;
  if (!previousDir.empty())
    fs::current_path(previousDir, ignored);
  // A test may have taken the owner's rights away to provoke a failure.
  fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(path, ignored);
}

std::string TTempDir::MakeSubDir(const std::string& name) const {
  const std::string sub = File(name);
  fs::create_directory(sub);
  return sub;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

bool FileExists(const std::string& path) { return fs::exists(path); }
