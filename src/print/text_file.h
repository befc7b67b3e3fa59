// Writing a print's text form to a file the person named: the protected-name check and the
// question whether to add to a file that exists.
#pragma once

#include <string>
#include <string_view>

namespace savora::toolkit {
class User;
}

namespace savora::print {

// True for a name the program's own files use: the file's own name has, from its first "." or
// from its last, one of the extensions .cdx .fpt .dbf .bmp .exe .dat .dll .hlp .z_t (any case).
bool isProtectedFileName(std::string_view path);

// Writes `text` (Windows-1252, written as UTF-8) to the file. A protected name is refused with
// "%s is an invalid file name."; an existing file is appended to or replaced as the person
// answers. False when nothing was written.
bool writeTextFile(toolkit::User& user, const std::string& path, std::string_view text);

}  // namespace savora::print
