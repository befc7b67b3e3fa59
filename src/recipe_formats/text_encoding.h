// The character sets recipe text files come in: old DOS collections in code page 437 or 850,
// Windows exports in Windows-1252, converted collections in UTF-8. The tables hold
// Windows-1252, so a file is recognised and converted as a whole before it is read; a character
// Windows-1252 cannot hold becomes its closest plain form ("e" for a Latin e with a mark the set
// lacks, "-" and "|" for box lines, "<=" for a less-or-equal sign), "?" only when none exists.
#pragma once

#include <string>
#include <string_view>

namespace savora::recipe_formats {

enum class TextEncoding { Utf8, Cp437, Cp850, Cp1252 };

// UTF-8 when the bytes are valid UTF-8 and hold non-ASCII text; otherwise the one of 437, 850
// and 1252 whose reading gives the most plausible text (letters inside words, common kitchen
// signs such as degrees, fractions and quotes); 1252 on a tie and for pure ASCII.
TextEncoding detectTextEncoding(std::string_view bytes);

// The bytes read in `encoding`, in Windows-1252. Control characters (below 32) stay as they
// are: they mark line breaks and the end of the file in recipe files.
std::string toCp1252(std::string_view bytes, TextEncoding encoding);

// Windows-1252 text written in `encoding` (UTF-8, code page 437 or 850, or unchanged for 1252).
// A character the code page lacks becomes its closest plain form ("a" for "ã", "'" for a curly
// quote, "..." for an ellipsis).
std::string fromCp1252(std::string_view text, TextEncoding encoding);
// Whether every character of the Windows-1252 text has its own place in `encoding`.
bool holdsAll(std::string_view text, TextEncoding encoding);

// The Windows-1252 form of one Unicode character: its own byte, else its closest plain form.
std::string cp1252FormOf(char32_t codePoint);

}  // namespace savora::recipe_formats
