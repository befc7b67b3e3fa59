#include "cli/exchange_commands.h"

#include "exchange/book_export.h"
#include "exchange/exchange_import.h"
#include "exchange/import_run_mark.h"
#include "platform/codepage.h"
#include "platform/file_ops.h"

namespace savora::cli {

int importFiles(const std::vector<std::string>& files, bool skipBadRecipes,
                store::TableStore& store, app::SharedTables& tables, std::ostream& out,
                std::ostream& err) {
  exchange::settleInterruptedImport(
      store.user(), {tables.books(), tables.chapters(), tables.categories(), tables.recipes()},
      false);
  for (const std::string& file : files) {
    if (!platform::fileExists(file) || platform::isFolder(file)) {
      err << "savora99-cli: no file " << file << "\n";
      return 1;
    }
    const long before = store.recipesAdded();
    auto import = exchange::ExchangeImport::start(
        store,
        {{tables.units(), tables.ingredients(), tables.brands()},
         {tables.books(), tables.chapters(), tables.categories(), tables.recipes()},
         tables.weeks()},
        file, {exchange::NewItems::AddAll, skipBadRecipes});
    if (!import) return 1;
    import->runAll();
    if (!import->succeeded()) {
      err << "savora99-cli: " << file << " was not imported\n";
      return 1;
    }
    out << file << ": " << store.recipesAdded() - before << " recipes imported into \""
        << platform::utf8FromCp1252(tables.books().nameOf(import->lastBook())) << "\"\n";
    std::string summary = import->summaryText();
    for (size_t at; (at = summary.find("\r\n")) != std::string::npos;) summary.replace(at, 2, "\n");
    out << platform::utf8FromCp1252(summary);
  }
  return 0;
}

int exportBookNamed(const std::string& book, const std::string& file, store::TableStore& store,
                    app::SharedTables& tables, std::ostream& out, std::ostream& err) {
  const std::string name = platform::cp1252FromUtf8(book);
  const long uid = tables.books().uidOf(name);
  if (uid < 0) {
    err << "savora99-cli: no book " << book << "\n";
    return 1;
  }
  const exchange::BookExportSources sources{
      tables.books(), tables.chapters(),    tables.categories(), tables.recipes(),
      tables.units(), tables.ingredients(), tables.brands()};
  if (!exchange::exportBook(store, sources, uid, file)) return 1;
  out << "\"" << book << "\" exported into " << exchange::exportArchivePath(file) << "\n";
  return 0;
}

}  // namespace savora::cli
