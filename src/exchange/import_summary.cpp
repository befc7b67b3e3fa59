#include "exchange/import_summary.h"

#include "platform/text.h"

namespace savora::exchange {
namespace {

std::string counted(long count, const char* one, const char* many) {
  return platform::formatText("%ld %s", count, count == 1 ? one : many);
}

}  // namespace

std::string importSummaryText(const ImportSummary& summary, bookshelf::BookTable& books,
                              bookshelf::ChapterTable& chapters) {
  std::string text;
  for (const auto& [chapter, added] : summary.addedByChapter) {
    text += chapters.bookNameOf(chapter, books) + " / " + chapters.nameOf(chapter) + ": " +
            counted(added, "recipe", "recipes") + " added\r\n";
  }
  text += counted(summary.duplicatesSkipped, "duplicate", "duplicates") + " skipped, " +
          counted(summary.renamed, "recipe", "recipes") + " renamed under a numbered name\r\n";
  if (!summary.badRecipes.empty()) {
    text += counted(long(summary.badRecipes.size()), "malformed recipe", "malformed recipes") +
            " left out:\r\n";
  }
  for (const recipe_formats::TextParseError& bad : summary.badRecipes) {
    text += platform::formatText("  recipe %ld", bad.recipe);
    if (!bad.title.empty()) text += " (" + bad.title + ")";
    text += platform::formatText(", line %zu\r\n", bad.line);
  }
  return text;
}

}  // namespace savora::exchange
