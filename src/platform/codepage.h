// Conversion between Windows-1252 (the byte text of tables and machine files) and UTF-8 (the
// screen, and files written for people).
#pragma once

#include <string>
#include <string_view>

namespace savora::platform {

std::string utf8FromCp1252(std::string_view cp1252);
// Characters that Windows-1252 cannot hold become '?'; malformed UTF-8 bytes become '?' too.
std::string cp1252FromUtf8(std::string_view utf8);

}  // namespace savora::platform
