// A recipe text file as the parsers read it: the whole file recognised and converted into
// Windows-1252, cut at a Ctrl-Z, split into lines at newlines with a carriage return before the
// newline dropped, and tabs expanded to the next multiple of eight columns (the formats are
// positional). Lines are kept whole, however long.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "recipe_formats/text_encoding.h"

namespace savora::recipe_formats {

struct TextFile {
  TextEncoding encoding = TextEncoding::Cp1252;
  std::vector<std::string> lines;
};

TextFile splitTextFile(std::string_view bytes);
// An unreadable file reads as empty.
TextFile readTextFile(const std::string& path);

// Left trim and right trim: blanks and tabs.
std::string_view trimLeftBlanks(std::string_view text);
std::string_view trimRightBlanks(std::string_view text);
std::string_view trimBlanks(std::string_view text);
// Lower case of Windows-1252 text, accented letters included.
std::string lowerCp1252(std::string_view text);
// The text with every run of blanks made one blank.
std::string collapseBlanks(std::string_view text);
// The decimal number the text starts with (after blanks); 0 when it starts with none. Stops
// growing at a billion, so any run of digits reads safely.
long leadingNumber(std::string_view text);

}  // namespace savora::recipe_formats
