// Conversion between Windows-1252 (the byte text of tables and machine files) and UTF-8 (the
// screen, and files written for people).
#pragma once

#include <string>
#include <string_view>

namespace savora::platform {

std::string utf8FromCp1252(std::string_view cp1252);
// Characters that Windows-1252 cannot hold become '?'. Each byte of a malformed UTF-8 sequence
// becomes '?' too; overlong forms, surrogates and code points past U+10FFFF count as malformed.
std::string cp1252FromUtf8(std::string_view utf8);

}  // namespace savora::platform
