// Finding recipes by words: the search text split into words, the foods whose names hold one of
// the words, the and/or test of one recipe, and a search that walks a recipe table in chapter
// order a batch at a time, so that a window can run it between events and the user can cancel.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "store/recipe.h"

namespace savora::toolkit {
class User;
}
namespace savora::food {
class IngredientTable;
}

namespace savora::store {
class RecipeTable;
}

namespace savora::search {

// The word list holds at most this many words; words typed after them are left out.
inline constexpr size_t kMaxSearchWords = 67;
// Recipes examined per batch (one event of the search window).
inline constexpr int kSearchBatchSize = 10;
// The search stops once more than this many recipes were found.
inline constexpr long kSearchFoundLimit = 500;

// Splits a search text into words: trailing blanks and tabs go, a blank or tab outside double
// quotes ends a word, and a double quote ends a word and switches quoting on or off, so that
// "olive oil" in quotes is one word. Empty words are dropped. A quote left open runs to the end
// of the text. Only the first kMaxSearchWords words are kept; a word may be of any length.
std::vector<std::string> splitSearchWords(std::string_view text);

// True for the joining words "and" and "or" in any letter case.
bool isJoiningWord(std::string_view word);

// The and/or test of one recipe. Terms separated by blanks or "and" must all match; "or" offers
// an alternative for the term before it: "chicken or beef rice" needs rice and one of the meats.
// A joining word as the very first word matches nothing; elsewhere a joining word where a term is
// expected is passed over. A term that fails with "or" after it leaves the answer to the term
// after that "or"; with nothing after the "or" (the text ends in "or") there is no alternative
// and the test fails. A list without terms matches nothing.
bool wordsMatch(const std::vector<std::string>& words,
                const std::function<bool(const std::string& term)>& termMatches);

// The picture reference of a MEDIA memo: the memo trimmed and cut at its first '|'. A recipe has
// a picture when this is not empty.
std::string pictureReference(std::string_view media);

// The foods that a search's words can find, each with the text it was found by: its name when a
// word is in the name, else its plural when a word is in that. Kept in food UID order so that
// each ingredient line costs one binary search.
class FoodMatches {
 public:
  struct Match {
    long uid = 0;
    std::string text;  // the name or plural the match was made on, lower case
  };

  FoodMatches() = default;
  // Walks the food table once in UID order; the joining words take no part.
  FoodMatches(food::IngredientTable& foods, const std::vector<std::string>& words);

  // The recorded text of the food, or null when the food gave no match.
  const std::string* find(long uid) const;
  const std::vector<Match>& matches() const { return matches_; }

 private:
  std::vector<Match> matches_;
};

struct RecipeSearchMatch {
  long uid = 0;
  std::string name;  // trimmed
};

// One search over a recipe table. Built on the table's first recipe in CHAP_TAG order; each
// runBatch() examines the next recipes. The search remembers the record (and UID) it has reached
// and finds its place again before each batch, so other users of the table may move it, and
// even pack it, in between. Recipes deleted meanwhile are not examined; recipes added meanwhile
// are examined when they sort after the place the search has reached.
class RecipeSearch {
 public:
  // Photo mode lists the recipes that have a picture and ignores the text; otherwise the text is
  // split into words and the food matches are built.
  RecipeSearch(store::RecipeTable& recipes, food::IngredientTable& foods, std::string_view text,
               bool photoMode);
  ~RecipeSearch();

  // Examines up to kSearchBatchSize recipes, calling `onMatch` for each match. The batch ends
  // early at the end of the table or once more than kSearchFoundLimit were found. Notes,
  // instructions and descriptions are searched when `includeInstructions` is set. Nothing happens
  // once done(). Table errors (xbase::Error) pass to the caller; the search is then done.
  void runBatch(bool includeInstructions,
                const std::function<void(const RecipeSearchMatch&)>& onMatch);

  // True at the end of the table (or when the table is not open) and once more than
  // kSearchFoundLimit recipes were found.
  bool done() const { return nextRecord_ == 0 || overLimit(); }
  bool overLimit() const { return found_ > kSearchFoundLimit; }
  bool photoMode() const { return photoMode_; }
  long examined() const { return examined_; }
  // Matches counted; photo mode counts none.
  long found() const { return found_; }
  // Records in the table when the search started (a measure for a progress indicator).
  long recordsAtStart() const { return recordsAtStart_; }
  // The words, in lower case.
  const std::vector<std::string>& words() const { return words_; }
  const FoodMatches& foodMatches() const { return foods_; }

 private:
  class Record;  // the current record as the test reads it
  // Field numbers of the table, looked up once; -1 for a field the table's format lacks.
  struct Fields {
    int uid = -1, name = -1, media = -1, instructions = -1, description = -1;
    bool nameIsText = false;  // NAME is a character field: read as a view, trimmed
    std::array<int, store::kRecipeLines> ingredient{}, note1{}, note2{};
  };
  void lookUpFields();
  void examineCurrent(bool includeInstructions,
                      const std::function<void(const RecipeSearchMatch&)>& onMatch);
  // Positions on the recipe the search has reached; false when there is none left.
  bool findPlace();
  // Notes the current record as the next to examine (none when `onRecipe` is false).
  void rememberPlace(bool onRecipe);

  store::RecipeTable& recipes_;
  bool photoMode_;
  std::vector<std::string> words_;
  FoodMatches foods_;
  Fields fields_;
  uint32_t nextRecord_ = 0;  // record number of the next recipe to examine; 0: none
  long nextUid_ = 0;         // and its UID
  long examined_ = 0;
  long found_ = 0;
  long recordsAtStart_ = 0;
  std::unique_ptr<Record> record_;  // its buffers serve every recipe of the walk
};

// The message that ends a search, if any: outside photo mode, more than kSearchFoundLimit found
// ("Over 500 recipes found...") or none found.
void reportSearchEnd(const RecipeSearch& search, toolkit::User& user);

}  // namespace savora::search
