// The information window of books, chapters and categories, opened from the bookshelf through
// the main window as the program does it, and the new-name dialog.
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <filesystem>

#include "bookshelf/new_book_window.h"
#include "codes/program_codes.h"
#include "fake_media_player.h"
#include "platform/text.h"
#include "screenshots.h"
#include "shelf_window_fixture.h"
#include "toolkit/event_codes.h"

namespace savora::bookshelf {
using namespace savora::store;
namespace {

using toolkit::UIW_TEXT;

class BookInfoTest : public ShelfWindowTest {
 protected:
  void SetUp() override {
    ShelfWindowTest::SetUp();
    desserts = books().add("Desserts", "Sweet things", "");
    mains = books().add("Main Dishes", "", "");
    cakes = chapters().add("Cakes", desserts, "", "");
    stews = chapters().add("Stews", mains, "", "");
    favourites = categories().add("Favourites", "", "");
    for (const char* name : {"Apple Pie", "Goulash", "Sponge Cake"})
      categories().addRecipe(favourites, addRecipe(cakes, name));
    shelf = openShelf();
    ASSERT_NE(shelf, nullptr);
  }

  // Opens the information window with a bookshelf button.
  BookInfoWindow* openInfo(const char* button) {
    click(shelf, button);
    BookInfoWindow* info = infoWindow();
    EXPECT_NE(info, nullptr) << button;
    return info;
  }
  static void type(UIW_WINDOW* w, const char* field, const std::string& text) {
    w->Get(field)->setText(text);
  }
  // Records of the category table with this UID, and the names they carry.
  std::vector<std::string> categoryRecordNames(long uid) {
    std::vector<std::string> names;
    xbase::Table& t = categories().table();
    t.selectTag("");
    for (bool on = t.top(); on; on = t.skip(1)) {
      if (!t.deleted() && categories().number("UID") == uid)
        names.push_back(categories().text("NAME"));
    }
    return names;
  }

  BookShelfWindow* shelf = nullptr;
  long desserts = 0, mains = 0, cakes = 0, stews = 0, favourites = 0;
};

using Names = std::vector<std::string>;

TEST_F(BookInfoTest, PrintHandsOverTheNameAndTheTextAsTheyAreShown) {
  choose(shelf, "BOOK_LIST", "Desserts");
  BookInfoWindow* info = openInfo("OPEN_BOOK_BUTTON");
  ASSERT_NE(info, nullptr);
  std::vector<std::string> printed;
  info->print = [&printed](const std::string& title, const std::string& text) {
    printed = {title, text};
  };
  type(info, "TEXT", "Sweet things.");
  info->post(UI_EVENT(codes::kPrint));
  settle();
  EXPECT_EQ(printed, (std::vector<std::string>{"Desserts", "Sweet things."}));
}

TEST_F(BookInfoTest, ANewBookIsSavedWithTrimmedNameAndListedOnTheBookshelf) {
  BookInfoWindow* info = openInfo("NEW_BOOK_BUTTON");
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->title(), "Book Information");
  EXPECT_EQ(info->Get("NAME_PROMPT")->text(), "Book Name:");
  EXPECT_EQ(info->Get("NAME")->text(), "");
  EXPECT_FALSE(info->hasUnsavedChanges());
  type(info, "NAME", " \tBreads and Rolls \t");
  type(info, "TEXT", "Yeast breads.");
  click(info, "OK_BUTTON");
  EXPECT_FALSE(isOpen(info));
  const long breads = books().uidOf("Breads and Rolls");
  ASSERT_NE(breads, -1);
  EXPECT_EQ(books().get(breads)->info, "Yeast breads.");
  EXPECT_EQ(books().get(breads)->bitmap, "");  // no media: no list file
  ASSERT_FALSE(user.statusHistory().empty());
  EXPECT_EQ(user.statusHistory().back().title, "Saving");
  EXPECT_EQ(user.statusHistory().back().text, "Saving...Please Wait.");
  EXPECT_FALSE(user.statusShown());
  EXPECT_EQ(texts(shelf, "BOOK_LIST"), (Names{"Breads and Rolls", "Desserts", "Main Dishes"}));
  // The new book is chosen, ready for its first chapter.
  EXPECT_EQ(shelf->Get<toolkit::UIW_VT_LIST>("BOOK_LIST")->text(), "Breads and Rolls");
  EXPECT_EQ(shelf->Get<toolkit::UIW_VT_LIST>("CHAPTER_LIST")->count(), 0);

  // OK on a new item with nothing typed writes nothing, and says why.
  info = openInfo("NEW_CATEGORY_BUTTON");
  EXPECT_EQ(info->title(), "Category Information");
  user.expectMessage("Wait!", "You must give this category a name.");
  click(info, "OK_BUTTON");
  EXPECT_TRUE(isOpen(info));
  click(info, "CLOSE_BUTTON");
  EXPECT_FALSE(isOpen(info));
  EXPECT_EQ(categories().entriesByName().size(), 1u);
}

TEST_F(BookInfoTest, AnItemOrBookDeletedWhileTheWindowIsOpenIsNotSavedIntoAnother) {
  // A new chapter of a book that is then deleted.
  choose(shelf, "BOOK_LIST", "Main Dishes");
  BookInfoWindow* info = openInfo("NEW_CHAPTER_BUTTON");
  ASSERT_NE(info, nullptr);
  books().remove(mains, chapters(), recipes());
  type(info, "NAME", "Braises");
  user.expectMessage("Wait!",
                     "The book of this chapter has been deleted, so the chapter cannot be saved.");
  click(info, "OK_BUTTON");
  EXPECT_EQ(chapters().uidOf("Braises"), -1);
  user.expectMessage("Save Chapter?", "\r\nWould you like to save Braises?", Button::No);
  click(info, "CLOSE_BUTTON");

  // An existing chapter deleted, and another of the same name made meanwhile.
  choose(shelf, "BOOK_LIST", "Desserts");
  choose(shelf, "CHAPTER_LIST", "Cakes");
  info = openInfo("OPEN_CHAPTER_BUTTON");
  ASSERT_NE(info, nullptr);
  chapters().remove(cakes, recipes());
  const long again = chapters().add("Cakes", desserts, "kept", "");
  type(info, "TEXT", "stale words");
  user.expectMessage("Wait!",
                     "This chapter has been changed or deleted elsewhere, so it cannot be saved.");
  click(info, "OK_BUTTON");
  EXPECT_EQ(chapters().get(again)->info, "kept");
}

TEST_F(BookInfoTest, ANameMustBeGivenAndBelongToNoOtherItem) {
  choose(shelf, "BOOK_LIST", "Desserts");
  BookInfoWindow* info = openInfo("NEW_CHAPTER_BUTTON");
  EXPECT_EQ(info->Get("NAME_PROMPT")->text(), "Chapter Name:");
  type(info, "TEXT", "Without a name.");
  user.expectMessage("Wait!", "You must give this chapter a name.");
  click(info, "OK_BUTTON");
  EXPECT_EQ(user.messages().back().icon, "HAND");
  EXPECT_TRUE(isOpen(info));
  type(info, "NAME", "CAKES");
  user.expectMessage("Wait!", "A chapter with that name already exists!");
  click(info, "OK_BUTTON");
  EXPECT_EQ(user.messages().back().icon, "EXCLAMATION");
  // Another book's chapter of that name is no obstacle.
  type(info, "NAME", "Stews");
  click(info, "OK_BUTTON");
  EXPECT_FALSE(isOpen(info));
  EXPECT_NE(chapters().uidOf("Stews", desserts), -1);
  EXPECT_EQ(texts(shelf, "CHAPTER_LIST"), (Names{"Cakes", "Stews"}));

  info = openInfo("NEW_BOOK_BUTTON");
  type(info, "NAME", "main dishes");
  user.expectMessage("Wait!", "A book with that name already exists!");
  click(info, "OK_BUTTON");
  info->post(UI_EVENT(toolkit::S_CLOSE));
  user.expectMessage("Save Book?", "\r\nWould you like to save main dishes?", Button::No);
  settle();

  info = openInfo("NEW_CATEGORY_BUTTON");
  type(info, "NAME", "FAVOURITES");
  user.expectMessage("Wait!", "A category with that name already exists!");
  click(info, "OK_BUTTON");
  EXPECT_TRUE(isOpen(info));
}

TEST_F(BookInfoTest, CharactersTheTablesCannotKeepAreRefusedAndStayTyped) {
  struct Row {
    const char* field;
    const char* typed;  // UTF-8, as on screen
    const char* message;
  };
  const Row rows[] = {
      {"NAME", "Pie \xF0\x9F\x98\x80",
       "Character 5 of this text (U+1F600) cannot be stored. Please remove it or type another in "
       "its place."},
      {"NAME", "\xE9\xA5\xBA\xE5\xAD\x90",
       "Character 1 of this text (U+997A) cannot be stored. "
       "Please remove it or type another in its place."},
      {"TEXT", "Caf\xC3\xA9 \xCE\xB1",
       "Character 6 of this text (U+03B1) cannot be stored. "
       "Please remove it or type another in its place."},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.typed);
    BookInfoWindow* info = openInfo("NEW_BOOK_BUTTON");
    type(info, "NAME", "Snacks");
    QWidget* field = info->Get(row.field)->widget();
    const QString typed = QString::fromUtf8(row.typed);
    if (auto* line = qobject_cast<QLineEdit*>(field)) line->setText(typed);
    if (auto* text = qobject_cast<QPlainTextEdit*>(field)) text->setPlainText(typed);
    user.expectMessage("Wait!", row.message);
    click(info, "OK_BUTTON");
    EXPECT_TRUE(isOpen(info));
    EXPECT_EQ(books().uidOf("Snacks"), -1);
    const QString shown = qobject_cast<QLineEdit*>(field)
                              ? qobject_cast<QLineEdit*>(field)->text()
                              : qobject_cast<QPlainTextEdit*>(field)->toPlainText();
    EXPECT_EQ(shown, typed);
    user.answerNextMessage(Button::No);  // not saved on leaving
    click(info, "CLOSE_BUTTON");
    settle();
  }
}

TEST_F(BookInfoTest, RenamingAnItemRenamesItEverywhere) {
  choose(shelf, "CATEGORY_LIST", "Favourites");
  BookInfoWindow* info = openInfo("OPEN_CATEGORY_BUTTON");
  EXPECT_EQ(info->Get("NAME")->text(), "Favourites");
  // Only the letter case changed: still this category, no "already exists".
  type(info, "NAME", "FAVOURITES");
  click(info, "OK_BUTTON");
  EXPECT_EQ(categoryRecordNames(favourites),
            (Names{"FAVOURITES", "FAVOURITES", "FAVOURITES", "FAVOURITES"}));

  info = openInfo("OPEN_CATEGORY_BUTTON");
  type(info, "NAME", "Family Favourites");
  type(info, "TEXT", "What we cook most.");
  click(info, "OK_BUTTON");
  // The own record and all three memberships carry the new name and description.
  EXPECT_EQ(categoryRecordNames(favourites), Names(4, "Family Favourites"));
  EXPECT_EQ(categories().membersOf(favourites).size(), 3u);
  EXPECT_EQ(texts(shelf, "CATEGORY_LIST"), (Names{"Family Favourites"}));
  EXPECT_EQ(current(shelf, "CATEGORY_LIST"), "Family Favourites");

  choose(shelf, "BOOK_LIST", "Desserts");
  info = openInfo("OPEN_BOOK_BUTTON");
  EXPECT_EQ(info->Get<UIW_TEXT>("TEXT")->text(), "Sweet things");
  type(info, "NAME", "Puddings");
  click(info, "OK_BUTTON");
  EXPECT_EQ(books().uidOf("Puddings"), desserts);
  EXPECT_EQ(books().get(desserts)->info, "Sweet things");
  EXPECT_EQ(texts(shelf, "BOOK_LIST"), (Names{"Main Dishes", "Puddings"}));
  EXPECT_EQ(current(shelf, "BOOK_LIST"), "Puddings");
  // The bookshelf stores the renamed book, found by its new name.
  main.reset();
  EXPECT_EQ(settings.recipeShelf.book, desserts);
}

TEST_F(BookInfoTest, LeavingWithChangesAsksYesNoOrCancel) {
  choose(shelf, "BOOK_LIST", "Desserts");
  BookInfoWindow* info = openInfo("OPEN_BOOK_BUTTON");
  type(info, "TEXT", "Cakes, pies and puddings.");
  ASSERT_TRUE(info->hasUnsavedChanges());

  state.exitState = toolkit::L_EXIT;  // as when the program was on its way out
  user.expectMessage("Save Book?", "\r\nWould you like to save Desserts?", Button::Cancel);
  click(info, "CLOSE_BUTTON");
  EXPECT_TRUE(isOpen(info));
  EXPECT_EQ(state.exitState, 0);  // Cancel also stops the program from leaving
  EXPECT_EQ(user.messages().back().icon, "QUESTION");

  user.expectMessage("Save Book?", "\r\nWould you like to save Desserts?", Button::No);
  click(info, "CLOSE_BUTTON");
  EXPECT_FALSE(isOpen(info));
  EXPECT_EQ(books().get(desserts)->info, "Sweet things");

  info = openInfo("OPEN_BOOK_BUTTON");
  type(info, "TEXT", "Cakes, pies and puddings.");
  user.expectMessage("Save Book?", "\r\nWould you like to save Desserts?", Button::Yes);
  click(info, "CLOSE_BUTTON");
  EXPECT_FALSE(isOpen(info));
  EXPECT_EQ(books().get(desserts)->info, "Cakes, pies and puddings.");

  // Without a name the question names the kind of item.
  info = openInfo("NEW_CATEGORY_BUTTON");
  type(info, "TEXT", "Soon.");
  user.expectMessage("Save Category?", "\r\nWould you like to save this category?", Button::Yes);
  user.expectMessage("Wait!", "You must give this category a name.");
  click(info, "CLOSE_BUTTON");
  EXPECT_TRUE(isOpen(info));
}

TEST_F(BookInfoTest, TheExitCheckHasUnsavedItemsSavedBeforeTheProgramEnds) {
  BookInfoWindow* info = openInfo("NEW_BOOK_BUTTON");
  type(info, "TEXT", "Nameless.");
  // The first try fails on the missing name: the program stays.
  user.answerNextMessage(Button::Yes);  // "Save Changes?" of the exit check
  user.expectMessage("Wait!", "You must give this book a name.");
  main->post(UI_EVENT(toolkit::L_EXIT_FUNCTION));
  settle();
  EXPECT_EQ(user.messages()[0].title, "Save Changes?");
  EXPECT_TRUE(isOpen(info));
  EXPECT_EQ(state.exitState, 0);
  EXPECT_FALSE(UI_EVENT_MANAGER::instance().exitReached());

  type(info, "NAME", "Soups");
  user.answerNextMessage(Button::Yes);
  main->post(UI_EVENT(toolkit::L_EXIT_FUNCTION));
  settle();
  EXPECT_NE(books().uidOf("Soups"), -1);
  EXPECT_TRUE(UI_EVENT_MANAGER::instance().exitReached());  // the save finished the exit
}

class BookInfoMediaTest : public BookInfoTest {
 protected:
  BookInfoWindow* openDirectly(long uid) {
    auto player = std::make_unique<savora::testing::FakeMediaPlayer>();
    this->player = player.get();
    auto* info = UI_WINDOW_MANAGER::instance().add(std::make_unique<BookInfoWindow>(
        ShelfTables{books(), chapters(), categories(), recipes()}, Shelf::Recipes, user,
        ShelfItemType::Book, uid, 0, std::move(player), &state.exitState));
    return info;
  }
  savora::testing::FakeMediaPlayer* player = nullptr;
};

TEST_F(BookInfoMediaTest, PhotoSoundAndVideoGoIntoTheBooksMediaList) {
  BookInfoWindow* info = openDirectly(desserts);
  user.expectMessage("Wait!", "There is no photo to remove.");
  user.expectMessage("Wait!", "There is no sound to remove.");
  user.expectMessage("Wait!", "There is no video to remove.");
  for (const char* button : {"REMOVE_PHOTO", "REMOVE_SOUND", "REMOVE_VIDEO"}) click(info, button);
  EXPECT_FALSE(info->Get("PLAY_SOUND")->isVisible());
  EXPECT_FALSE(info->Get("PLAY_VIDEO")->isVisible());

  QImage image(40, 30, QImage::Format_RGB32);
  image.fill(Qt::darkRed);
  const std::string photo = programDir.str() + "media/cake.bmp";
  EXPECT_TRUE(platform::makeFolder(programDir.str() + "media"));
  ASSERT_TRUE(image.save(QString::fromStdString(photo), "BMP"));
  const std::string sound = programDir.write("media/bell.wav", "RIFF").string();
  const std::string video = programDir.write("media/cake.mpg", "MPEG").string();
  user.answerFileDialog(photo);
  user.answerFileDialog(sound);
  user.answerFileDialog(video);
  click(info, "ADD_PHOTO");
  click(info, "ADD_SOUND");
  click(info, "ADD_VIDEO");
  EXPECT_EQ(user.dialogs(), (Names{"Add Photo...", "Add Sound...", "Add Video..."}));
  EXPECT_TRUE(info->Get<toolkit::UIW_PICTURE>("PICTURE")->hasImage());
  EXPECT_EQ(info->Get("PHOTO_NAME")->text(), "cake");
  // A chosen sound is played at once; the video waits for its button.
  EXPECT_EQ(player->opened, Names{sound});
  EXPECT_EQ(player->state(), toolkit::MediaPlayer::State::Playing);
  EXPECT_TRUE(info->Get("PLAY_VIDEO")->isVisible());
  click(info, "PLAY_VIDEO");
  EXPECT_EQ(player->opened.back(), video);
  EXPECT_TRUE(info->hasUnsavedChanges());

  click(info, "OK_BUTTON");
  const std::string bitmap = books().get(desserts)->bitmap;
  ASSERT_FALSE(bitmap.empty());
  // The photo is kept without its ".bmp", as recipes keep theirs.
  const std::string stored = photo.substr(0, photo.size() - 4);
  EXPECT_EQ(readMediaList(bitmap), (MediaReferences{stored, sound, video}));
  EXPECT_EQ(savora::testing::readFileBytes(programDir.path() / "cmm" / bitmap),
            stored + "\n" + sound + "\n" + video + "\n");

  // Opened again, everything is there; removing all three deletes the list.
  info = openDirectly(desserts);
  EXPECT_TRUE(info->Get<toolkit::UIW_PICTURE>("PICTURE")->hasImage());
  EXPECT_FALSE(info->hasUnsavedChanges());
  for (const char* button : {"REMOVE_PHOTO", "REMOVE_SOUND", "REMOVE_VIDEO"}) click(info, button);
  EXPECT_FALSE(info->Get<toolkit::UIW_PICTURE>("PICTURE")->hasImage());
  click(info, "OK_BUTTON");
  EXPECT_EQ(books().get(desserts)->bitmap, "");
  EXPECT_FALSE(platform::fileExists(programDir.str() + "cmm/" + bitmap));
}

// The windows as a person sees them are drawn, not blank.
TEST_F(BookInfoMediaTest, ScreenshotsOfTheFilledWindows) {
  auto save = [](QWidget* widget, const char* name) {
    const QImage shot = widget->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    int dark = 0;
    for (int y = 0; y < shot.height(); y += 4) {
      for (int x = 0; x < shot.width(); x += 4) dark += qGray(shot.pixel(x, y)) < 128;
    }
    EXPECT_GT(dark, 20) << name << " looks blank";
    savora::testing::keepScreenshot(shot, name);
  };
  addRecipe(cakes, "Chocolate Torte");
  addRecipe(cakes, "Lemon Drizzle Cake");
  chapters().add("Pies and Tarts", desserts, "", "");
  choose(shelf, "BOOK_LIST", "Desserts");
  choose(shelf, "CHAPTER_LIST", "Cakes");
  save(shelf->widget(), "BOOK_SHELF.png");

  QImage image(160, 110, QImage::Format_RGB32);
  image.fill(QColor(200, 120, 60));
  const std::string photo = programDir.str() + "cake.bmp";
  ASSERT_TRUE(image.save(QString::fromStdString(photo), "BMP"));
  MediaReferences media{programDir.str() + "cake", programDir.str() + "bell.wav", ""};
  books().update("Desserts", "Desserts", "Cakes, pies and puddings for every day.",
                 *writeMediaList("", media));
  BookInfoWindow* info = openDirectly(desserts);
  info->widget()->parentWidget()->resize(620, 500);
  settle();
  save(info->widget(), "BOOK_INFO.png");
  info->Get<toolkit::UIW_NOTEBOOK>("TABS")->setCurrentPage(1);
  settle();
  save(info->widget(), "BOOK_INFO_PICTURE.png");
}

// NEW_BOOK asks for a name on behalf of another window.
class NewBookTest : public ShelfWindowTest {
 protected:
  // A caller that records what it is told.
  class Caller : public UIW_WINDOW {
   public:
    Caller() : UIW_WINDOW("CATEGORY_LIST") {}
    int Event(const UI_EVENT& event) override {
      received.push_back(event);
      return UIW_WINDOW::Event(event);
    }
    std::vector<UI_EVENT> received;
  };
  NewBookWindow* ask(UIW_WINDOW* caller, NewNameRequest request) {
    auto* dialog = UI_WINDOW_MANAGER::instance().add(
        std::make_unique<NewBookWindow>(caller, std::move(request), user));
    return dialog;
  }
};

TEST_F(NewBookTest, AnEmptyNameIsRefusedAndAGivenOneGoesBackToTheCaller) {
  auto* caller = UI_WINDOW_MANAGER::instance().add(std::make_unique<Caller>());
  NewBookWindow* dialog =
      ask(caller, {"New Food Group", "Type the name of the new group.", "", false, true, true});
  EXPECT_EQ(dialog->title(), "New Food Group");
  EXPECT_EQ(dialog->Get("HELP_TEXT")->text(), "Type the name of the new group.");
  EXPECT_TRUE(dialog->Get("PERISHABLE")->isVisible());
  EXPECT_TRUE(dialog->Get<UIW_BUTTON>("PERISHABLE")->isChecked());

  user.expectMessage("Wait!", "You must enter a name.");
  user.expectMessage("Wait!", "You must enter a name.");
  click(dialog, "OK_BUTTON");
  dialog->Get("BOOK_NAME_FIELD")->setText(" \t ");
  click(dialog, "OK_BUTTON");
  EXPECT_TRUE(isOpen(dialog));
  EXPECT_TRUE(caller->received.empty());

  dialog->Get("BOOK_NAME_FIELD")->setText(" \tFresh Produce ");
  dialog->Get<UIW_BUTTON>("PERISHABLE")->setChecked(false);
  click(dialog, "OK_BUTTON");
  EXPECT_FALSE(isOpen(dialog));
  ASSERT_EQ(caller->received.size(), 1u);
  EXPECT_EQ(caller->received[0].type, codes::kNewNameGiven);
  EXPECT_EQ(caller->received[0].text, "Fresh Produce ");  // only the leading blanks go
  EXPECT_EQ(caller->received[0].values[0], 0);

  // A changed name, without the check box.
  dialog = ask(caller, {"Rename", "The new name:", "Dairy", true, false, false});
  EXPECT_FALSE(dialog->Get("PERISHABLE")->isVisible());
  EXPECT_EQ(dialog->Get("BOOK_NAME_FIELD")->text(), "Dairy");
  click(dialog, "OK_BUTTON");
  ASSERT_EQ(caller->received.size(), 2u);
  EXPECT_EQ(caller->received[1].type, codes::kChangedNameGiven);
  EXPECT_EQ(caller->received[1].text, "Dairy");

  // A caller that closed meanwhile is not written to.
  dialog = ask(caller, {"Rename", "", "Dairy", true, false, false});
  UI_WINDOW_MANAGER::instance().subtract(caller);
  settle();
  click(dialog, "OK_BUTTON");
  EXPECT_FALSE(isOpen(dialog));
}

TEST_F(NewBookTest, ANameTheTablesCannotKeepIsRefusedAndStaysTyped) {
  auto* caller = UI_WINDOW_MANAGER::instance().add(std::make_unique<Caller>());
  NewBookWindow* dialog = ask(caller, {"New Food Group", "", "", false, false, false});
  auto* field = qobject_cast<QLineEdit*>(dialog->Get("BOOK_NAME_FIELD")->widget());
  field->setText(QString::fromUtf8("Ice \xE2\x9D\x84"));
  user.expectMessage("Wait!",
                     "Character 5 of this text (U+2744) cannot be stored. Please remove it or type "
                     "another in its place.");
  click(dialog, "OK_BUTTON");
  EXPECT_TRUE(isOpen(dialog));
  EXPECT_TRUE(caller->received.empty());
  EXPECT_EQ(field->text(), QString::fromUtf8("Ice \xE2\x9D\x84"));
}

}  // namespace
}  // namespace savora::bookshelf
