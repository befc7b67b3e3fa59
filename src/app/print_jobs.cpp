#include "app/print_jobs.h"

#include "app/print_options.h"
#include "print/page_writer.h"
#include "print/print_job.h"
#include "print/print_source.h"
#include "toolkit/window_manager.h"

namespace savora::app {

void openPrintSetup(print::PrintJob job, Settings& settings, toolkit::User& user) {
  toolkit::UI_WINDOW_MANAGER::instance().add(std::make_unique<print::PrintSetupWindow>(
      std::move(job), printSettingsOf(settings.print),
      [&settings](const print::PrintSettings& kept) { keepPrintSettings(settings.print, kept); },
      user));
}

print::PrintJob recipesJob(print::PrintKind kind, recipe::RecipeTables tables, toolkit::User& user,
                           std::vector<store::Recipe> recipes) {
  std::string name = recipes.size() == 1 ? recipes.front().name : std::string();
  return {kind,
          [tables, &user, recipes](toolkit::Canvas& canvas,
                                   const print::PrintSettings& settings) mutable {
            return print::printRecipes(canvas, settings, tables, user, recipes);
          },
          [tables, &user, recipes](const print::PrintSettings& settings) mutable {
            return print::recipesText(tables, user, recipes, settings.printNutrition);
          },
          std::move(name)};
}

print::PrintJob documentJob(print::PrintKind kind, std::shared_ptr<print::PrintSource> source) {
  return {kind,
          [source](toolkit::Canvas& canvas, const print::PrintSettings& settings) {
            print::PageWriter pen(canvas, settings);
            print::printDocument(pen, source->document());
            return canvas.finish();
          },
          [source](const print::PrintSettings& settings) {
            return print::documentText(source->document(), settings.printNutrition);
          },
          {}};  // named after its kind
}

print::PrintJob textPageJob(std::string title, std::string text) {
  return {print::PrintKind::TextPage,
          [title, text](toolkit::Canvas& canvas, const print::PrintSettings& settings) {
            print::PageWriter pen(canvas, settings);
            print::printTextPage(pen, title, text);
            return canvas.finish();
          },
          [title, text](const print::PrintSettings&) { return print::textPageText(title, text); },
          title};
}

}  // namespace savora::app
