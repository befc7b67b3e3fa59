#include "search/recipe_search.h"

#include <algorithm>
#include <cstring>

#include "food/ingredient_table.h"
#include "platform/text.h"
#include "store/recipe_table.h"
#include "toolkit/user.h"
#include "xbase/table.h"

namespace savora::search {
namespace {

constexpr const char* kChapterTag = "CHAP_TAG";

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

bool isOr(std::string_view word) {
  return platform::equalsIgnoreCase(word, "or");
}

// Whether a text holds a term anywhere; an empty text holds nothing. Both are lower case already,
// so letter case is ignored.
bool holds(std::string_view loweredText, std::string_view loweredTerm) {
  return !loweredText.empty() && loweredText.find(loweredTerm) != std::string_view::npos;
}

// The index after the alternative that an "or" at `i` offers: the "or", any joining words after
// it and the term they lead to.
size_t afterAlternative(const std::vector<std::string>& words, size_t i) {
  ++i;
  while (i < words.size() && isJoiningWord(words[i])) ++i;
  return std::min(i + 1, words.size());
}

}  // namespace

std::vector<std::string> splitSearchWords(std::string_view text) {
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  std::vector<std::string> words;
  std::string word;
  bool quoted = false;
  auto endWord = [&] {
    if (!word.empty() && words.size() < kMaxSearchWords) words.push_back(word);
    word.clear();
  };
  for (char c : text) {
    if (c == '"') {
      endWord();
      quoted = !quoted;
    } else if (!quoted && isBlank(c)) {
      endWord();
    } else {
      word += c;
    }
  }
  endWord();
  return words;
}

bool isJoiningWord(std::string_view word) {
  return isOr(word) || platform::equalsIgnoreCase(word, "and");
}

bool wordsMatch(const std::vector<std::string>& words,
                const std::function<bool(const std::string& term)>& termMatches) {
  bool result = false;
  size_t i = 0;
  while (i < words.size()) {
    if (isJoiningWord(words[i])) {
      if (i == 0) return false;
      ++i;
      continue;
    }
    if (termMatches(words[i])) {
      result = true;
      ++i;
      while (i < words.size() && isOr(words[i])) i = afterAlternative(words, i);
      continue;
    }
    // A failed term: the term after a following "or" answers in its place; without one the
    // recipe does not match. A trailing "or" offers nothing, so the result stays false.
    result = false;
    ++i;
    if (i < words.size() && isOr(words[i])) {
      ++i;
      continue;
    }
    return false;
  }
  return result;
}

std::string pictureReference(std::string_view media) {
  const std::string trimmed = platform::trim(media);
  return trimmed.substr(0, trimmed.find('|'));
}

// ---------------------------------------------------------------- food matches

FoodMatches::FoodMatches(food::IngredientTable& foods, const std::vector<std::string>& words) {
  std::vector<std::string> terms;
  for (const std::string& word : words) {
    if (!isJoiningWord(word)) terms.push_back(platform::toLower(word));
  }
  if (terms.empty()) return;
  auto anyTermIn = [&terms](const std::string& loweredText) {
    return std::any_of(terms.begin(), terms.end(),
                       [&](const std::string& term) { return holds(loweredText, term); });
  };
  for (auto name = foods.firstByUid(); name; name = foods.nextName()) {
    // Both forms, so that "chicken wings" finds "chicken wing": each word may be in either.
    std::string text = platform::toLower(*name);
    if (const std::string plural = platform::toLower(foods.text("PLURAL")); !plural.empty())
      text += '\n' + plural;
    if (!anyTermIn(text)) continue;
    matches_.push_back({foods.number("UID"), std::move(text)});
  }
  // UID order already; sorting keeps the binary search sound whatever the walk gave.
  std::stable_sort(matches_.begin(), matches_.end(),
                   [](const Match& a, const Match& b) { return a.uid < b.uid; });
}

const std::string* FoodMatches::find(long uid) const {
  const auto it = std::lower_bound(matches_.begin(), matches_.end(), uid,
                                   [](const Match& m, long wanted) { return m.uid < wanted; });
  return it != matches_.end() && it->uid == uid ? &it->text : nullptr;
}

// ---------------------------------------------------------------- the current recipe

// The current record as the test reads it: each field read and lower-cased when first asked for,
// so that a recipe found by its name costs no memo reads. Fields are read as views of the table
// (no copy of the record or of its memos) and folded into buffers that live as long as the
// search, so a walk makes no allocation per recipe.
class RecipeSearch::Record {
 public:
  // Starts on the table's current record.
  void start(xbase::Table& table, const Fields& fields) {
    table_ = &table;
    fields_ = &fields;
    nameRead_ = ingredientsRead_ = false;
    read_.fill(false);
  }

  const std::string& name() {
    if (!nameRead_) {
      if (fields_->name < 0) {
        trimmedName_.clear();
      } else if (fields_->nameIsText) {
        trimmedName_.assign(trimmedView(table_->fieldView(fields_->name)));
      } else {
        trimmedName_ = platform::trim(table_->text(fields_->name));
      }
      foldInto(loweredName_, trimmedName_);
      nameRead_ = true;
    }
    return loweredName_;
  }
  const std::string& trimmedName() {
    name();
    return trimmedName_;
  }
  long ingredient(size_t line) {
    if (!ingredientsRead_) {
      for (size_t i = 0; i < ingredients_.size(); ++i) {
        const int field = fields_->ingredient[i];
        ingredients_[i] = field < 0 ? 0 : long(table_->number(field));
      }
      ingredientsRead_ = true;
    }
    return ingredients_[line];
  }
  const std::string& note1(size_t line) { return memo(kNotes1 + line, fields_->note1[line], false); }
  const std::string& note2(size_t line) { return memo(kNotes2 + line, fields_->note2[line], false); }
  const std::string& instructions() { return memo(kInstructions, fields_->instructions, true); }
  const std::string& description() { return memo(kDescription, fields_->description, true); }

 private:
  enum Slot : size_t {
    kInstructions = 0,
    kDescription = 1,
    kNotes1 = 2,
    kNotes2 = kNotes1 + store::kRecipeLines,
    kSlots = kNotes2 + store::kRecipeLines
  };
  // Blanks and tabs cut from both ends, as platform::trim does, without a copy.
  static std::string_view trimmedView(std::string_view text) {
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    return text;
  }
  // ASCII letters lowered as platform::toLower does, eight bytes at a time: in each byte without
  // its top bit, adding 0x80 - 'A' sets the top bit from 'A' up, adding 0x80 - 'Z' - 1 from past
  // 'Z' up; the bytes between (and without a top bit of their own) get 0x20 added.
  static void foldInto(std::string& out, std::string_view text) {
    if (text.empty()) {  // most notes
      out.clear();
      return;
    }
    out.assign(text);
    char* p = out.data();
    const size_t n = out.size();
    constexpr uint64_t kOnes = 0x0101010101010101ull, kTop = 0x80 * kOnes;
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
      uint64_t word;
      std::memcpy(&word, p + i, 8);
      const uint64_t low = word & ~kTop;
      const uint64_t fromA = low + (0x80 - 'A') * kOnes;
      const uint64_t pastZ = low + (0x80 - 'Z' - 1) * kOnes;
      word |= (fromA & ~pastZ & ~word & kTop) >> 2;
      std::memcpy(p + i, &word, 8);
    }
    for (; i < n; ++i) p[i] = platform::toLowerAscii(p[i]);
  }
  // A memo (trimmed when asked) folded into its slot's buffer; the view it is read through is
  // used at once and not kept.
  const std::string& memo(size_t slot, int field, bool trimmed) {
    if (!read_[slot]) {
      std::string_view text = field >= 0 ? table_->memoView(field) : std::string_view();
      foldInto(memos_[slot], trimmed ? trimmedView(text) : text);
      read_[slot] = true;
    }
    return memos_[slot];
  }

  xbase::Table* table_ = nullptr;
  const Fields* fields_ = nullptr;
  bool nameRead_ = false;
  std::string trimmedName_, loweredName_;
  bool ingredientsRead_ = false;
  std::array<long, store::kRecipeLines> ingredients_{};
  std::array<bool, kSlots> read_{};
  std::array<std::string, kSlots> memos_;
};

namespace {

// A term matches the name, a food of a line (foods only: codes above kRecipeCodeBase are
// recipes and brands, whatever UIDs the food table holds), and with `withNotes` a line's notes,
// the instructions and the description. Every text and the term are lower case.
template <class Record>
bool termMatches(Record& recipe, const std::string& term, const FoodMatches& foods,
                 bool withNotes) {
  if (holds(recipe.name(), term)) return true;
  for (size_t line = 0; line < size_t(store::kRecipeLines); ++line) {
    const long code = recipe.ingredient(line);
    if (code > 0 && code <= store::kRecipeCodeBase) {
      const std::string* food = foods.find(code);
      if (food && holds(*food, term)) return true;
    }
    if (withNotes && (holds(recipe.note1(line), term) || holds(recipe.note2(line), term))) {
      return true;
    }
  }
  return withNotes && (holds(recipe.instructions(), term) || holds(recipe.description(), term));
}

}  // namespace

// ---------------------------------------------------------------- the search

RecipeSearch::RecipeSearch(store::RecipeTable& recipes, food::IngredientTable& foods,
                           std::string_view text, bool photoMode)
    : recipes_(recipes), photoMode_(photoMode), record_(std::make_unique<Record>()) {
  if (!photoMode_) {
    words_ = splitSearchWords(text);
    for (std::string& word : words_) word = platform::toLower(word);
    foods_ = FoodMatches(foods, words_);
  }
  if (!recipes_.isOpen()) return;
  lookUpFields();
  recordsAtStart_ = long(recipes_.table().recordCount());
  rememberPlace(recipes_.first(0).has_value());
}

RecipeSearch::~RecipeSearch() = default;

void RecipeSearch::lookUpFields() {
  const xbase::Table& table = recipes_.table();
  fields_.uid = table.fieldIndex("UID");
  fields_.name = table.fieldIndex("NAME");
  fields_.nameIsText = fields_.name >= 0 && table.fields()[size_t(fields_.name)].type == 'C';
  fields_.media = table.fieldIndex("MEDIA");
  fields_.instructions = table.fieldIndex("INSTRUC");
  fields_.description = table.fieldIndex("DESCRIP");
  const bool oneNote = table.fieldIndex("INFO1") >= 0;  // the older formats keep one note
  for (int i = 1; i <= store::kRecipeLines; ++i) {
    const size_t line = size_t(i - 1);
    fields_.ingredient[line] = table.fieldIndex(platform::formatText("INGR%d", i));
    fields_.note1[line] = oneNote ? -1 : table.fieldIndex(platform::formatText("1INFO%d", i));
    fields_.note2[line] = table.fieldIndex(platform::formatText(oneNote ? "INFO%d" : "2INFO%d", i));
  }
}

bool RecipeSearch::findPlace() {
  if (nextRecord_ == 0) return false;
  if (!recipes_.isOpen()) {
    nextRecord_ = 0;
    return false;
  }
  xbase::Table& table = recipes_.table();
  // Left where the last batch stopped (nobody moved the table since): the table keeps its place
  // in the tag, which would otherwise be looked up again from the key.
  if (!table.eof() && table.recordNumber() == nextRecord_ && !table.deleted() &&
      platform::equalsIgnoreCase(table.selectedTag(), kChapterTag) &&
      long(table.number(fields_.uid)) == nextUid_)
    return true;
  // A pack since the last batch renumbers the records: the recipe is then found by its UID.
  bool on =
      table.go(nextRecord_) && (table.deleted() || long(table.number(fields_.uid)) == nextUid_);
  if (!on) on = recipes_.seek(nextUid_) || table.go(nextRecord_);
  // On a recipe deleted meanwhile its key has left the tag, so the skip lands on the recipe that
  // now follows its place.
  on = on && table.selectTag(kChapterTag);
  while (on && table.deleted()) on = table.skip(1);
  rememberPlace(on);
  return on;
}

void RecipeSearch::rememberPlace(bool onRecipe) {
  xbase::Table& table = recipes_.table();
  nextRecord_ = onRecipe ? table.recordNumber() : 0;
  nextUid_ = onRecipe ? long(table.number(fields_.uid)) : 0;
}

void RecipeSearch::runBatch(bool includeInstructions,
                            const std::function<void(const RecipeSearchMatch&)>& onMatch) {
  if (done() || !findPlace()) return;
  xbase::Table& table = recipes_.table();
  try {
    for (int n = 0; n < kSearchBatchSize && !overLimit(); ++n) {
      examineCurrent(includeInstructions, onMatch);
      bool on = table.skip(1);
      while (on && table.deleted()) on = table.skip(1);
      rememberPlace(on);
      if (!on) break;
    }
  } catch (...) {
    nextRecord_ = 0;
    throw;
  }
}

void RecipeSearch::examineCurrent(bool includeInstructions,
                                  const std::function<void(const RecipeSearchMatch&)>& onMatch) {
  xbase::Table& table = recipes_.table();
  Record& record = *record_;
  record.start(table, fields_);
  bool matched = false;
  if (photoMode_) {
    matched = fields_.media >= 0 && !pictureReference(table.memo(fields_.media)).empty();
  } else {
    // The memos are read last: their memory is asked for while the name and foods are tested.
    if (includeInstructions && fields_.instructions >= 0) table.prefetchMemo(fields_.instructions);
    matched = wordsMatch(words_, [&](const std::string& term) {
      return termMatches(record, term, foods_, includeInstructions);
    });
    if (matched) ++found_;
  }
  ++examined_;
  if (matched && onMatch) onMatch({long(table.number(fields_.uid)), record.trimmedName()});
}

void reportSearchEnd(const RecipeSearch& search, toolkit::User& user) {
  if (search.photoMode()) return;
  if (search.overLimit()) {
    user.message("Wait!", "HAND", toolkit::Buttons::Ok,
                 platform::formatText("Over %d recipes found. Please\r\nnarrow your search by "
                                      "increasing\r\nthe search parameters.",
                                      int(kSearchFoundLimit)));
  } else if (search.found() == 0) {
    user.message("Information", "ASTERISK", toolkit::Buttons::Ok,
                 "No recipes matching the search parameters were found.");
  }
}

}  // namespace savora::search
