#include "book_export/book_export.h"

#include <map>
#include <set>

#include "archive/job.h"
#include "exchange/exchange_scratch.h"
#include "food/food_group_table.h"
#include "platform/file_ops.h"
#include "platform/log.h"
#include "platform/text.h"
#include "store/media_list.h"

namespace savora::book_export {
namespace {

using bookshelf::Shelf;

store::TableDefinition renamed(store::TableDefinition definition, const char* name) {
  definition.name = name;
  return definition;
}

// Copies every field of `from`'s current record into the record started in `to`.
void copyFields(store::TableModule& from, store::TableModule& to) {
  for (const xbase::FieldSpec& field : from.definition().fields) {
    if (field.name == "UID") continue;
    switch (field.type) {
      case 'M':
        to.setMemo(field.name, from.memo(field.name));
        break;
      case 'N':
      case 'F':
        to.setNumber(field.name, from.decimal(field.name));
        break;
      default:
        to.setText(field.name, from.text(field.name));
    }
  }
}

// A media list of "cmm" copied into "cxp" under a new name; "" when it names nothing.
std::string exportMediaList(const std::string& stored) {
  const store::MediaReferences media =
      store::readMediaList(store::mediaListFileName(stored), store::kMediaListFolder);
  return store::writeMediaList("", media, store::kExchangeMediaListFolder).value_or("");
}

struct CategoryRow {
  long uid;
  std::string name, info, bitmap;
};

class BookExport {
 public:
  BookExport(store::TableStore& store, const BookExportSources& sources)
      : store_(store),
        from_(sources),
        books_(store, renamed(bookshelf::bookTableDefinition(Shelf::Recipes), "bookx")),
        chapters_(store, renamed(bookshelf::chapterTableDefinition(Shelf::Recipes), "chapterx")),
        categories_(store, renamed(bookshelf::categoryTableDefinition(Shelf::Recipes), "categx")),
        units_(store, food::unitTableDefinition("unitx")),
        foods_(store, food::ingredientTableDefinition("foodx")),
        brands_(store, food::brandTableDefinition("brandx")),
        groups_(store, renamed(food::foodGroupTableDefinition(), "catx")),
        recipes_(store, "recip65x") {
    for (store::TableModule* t : tables()) t->open();
  }

  std::vector<store::TableModule*> tables() {
    return {&books_, &chapters_, &categories_, &units_, &foods_, &brands_, &groups_, &recipes_};
  }
  void close() {
    for (store::TableModule* t : tables()) t->close();
  }

  void writeBook(const bookshelf::ShelfItem& book, toolkit::StatusScope& status) {
    readCategories();
    books_.appendStart(1);
    books_.setText("NAME", book.name);
    books_.setMemo("INFO", book.info);
    books_.setText("BITMAP", exportMediaList(book.bitmap));
    books_.append();
    std::vector<std::pair<long, std::vector<long>>> chapters;  // chapter UID, its recipes
    for (const bookshelf::ShelfEntry& entry : from_.chapters.chaptersOf(book.uid)) {
      chapters.emplace_back(entry.uid, recipesOf(entry.uid));
      bookRecipes_.insert(chapters.back().second.begin(), chapters.back().second.end());
    }
    long chapterUid = 0;
    for (const auto& [uid, recipes] : chapters) {
      status.show("Exporting Data", "Exporting Chapter");
      const auto chapter = from_.chapters.get(uid);
      if (!chapter) continue;
      chapters_.appendStart(++chapterUid);
      chapters_.setNumber("BOOK_UID", 1);
      chapters_.setText("NAME", chapter->name);
      chapters_.setMemo("INFO", chapter->info);
      chapters_.setText("BITMAP", exportMediaList(chapter->bitmap));
      chapters_.append();
      for (long recipe : recipes) writeRecipe(recipe, chapterUid, status);
    }
  }

 private:
  std::vector<long> recipesOf(long chapter) {
    std::vector<long> uids;
    for (auto name = from_.recipes.first(chapter);
         name && from_.recipes.chapterOfCurrent() == chapter; name = from_.recipes.next()) {
      uids.push_back(from_.recipes.uidOfCurrent());
    }
    return uids;
  }

  void readCategories() {
    for (bool on = from_.categories.first(store::kUidTag); on; on = from_.categories.next()) {
      CategoryRow row{from_.categories.number("UID"), from_.categories.text("NAME"),
                      from_.categories.memo("INFO"), from_.categories.text("BITMAP")};
      const long reference = from_.categories.number("RECIPE_UID");
      if (reference == bookshelf::kCategoryOwnRecord) {
        categoryHeaders_[row.uid] = row;
      } else {
        memberships_[reference].push_back(row.uid);
      }
    }
  }

  void writeRecipe(long uid, long chapter, toolkit::StatusScope& status) {
    store::Recipe recipe;
    if (!from_.recipes.load(uid, recipe)) return;
    status.show("Exporting Recipes", platform::formatText("Exporting %s", recipe.name.c_str()));
    for (store::RecipeLine& line : recipe.lines) {
      if (line.unit != 0 && !copyUnit(line.unit)) line.unit = 0;
      if (line.ingredient == 0) continue;
      if (line.ingredient < store::kRecipeCodeBase) {
        if (!copyIngredient(line.ingredient)) line.ingredient = 0;
      } else if (line.ingredient > store::kBrandCodeBase) {
        if (!copyBrandIngredient(line.ingredient - store::kBrandCodeBase)) line.ingredient = 0;
      } else if (line.ingredient == store::kRecipeCodeBase) {
        line.ingredient = 0;
      } else if (!referenceTravels(line.ingredient - store::kRecipeCodeBase)) {
        line.info1 =
            joinedNote(from_.recipes.nameOf(line.ingredient - store::kRecipeCodeBase), line.info1);
        line.ingredient = 0;
      }
    }
    recipes_.save(uid, chapter, recipe, false);
    for (long category : memberships_[uid]) writeMembership(category, uid);
  }

  // A reference to another recipe is kept as it is: the import follows a recipe of the same
  // book to its new UID, and leaves any other alone, which is right when the archive comes back
  // into the installation it left. A catalogue recipe outside the book is in no installation's
  // recipe table under that UID, so such a line keeps the recipe's name as a note instead.
  bool referenceTravels(long recipe) const {
    return from_.books.shelf() == Shelf::Recipes || bookRecipes_.contains(recipe);
  }
  static std::string joinedNote(const std::string& name, const std::string& note) {
    return note.empty() || name.empty() ? name + note : name + " " + note;
  }

  void writeMembership(long category, long recipe) {
    const auto header = categoryHeaders_.find(category);
    if (header == categoryHeaders_.end()) return;
    const CategoryRow& row = header->second;
    auto append = [&](long reference, const std::string& bitmap) {
      categories_.appendStart(row.uid);
      categories_.setText("NAME", row.name);
      categories_.setMemo("INFO", row.info);
      categories_.setText("BITMAP", bitmap);
      categories_.setNumber("RECIPE_UID", double(reference));
      categories_.append();
    };
    if (categoriesWritten_.insert(category).second) {
      append(bookshelf::kCategoryOwnRecord, exportMediaList(row.bitmap));
    }
    append(recipe, "");
  }

  // The unit with the units it converts through; false when the user has no such unit.
  bool copyUnit(long uid) {
    for (long next = uid; next != 0 && !copiedUnits_.contains(next);) {
      if (!from_.units.findUid(next)) return next != uid;
      copiedUnits_.insert(next);
      units_.appendStart(next);
      copyFields(from_.units, units_);
      units_.append();
      next = from_.units.number("CONV_UNIT");
    }
    return true;
  }

  // The ingredient with all its brand entries; false when the user has no such ingredient.
  bool copyIngredient(long uid) {
    if (copiedFoods_.contains(uid)) return true;
    if (!from_.ingredients.findUid(uid)) return false;
    copiedFoods_.insert(uid);
    foods_.appendStart(uid);
    copyFields(from_.ingredients, foods_);
    foods_.append();
    for (long brand : from_.brands.brandsOf(uid)) {
      if (!from_.brands.seekUid(brand)) continue;
      brands_.appendStart(brand);
      copyFields(from_.brands, brands_);
      brands_.append();
    }
    return true;
  }

  bool copyBrandIngredient(long brand) {
    const long ingredient = from_.brands.ingredientOf(brand);
    return ingredient > 0 && copyIngredient(ingredient);
  }

  store::TableStore& store_;
  BookExportSources from_;
  store::TableModule books_, chapters_, categories_, units_, foods_, brands_, groups_;
  store::RecipeTable recipes_;
  std::map<long, CategoryRow> categoryHeaders_;
  std::map<long, std::vector<long>> memberships_;
  std::set<long> categoriesWritten_, copiedUnits_, copiedFoods_;
  std::set<long> bookRecipes_;  // every recipe the archive holds
};

// Packs the exchange files that exist (a book export has no catalogue tables) and "cxp" into
// `archivePath`; true when every step succeeded.
bool packExchangeFiles(const std::string& archivePath) {
  archive::Job job;
  bool ok = job.init() == archive::kOk &&
            job.openArchive(archivePath, archive::kModeNew) == archive::kOk &&
            job.registerFunction(archive::kProgressFunctionId, nullptr) == archive::kOk;
  for (const char* table : {"mbookx", "bookx", "mchapx", "chapterx", "recip65x", "foodx", "unitx",
                            "catx", "brandx", "mcategx", "categx", "weekx"}) {
    for (const char* extension : {".cdx", ".dbf", ".fpt"}) {
      const std::string name = std::string(table) + extension;
      if (ok && platform::fileExists(name)) ok = job.add(name) == archive::kOk;
    }
  }
  const std::string media = std::string(store::kExchangeMediaListFolder) + "\\*.*";
  if (ok && !platform::listFolder(media).empty()) ok = job.add(media) == archive::kOk;
  ok = ok && job.process() == archive::kOk;
  ok = job.closeArchive() == archive::kOk && ok;
  ok = job.cleanup() == archive::kOk && ok;
  return ok;
}

}  // namespace

std::string exportArchivePath(const std::string& chosen) {
  const size_t nameStart = chosen.find_last_of("/\\") + 1;  // 0 when there is no folder
  const size_t dot = chosen.rfind('.');
  if (dot != std::string::npos && dot >= nameStart) {
    if (platform::equalsIgnoreCase(std::string_view(chosen).substr(dot), ".zel")) return chosen;
    return chosen.substr(0, dot) + ".zel";
  }
  return chosen + ".zel";
}

bool exportBook(store::TableStore& store, const BookExportSources& sources, long book,
                const std::string& chosenPath) {
  toolkit::User& user = store.user();
  const std::string path = exportArchivePath(chosenPath);
  const auto item = sources.books.get(book);
  if (!item) return false;
  std::unique_ptr<exchange::ExchangeScratch> scratch = exchange::ExchangeScratch::begin(user);
  if (!scratch) return false;
  bool written;
  {
    toolkit::WaitPointer wait(user);
    toolkit::StatusScope status(user, "Exporting Data", "Exporting Book");
    BookExport exporter(store, sources);
    exporter.writeBook(*item, status);
    exporter.close();
    status.show("Compressing Data", "Compressing Export File");
    const std::string partial = path + ".part";
    written = platform::deleteIfPresent(partial) && packExchangeFiles(partial) &&
              platform::moveFile(partial, path);
    if (!written)
      platform::logIfFailed(platform::deleteIfPresent(partial), "a failed export left " + partial);
  }
  scratch.reset();  // the exchange files and "cxp" go now
  return tellExportResult(user, written, path);
}

bool tellExportResult(toolkit::User& user, bool written, const std::string& path) {
  if (!written) {
    user.message("Error!", "EXCLAMATION", toolkit::Buttons::Ok,
                 platform::formatText(kExportFailedText, path.c_str()));
    return false;
  }
  user.message("Finished!", "INFORMATION", toolkit::Buttons::Ok, kExportedText);
  return true;
}

}  // namespace savora::book_export
