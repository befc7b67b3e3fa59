// Type-ahead for lists and combo boxes: the characters the user types while a list has the focus
// gather in a short buffer that finds the first entry starting with them, or filters a list
// down to the entries that contain every typed word.
//
// List entries are shown with one leading blank, so the buffer starts with a blank too.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace savora::toolkit {

// The character a Backspace key delivers.
inline constexpr int kBackspaceCharacter = 8;

class TypeAhead {
 public:
  // Combo boxes take "[" and "]" as well.
  enum class Mode { List, ComboBox };
  // Characters the buffer holds, its leading blank included.
  static constexpr size_t kCapacity = 20;

  explicit TypeAhead(Mode mode = Mode::List) : mode_(mode) {}

  // The buffer: the leading blank and what was typed after it.
  const std::string& text() const { return buffer_; }
  bool empty() const { return buffer_.size() <= 1; }
  // Back to the leading blank alone. (assign: GCC 12 warns falsely about buffer_ = " ".)
  void reset() { buffer_.assign(1, ' '); }

  // Takes one key. A character the buffer accepts (A-Z, a-z, digits, ". - , ( ) /", blank, and
  // "[ ]" in a combo box) is appended while there is room; Backspace removes the last typed
  // character. "9" and "0" with `shifted` stand for "(" and ")". True when the buffer changed.
  bool type(int character, bool shifted = false);
  // Takes the last typed character back again (it led nowhere); the leading blank stays.
  void takeBack();

  // Types a key and looks for the first entry whose beginning equals the buffer, ignoring case.
  // When an added character finds no entry, it is taken back. Nothing when the key did not
  // change the buffer; otherwise the entry found, or -1.
  std::optional<int> typeAndFind(int character, bool shifted,
                                 const std::vector<std::string>& entries);

 private:
  bool accepts(char c) const;

  Mode mode_;
  std::string buffer_ = " ";
};

// The first entry whose beginning equals `prefix` ignoring the case of letters, or -1.
int findByPrefix(std::string_view prefix, const std::vector<std::string>& entries);

// True when `name` contains every blank-separated word of `search`, ignoring the case of
// letters. A search of blanks alone matches every name.
bool containsEveryWord(std::string_view name, std::string_view search);

}  // namespace savora::toolkit
