#include "usda/usda_foods_window.h"

#include "codes/program_codes.h"
#include "platform/text.h"
#include "toolkit/window_manager.h"
#include "usda/usda_brand.h"

namespace savora::usda {

using namespace savora::toolkit;

namespace {

using namespace savora::codes;
using namespace savora::codes::usda_foods_window;

constexpr size_t kShownFoods = 100;

}  // namespace

const WindowSpec kUsdaFoodsSpec{"USDA_FOODS",
                                {{"QUESTION", 0, ObjectKind::Prompt},
                                 {"SEARCH_STRING", 0, ObjectKind::String},
                                 {"LIST", 0, ObjectKind::List},
                                 {"DETAIL", 0, ObjectKind::Prompt},
                                 {"USE_BUTTON", 0, ObjectKind::Button},
                                 {"SKIP_BUTTON", 0, ObjectKind::Button},
                                 {"CANCEL_BUTTON", 0, ObjectKind::Button}}};

UsdaFoodsWindow::UsdaFoodsWindow(const FoodCatalog& catalog, User& user, UsdaFoodsRequest request)
    : UIW_WINDOW(kUsdaFoodsSpec.resource),
      catalog_(catalog),
      user_(user),
      request_(std::move(request)) {
  resolve(kUsdaFoodsSpec);
  list_ = Get<UIW_VT_LIST>("LIST");
  search_ = Get<UIW_STRING>("SEARCH_STRING");
  detail_ = Get<UIW_PROMPT>("DETAIL");
  if (!request_.question.empty()) Get<UIW_PROMPT>("QUESTION")->setText(request_.question);
  if (!request_.skipped) Get<UIW_BUTTON>("SKIP_BUTTON")->hide();
  // The name's first food is typed for the user. When it finds nothing, its first words go (a
  // name's last word names the food: "Creamery Butter"), then the last word's last letters.
  std::string words = firstFoodOf(request_.words);
  bool found = typeWords(words);
  for (size_t blank = words.find(' '); !found && blank != std::string::npos;
       blank = words.find(' ')) {
    words = platform::trim(words.substr(blank + 1));
    found = typeWords(words);
  }
  while (!found && !typeAhead_.empty()) {
    typeAhead_.takeBack();
    found = fill();
  }
  search_->setText(typeAhead_.text());
  list_->setCurrent(list_->count() > 0 ? 0 : -1);
  showDetail();
  list_->setFocus();
}

bool UsdaFoodsWindow::typeWords(const std::string& words) {
  typeAhead_.reset();
  for (char c : words) typeAhead_.type(static_cast<unsigned char>(c));
  return fill();
}

bool UsdaFoodsWindow::fill() {
  list_->clear();
  for (const Food* food : catalog_.search(typeAhead_.text(), kShownFoods))
    list_->add({" " + food->description, food->number, kUse});
  return list_->count() > 0;
}

void UsdaFoodsWindow::typed(int character, bool shifted) {
  if (!typeAhead_.type(character, shifted)) return;
  // A character that would leave nothing to choose from is not taken.
  if (!fill() && character != kBackspaceCharacter && !typeAhead_.empty()) {
    typeAhead_.takeBack();
    fill();
  }
  search_->setText(typeAhead_.text());
  list_->setCurrent(list_->count() > 0 ? 0 : -1);
  showDetail();
}

void UsdaFoodsWindow::showDetail() {
  const Food* food = list_->current() < 0 ? nullptr : catalog_.byNumber(list_->currentId());
  if (!food) {
    detail_->setText("");
    return;
  }
  std::string text = platform::formatText("%.0f calories in 100 g", double(food->value(kEnergy)));
  if (const Measure* m = volumeMeasure(*food))
    text += platform::formatText("; %g %s weighs %g g", double(m->amount), m->description.c_str(),
                                 double(m->grams));
  const std::string missing = missingWeightNote(*food, request_.line, request_.unitName);
  if (!missing.empty()) text += "\n" + missing;
  detail_->setText(text);
}

int UsdaFoodsWindow::Event(const UI_EVENT& event) {
  switch (event.type) {
    case kUse:
      use();
      break;
    case kSkip:
      skip();
      break;
    case kTyped:
      typed(int(event.values[0]), event.values[1] != 0);
      break;
    case kSelected:
      showDetail();
      break;
    default:
      return UIW_WINDOW::Event(event);
  }
  return event.type;
}

void UsdaFoodsWindow::use() {
  const Food* food = list_->current() < 0 ? nullptr : catalog_.byNumber(list_->currentId());
  if (!food) {
    user_.message("Nothing to Use", "EXCLAMATION", Buttons::Ok,
                  "Choose the food whose nutrients you would like to use.");
    return;
  }
  // The window goes first: what the caller does next may open the next question.
  const auto chosen = request_.chosen;
  UI_WINDOW_MANAGER::instance().subtract(this);
  if (chosen) chosen(*food);
}

void UsdaFoodsWindow::skip() {
  const auto skipped = request_.skipped;
  UI_WINDOW_MANAGER::instance().subtract(this);
  if (skipped) skipped();
}

bool openUsdaFoods(User& user, UsdaFoodsRequest request) {
  const FoodCatalog* catalog = installedFoods();
  if (!catalog) {
    user.message("Error!", "HAND", Buttons::Ok,
                 "The USDA food file FOODS.DAT is missing or damaged.\r\nPlease install the "
                 "program again.");
    return false;
  }
  UI_WINDOW_MANAGER::instance().add(
      std::make_unique<UsdaFoodsWindow>(*catalog, user, std::move(request)));
  return true;
}

food::UsdaLookup usdaLookup(User& user, food::UnitTable& units, food::FoodGroupTable& groups) {
  food::UsdaLookup lookup;
  lookup.newBrand = [&user, &units, &groups](const std::string& question, const std::string& words,
                                             long ingredient, food::UsdaLookup::Chosen chosen) {
    openUsdaFoods(user, {question,
                         words,
                         [&units, &groups, ingredient, chosen](const Food& food) {
                           chosen(usdaBrand(food, ingredient, units, groups));
                         },
                         {}});
  };
  lookup.refill = [&user, &units, &groups](const std::string& question, const std::string& words,
                                           const food::BrandRecord& brand,
                                           food::UsdaLookup::Chosen chosen) {
    openUsdaFoods(user, {question,
                         words,
                         [&units, &groups, brand, chosen](const Food& food) {
                           chosen(withUsdaValues(brand, food, units, groups));
                         },
                         {}});
  };
  return lookup;
}

}  // namespace savora::usda
