#include "bookshelf/shelf_drop_rules.h"

namespace savora::bookshelf {

namespace {

// What dropping an item of a type on a target does: a change on the shelf, or a refusal. A change
// that needs the entry under the pointer makes none without one: ShelfEdits takes an identifier
// below 1 for nothing.
struct DropRule {
  DropTarget target;
  ShelfItemType dragged;
  DropDone done;
  bool (*carryOut)(ShelfEdits& edits, const ShelfDrop& drop);
  const char* refusal;  // told (title "Error!") instead of a change
};

constexpr DropRule kDropRules[] = {
    {DropTarget::Categories, ShelfItemType::Recipe, DropDone::RecipeFiled,
     [](ShelfEdits& edits, const ShelfDrop& drop) {
       return edits.addToCategory(drop.draggedId, drop.targetId);
     },
     nullptr},
    {DropTarget::Categories, ShelfItemType::Book, DropDone::Nothing, nullptr,
     "You cannot copy a book into a category.\r\nYou can only copy recipes into categories."},
    {DropTarget::Categories, ShelfItemType::Chapter, DropDone::Nothing, nullptr,
     "You cannot copy a chapter into a category.\r\nYou can only copy recipes into categories."},
    {DropTarget::Categories, ShelfItemType::Category, DropDone::Nothing, nullptr,
     "You cannot copy a category into another category.\r\nYou can only copy recipes into "
     "categories."},
    {DropTarget::Books, ShelfItemType::Chapter, DropDone::ChapterCopied,
     [](ShelfEdits& edits, const ShelfDrop& drop) {
       return edits.copyChapterTo(drop.draggedId, drop.targetId);
     },
     nullptr},
    {DropTarget::Books, ShelfItemType::Book, DropDone::Nothing, nullptr,
     "You cannot copy a book into another book.\r\nYou can only copy chapters into books."},
    {DropTarget::Books, ShelfItemType::Category, DropDone::Nothing, nullptr,
     "You cannot copy a category into a book.\r\nYou can only copy chapters into books."},
    {DropTarget::Books, ShelfItemType::Recipe, DropDone::Nothing, nullptr,
     "You cannot copy a recipe into a book.\r\nYou can only copy chapters into books."},
    {DropTarget::Chapters, ShelfItemType::Recipe, DropDone::RecipeCopied,
     [](ShelfEdits& edits, const ShelfDrop& drop) {
       return edits.copyRecipeTo(drop.draggedId, drop.targetId);
     },
     nullptr},
    {DropTarget::Chapters, ShelfItemType::Book, DropDone::Nothing, nullptr,
     "You cannot copy a book into a chapter.\r\nYou can only copy recipes into chapters."},
    {DropTarget::Chapters, ShelfItemType::Chapter, DropDone::Nothing, nullptr,
     "You cannot copy a chapter into another chapter.\r\nYou can only copy recipes into "
     "chapters."},
    {DropTarget::Chapters, ShelfItemType::Category, DropDone::Nothing, nullptr,
     "You cannot copy a category into a chapter.\r\nYou can only copy recipes into chapters."},
    {DropTarget::WasteBin, ShelfItemType::Book, DropDone::BookDeleted,
     [](ShelfEdits& edits, const ShelfDrop& drop) { return edits.deleteBook(drop.draggedId); },
     nullptr},
    {DropTarget::WasteBin, ShelfItemType::Chapter, DropDone::ChapterDeleted,
     [](ShelfEdits& edits, const ShelfDrop& drop) { return edits.deleteChapter(drop.draggedId); },
     nullptr},
    {DropTarget::WasteBin, ShelfItemType::Category, DropDone::CategoryDeleted,
     [](ShelfEdits& edits, const ShelfDrop& drop) { return edits.deleteCategory(drop.draggedId); },
     nullptr},
    {DropTarget::WasteBin, ShelfItemType::Recipe, DropDone::RecipeRemoved,
     [](ShelfEdits& edits, const ShelfDrop& drop) {
       return edits.deleteListedRecipe(drop.draggedId, drop.listedCategory);
     },
     nullptr},
};

}  // namespace

DropDone ShelfDropRules::drop(const ShelfDrop& drop) {
  // Each window works on its own shelf's tables: the other shelf's identifiers mean nothing here.
  if (drop.from != shelf_ || drop.draggedId <= 0) return DropDone::Nothing;
  for (const DropRule& rule : kDropRules) {
    if (rule.target != drop.target || rule.dragged != drop.dragged) continue;
    if (rule.refusal) {
      user_.message("Error!", "EXCLAMATION", toolkit::Buttons::Ok, rule.refusal);
      return DropDone::Nothing;
    }
    return rule.carryOut(edits_, drop) ? rule.done : DropDone::Nothing;
  }
  return DropDone::Nothing;
}

}  // namespace savora::bookshelf
