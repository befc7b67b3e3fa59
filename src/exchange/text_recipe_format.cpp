#include "exchange/text_recipe_format.h"

#include <vector>

#include "exchange/exchange_scratch.h"
#include "exchange/master_cook_parser.h"
#include "exchange/master_cook_xml.h"
#include "exchange/meal_master_parser.h"
#include "exchange/text_lines.h"
#include "exchange/text_recipe_writer.h"
#include "exchange/web_recipe_page.h"
#include "platform/file_ops.h"
#include "platform/text.h"

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
    const std::string_view line = trimBlanks(lines[i]);
    bytes += lines[i].size() + 1;
    if (line.empty() || line == "\r") continue;
    if (isMasterCookMark(line)) return {RecipeFileFormat::MasterCook, i};
    const bool mealMaster =
        firstText ? line.find(kMealMasterMark) != std::string_view::npos : isMealMasterHeader(line);
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
  std::vector<WebPageRecipe> recipes = webPageRecipes(bytes);
  if (recipes.empty()) {
    result.format = RecipeFileFormat::WebPageWithoutRecipe;
    return result;
  }
  TextRecipeWriter writer(store, kWebRecipesBook);
  for (WebPageRecipe& web : recipes) {
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
  const auto recipes = masterCookXmlRecipes(bytes);
  if (!recipes) {
    result.format = RecipeFileFormat::BrokenXml;
    return result;
  }
  TextRecipeWriter writer(store, kMasterCookBook);
  for (const TextRecipe& recipe : *recipes) writer.add(recipe);
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
    if (looksLikeMasterCookXml(*bytes)) return readMasterCookXml(store, *bytes);
    if (looksLikeWebPage(*bytes)) return readWebPage(store, *bytes, fetchPhoto);
    result.format = RecipeFileFormat::Unknown;
    return result;
  }

  const TextFile file = splitTextFile(*bytes);
  // The line found in the raw bytes; converted lines may be longer (tabs, characters written out).
  const HeaderLine header = findHeader(file.lines, std::string::npos);
  const bool masterCook = header.format == RecipeFileFormat::MasterCook;
  TextRecipeWriter writer(store, masterCook ? kMasterCookBook : kMealMasterBook);
  const TextRecipeSink sink = [&writer](TextRecipe& recipe) { writer.add(recipe); };
  std::vector<TextParseError>* skipped = skipBadRecipes ? &result.skipped : nullptr;
  result.error = masterCook ? parseMasterCook(file.lines, header.line, sink, skipped)
                            : parseMealMaster(file.lines, header.line, sink, skipped);
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

std::string malformedFileText(const std::string& path, const TextParseError& error) {
  std::string text = platform::formatText(kNotRecipeFormatText, path.c_str());
  text += platform::formatText("\r\n\r\nReading stopped at line %zu, in recipe %ld", error.line,
                               error.recipe);
  if (!error.title.empty()) text += " (" + error.title + ")";
  return text + ".";
}

}  // namespace savora::exchange
