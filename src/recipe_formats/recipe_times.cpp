#include "recipe_formats/recipe_times.h"

#include <cmath>
#include <cstdlib>

namespace savora::recipe_formats {

std::optional<long> iso8601Minutes(std::string_view text) {
  if (!text.starts_with('P') && !text.starts_with('p')) return std::nullopt;
  double minutes = 0;
  bool inTime = false, any = false;
  for (size_t i = 1; i < text.size();) {
    const char c = text[i];
    if (c == 'T' || c == 't') {
      inTime = true;
      ++i;
      continue;
    }
    const std::string number(text.substr(i, text.find_first_not_of("0123456789.,", i) - i));
    if (number.empty() || i + number.size() >= text.size()) return std::nullopt;
    std::string dotted = number;
    for (char& d : dotted) {
      if (d == ',') d = '.';
    }
    const double value = std::strtod(dotted.c_str(), nullptr);
    i += number.size();
    switch (text[i] | 0x20) {
      case 'y':
        minutes += value * 365 * 24 * 60;
        break;
      case 'w':
        minutes += value * 7 * 24 * 60;
        break;
      case 'd':
        minutes += value * 24 * 60;
        break;
      case 'h':
        minutes += value * 60;
        break;
      case 'm':
        minutes += inTime ? value : value * 30 * 24 * 60;
        break;
      case 's':
        minutes += value / 60;
        break;
      default:
        return std::nullopt;
    }
    any = true;
    ++i;
  }
  if (!any) return std::nullopt;
  return std::lround(minutes);
}

std::string durationText(long minutes) {
  if (minutes <= 0) return {};
  const long hours = minutes / 60, rest = minutes % 60;
  std::string text;
  if (hours > 0) text = std::to_string(hours) + (hours == 1 ? " hour" : " hours");
  if (rest > 0) {
    if (!text.empty()) text += ' ';
    text += std::to_string(rest) + (rest == 1 ? " minute" : " minutes");
  }
  return text;
}

std::string timeLine(std::string_view label, long minutes) {
  const std::string duration = durationText(minutes);
  if (duration.empty()) return {};
  return std::string(label) + ": " + duration;
}

}  // namespace savora::recipe_formats
