#include "print/text_file.h"

#include <array>
#include <cctype>

#include "platform/codepage.h"
#include "platform/file_ops.h"
#include "platform/text.h"
#include "toolkit/user.h"

namespace savora::print {

namespace {

constexpr std::array<std::string_view, 9> kProtected = {".cdx", ".fpt", ".dbf", ".bmp", ".exe",
                                                        ".dat", ".dll", ".hlp", ".z_t"};

bool isProtectedExtension(std::string_view extension) {
  for (std::string_view p : kProtected) {
    if (extension.size() != p.size()) continue;
    bool same = true;
    for (size_t i = 0; i < p.size() && same; ++i)
      same = char(std::tolower(static_cast<unsigned char>(extension[i]))) == p[i];
    if (same) return true;
  }
  return false;
}

}  // namespace

bool isProtectedFileName(std::string_view path) {
  const size_t slash = path.find_last_of("/\\");
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const size_t first = name.find('.');
  if (first == std::string_view::npos) return false;
  return isProtectedExtension(name.substr(first)) ||
         isProtectedExtension(name.substr(name.rfind('.')));
}

bool writeTextFile(toolkit::User& user, const std::string& path, std::string_view text) {
  if (isProtectedFileName(path)) {
    user.message("Wait!", "HAND", toolkit::Buttons::Ok,
                 platform::formatText("%s is an invalid file name.", path.c_str()));
    return false;
  }
  bool append = false;
  if (platform::fileExists(path)) {
    append = user.message("Append to File!", "QUESTION", toolkit::Buttons::YesNo,
                          "That file already exists.  You can add\r\n"
                          "this information to the end of the file\r\n"
                          "or over write the file.  Would you like\r\n"
                          "to append to the end of this file?") == toolkit::Button::Yes;
  }
  const std::string utf8 = platform::utf8FromCp1252(text);
  return append ? platform::appendToFile(path, utf8) : platform::writeWholeFile(path, utf8);
}

}  // namespace savora::print
