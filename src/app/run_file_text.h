// Line splitting and strict number reading shared by the small positional run files (the settings
// file, "usage", "tip.cnt"). Numbers are read and written without the C locale, so a desktop
// locale with a decimal comma neither breaks reading nor changes the bytes written.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace savora::app {

// The lines of a file's text: each line ends at '\n' (not included) and loses one trailing '\r'.
// Empty lines count; a last line without '\n' counts when it is not empty, so "a\n" is one line.
std::vector<std::string_view> splitLines(std::string_view text);

// A whole line holding one decimal integer, with optional blanks around it and an optional sign.
// Nothing when the line is empty, holds anything else, or does not fit in a long.
std::optional<long> parseLong(std::string_view line);

// A whole line holding one finite decimal number ("1.870000", "2", "-0.5"), blanks allowed around
// it. Nothing otherwise.
std::optional<double> parseDouble(std::string_view line);

// The "%f" form in the C locale: fixed notation with six decimals ("1.870000").
std::string formatDouble(double value);

}  // namespace savora::app
