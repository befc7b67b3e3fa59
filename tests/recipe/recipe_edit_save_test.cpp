// Saving under the naming and overwrite rules, the question before leaving a changed recipe,
// and the previous and next recipe on the bookshelf.
#include <gtest/gtest.h>

#include "recipe_edit_fixture.h"
#include "xbase/error.h"

namespace savora::recipe {
namespace {

using toolkit::Button;

constexpr const char* kReplaceWheat =
    "The recipe, Wheat Bread, already exists.\r\nDo you want to replace it?";

TEST_F(RecipeEditTest, OpeningLoadsTheRecipeOrAnEmptyOneOfTheChapter) {
  const long rye = addRecipe("Rye Bread", chapter);
  EXPECT_FALSE(edit.open(rye + 5, chapter));
  ASSERT_TRUE(edit.open(rye, -1));  // after a move the chapter comes from the record
  EXPECT_EQ(edit.recipe().chapter, chapter);
  EXPECT_EQ(edit.recipe().name, "Rye Bread");
  EXPECT_EQ(edit.currentLine(), 0);
  EXPECT_EQ(edit.editor().quantity, "1");
  EXPECT_EQ(edit.editor().ingredientText, "egg");
  EXPECT_TRUE(edit.hasContent());
  EXPECT_FALSE(edit.isModified());

  ASSERT_TRUE(edit.open(0, otherChapter));
  EXPECT_EQ(edit.recipe().uid, 0);
  EXPECT_EQ(edit.recipe().chapter, otherChapter);
  EXPECT_FALSE(edit.hasContent());
  edit.recipe().media[2] = "video.mpg";
  EXPECT_TRUE(edit.hasContent());
  EXPECT_TRUE(edit.isModified());
}

TEST_F(RecipeEditTest, NewRecipeNeedsANameAndIsAppended) {
  ASSERT_TRUE(edit.open(0, chapter));
  edit.recipe().description = "Dark and sweet.";
  user.expectMessage("Wait!", "You must give this recipe a name.");
  const SaveOutcome unnamed = edit.save("   ");
  EXPECT_EQ(unnamed.result, SaveResult::Failed);
  EXPECT_TRUE(unnamed.emptyName);
  EXPECT_EQ(user.messages().back().icon, "HAND");
  EXPECT_EQ(recipes.find("", chapter), 0);

  // Servings of 0 would divide the nutrients by nothing: saved so only when the user agrees.
  const char* const kNoServings =
      "This recipe does not say how many people it serves.\r\nDo you want to save it as serving 1?";
  user.expectMessage("Servings?", kNoServings, Button::No);
  const SaveOutcome noServings = edit.save("Rye Bread");
  EXPECT_EQ(noServings.result, SaveResult::Failed);
  EXPECT_TRUE(noServings.noServings);
  EXPECT_EQ(recipes.find("Rye Bread", chapter), 0);

  user.expectMessage("Servings?", kNoServings, Button::Yes);
  const SaveOutcome saved = edit.save("  Rye Bread ");
  ASSERT_EQ(saved.result, SaveResult::Saved);
  EXPECT_EQ(edit.recipe().servings, 1);
  EXPECT_TRUE(saved.appended);
  EXPECT_EQ(edit.recipe().uid, saved.uid);
  EXPECT_EQ(edit.saveState(), SaveState::New);
  EXPECT_TRUE(edit.savedInWindow());
  EXPECT_EQ(recipes.find("rye bread", chapter), saved.uid);
  ASSERT_FALSE(user.statusHistory().empty());
  EXPECT_EQ(user.statusHistory().back().title, "Saving");
  EXPECT_EQ(user.statusHistory().back().text, "Saving Recipe...Please Wait.");
  EXPECT_FALSE(user.statusShown());

  // Saved again under the same name: written over itself, nothing asked.
  edit.recipe().servings = 6;
  const SaveOutcome again = edit.save("Rye Bread");
  EXPECT_EQ(again.uid, saved.uid);
  EXPECT_FALSE(again.appended);
  store::Recipe stored;
  recipes.load(saved.uid, stored);
  EXPECT_EQ(stored.servings, 6);
  EXPECT_EQ(stored.description, "Dark and sweet.");
}

TEST_F(RecipeEditTest, ASaveThatFailsMidWayTakesTheStatusWindowDown) {
  ASSERT_TRUE(edit.open(0, chapter));
  edit.recipe().servings = 2;
  recipes.close();  // the write now fails after the status window is shown
  EXPECT_THROW(edit.save("Rye Bread"), xbase::Error);
  ASSERT_FALSE(user.statusHistory().empty());
  EXPECT_EQ(user.statusHistory().back().title, "Saving");
  EXPECT_FALSE(user.statusShown());
}

TEST_F(RecipeEditTest, ARecipeDeletedWhileOpenIsSavedAsNewAndNeverOverAnother) {
  const long goulash = addRecipe("Goulash", chapter);
  ASSERT_TRUE(edit.open(goulash, chapter));
  edit.recipe().servings = 8;
  // Deleted on the bookshelf; its number goes to the next recipe added.
  recipes.remove(goulash);
  const long pie = addRecipe("Apple Pie", chapter);
  ASSERT_EQ(pie, goulash);
  const SaveOutcome saved = edit.save("Goulash");
  ASSERT_EQ(saved.result, SaveResult::Saved);
  EXPECT_TRUE(saved.appended);
  EXPECT_NE(saved.uid, pie);
  store::Recipe stored;
  recipes.load(pie, stored);
  EXPECT_EQ(stored.name, "Apple Pie");  // not written over
  EXPECT_EQ(recipes.find("Goulash", chapter), saved.uid);

  // A chapter deleted meanwhile takes no recipe.
  ASSERT_TRUE(edit.open(0, otherChapter));
  chapters.remove(otherChapter, recipes);
  user.expectMessage("Wait!",
                     "The chapter of this recipe has been deleted, so the recipe cannot be saved.");
  EXPECT_EQ(edit.save("Leek Soup").result, SaveResult::Failed);
  EXPECT_EQ(recipes.find("Leek Soup", otherChapter), 0);
}

TEST_F(RecipeEditTest, RenamingOntoAnotherRecipeOfTheChapterReplacesItOnYes) {
  const long rye = addRecipe("Rye Bread", chapter);
  const long wheat = addRecipe("Wheat Bread", chapter);
  ASSERT_TRUE(edit.open(rye, chapter));
  edit.recipe().description = "Renamed.";

  user.expectMessage("Overwrite Recipe?", kReplaceWheat, Button::No);
  EXPECT_EQ(edit.save("Wheat Bread").result, SaveResult::Declined);
  user.expectMessage("Overwrite Recipe?", kReplaceWheat, Button::Cancel);
  EXPECT_EQ(edit.save("Wheat Bread").result, SaveResult::Failed);
  store::Recipe stored;
  recipes.load(wheat, stored);
  EXPECT_EQ(stored.description, "");

  user.expectMessage("Overwrite Recipe?", kReplaceWheat, Button::Yes);
  const SaveOutcome replaced = edit.save("Wheat Bread");
  ASSERT_EQ(replaced.result, SaveResult::Saved);
  EXPECT_EQ(replaced.uid, wheat);
  EXPECT_FALSE(replaced.appended);
  EXPECT_EQ(edit.saveState(), SaveState::Existing);
  recipes.load(wheat, stored);
  EXPECT_EQ(stored.description, "Renamed.");
  EXPECT_EQ(recipes.nameOf(rye), "Rye Bread");  // the recipe it was loaded from stays
}

TEST_F(RecipeEditTest, SameNameElsewhereOrInAnotherCaseIsNoConflict) {
  const long rye = addRecipe("Rye Bread", chapter);
  addRecipe("Wheat Bread", otherChapter);
  ASSERT_TRUE(edit.open(rye, chapter));
  EXPECT_EQ(edit.save("RYE BREAD").uid, rye);
  EXPECT_EQ(edit.save("Wheat Bread").uid, rye);
  EXPECT_EQ(recipes.nameOf(rye), "Wheat Bread");
  EXPECT_TRUE(user.messages().empty());
}

TEST_F(RecipeEditTest, LeavingAChangedRecipeOffersToSaveIt) {
  const long rye = addRecipe("Rye Bread", chapter);
  ASSERT_TRUE(edit.open(rye, chapter));
  EXPECT_TRUE(edit.offerToSave());  // unchanged: nothing asked

  edit.recipe().instructions = "Knead.";
  user.expectMessage("Save Recipe?", "\r\nWould you like to save Rye Bread?", Button::Cancel);
  EXPECT_FALSE(edit.offerToSave());
  user.expectMessage("Save Recipe?", "\r\nWould you like to save Rye Bread?", Button::No);
  EXPECT_TRUE(edit.offerToSave());
  EXPECT_FALSE(edit.savedInWindow());
  user.expectMessage("Save Recipe?", "\r\nWould you like to save Rye Bread?", Button::Yes);
  EXPECT_TRUE(edit.offerToSave());
  EXPECT_TRUE(edit.savedInWindow());
  store::Recipe stored;
  recipes.load(rye, stored);
  EXPECT_EQ(stored.instructions, "Knead.");

  // Without a name the save fails and the window stays.
  ASSERT_TRUE(edit.open(0, chapter));
  edit.recipe().instructions = "Stir.";
  user.expectMessage("Save Recipe?", "\r\nWould you like to save this recipe?", Button::Yes);
  user.expectMessage("Wait!", "You must give this recipe a name.");
  EXPECT_FALSE(edit.offerToSave());
}

TEST_F(RecipeEditTest, MediaReferencesAreSetAndRemoved) {
  ASSERT_TRUE(edit.open(0, chapter));
  edit.setMedia(Media::Photo, "/pictures/Rye.BMP");
  edit.setMedia(Media::Sound, "/sounds/knead.wav");
  edit.setMedia(Media::Video, "/videos/bake.bmp");  // only a photo loses the extension
  EXPECT_EQ(edit.recipe().media[0], "/pictures/Rye");
  EXPECT_EQ(edit.recipe().media[1], "/sounds/knead.wav");
  EXPECT_EQ(edit.recipe().media[2], "/videos/bake.bmp");
  EXPECT_TRUE(edit.removeMedia(Media::Sound));
  EXPECT_EQ(edit.recipe().media[1], "");
  user.expectMessage("Wait!", "There is no sound to remove.");
  EXPECT_FALSE(edit.removeMedia(Media::Sound));
  EXPECT_EQ(user.messages().back().icon, "HAND");
}

TEST(NeighbourRecipeTest, StepsThroughTheBookshelfOrderAndStopsAtItsEnds) {
  savora::testing::ScriptedUser user;
  const std::vector<long> order{5, 9, 7};
  EXPECT_EQ(neighbourRecipe(order, 9, Direction::Next, user), 7);
  EXPECT_EQ(neighbourRecipe(order, 9, Direction::Previous, user), 5);
  user.expectMessage("Information", "This is the first recipe listed on the bookshelf!");
  EXPECT_EQ(neighbourRecipe(order, 5, Direction::Previous, user), std::nullopt);
  user.expectMessage("Information", "This is the last recipe listed on the bookshelf!");
  EXPECT_EQ(neighbourRecipe(order, 7, Direction::Next, user), std::nullopt);
  EXPECT_EQ(user.messages().back().icon, "ASTERISK");
}

}  // namespace
}  // namespace savora::recipe
