#include "recipe_formats/master_cook_xml.h"

#include <pugixml.hpp>

#include "platform/codepage.h"
#include "platform/text.h"
#include "recipe_formats/recipe_times.h"
#include "recipe_formats/text_encoding.h"
#include "recipe_formats/text_lines.h"
#include "recipe_formats/text_measures.h"

namespace savora::recipe_formats {
namespace {

constexpr size_t kStartBytes = 4096;

// Windows-1252 text of UTF-8 from the parser, line ends as the tables keep them.
std::string text(std::string_view utf8) {
  std::string out;
  for (char c : toCp1252(trimBlanks(utf8), TextEncoding::Utf8)) {
    if (c == '\r') continue;
    if (c == '\n') out += '\r';
    out += c;
  }
  return std::string(trimBlanks(out));
}

std::string textOf(const pugi::xml_node& node) {
  return text(node.text().as_string());
}

void addParagraph(std::string& to, const std::string& paragraph) {
  if (paragraph.empty()) return;
  if (!to.empty()) to += "\r\n\r\n";
  to += paragraph;
}

void addLine(std::string& to, const std::string& line) {
  if (line.empty()) return;
  if (!to.empty()) to += "\r\n";
  to += line;
}

// "h:mm" (or minutes alone) of an elapsed attribute.
long elapsedMinutes(std::string_view elapsed) {
  const size_t colon = elapsed.find(':');
  if (colon == std::string_view::npos) return leadingNumber(elapsed);
  return leadingNumber(elapsed.substr(0, colon)) * 60 + leadingNumber(elapsed.substr(colon + 1));
}

TextRecipeLine ingredientLine(const pugi::xml_node& ingredient) {
  TextRecipeLine line;
  const std::string name = text(ingredient.attribute("name").as_string());
  const std::string code = ingredient.attribute("code").as_string();
  if (code == "S" || code == "T") {  // a heading or a line of text among the ingredients
    line.info2 = name;
    return line;
  }
  line.quantity = text(ingredient.attribute("qty").as_string());
  TextMeasure measure = masterCookMeasure(text(ingredient.attribute("unit").as_string()));
  line.unit = std::move(measure.unit);
  line.info1 = std::move(measure.words);
  line.ingredient = name;
  if (const std::string preparation = textOf(ingredient.child("IPrp")); !preparation.empty())
    line.info2 = "-- " + preparation;
  return line;
}

TextRecipe readRecipe(const pugi::xml_node& entry) {
  TextRecipe recipe;
  recipe.name = text(entry.attribute("name").as_string());
  recipe.servings = std::max(1L, leadingNumber(entry.child("Serv").attribute("qty").as_string()));
  for (const pugi::xml_node& category : entry.child("CatS").children("CatT")) {
    if (std::string name = textOf(category); !name.empty()) recipe.categories.push_back(name);
  }
  if (!recipe.categories.empty()) recipe.chapter = recipe.categories.front();
  for (const pugi::xml_node& ingredient : entry.children("IngR"))
    recipe.lines.push_back(ingredientLine(ingredient));
  for (const pugi::xml_node& step : entry.child("DirS").children("DirT"))
    addParagraph(recipe.instructions, textOf(step));

  addParagraph(recipe.description, textOf(entry.child("Desc")));
  addParagraph(recipe.description, textOf(entry.child("Note")));
  std::string facts;
  if (const std::string author = text(entry.attribute("author").as_string()); !author.empty())
    addLine(facts, "Recipe by: " + author);
  if (const std::string source = textOf(entry.child("Srce")); !source.empty())
    addLine(facts, "Source: " + source);
  const pugi::xml_node yield = entry.child("Yield");
  if (yield) {
    addLine(facts, "Yield: " + text(std::string(yield.attribute("qty").as_string()) + " " +
                                    yield.attribute("unit").as_string()));
  }
  for (const auto& [element, label] :
       {std::pair{"PrpT", "Preparation time"}, std::pair{"CTim", "Cooking time"},
        std::pair{"TTim", "Total time"}}) {
    addLine(facts,
            timeLine(label, elapsedMinutes(entry.child(element).attribute("elapsed").as_string())));
  }
  addParagraph(recipe.description, facts);
  return recipe;
}

}  // namespace

bool looksLikeMasterCookXml(std::string_view bytes) {
  const std::string start = platform::toLower(bytes.substr(0, kStartBytes));
  const size_t root = start.find("<mx2");
  return root != std::string::npos &&
         start.find_first_not_of(" \t\r\n\xEF\xBB\xBF") == start.find('<');
}

std::optional<std::vector<TextRecipe>> masterCookXmlRecipes(std::string_view bytes) {
  // The parser reads UTF-8; files declared ISO-8859-1 often hold Windows-1252, so the bytes are
  // recognised and converted as the text files are.
  const TextEncoding encoding = detectTextEncoding(bytes);
  const std::string utf8 = encoding == TextEncoding::Utf8
                               ? std::string(bytes)
                               : platform::utf8FromCp1252(toCp1252(bytes, encoding));
  pugi::xml_document document;
  if (!document.load_buffer(utf8.data(), utf8.size(), pugi::parse_default, pugi::encoding_utf8))
    return std::nullopt;
  const pugi::xml_node root = document.child("mx2");
  if (!root) return std::nullopt;
  std::vector<TextRecipe> recipes;
  for (const pugi::xml_node& entry : root.children("RcpE")) recipes.push_back(readRecipe(entry));
  return recipes;
}

}  // namespace savora::recipe_formats
