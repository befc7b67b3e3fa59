#include "recipe_formats/text_recipe_layout.h"

#include <algorithm>

#include "recipe_formats/text_lines.h"

namespace savora::recipe_formats {

std::vector<std::string> wrapWords(std::string_view text, size_t firstWidth, size_t width,
                                   std::string_view noBreakBefore) {
  std::vector<std::string> lines;
  text = trimBlanks(text);
  while (!text.empty()) {
    const size_t room = std::max<size_t>(1, lines.empty() ? firstWidth : width);
    if (text.size() <= room) {
      lines.emplace_back(text);
      break;
    }
    // The last blank within the room whose next character may start a line.
    size_t cut = std::string_view::npos;
    for (size_t at = room; at > 0; --at) {
      if (text[at] == ' ' && text[at - 1] != ' ' &&
          noBreakBefore.find(trimLeftBlanks(text.substr(at)).front()) == std::string_view::npos) {
        cut = at;
        break;
      }
    }
    if (cut == std::string_view::npos) cut = room;
    lines.emplace_back(trimRightBlanks(text.substr(0, cut)));
    text = trimLeftBlanks(text.substr(cut));
  }
  return lines;
}

std::vector<std::string> directionLines(std::string_view instructions, std::string_view indent,
                                        size_t width) {
  std::vector<std::string_view> source;
  for (size_t start = 0; start <= instructions.size();) {
    size_t end = instructions.find('\n', start);
    if (end == std::string_view::npos) end = instructions.size();
    std::string_view line = instructions.substr(start, end - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    source.push_back(trimBlanks(line));
    start = end + 1;
  }
  while (!source.empty() && source.back().empty()) source.pop_back();
  std::vector<std::string> lines;
  for (size_t i = 0; i < source.size(); ++i) {
    if (source[i].empty()) {
      if (!lines.empty()) lines.emplace_back();
      continue;
    }
    // A line starting with ":" would read as a forced break.
    for (const std::string& part : wrapWords(source[i], width, width, ":"))
      lines.push_back(std::string(indent) + part);
    const bool lineBreak = i + 1 < source.size() && !source[i + 1].empty();
    if (lineBreak) lines.back() += kHardBreakCode;
  }
  return lines;
}

std::string_view preparationText(std::string_view note) {
  note = trimBlanks(note);
  while (!note.empty() && (note.front() == ';' || note.front() == ',' || note.front() == '-'))
    note = trimLeftBlanks(note.substr(1));
  return note;
}

}  // namespace savora::recipe_formats
