// Small text helpers shared by every layer: ASCII case folding, trimming and printf-style
// formatting. Text in this program is Windows-1252 bytes in std::string, so case folding
// deliberately touches only A-Z/a-z.
#pragma once

#include <cstdarg>
#include <string>
#include <string_view>

namespace savora::platform {

char toLowerAscii(char c);
char toUpperAscii(char c);
std::string toLower(std::string_view text);
std::string toUpper(std::string_view text);

// True when both texts are equal ignoring the case of ASCII letters.
bool equalsIgnoreCase(std::string_view a, std::string_view b);
// Negative, zero or positive like strcmp, ignoring the case of ASCII letters.
int compareIgnoreCase(std::string_view a, std::string_view b);
bool startsWithIgnoreCase(std::string_view text, std::string_view prefix);
bool endsWithIgnoreCase(std::string_view text, std::string_view suffix);

// Blanks and tabs only; line ends are content.
std::string trimLeft(std::string_view text);
std::string trimRight(std::string_view text);
std::string trim(std::string_view text);

// printf into a std::string of any length.
std::string formatText(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string formatTextV(const char* format, va_list args) __attribute__((format(printf, 1, 0)));

}  // namespace savora::platform
