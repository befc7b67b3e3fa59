#include "recipe_formats/text_recipe.h"

#include "recipe_formats/text_lines.h"

namespace savora::recipe_formats {
namespace {

constexpr std::string_view kParagraphBreak = "\r\n\r\n";
constexpr char kHardBreak = 0x14;

}  // namespace

void DirectionsText::breakLine() {
  if (text_.empty() || text_.ends_with('\n')) return;
  if (text_.ends_with(' ')) text_.pop_back();
  text_ += "\r\n";
}

void DirectionsText::add(std::string_view line) {
  line = trimLeftBlanks(line);
  if (line.empty()) {
    if (text_.empty()) return;  // blank lines before the directions
    if (text_.ends_with(' ')) text_.pop_back();
    text_ += kParagraphBreak;
    return;
  }
  const bool forced = line.front() == ':';
  if (forced) {
    breakLine();
    line.remove_prefix(1);
    line = trimLeftBlanks(line);
  }
  if (line.ends_with(kHardBreak)) {
    line.remove_suffix(1);
    text_.append(line);
    text_ += "\r\n";
    return;
  }
  text_.append(line);
  text_ += ' ';
  if (forced) breakLine();
}

void DirectionsText::addLine(std::string_view line) {
  breakLine();
  text_.append(trimBlanks(line));
  text_ += "\r\n";
}

std::string DirectionsText::finish() {
  const size_t last = text_.find_last_not_of(" \r\n");
  text_.resize(last == std::string::npos ? 0 : last + 1);
  return std::move(text_);
}

}  // namespace savora::recipe_formats
