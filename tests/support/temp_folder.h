// A fresh temporary folder for one test, removed with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <string>

namespace savora::testing {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The folder as text, ending with '/'.
  std::string str() const { return path_.string() + "/"; }
  // Creates a file (and its folders) under the folder with the given bytes; returns its path.
  std::filesystem::path write(const std::string& relative, const std::string& bytes = {}) const;

 private:
  std::filesystem::path path_;
};

// Reads a file's bytes; empty when missing.
std::string readFileBytes(const std::filesystem::path& path);

}  // namespace savora::testing
