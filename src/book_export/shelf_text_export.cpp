#include "book_export/shelf_text_export.h"

#include "platform/text.h"

namespace savora::book_export {

bool exportShelfAsText(toolkit::User& user, const BookExportSources& tables,
                       const RecipeSelection& selected, TextFormat format,
                       const std::string& path) {
  RecipeSelection selection{selected.book, selected.chapter, {}};
  if (!selected.recipes.empty()) {
    const std::string name = tables.recipes.nameOf(selected.recipes.front());
    const toolkit::Button only =
        user.message(kExportWhatTitle, "QUESTION", toolkit::Buttons::YesNoCancel,
                     platform::formatText(kOnlyRecipeText, name.c_str(),
                                          selected.chapter > 0 ? "chapter" : "cookbook"));
    if (only == toolkit::Button::Cancel) return false;
    if (only == toolkit::Button::Yes) selection.recipes = selected.recipes;
  }
  const std::vector<recipe_formats::TextRecipe> recipes = textRecipesOf(tables, selection);
  recipe_formats::TextEncoding encoding = nativeEncoding(format);
  if (!recipes.empty() && !recipe_formats::holdsAll(recipesText(recipes, format), encoding)) {
    const toolkit::Button utf8 =
        user.message(kUtf8Title, "QUESTION", toolkit::Buttons::YesNoCancel,
                     platform::formatText(kUtf8Text, textFormatName(format)));
    if (utf8 == toolkit::Button::Cancel) return false;
    if (utf8 == toolkit::Button::Yes) encoding = recipe_formats::TextEncoding::Utf8;
  }
  return exportRecipesText(user, recipes, format, encoding, path);
}

}  // namespace savora::book_export
