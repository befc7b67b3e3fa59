#include "exchange/text_recipe_format.h"

#include "exchange/exchange_scratch.h"
#include "exchange/master_cook_parser.h"
#include "exchange/meal_master_parser.h"
#include "exchange/text_lines.h"
#include "exchange/text_recipe_writer.h"
#include "platform/file_ops.h"
#include "platform/text.h"

namespace savora::exchange {
namespace {

// The first line that is not blank, read from the raw bytes: the marks are plain ASCII in every
// character set these files come in, so a file of neither format is never converted.
std::string_view firstTextLine(std::string_view bytes) {
  size_t start = 0;
  while (start < bytes.size()) {
    const size_t end = std::min(bytes.find('\n', start), bytes.size());
    const std::string_view line = bytes.substr(start, end - start);
    if (line.find('\x1A') != std::string_view::npos) return {};
    if (!trimBlanks(line).empty() && trimBlanks(line) != "\r") return line;
    start = end + 1;
  }
  return {};
}

}  // namespace

RecipeFileResult readRecipeFile(store::TableStore& store, const std::string& path) {
  RecipeFileResult result;
  if (platform::endsWithIgnoreCase(path, "zel")) return result;
  const std::optional<std::string> bytes = platform::readWholeFile(path);
  if (!bytes) return result;  // an unreadable file reads as empty
  const std::string_view mark = firstTextLine(*bytes);
  const bool masterCook = isMasterCookMark(mark);
  if (!masterCook && mark.find(kMealMasterMark) == std::string_view::npos) return result;

  const TextFile file = splitTextFile(*bytes);
  size_t first = 0;
  while (first < file.lines.size() && trimBlanks(file.lines[first]).empty()) ++first;

  TextRecipeWriter writer(store, masterCook ? kMasterCookBook : kMealMasterBook);
  const TextRecipeSink sink = [&writer](TextRecipe& recipe) { writer.add(recipe); };
  result.error = masterCook ? parseMasterCook(file.lines, first, sink)
                            : parseMealMaster(file.lines, first, sink);
  writer.close();
  if (result.error) {
    removeExchangeFiles();  // nothing of a malformed file is imported
    result.format = RecipeFileFormat::Malformed;
    return result;
  }
  result.format = masterCook ? RecipeFileFormat::MasterCook : RecipeFileFormat::MealMaster;
  result.recipes = writer.recipesWritten();
  return result;
}

std::string malformedFileText(const std::string& path, const TextParseError& error) {
  std::string text = platform::formatText(kNotRecipeFormatText, path.c_str());
  text += platform::formatText("\r\n\r\nReading stopped at line %zu, in recipe %ld", error.line,
                               error.recipe);
  if (!error.title.empty()) text += " (" + error.title + ")";
  return text + ".";
}

}  // namespace savora::exchange
