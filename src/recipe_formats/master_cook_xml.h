// Reads MasterCook XML files (".mx2"), through Debian's XML parser: per recipe (RcpE) its name,
// servings (Serv), categories (CatS/CatT; the first is the chapter), ingredients (IngR: amount,
// unit, name and the preparation IPrp as the second note, "-- sifted" as the MasterCook text
// import writes it; a heading line, code "S" or "T", as a section line), the directions (DirS/DirT,
// a paragraph each), and the description (Desc), notes (Note), author, source (Srce), yield and
// times (PrpT, CTim, TTim as "h:mm") as the recipe's description. Texts come out in
// Windows-1252.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "recipe_formats/text_recipe.h"

namespace savora::recipe_formats {

// Whether the bytes are a MasterCook XML file: an XML document whose root is "mx2".
bool looksLikeMasterCookXml(std::string_view bytes);

// The recipes of the file; nothing when it is not well-formed XML with an "mx2" root.
std::optional<std::vector<TextRecipe>> masterCookXmlRecipes(std::string_view bytes);

}  // namespace savora::recipe_formats
