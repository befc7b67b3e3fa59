// The foods loaded for searching: each description cut into normalised words once, so that a
// search over every food runs while the user types. Words are lower case, split at anything but
// letters, digits and "-", and plurals fold to their singular ("Onions" finds "onion").
//
// Ranking puts the food a cook means first: a word that names the food (the first words, before
// the first comma: "Butter, salted", "Wheat flour, ...") counts more than one that describes it
// ("Cookies, butter"); the head word of that name and the first word of the description count
// more again; a food of the national food survey, a food in an everyday form ("raw", "whole",
// "all-purpose") and a short description win ties, and processed forms ("dried", "canned"),
// qualified foods ("no", "low", "imitation", "substitute") and prepared dishes (fast foods,
// meals, baby foods) come after. Foods holding every typed word whole come first, and a word the
// description negates ("no broth") does not count as held.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "usda/usda_food.h"

namespace savora::usda {

// The search form of one word: lower case and singular.
std::string normalisedWord(std::string_view word);
// The words of a recipe's text that name its first food, lower case: those before "and", "or",
// "to", "with" or a comma ("salt" for "salt and pepper to taste").
std::string firstFoodOf(std::string_view text);
// The search words of a text, in order.
std::vector<std::string> searchWords(std::string_view text);

class FoodCatalog {
 public:
  explicit FoodCatalog(std::vector<Food> foods);

  const std::vector<Food>& foods() const { return foods_; }
  // The food with that NDB number; null when there is none.
  const Food* byNumber(long number) const;

  // The foods holding every word of the query, best first, at most `limit`. The last word may be
  // the start of a word (the user is still typing it). An empty query finds nothing.
  std::vector<const Food*> search(std::string_view query, size_t limit = 50) const;

 private:
  struct Word {
    int id;        // in the vocabulary
    int segment;   // comma-separated part of the description, from 0
    bool head;     // the last word of the first part: the noun that names the food
    bool first;    // the description's first word
    bool negated;  // follows "no" or "without": the food lacks it
  };
  struct Entry {
    std::vector<Word> words;
    int baseScore;  // what the food scores whatever the query
  };
  // How a query word matches each word of the vocabulary: 0 not, 1 by its start, 2 wholly.
  using Matches = std::vector<unsigned char>;

  // The vocabulary word of a description's word, as it is written (lower case).
  int wordId(const std::string& written);
  Matches matchesOf(const std::string& queryWord, const std::string& typed, bool prefix) const;
  // The points of one query word in one food; 0 when no word of the food matches it. `whole`
  // tells whether a word matched wholly; a negated word matches only a query that negates too.
  static int wordScore(const Entry& entry, const Matches& matches, bool queryNegates, bool& whole);

  std::vector<Food> foods_;
  std::vector<Entry> entries_;
  std::vector<std::string> vocabulary_;                 // normalised words
  std::unordered_map<std::string, int> writtenIds_;     // written word -> vocabulary id
  std::unordered_map<std::string, int> normalisedIds_;  // normalised word -> vocabulary id
};

// The foods installed beside the program (FOODS.DAT among the program files, or the file set
// below), loaded on first use and kept for the run; null when the file cannot be read.
const FoodCatalog* installedFoods();
// Names the file installedFoods() reads (tests and tools); drops a catalog already loaded.
void setInstalledFoodsFile(const std::string& path);

}  // namespace savora::usda
