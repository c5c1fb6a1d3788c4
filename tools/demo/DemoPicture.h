// A small JPEG picture that the demo draws and compresses at start-up, in a temporary file.
#pragma once

#include <string>

// Writes the picture on construction and removes the file on destruction.
class TDemoPicture {
public:
  TDemoPicture(int width, int height);
  ~TDemoPicture();
  TDemoPicture(const TDemoPicture&) = delete;
  TDemoPicture& operator=(const TDemoPicture&) = delete;

  const std::string& Path() const { return path; }

private:
  std::string path;
};
