// Windows-style file names to native paths. The program keeps names as its tables and CDs spell
// them ("catalog\\catalogBook.cdx", "D:\\INTRO.MPG"); this maps them onto the Linux file system:
// '\' becomes '/', a drive letter goes through the drive table, and every component is matched
// ignoring case against what exists on disk.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace savora::platform {

// Drive letters to folders: section [Drives] of SAVORA99.INI ("D=/media/cdrom").
class DriveTable {
 public:
  void set(char letter, std::string folder);
  void clear();
  // Replaces the table with the [Drives] section of the given INI file.
  void loadFromIni(const std::string& iniPath);
  // The folder of a drive letter (either case), or empty when the letter is not mapped.
  std::string folderOf(char letter) const;
  // Mapped letters in lower case, in alphabetical order.
  std::string letters() const;

 private:
  std::map<char, std::string> folders_;
};

// The program-wide drive table.
DriveTable& drives();

// The native path of a Windows-style name. Relative names stay relative (to the current
// directory, which is the program directory). Components that exist in another letter case are
// replaced by the spelling on disk; from the first component that does not exist on, the rest is
// kept as written, so a new file is created with the name the program gave it. A name on an
// unmapped drive gives an empty path, which every file operation treats as missing.
std::string nativePath(std::string_view windowsName);
// The native path of an absolute name without a drive letter or "." and ".." parts, with
// backslashes made slashes and nothing looked up: right when the name is spelled as on disk.
// Empty for other names.
std::string spelledPath(std::string_view windowsName);

// What follows the last backslash or slash of a path: its file name.
std::string fileNamePart(std::string_view path);

}  // namespace savora::platform
