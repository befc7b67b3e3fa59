#include "exchange/text_recipe_format.h"

#include <vector>

#include "exchange/exchange_scratch.h"
#include "exchange/text_recipe_writer.h"
#include "platform/file_ops.h"
#include "platform/text.h"
#include "recipe_formats/master_cook_parser.h"
#include "recipe_formats/master_cook_xml.h"
#include "recipe_formats/meal_master_parser.h"
#include "recipe_formats/text_lines.h"
#include "recipe_formats/web_recipe_page.h"

namespace savora::exchange {
namespace {

// How far into a file its first header line is looked for: leading lines (a note of who
// collected the recipes, a mail header) come before it in real files.
constexpr size_t kHeaderSearchBytes = 8192;

struct HeaderLine {
  RecipeFileFormat format = RecipeFileFormat::ExchangeArchive;
  size_t line = 0;
};

// The first line of the file that is not blank may carry either mark anywhere; a later line
// within the first bytes must be a header line of its format. The marks are plain ASCII in
// every character set these files come in, so a file of neither format is never converted.
HeaderLine findHeader(const std::vector<std::string>& lines,
                      size_t searchBytes = kHeaderSearchBytes) {
  bool firstText = true;
  size_t bytes = 0;
  for (size_t i = 0; i < lines.size() && bytes < searchBytes; ++i) {
    const std::string_view line = recipe_formats::trimBlanks(lines[i]);
    bytes += lines[i].size() + 1;
    if (line.empty() || line == "\r") continue;
    if (recipe_formats::isMasterCookMark(line)) return {RecipeFileFormat::MasterCook, i};
    const bool mealMaster =
        firstText ? line.find(recipe_formats::kMealMasterMark) != std::string_view::npos
                  : recipe_formats::isMealMasterHeader(line);
    if (mealMaster) return {RecipeFileFormat::MealMaster, i};
    firstText = false;
  }
  return {};
}

// The lines of the file's first bytes, up to a Ctrl-Z, unconverted.
std::vector<std::string> leadingLines(std::string_view bytes) {
  bytes = bytes.substr(0, std::min(bytes.find('\x1A'), kHeaderSearchBytes));
  std::vector<std::string> lines;
  for (size_t start = 0; start < bytes.size();) {
    const size_t end = std::min(bytes.find('\n', start), bytes.size());
    lines.emplace_back(bytes.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// The web page's recipes written into the exchange tables, with their photos.
RecipeFileResult readWebPage(store::TableStore& store, std::string_view bytes,
                             const PhotoFetcher& fetchPhoto) {
  RecipeFileResult result;
  std::vector<recipe_formats::WebPageRecipe> recipes = recipe_formats::webPageRecipes(bytes);
  if (recipes.empty()) {
    result.format = RecipeFileFormat::WebPageWithoutRecipe;
    return result;
  }
  TextRecipeWriter writer(store, kWebRecipesBook);
  for (recipe_formats::WebPageRecipe& web : recipes) {
    if (fetchPhoto && !web.imageAddress.empty()) web.recipe.photo = fetchPhoto(web.imageAddress);
    writer.add(web.recipe);
  }
  writer.close();
  result.format = RecipeFileFormat::WebPage;
  result.recipes = writer.recipesWritten();
  return result;
}

RecipeFileResult readMasterCookXml(store::TableStore& store, std::string_view bytes) {
  RecipeFileResult result;
  const auto recipes = recipe_formats::masterCookXmlRecipes(bytes);
  if (!recipes) {
    result.format = RecipeFileFormat::BrokenXml;
    return result;
  }
  TextRecipeWriter writer(store, kMasterCookBook);
  for (const recipe_formats::TextRecipe& recipe : *recipes) writer.add(recipe);
  writer.close();
  result.format = RecipeFileFormat::MasterCookXml;
  result.recipes = writer.recipesWritten();
  return result;
}

bool isZipFile(std::string_view bytes) {
  return bytes.starts_with("PK\x03\x04") || bytes.starts_with("PK\x05\x06");
}

}  // namespace

RecipeFileResult readRecipeFile(store::TableStore& store, const std::string& path,
                                bool skipBadRecipes, const PhotoFetcher& fetchPhoto) {
  RecipeFileResult result;
  if (platform::endsWithIgnoreCase(path, "zel")) return result;
  const std::optional<std::string> bytes = platform::readWholeFile(path);
  if (!bytes || isZipFile(*bytes)) return result;  // an unreadable file reads as empty
  if (findHeader(leadingLines(*bytes)).format == RecipeFileFormat::ExchangeArchive) {
    if (recipe_formats::looksLikeMasterCookXml(*bytes)) return readMasterCookXml(store, *bytes);
    if (recipe_formats::looksLikeWebPage(*bytes)) return readWebPage(store, *bytes, fetchPhoto);
    result.format = RecipeFileFormat::Unknown;
    return result;
  }

  const recipe_formats::TextFile file = recipe_formats::splitTextFile(*bytes);
  // The line found in the raw bytes; converted lines may be longer (tabs, characters written out).
  const HeaderLine header = findHeader(file.lines, std::string::npos);
  const bool masterCook = header.format == RecipeFileFormat::MasterCook;
  TextRecipeWriter writer(store, masterCook ? kMasterCookBook : kMealMasterBook);
  const recipe_formats::TextRecipeSink sink = [&writer](recipe_formats::TextRecipe& recipe) {
    writer.add(recipe);
  };
  std::vector<recipe_formats::TextParseError>* skipped = skipBadRecipes ? &result.skipped : nullptr;
  result.error = masterCook
                     ? recipe_formats::parseMasterCook(file.lines, header.line, sink, skipped)
                     : recipe_formats::parseMealMaster(file.lines, header.line, sink, skipped);
  writer.close();
  if (result.error) {
    removeExchangeFiles();  // nothing of a malformed file is imported
    result.format = RecipeFileFormat::Malformed;
    return result;
  }
  result.format = header.format;
  result.recipes = writer.recipesWritten();
  return result;
}

std::string malformedFileText(const std::string& path,
                              const recipe_formats::TextParseError& error) {
  std::string text = platform::formatText(kNotRecipeFormatText, path.c_str());
  text += platform::formatText("\r\n\r\nReading stopped at line %zu, in recipe %ld", error.line,
                               error.recipe);
  if (!error.title.empty()) text += " (" + error.title + ")";
  return text + ".";
}

}  // namespace savora::exchange
