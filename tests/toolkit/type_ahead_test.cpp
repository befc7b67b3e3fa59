#include "toolkit/type_ahead.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace savora::toolkit {
namespace {

void typeAll(TypeAhead& buffer, const std::string& keys) {
  for (char c : keys) buffer.type(static_cast<unsigned char>(c));
}

TEST(TypeAheadTest, TakesTheKeysOfAChooserAndNothingElse) {
  TypeAhead list;
  EXPECT_EQ(list.text(), " ");
  typeAll(list, "Fl-oz 1/2,(x).");
  EXPECT_EQ(list.text(), " Fl-oz 1/2,(x).");
  list.reset();
  // Punctuation outside the set, control characters and bytes above ASCII are refused.
  for (int key : std::initializer_list<int>{'!', '*', '[', ']', '\t', '\r', 0xE9, 0, 300}) {
    EXPECT_FALSE(list.type(key)) << key;
  }
  EXPECT_EQ(list.text(), " ");

  TypeAhead combo(TypeAhead::Mode::ComboBox);
  typeAll(combo, "[a]");
  EXPECT_EQ(combo.text(), " [a]");
  // "9" and "0" typed with Shift stand for the brackets they carry on the keyboard.
  EXPECT_TRUE(combo.type('9', true));
  EXPECT_TRUE(combo.type('0', true));
  EXPECT_TRUE(combo.type('9', false));
  EXPECT_EQ(combo.text(), " [a]()9");
}

TEST(TypeAheadTest, HoldsTwentyCharactersAndBackspaceKeepsTheLeadingBlank) {
  TypeAhead buffer;
  typeAll(buffer, "abcdefghijklmnopqrstuvwxyz");
  EXPECT_EQ(buffer.text().size(), TypeAhead::kCapacity);
  EXPECT_EQ(buffer.text(), " abcdefghijklmnopqrs");
  EXPECT_FALSE(buffer.type('z'));
  EXPECT_TRUE(buffer.type(kBackspaceCharacter));
  EXPECT_EQ(buffer.text(), " abcdefghijklmnopqr");
  for (int i = 0; i < 30; ++i) buffer.type(kBackspaceCharacter);
  EXPECT_EQ(buffer.text(), " ");
  EXPECT_FALSE(buffer.type(kBackspaceCharacter));
  buffer.takeBack();
  EXPECT_EQ(buffer.text(), " ");
}

TEST(TypeAheadTest, FindsTheFirstEntryStartingWithTheBufferAndDropsKeysThatLeadNowhere) {
  const std::vector<std::string> units = {"<None>", " cup", " Cube", " fl-oz", " pinch"};
  TypeAhead buffer(TypeAhead::Mode::ComboBox);
  EXPECT_EQ(buffer.typeAndFind('C', false, units), 1);
  EXPECT_EQ(buffer.typeAndFind('U', false, units), 1);
  EXPECT_EQ(buffer.typeAndFind('b', false, units), 2);
  // "cubx" starts no entry: the x is dropped and the buffer still finds "Cube".
  EXPECT_EQ(buffer.typeAndFind('x', false, units), -1);
  EXPECT_EQ(buffer.text(), " CUb");
  EXPECT_EQ(buffer.typeAndFind('!', false, units), std::nullopt);
  // Backspace keeps its change even when nothing matches (the entries may have changed).
  EXPECT_EQ(buffer.typeAndFind(kBackspaceCharacter, false, {" tsp"}), -1);
  EXPECT_EQ(buffer.text(), " CU");
  EXPECT_EQ(findByPrefix(" ", units), 1);
  EXPECT_EQ(findByPrefix(" fl-", units), 3);
  EXPECT_EQ(findByPrefix(" ounce", units), -1);
}

TEST(TypeAheadTest, AFilterWantsEveryWordSomewhereInTheName) {
  EXPECT_TRUE(containsEveryWord("Flour, all-purpose", " "));
  EXPECT_TRUE(containsEveryWord("Flour, all-purpose", ""));
  EXPECT_TRUE(containsEveryWord("Flour, all-purpose", " PURP  fl"));
  EXPECT_FALSE(containsEveryWord("Flour, all-purpose", " flour rye"));
  // More than four words narrow further; each must be there.
  EXPECT_TRUE(containsEveryWord("sweet red bell pepper strips", " s r b p st"));
  EXPECT_FALSE(containsEveryWord("sweet red bell pepper strips", " s r b p x"));
}

}  // namespace
}  // namespace savora::toolkit
