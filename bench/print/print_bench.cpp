// Cost of nutrition analysis and of printing. The analysis of a 23-line recipe (every line a
// food with a brand whose serving is in another unit, so each line converts) against the same
// recipe's text form without a label; then a list of 200 such recipes printed to a PDF, with and
// without the label, against the same layout drawn on a canvas that keeps nothing (so the
// difference is what Qt's text drawing and the PDF writer cost).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bookshelf/book_table.h"
#include "bookshelf/chapter_table.h"
#include "food/brand_table.h"
#include "food/ingredient_table.h"
#include "food/unit_table.h"
#include "nutrition/analysis_list.h"
#include "platform/program_dirs.h"
#include "print/print_job.h"
#include "print/recipe_text_form.h"
#include "bench_kitchen.h"
#include "store/recipe_table.h"
#include "toolkit/qt_canvas.h"

namespace {

namespace fs = std::filesystem;
using namespace savora;

constexpr int kListLength = 200;

// A canvas that measures text as six units a character and draws nothing.
class NullCanvas : public toolkit::Canvas {
 public:
  void selectFont(const toolkit::LogFont& font) override {
    height_ = double(std::labs(font.height));
  }
  void text(double, double, std::string_view) override {}
  double textWidth(std::string_view text) override { return 6.0 * double(text.size()); }
  double lineHeight() override { return height_; }
  void line(double, double, double, double, double) override {}
  void fillRect(double, double, double, double) override {}
  void newPage() override {}
  bool finish() override { return true; }

 private:
  double height_ = 11;
};

struct Kitchen : bench::BenchKitchen {
  Kitchen() : BenchKitchen("print-bench") {
    auto addUnit = [this](const char* name, const char* conversion, long to, long type) {
      return units.saveRecord(testing::unitRecord(name, name, conversion, to, 1, 4, type), 0);
    };
    const long teaspoon = addUnit("teaspoon", "", 0, food::kVolumeUnit);
    const long tablespoon = addUnit("tablespoon", "3", teaspoon, food::kVolumeUnit);
    const long cup = addUnit("cup", "16", tablespoon, food::kVolumeUnit);
    const long ounce = addUnit("ounce", "", 0, food::kWeightUnit);
    const long book = books.add("Family", "", "");
    const long chapter = chapters.add("Dinners", book, "", "");
    recipe.name = "Hearty Beef Stew";
    recipe.chapter = chapter;
    recipe.servings = 6;
    recipe.description = "A slow Sunday stew.";
    recipe.instructions = std::string(400, 'y') + " " + std::string(300, 'z');
    for (int i = 0; i < store::kRecipeLines; ++i) {
      const std::string name = "food " + std::to_string(i);
      food::BrandRecord b = testing::brandRecord(name + " brand", 0, "16", ounce, "1", ounce, 16);
      b.equivalence1 = {"1", cup, "8", ounce};
      for (double& n : b.nutrients) n = 10 + i;
      const long food = addPreferred(name, b);
      store::RecipeLine& line = recipe.lines[size_t(i)];
      line.quantity = i % 2 ? "1 1/2" : "2";
      line.unit = i % 3 == 0 ? tablespoon : cup;
      line.ingredient = food;
    }
    recipe.uid = recipes.save(0, chapter, recipe, true);
    list.assign(kListLength, recipe);
  }

  store::Recipe recipe;
  std::vector<store::Recipe> list;
};

Kitchen& kitchen() {
  static Kitchen k;
  return k;
}

void BM_TextFormWithoutLabelBaseline(benchmark::State& state) {
  Kitchen& k = kitchen();
  for (auto _ : state)
    benchmark::DoNotOptimize(
        print::recipeTextFile(print::printedRecipe(k.tables, k.recipe, {}), false));
}
BENCHMARK(BM_TextFormWithoutLabelBaseline);

void BM_Analysis(benchmark::State& state) {
  Kitchen& k = kitchen();
  for (auto _ : state)
    benchmark::DoNotOptimize(nutrition::analyzeRecipe(k.tables, k.user, k.recipe));
}
BENCHMARK(BM_Analysis);

print::PrintSettings sheets(bool label) {
  print::PrintSettings s;
  print::choosePaperMode(s, print::PaperMode::StandardSheet);
  s.printNutrition = label;
  return s;
}

void BM_TextFormWithLabel(benchmark::State& state) {
  Kitchen& k = kitchen();
  for (auto _ : state)
    benchmark::DoNotOptimize(print::jobText(
        print::recipesJob(print::PrintKind::Recipe, k.tables, k.user, {k.recipe}), sheets(true)));
}
BENCHMARK(BM_TextFormWithLabel);

void BM_ListLayoutOnlyBaseline(benchmark::State& state) {
  Kitchen& k = kitchen();
  for (auto _ : state) {
    NullCanvas canvas;
    const bool label = state.range(0) != 0;
    print::drawJob(canvas, sheets(label),
                   print::recipesJob(print::PrintKind::RecipeList, k.tables, k.user, k.list, label));
  }
}
BENCHMARK(BM_ListLayoutOnlyBaseline)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ListToPdf(benchmark::State& state) {
  Kitchen& k = kitchen();
  const std::string path = (k.folder / "list.pdf").string();
  for (auto _ : state) {
    auto canvas = toolkit::QtCanvas::toPdf(path);
    const bool label = state.range(0) != 0;
    print::drawJob(*canvas, sheets(label),
                   print::recipesJob(print::PrintKind::RecipeList, k.tables, k.user, k.list, label));
  }
  state.counters["bytes"] = double(fs::file_size(path));
}
BENCHMARK(BM_ListToPdf)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
