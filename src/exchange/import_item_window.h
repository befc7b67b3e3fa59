// IMPORT_ITEM: the matching dialog of an import. It shows one unit or ingredient of the archive
// that the user's tables lack at a time, with the remembered decision when there is one, and
// hands the person's answer (add, replace, skip, use memorized, the two check boxes) to the
// matching. When nothing is left, or the person closes it (the rest is then added), it closes
// the matching and tells the import window once, so the import goes on.
#pragma once

#include <functional>
#include <string>

#include "exchange/item_matching.h"
#include "toolkit/uiw_window.h"
#include "toolkit/window_spec.h"

namespace savora::exchange {

extern const toolkit::WindowSpec kImportItemSpec;

inline constexpr const char* kNewUnitTitle = "New Unit";
inline constexpr const char* kNewIngredientTitle = "New Ingredient";

// The explanation above a new unit, with the captions of the dialog's check box and buttons.
std::string unitExplanation(const std::string& alwaysAdd, const std::string& add,
                            const std::string& skip);
// The explanation above a new ingredient.
std::string ingredientExplanation(const std::string& alwaysAdd, const std::string& add);

class ImportItemWindow : public toolkit::UIW_WINDOW {
 public:
  // `closed` is called once, after the matching was closed, unless the import ends first.
  ImportItemWindow(ItemMatching& matching, std::function<void()> closed);
  int Event(const toolkit::UI_EVENT& event) override;
  // The import went away under the dialog: it closes without touching the matching.
  void abandon();

 private:
  void showItem();
  void replace();
  void makeText();
  void finish();
  void fillPicker();

  ItemMatching* matching_;
  std::function<void()> closed_;
  std::string shownItem_;
  toolkit::UIW_COMBO_BOX* picker_;
  toolkit::UIW_BUTTON* alwaysAdd_;
  toolkit::UIW_BUTTON* alwaysMemorize_;
  toolkit::UIW_BUTTON* useMemorized_;
};

}  // namespace savora::exchange
