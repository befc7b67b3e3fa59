#include "book_export/text_export.h"

#include "book_export/book_export.h"
#include "platform/file_ops.h"
#include "platform/log.h"
#include "platform/text.h"
#include "recipe_formats/master_cook_writer.h"
#include "recipe_formats/meal_master_writer.h"

namespace savora::book_export {

std::optional<TextFormat> textFormatNamed(std::string_view name) {
  if (platform::equalsIgnoreCase(name, "mmf")) return TextFormat::MealMaster;
  if (platform::equalsIgnoreCase(name, "mxp")) return TextFormat::MasterCook;
  return std::nullopt;
}

std::optional<TextFormat> textFormatOfPath(std::string_view path) {
  const size_t nameStart = path.find_last_of("/\\") + 1;  // 0 when there is no folder
  const size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || dot < nameStart) return std::nullopt;
  return textFormatNamed(path.substr(dot + 1));
}

const char* textFormatName(TextFormat format) {
  return format == TextFormat::MealMaster ? "Meal-Master" : "MasterCook";
}

recipe_formats::TextEncoding nativeEncoding(TextFormat format) {
  return format == TextFormat::MealMaster ? recipe_formats::TextEncoding::Cp437
                                          : recipe_formats::TextEncoding::Cp1252;
}

std::string recipesText(const std::vector<recipe_formats::TextRecipe>& recipes, TextFormat format) {
  return format == TextFormat::MealMaster ? recipe_formats::mealMasterText(recipes)
                                          : recipe_formats::masterCookText(recipes);
}

bool exportRecipesText(toolkit::User& user, const std::vector<recipe_formats::TextRecipe>& recipes,
                       TextFormat format, recipe_formats::TextEncoding encoding,
                       const std::string& path) {
  if (recipes.empty()) {
    user.message("Wait!", "ASTERISK", toolkit::Buttons::Ok, kNothingToExportText);
    return false;
  }
  bool written;
  {
    toolkit::WaitPointer wait(user);
    toolkit::StatusScope status(user, "Exporting Data", "Exporting Recipes");
    const std::string partial = path + ".part";
    written = platform::writeWholeFile(
                  partial, recipe_formats::fromCp1252(recipesText(recipes, format), encoding)) &&
              platform::moveFile(partial, path);
    if (!written)
      platform::logIfFailed(platform::deleteIfPresent(partial), "a failed export left " + partial);
  }
  return tellExportResult(user, written, path);
}

}  // namespace savora::book_export
