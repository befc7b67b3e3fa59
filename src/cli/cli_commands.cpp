#include "cli/cli_commands.h"

#include <filesystem>
#include <optional>

#include "app/print_options.h"
#include "app/settings.h"
#include "app/shared_tables.h"
#include "backup/table_swap.h"
#include "book_export/text_export.h"
#include "cli/console_user.h"
#include "cli/exchange_commands.h"
#include "cli/recipe_names.h"
#include "exchange/exchange_scratch.h"
#include "platform/codepage.h"
#include "platform/data_folder.h"
#include "platform/folder_lock.h"
#include "platform/program_dirs.h"
#include "print/print_job.h"
#include "print/text_file.h"
#include "recipe/recipe_tables.h"

namespace savora::cli {

namespace {

struct Options {
  std::string command;
  std::vector<std::string> recipes;
  std::string dataDir;
  std::string pdf;
  std::string out;
  bool label = false;
  bool skipBad = false;
  bool utf8 = false;
  bool photos = false;
  std::string format;  // export: "zel", "mmf" or "mxp"; empty: by the file's extension
  std::optional<print::PaperMode> paper;
};

std::optional<print::PaperMode> paperModeNamed(const std::string& name) {
  if (name == "cards") return print::PaperMode::FormattedCards;
  if (name == "four-by-six") return print::PaperMode::FourBySixCards;
  if (name == "sheet") return print::PaperMode::StandardSheet;
  return std::nullopt;
}

// Reads the command line; an error message when it is malformed.
std::string parse(const std::vector<std::string>& args, Options& o) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= args.size()) return false;
      into = args[++i];
      return true;
    };
    if (a == "--data" || a == "--pdf" || a == "--out") {
      if (!value(a == "--data" ? o.dataDir : a == "--pdf" ? o.pdf : o.out))
        return a + " needs a value";
    } else if (a == "--format") {
      if (!value(o.format) || (o.format != "zel" && !book_export::textFormatNamed(o.format)))
        return "--format takes zel, mmf or mxp";
    } else if (a == "--utf8") {
      o.utf8 = true;
    } else if (a == "--photos") {
      o.photos = true;
    } else if (a == "--paper") {
      std::string name;
      if (!value(name) || !(o.paper = paperModeNamed(name)))
        return "--paper takes cards, four-by-six or sheet";
    } else if (a == "--label") {
      o.label = true;
    } else if (a == "--skip-bad") {
      o.skipBad = true;
    } else if (a.starts_with("--")) {
      return "unknown option " + a;
    } else if (o.command.empty()) {
      o.command = a;
    } else {
      o.recipes.push_back(a);
    }
  }
  if (o.command == "import") return o.recipes.empty() ? "name at least one file to import" : "";
  if (o.command == "export") {
    if (o.format.empty()) {
      const auto byName =
          o.recipes.empty() ? std::nullopt : book_export::textFormatOfPath(o.recipes.back());
      o.format = !byName ? "zel" : *byName == book_export::TextFormat::MealMaster ? "mmf" : "mxp";
    }
    if (o.format == "zel")
      return o.recipes.size() == 2 ? "" : "export takes a BOOK and a FILE";
    return o.recipes.size() >= 2 ? "" : "export takes what to export (BOOK, BOOK/CHAPTER or "
                                        "RECIPE...) and a FILE";
  }
  if (o.command != "text" && o.command != "print") return "unknown command \"" + o.command + "\"";
  if (o.recipes.empty()) return "name at least one recipe";
  if (o.command == "print" && o.pdf.empty()) return "print needs --pdf FILE";
  return {};
}

}  // namespace

std::string cliHelp() {
  return "usage: savora99-cli COMMAND ARGUMENTS... [options]\n"
         "\n"
         "Commands:\n"
         "  text RECIPE...               write the recipes' text forms to standard output\n"
         "                               (or to --out FILE, which replaces a file of that name)\n"
         "  print RECIPE... --pdf FILE   print the recipes into a PDF file\n"
         "  import FILE...               import exchange archives (.zel), MasterCook (.mxp)\n"
         "                               and Meal-Master (.mmf) files, MasterCook XML (.mx2)\n"
         "                               and saved web pages (.html, schema.org recipe data);\n"
         "                               every new unit and ingredient is added; tells how\n"
         "                               many recipes went into which book\n"
         "  export BOOK FILE             write the book into an export archive (FILE.zel)\n"
         "  export --format mmf|mxp WHAT... FILE\n"
         "                               write recipes into a Meal-Master (.mmf) or MasterCook\n"
         "                               (.mxp) text file; WHAT is a BOOK, a BOOK/CHAPTER or a\n"
         "                               RECIPE; a FILE ending in .mmf or .mxp needs no --format\n"
         "\n"
         "A recipe is named \"Book/Chapter/Name\" or by its UID.\n"
         "\n"
         "Options:\n"
         "  --data DIR      the program folder: the recipes and the program's own files\n"
         "                  (default: the one savora99 uses, $SAVORA_HOME or\n"
         "                  $XDG_DATA_HOME/savora99, which is ~/.local/share/savora99)\n"
         "  --label         add the Nutrition Facts label\n"
         "  --skip-bad      import: leave out a recipe file's malformed recipes and import\n"
         "                  the rest (without it such a file imports nothing)\n"
         "  --format F      export: zel (an export archive, the default), mmf or mxp\n"
         "  --utf8          export: write the text file in UTF-8 instead of the format's own\n"
         "                  character set (code page 437 for mmf, Windows-1252 for mxp)\n"
         "  --photos        import: fetch the photos of a web page's recipes from the web\n"
         "  --paper MODE    cards, four-by-six or sheet (default: the kept print setting)\n"
         "  --out FILE      text: write to FILE instead of standard output\n"
         "  --help          show this text\n";
}

namespace {

int runCommand(Options& o, std::ostream& out, std::ostream& err, const PdfCanvasMaker& pdfCanvas);
int runCliUnguarded(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                    const PdfCanvasMaker& pdfCanvas);

}  // namespace

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const PdfCanvasMaker& pdfCanvas) {
  try {
    return runCliUnguarded(args, out, err, pdfCanvas);
  } catch (const std::exception& error) {
    // Whatever failed before a command ran (a file name that cannot be made absolute, the
    // folders): said with its cause, never an abort.
    err << "savora99-cli: " << error.what() << "\n";
    return 1;
  }
}

namespace {

int runCliUnguarded(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                    const PdfCanvasMaker& pdfCanvas) {
  if (args.empty() || args[0] == "--help" || args[0] == "-h") {
    (args.empty() ? err : out) << cliHelp();
    return args.empty() ? 2 : 0;
  }
  Options o;
  if (const std::string error = parse(args, o); !error.empty()) {
    err << "savora99-cli: " << error << "\n" << cliHelp();
    return 2;
  }
  // The program folder becomes the current one: named files are taken from where we are now.
  if (o.command == "import" || o.command == "export") {
    for (size_t i = o.command == "export" ? o.recipes.size() - 1 : 0; i < o.recipes.size(); ++i) {
      o.recipes[i] = std::filesystem::absolute(o.recipes[i]).string();
    }
  }
  // The same folders as the program's: its data folder, and its read-only files.
  const platform::ProgramFolders folders =
      platform::chooseProgramFolders(platform::thisProcessFolderInputs(o.dataDir));
  const std::string& folder = folders.data;
  if (!platform::setProgramDirectory(folder)) {
    err << "savora99-cli: no program folder at " << folder << "\n";
    return 2;
  }
  platform::setProgramFilesDirectory(folders.files);
  struct ProgramFilesReset {
    ~ProgramFilesReset() { platform::setProgramFilesDirectory({}); }
  } reset;
  const bool changesTables = o.command == "import" || o.command == "export";
  // Import and export change tables of the folder: never while the program or another
  // import has it.
  platform::FolderLock lock;
  if (changesTables && !lock.tryLock(platform::kFolderLockName)) {
    if (lock.heldByAnother()) {
      err << "savora99-cli: the program folder " << folder
          << " is in use (Savora 99 or another import is running); try again when it has "
             "closed\n";
    } else {
      err << "savora99-cli: cannot lock the program folder " << folder << ": the file "
          << platform::kFolderLockName << " cannot be opened (" << lock.problem() << ")\n";
    }
    return 1;
  }
  try {
    return runCommand(o, out, err, pdfCanvas);
  } catch (const std::exception& error) {
    // Table and file errors name their file. What was open has been unwound; the scratch
    // tables of an import go too.
    err << "savora99-cli: " << error.what() << "\n";
    if (changesTables) exchange::removeExchangeFiles();
    return 1;
  }
}

int runCommand(Options& o, std::ostream& out, std::ostream& err, const PdfCanvasMaker& pdfCanvas) {
  const bool changesTables = o.command == "import" || o.command == "export";
  ConsoleUser user(err);
  store::TableStore store(user);
  // Text and prints only read: they open every table read only and may run beside the program.
  store.setReadOnly(!changesTables);
  if (changesTables) backup::recoverInterruptedRestore();
  app::SharedTables shared(store);
  for (const store::OpenFailure& failure : shared.openAll())
    err << "savora99-cli: " << failure.table << ": " << failure.cause << "\n";
  if (o.command == "import") return importFiles(o.recipes, o.skipBad, o.photos, store, shared, out, err);
  if (o.command == "export" && o.format == "zel")
    return exportBookNamed(o.recipes[0], o.recipes[1], store, shared, out, err);
  if (o.command == "export") {
    const std::vector<std::string> sources(o.recipes.begin(), o.recipes.end() - 1);
    return exportRecipesAsText(sources, o.recipes.back(), *book_export::textFormatNamed(o.format),
                               o.utf8, store, shared, out, err);
  }
  app::Settings settings;
  settings.readSettings();
  recipe::RecipeTables tables = shared.recipeTables(false, {settings.abbreviatedUnits});

  std::vector<store::Recipe> recipes;
  for (const std::string& name : o.recipes) {
    if (auto recipe = findRecipe(tables, platform::cp1252FromUtf8(name))) {
      recipes.push_back(*recipe);
    } else {
      err << "savora99-cli: no recipe " << name << "\n";
      return 1;
    }
  }

  print::PrintSettings print = app::printSettingsOf(settings.print);
  if (o.paper) print::choosePaperMode(print, *o.paper);
  if (o.label) print.printNutrition = true;

  // The label is analysed only when it is printed: on sheets, or in the text with --label.
  const bool analyse = print.printNutrition && (o.command == "text" || !print.onCards());
  const print::PrintJob job = print::recipesJob(
      recipes.size() == 1 ? print::PrintKind::Recipe : print::PrintKind::RecipeList, tables, user,
      recipes, analyse);
  if (o.command == "text") {
    const std::string text = print::jobText(job, print);
    if (o.out.empty()) {
      out << platform::utf8FromCp1252(text);
      return 0;
    }
    return print::writeTextFile(user, o.out, text) ? 0 : 1;
  }
  const std::unique_ptr<toolkit::Canvas> canvas =
      pdfCanvas(o.pdf, print.margins.paperWidth, print.margins.paperHeight);
  if (!canvas || !print::drawJob(*canvas, print, job)) {
    err << "savora99-cli: could not write " << o.pdf << "\n";
    return 1;
  }
  return 0;
}

}  // namespace

}  // namespace savora::cli
