// INI files with the semantics of the Windows profile functions: sections and keys match ignoring
// case and surrounding blanks, a missing value gives the caller's default, and writing creates the
// file, the section and the key as needed while every other line stays exactly as it was.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace savora::platform {

class IniFile {
 public:
  // `path` is a Windows-style or native name; it is mapped through nativePath on each access.
  explicit IniFile(std::string path);

  std::string readString(const std::string& section, const std::string& key,
                         const std::string& defaultValue = {}) const;
  // The leading decimal integer of the value, or the default when the key is missing or does not
  // start with a number.
  long readInt(const std::string& section, const std::string& key, long defaultValue) const;
  // Keys and values of a section in file order (empty when the section is missing).
  std::vector<std::pair<std::string, std::string>> keys(const std::string& section) const;

  // Returns false when the file cannot be written.
  [[nodiscard]] bool writeString(const std::string& section, const std::string& key,
                                 const std::string& value);
  [[nodiscard]] bool removeKey(const std::string& section, const std::string& key);

 private:
  std::vector<std::string> loadLines() const;
  bool saveLines(const std::vector<std::string>& lines) const;

  std::string path_;
};

}  // namespace savora::platform
