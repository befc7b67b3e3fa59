// RECIPE_SEARCH: the small window that runs a recipe search for a bookshelf. It shows the option
// "Include instructions in search.", a progress indicator and a Cancel button, searches a batch of
// recipes per event so that painting and Cancel keep working, and fills the bookshelf's recipe
// list as it goes.
#pragma once

#include <QPointer>
#include <functional>
#include <string>

#include "search/recipe_search.h"
#include "toolkit/uiw_window.h"
#include "toolkit/user.h"
#include "toolkit/window_spec.h"

class QProgressBar;

namespace savora::food {
class IngredientTable;
}

namespace savora::store {
class RecipeTable;
}

namespace savora::search {

struct RecipeSearchRequest {
  store::RecipeTable& recipes;  // "rc65", or the catalogue's recipes
  food::IngredientTable& foods;
  toolkit::User& user;
  std::string text;  // the SEARCH_STRING text (not empty: the bookshelf refuses empty text)
  toolkit::UIW_VT_LIST* target;  // the bookshelf's RECIPE_LIST, already emptied by the bookshelf
  std::function<bool()> includeInstructions;  // settings value "Include instructions in search."
  std::function<void(bool)> setIncludeInstructions;  // writes a change back at once
  std::function<void()> countSearch;                 // adds one to the searches usage counter
};

// Opens the search window (added to the window manager) and starts the search; the window posts
// its own batches and closes itself when finished or cancelled. Photo mode when the text is
// exactly kPhotoSearchText.
inline constexpr const char* kPhotoSearchText = "Search for Recipes with Photos.";
toolkit::UIW_WINDOW* startRecipeSearch(RecipeSearchRequest request);

extern const toolkit::WindowSpec kRecipeSearchSpec;

class RecipeSearchWindow : public toolkit::UIW_WINDOW {
 public:
  // Builds the window and the search (words and food matches); startRecipeSearch() shows it and
  // posts the first batch.
  explicit RecipeSearchWindow(RecipeSearchRequest request);
  ~RecipeSearchWindow() override;
  int Event(const toolkit::UI_EVENT& event) override;

  const RecipeSearch& search() const { return search_; }

 private:
  friend toolkit::UIW_WINDOW* startRecipeSearch(RecipeSearchRequest request);
  void begin();
  void continueSearch();
  // Ends the search: the end message (unless `quietly`), the normal pointer, the window closed.
  void finish(bool quietly);
  // True once the bookshelf holding the target list has closed: the list must not be touched.
  bool targetGone() const;

  RecipeSearchRequest request_;
  RecipeSearch search_;
  QPointer<QObject> targetObject_;
  toolkit::UIW_WINDOW* targetWindow_ = nullptr;
  toolkit::UIW_BUTTON* includeInstructions_ = nullptr;
  QProgressBar* progress_ = nullptr;
  bool waiting_ = false;
  bool finished_ = false;
};

}  // namespace savora::search
