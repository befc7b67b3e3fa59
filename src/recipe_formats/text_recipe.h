// A recipe as the MasterCook and Meal-Master parsers (and the web page and XML readers) read it,
// before its units, ingredients, chapter and categories become exchange records; and the rules
// both text formats share for joining direction lines into the instructions.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace savora::recipe_formats {

struct TextRecipeLine {
  std::string quantity;
  std::string unit;        // empty for none
  std::string ingredient;  // empty for a section line
  std::string info1;
  std::string info2;
  bool operator==(const TextRecipeLine&) const = default;
};

struct TextRecipe {
  std::string name;
  std::string description;
  std::string instructions;
  long servings = 1;
  std::string chapter;
  std::vector<std::string> categories;
  std::vector<TextRecipeLine> lines;  // all of them; the writer keeps what fits
  std::string photo;                  // the photo's file name; empty for none
};

// Where a file stopped: the recipe (counted from 1), its title when it was read, and the line
// (counted from 1).
struct TextParseError {
  long recipe = 0;
  std::string title;
  size_t line = 0;
};

// Receives each recipe as soon as it is read.
using TextRecipeSink = std::function<void(TextRecipe&)>;

// Joins direction lines: each line left-trimmed with a blank after it; an empty line is a
// paragraph break; a line ending in the hard-break code 20 ends with a line break instead; a
// line starting with ":" (a forced break) stands on a line of its own. finish() drops the
// blanks and breaks at the end, however many empty lines closed the directions.
class DirectionsText {
 public:
  void add(std::string_view line);
  // A line that stands on a line of its own.
  void addLine(std::string_view line);
  // Whether the text is empty or ends with a break.
  bool atBreak() const { return text_.empty() || text_.ends_with('\n'); }
  std::string finish();

 private:
  void breakLine();
  std::string text_;
};

}  // namespace savora::recipe_formats
