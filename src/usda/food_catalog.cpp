#include "usda/food_catalog.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>
#include <optional>

#include "food/plural_words.h"
#include "platform/program_dirs.h"
#include "platform/text.h"
#include "usda/food_pack.h"

namespace savora::usda {
namespace {

// Points of a matching word by where it stands in the description.
constexpr int kNamingWord = 100;     // in the first part, which names the food
constexpr int kHeadWord = 30;        // ... and the last word of that part
constexpr int kFirstWord = 20;       // ... and the first word of all
constexpr int kDescribingWord = 40;  // in a later part, less the further it stands
constexpr int kPrefixPercent = 60;   // a word the user is still typing matches its start

constexpr int kSurveyFood = 15;
constexpr int kPerWord = 3;  // each word of a description makes it more particular
constexpr int kPreparedDish = 40;
constexpr int kMakerName = 30;  // products named by their maker ("MISSION FOODS, ...")
// Foods holding every typed word whole come before those that only hold their starts.
constexpr int kEveryWordWhole = 200;

// Words of the everyday form a recipe means when it names just the food, and of the processed
// forms it means only when it says so.
const std::map<std::string, int, std::less<>> kFormWords = {
    {"all-purpose", 25},
    {"granulated", 25},
    {"whole", 10},
    {"raw", 10},
    {"enriched", 5},
    {"fresh", 5},
    {"salted", 5},
    {"ripe", 5},
    {"average", 10},  // "year round average": the food as sold all year
    {"dry", -10},
    {"dried", -10},
    {"dehydrated", -10},
    {"powder", -10},
    {"powdered", -10},
    {"frozen", -10},
    {"canned", -10},
    {"cooked", -10},
    {"instant", -10},
    // Qualified foods: a recipe that names the food means the regular one.
    {"no", -25},
    {"low", -25},
    {"imitation", -25},
    {"substitute", -25},
    {"reduced", -15}};

// Words of a description that take back the word after them ("Chicken, canned, no broth").
bool negates(std::string_view word) {
  return word == "no" || word == "without";
}

// The points a word of a description adds to the food's base score.
int formPointsOf(const std::string& word) {
  if (const auto form = kFormWords.find(word); form != kFormWords.end()) return form->second;
  // "low-sodium", "reduced-fat": qualified as the words alone are.
  for (const std::string qualifier : {"low", "reduced"}) {
    if (word.starts_with(qualifier + "-")) return kFormWords.find(qualifier)->second;
  }
  return 0;
}

// Food groups of dishes and special foods rather than ingredients: baby foods, fast foods,
// meals and side dishes, snacks, and foods of one region.
bool preparedDishGroup(int group) {
  return group == 300 || group == 2100 || group == 2200 || group == 2500 || group == 3500;
}

bool wordCharacter(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '-';
}

bool numeric(std::string_view word) {
  return std::all_of(word.begin(), word.end(),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

// True when the description holds a word in capitals, as the makers' products are named.
bool namesMaker(std::string_view description) {
  int capitals = 0;
  for (char c : description) {
    capitals = std::isupper(static_cast<unsigned char>(c)) ? capitals + 1 : 0;
    if (capitals >= 3) return true;
  }
  return false;
}

std::mutex gInstalledMutex;
std::string gInstalledPath;
std::optional<std::unique_ptr<FoodCatalog>> gInstalled;  // set once the file was tried

}  // namespace

std::string normalisedWord(std::string_view word) {
  std::string lower = platform::toLower(word);
  const std::string singular = food::singularOf(lower);
  return singular.empty() ? lower : singular;
}

// Calls `word` with each word of the text as written (lower case) and whether it ends a part of
// the text before a comma.
template <typename F>
void forEachWord(std::string_view text, F word) {
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && !wordCharacter(text[i])) ++i;
    size_t end = i;
    while (end < text.size() && wordCharacter(text[end])) ++end;
    std::string_view w = text.substr(i, end - i);
    while (!w.empty() && w.front() == '-') w.remove_prefix(1);
    while (!w.empty() && w.back() == '-') w.remove_suffix(1);
    if (!w.empty()) word(platform::toLower(w));
    i = end;
  }
}

std::string firstFoodOf(std::string_view text) {
  std::string food;
  bool ended = false;
  forEachWord(text.substr(0, text.find(',')), [&](const std::string& w) {
    ended = ended || w == "and" || w == "or" || w == "to" || w == "with";
    if (ended) return;
    if (!food.empty()) food += ' ';
    food += w;
  });
  return food;
}

std::vector<std::string> searchWords(std::string_view text) {
  std::vector<std::string> words;
  forEachWord(text, [&](const std::string& w) { words.push_back(normalisedWord(w)); });
  return words;
}

int FoodCatalog::wordId(const std::string& written) {
  if (const auto found = writtenIds_.find(written); found != writtenIds_.end())
    return found->second;
  const std::string normal = normalisedWord(written);
  auto [at, added] = normalisedIds_.try_emplace(normal, int(vocabulary_.size()));
  if (added) vocabulary_.push_back(normal);
  writtenIds_.emplace(written, at->second);
  return at->second;
}

FoodCatalog::FoodCatalog(std::vector<Food> foods) : foods_(std::move(foods)) {
  entries_.reserve(foods_.size());
  // The points each vocabulary word adds to a food's base score, found once per word.
  std::vector<int> formPoints;
  for (const Food& food : foods_) {
    Entry entry;
    int segment = 0;
    int counted = 0;
    size_t start = 0;
    while (start <= food.description.size()) {
      size_t comma = food.description.find(',', start);
      if (comma == std::string::npos) comma = food.description.size();
      const size_t firstOfPart = entry.words.size();
      bool negated = false;
      forEachWord(std::string_view(food.description).substr(start, comma - start),
                  [&](const std::string& written) {
                    const bool first = entry.words.empty();
                    entry.words.push_back({wordId(written), segment, false, first, negated});
                    negated = negates(written);
                    if (!numeric(written)) ++counted;
                  });
      if (segment == 0 && entry.words.size() > firstOfPart) entry.words.back().head = true;
      ++segment;
      start = comma + 1;
    }
    int score = food.survey ? kSurveyFood : 0;
    score -= kPerWord * counted;
    if (preparedDishGroup(food.group)) score -= kPreparedDish;
    if (namesMaker(food.description)) score -= kMakerName;
    while (formPoints.size() < vocabulary_.size())
      formPoints.push_back(formPointsOf(vocabulary_[formPoints.size()]));
    for (const Word& w : entry.words) score += formPoints[size_t(w.id)];
    entry.baseScore = score;
    entries_.push_back(std::move(entry));
  }
}

const Food* FoodCatalog::byNumber(long number) const {
  const auto found = std::lower_bound(foods_.begin(), foods_.end(), number,
                                      [](const Food& f, long n) { return f.number < n; });
  return found != foods_.end() && found->number == number ? &*found : nullptr;
}

FoodCatalog::Matches FoodCatalog::matchesOf(const std::string& queryWord, const std::string& typed,
                                            bool prefix) const {
  Matches matches(vocabulary_.size(), 0);
  if (const auto found = normalisedIds_.find(queryWord); found != normalisedIds_.end())
    matches[size_t(found->second)] = 2;
  if (!prefix) return matches;
  for (size_t i = 0; i < vocabulary_.size(); ++i) {
    if (matches[i] == 0 &&
        (vocabulary_[i].starts_with(queryWord) || vocabulary_[i].starts_with(typed)))
      matches[i] = 1;
  }
  return matches;
}

int FoodCatalog::wordScore(const Entry& entry, const Matches& matches, bool queryNegates,
                           bool& whole) {
  int best = 0;
  whole = false;
  for (const Word& w : entry.words) {
    const unsigned char match = matches[size_t(w.id)];
    // "no broth" is not broth, unless the query says "no" too.
    if (match == 0 || (w.negated && !queryNegates)) continue;
    whole = whole || match == 2;
    int points = w.segment == 0
                     ? kNamingWord + (w.head ? kHeadWord : 0) + (w.first ? kFirstWord : 0)
                     : std::max(10, kDescribingWord - 5 * (w.segment - 1));
    if (match == 1) points = points * kPrefixPercent / 100;
    best = std::max(best, points);
  }
  return best;
}

std::vector<const Food*> FoodCatalog::search(std::string_view query, size_t limit) const {
  const std::vector<std::string> words = searchWords(query);
  if (words.empty()) return {};
  // A query that does not end in a space or comma ends in a word still being typed: it matches
  // the start of a word, as typed ("potatoe") and folded.
  const bool stillTyping = wordCharacter(query.back());
  size_t lastStart = query.size();
  while (lastStart > 0 && wordCharacter(query[lastStart - 1])) --lastStart;
  const std::string lastTyped = platform::toLower(query.substr(lastStart));
  std::vector<Matches> matches;
  for (size_t w = 0; w < words.size(); ++w) {
    const bool typing = stillTyping && w + 1 == words.size();
    matches.push_back(matchesOf(words[w], typing ? lastTyped : words[w], typing));
  }

  struct Scored {
    int score;
    size_t index;
  };
  const bool queryNegates = std::any_of(words.begin(), words.end(), negates);
  std::vector<Scored> found;
  for (size_t i = 0; i < entries_.size(); ++i) {
    int score = entries_[i].baseScore;
    bool all = true;
    bool allWhole = true;
    for (size_t w = 0; w < matches.size() && all; ++w) {
      bool whole = false;
      const int points = wordScore(entries_[i], matches[w], queryNegates, whole);
      all = points > 0;
      // The word still being typed may be any word's start.
      allWhole = allWhole && (whole || (stillTyping && w + 1 == matches.size()));
      score += points;
    }
    if (all) found.push_back({score + (allWhole ? kEveryWordWhole : 0), i});
  }
  const auto better = [this](const Scored& a, const Scored& b) {
    if (a.score != b.score) return a.score > b.score;
    const Food& fa = foods_[a.index];
    const Food& fb = foods_[b.index];
    if (fa.description.size() != fb.description.size())
      return fa.description.size() < fb.description.size();
    return fa.number < fb.number;
  };
  const size_t kept = std::min(limit, found.size());
  std::partial_sort(found.begin(), found.begin() + long(kept), found.end(), better);
  std::vector<const Food*> result;
  result.reserve(kept);
  for (size_t i = 0; i < kept; ++i) result.push_back(&foods_[found[i].index]);
  return result;
}

const FoodCatalog* installedFoods() {
  std::lock_guard lock(gInstalledMutex);
  if (!gInstalled) {
    const std::string path =
        gInstalledPath.empty() ? platform::programFilesDirectory() + kFoodPackName : gInstalledPath;
    auto foods = readFoodPack(path);
    gInstalled = foods ? std::make_unique<FoodCatalog>(std::move(*foods)) : nullptr;
  }
  return gInstalled->get();
}

void setInstalledFoodsFile(const std::string& path) {
  std::lock_guard lock(gInstalledMutex);
  gInstalledPath = path;
  gInstalled.reset();
}

}  // namespace savora::usda
