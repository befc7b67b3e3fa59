#include "recipe_formats/web_recipe_page.h"

#include <nlohmann/json.hpp>

#include "platform/codepage.h"
#include "platform/text.h"
#include "recipe_formats/html_text.h"
#include "recipe_formats/ingredient_line_reader.h"
#include "recipe_formats/recipe_times.h"
#include "recipe_formats/text_encoding.h"
#include "recipe_formats/text_lines.h"

namespace savora::recipe_formats {
namespace {

using Json = nlohmann::json;

constexpr size_t kPageStartBytes = 4096;

// Plain Windows-1252 text of a JSON string (markup and entities decoded); "" for anything else.
std::string textOf(const Json& value) {
  if (value.is_number_integer()) return std::to_string(value.get<long long>());
  if (!value.is_string()) return {};
  return toCp1252(plainTextOfHtml(value.get_ref<const std::string&>()), TextEncoding::Utf8);
}

// A value or each value of a list, as the vocabulary allows either.
std::vector<const Json*> eachOf(const Json& value) {
  std::vector<const Json*> values;
  if (value.is_array()) {
    for (const Json& item : value) values.push_back(&item);
  } else if (!value.is_null()) {
    values.push_back(&value);
  }
  return values;
}

const Json& member(const Json& object, const char* name) {
  static const Json none;
  if (!object.is_object()) return none;
  const auto it = object.find(name);
  return it == object.end() ? none : *it;
}

bool hasType(const Json& object, std::string_view type) {
  for (const Json* value : eachOf(member(object, "@type"))) {
    if (!value->is_string()) continue;
    std::string_view name = value->get_ref<const std::string&>();
    if (const size_t slash = name.rfind('/'); slash != std::string_view::npos)
      name.remove_prefix(slash + 1);  // "http://schema.org/Recipe"
    if (name == type) return true;
  }
  return false;
}

void findRecipes(const Json& value, std::vector<const Json*>& recipes, int depth = 0) {
  if (depth > 32) return;
  if (value.is_array()) {
    for (const Json& item : value) findRecipes(item, recipes, depth + 1);
  } else if (value.is_object()) {
    if (hasType(value, "Recipe")) {
      recipes.push_back(&value);
      return;
    }
    for (const auto& [key, item] : value.items()) findRecipes(item, recipes, depth + 1);
  }
}

void addParagraph(std::string& text, const std::string& paragraph) {
  if (trimBlanks(paragraph).empty()) return;
  if (!text.empty()) text += "\r\n\r\n";
  text += paragraph;
}

// Line ends of decoded text as the tables keep them.
std::string withCrLf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

void addInstructions(const Json& value, std::string& text, int depth = 0) {
  if (depth > 8) return;
  for (const Json* step : eachOf(value)) {
    if (step->is_string()) {
      addParagraph(text, withCrLf(textOf(*step)));
    } else if (hasType(*step, "HowToSection") || member(*step, "itemListElement").is_array()) {
      addParagraph(text, textOf(member(*step, "name")));
      addInstructions(member(*step, "itemListElement"), text, depth + 1);
    } else {
      std::string stepText = textOf(member(*step, "text"));
      if (stepText.empty()) stepText = textOf(member(*step, "name"));
      addParagraph(text, withCrLf(stepText));
    }
  }
}

// The servings of a yield, and the yield itself when it counts something else ("12 cookies").
void readYield(const Json& value, TextRecipe& recipe, std::vector<std::string>& notes) {
  bool found = false;
  for (const Json* yield : eachOf(value)) {
    if (yield->is_number()) {
      if (!found) recipe.servings = std::max(1L, long(yield->get<double>()));
      found = true;
      continue;
    }
    const std::string text = textOf(*yield);
    const std::string_view number = trimLeftBlanks(text);
    const size_t digits = number.find_first_not_of("0123456789");
    if (digits == 0 || number.empty()) continue;
    if (!found) recipe.servings = std::max(1L, leadingNumber(number));
    found = true;
    const std::string words = platform::toLower(
        trimBlanks(digits == std::string_view::npos ? "" : number.substr(digits)));
    if (!words.empty() && words.find("serving") == std::string::npos &&
        words.find("people") == std::string::npos && words.find("portion") == std::string::npos) {
      notes.push_back("Yield: " + text);
    }
    return;
  }
}

void addCategory(TextRecipe& recipe, std::string name) {
  name = std::string(trimBlanks(name));
  if (name.empty()) return;
  for (const std::string& had : recipe.categories) {
    if (platform::equalsIgnoreCase(had, name)) return;
  }
  recipe.categories.push_back(std::move(name));
}

std::string imageAddressOf(const Json& value) {
  for (const Json* image : eachOf(value)) {
    if (image->is_string()) return image->get<std::string>();
    const Json& url = member(*image, "url");
    if (url.is_string()) return url.get<std::string>();
    const Json& content = member(*image, "contentUrl");
    if (content.is_string()) return content.get<std::string>();
  }
  return {};
}

WebPageRecipe readRecipe(const Json& object) {
  WebPageRecipe web;
  TextRecipe& recipe = web.recipe;
  recipe.name = textOf(member(object, "name"));
  if (recipe.name.empty()) recipe.name = textOf(member(object, "headline"));
  std::vector<std::string> notes;
  readYield(member(object, "recipeYield"), recipe, notes);
  const Json& ingredients = member(object, "recipeIngredient").is_null()
                                ? member(object, "ingredients")
                                : member(object, "recipeIngredient");
  for (const Json* line : eachOf(ingredients)) {
    const std::string text = textOf(*line);
    if (!trimBlanks(text).empty()) recipe.lines.push_back(readIngredientLine(text));
  }
  addInstructions(member(object, "recipeInstructions"), recipe.instructions);
  for (const Json* category : eachOf(member(object, "recipeCategory")))
    addCategory(recipe, textOf(*category));
  for (const Json* keywords : eachOf(member(object, "keywords"))) {
    const std::string text = textOf(*keywords);
    for (size_t start = 0; start <= text.size();) {
      const size_t comma = std::min(text.find(',', start), text.size());
      addCategory(recipe, text.substr(start, comma - start));
      start = comma + 1;
    }
  }
  if (!recipe.categories.empty()) recipe.chapter = recipe.categories.front();
  for (const auto& [field, label] :
       {std::pair{"prepTime", "Preparation time"}, std::pair{"cookTime", "Cooking time"},
        std::pair{"totalTime", "Total time"}}) {
    const Json& value = member(object, field);
    if (!value.is_string()) continue;
    if (const auto minutes = iso8601Minutes(value.get_ref<const std::string&>()))
      if (std::string line = timeLine(label, *minutes); !line.empty()) notes.push_back(line);
  }
  if (const std::string address = textOf(member(object, "url")); !address.empty())
    notes.push_back("Source: " + address);
  recipe.description = withCrLf(textOf(member(object, "description")));
  std::string noteLines;
  for (const std::string& note : notes) noteLines += (noteLines.empty() ? "" : "\r\n") + note;
  addParagraph(recipe.description, noteLines);
  web.imageAddress = imageAddressOf(member(object, "image"));
  return web;
}

// The contents of the page's <script type="application/ld+json"> blocks.
std::vector<std::string_view> jsonLdBlocks(std::string_view page) {
  std::vector<std::string_view> blocks;
  const std::string lower = platform::toLower(page);
  for (size_t at = lower.find("<script"); at != std::string::npos;
       at = lower.find("<script", at + 1)) {
    const size_t tagEnd = lower.find('>', at);
    if (tagEnd == std::string::npos) break;
    if (lower.substr(at, tagEnd - at).find("application/ld+json") == std::string::npos) continue;
    const size_t end = lower.find("</script", tagEnd);
    if (end == std::string::npos) break;
    blocks.push_back(page.substr(tagEnd + 1, end - tagEnd - 1));
    at = end;
  }
  return blocks;
}

}  // namespace

bool looksLikeWebPage(std::string_view bytes) {
  const std::string start = platform::toLower(bytes.substr(0, kPageStartBytes));
  return start.find("<!doctype html") != std::string::npos ||
         start.find("<html") != std::string::npos ||
         start.find("application/ld+json") != std::string::npos;
}

std::vector<WebPageRecipe> webPageRecipes(std::string_view page) {
  // JSON must be UTF-8; a page in an older character set is made so first.
  const TextEncoding encoding = detectTextEncoding(page);
  const std::string utf8 = encoding == TextEncoding::Utf8
                               ? std::string(page)
                               : platform::utf8FromCp1252(toCp1252(page, encoding));
  std::vector<WebPageRecipe> recipes;
  for (std::string_view block : jsonLdBlocks(utf8)) {
    const Json data = Json::parse(block, nullptr, false);
    if (data.is_discarded()) continue;
    std::vector<const Json*> found;
    findRecipes(data, found);
    for (const Json* object : found) {
      WebPageRecipe recipe = readRecipe(*object);
      if (!recipe.recipe.name.empty()) recipes.push_back(std::move(recipe));
    }
  }
  return recipes;
}

}  // namespace savora::recipe_formats
