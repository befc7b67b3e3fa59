// The catalogue through the program's windows: its bookshelf's Export button writes the selected
// book into an exchange archive, and the E-mail button of a catalogue recipe mails that recipe
// (not the user's recipe that happens to have the same UID).
#include <gtest/gtest.h>

#include <QListWidget>
#include <cstdlib>
#include <filesystem>

#include "../online/loopback_server.h"
#include "app/program.h"
#include "app/usage_counters.h"
#include "app_fixture.h"
#include "book_export/book_export.h"
#include "codes/program_codes.h"
#include "online/mail_window.h"
#include "platform/file_ops.h"
#include "toolkit/uiw_controls.h"

namespace savora::app {
namespace {

using namespace savora::toolkit;
using savora::testing::readFileBytes;
using savora::testing::TempFolder;

// A program folder with the catalogue installed: one book "Breads" whose chapter "Loaves" holds
// "Rye Bread" (UID 1), beside the user's own recipe "My Soup", also UID 1.
class CatalogJourneyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform::setProgramDirectory(folders.program.str()));
    state.programDirectory = platform::programDirectory();
    ASSERT_TRUE(platform::makeFolder("catalog"));
    {
      using bookshelf::Shelf;
      bookshelf::BookTable books(store, Shelf::Catalog);
      bookshelf::ChapterTable chapters(store, Shelf::Catalog);
      bookshelf::CategoryTable categories(store, Shelf::Catalog);
      store::RecipeTable recipes(store, bookshelf::recipeTableName(Shelf::Catalog));
      for (store::TableModule* t :
           std::initializer_list<store::TableModule*>{&books, &chapters, &categories, &recipes})
        t->open();
      const long loaves = chapters.add("Loaves", books.add("Breads", "", ""), "", "");
      store::Recipe rye;
      rye.name = "Rye Bread";
      rye.instructions = "Bake the rye.";
      catalogRecipe = recipes.save(0, loaves, rye, false);
      categories.addRecipe(categories.add("Baking", "", ""), catalogRecipe);
      for (store::TableModule* t :
           std::initializer_list<store::TableModule*>{&books, &chapters, &categories, &recipes})
        t->close();
    }
    tables = std::make_unique<SharedTables>(store);
    ASSERT_NE(tables->catalogBooks(), nullptr);
    ASSERT_TRUE(tables->openAll().empty());
    store::Recipe soup;
    soup.name = "My Soup";
    soup.instructions = "Stir the soup.";
    ASSERT_EQ(tables->recipes().save(
                  0, tables->chapters().add("Mine", tables->books().add("Mine", "", ""), "", ""),
                  soup, false),
              catalogRecipe);
    ASSERT_TRUE(ObjectStore::open(state.programDirectory + "OBJECTS.DAT"));
    UI_EVENT_MANAGER::instance().clear();
    backup = std::make_unique<backup::BackupService>(store, tables->mainTables(), user);
    main =
        std::make_unique<MainWindow>(MainServices{state, settings, user, store, *tables, *backup});
    main->widget()->show();
    registerWindows(*main, *tables, user, {state, settings, usage});
  }
  void TearDown() override {
    main.reset();
    tables->closeAll();
    UI_EVENT_MANAGER::instance().clear();
    ObjectStore::close();
  }
  static void settle() { UI_EVENT_MANAGER::instance().processAll(); }
  template <class T>
  static T* shown(int kind) {
    return dynamic_cast<T*>(UI_WINDOW_MANAGER::instance().findKind(kind));
  }

  ProgramFolders folders;
  AppState state;
  Settings settings;
  UsageCounters usage;
  savora::testing::ScriptedUser user;
  store::TableStore store{user};
  std::unique_ptr<SharedTables> tables;
  std::unique_ptr<backup::BackupService> backup;
  std::unique_ptr<MainWindow> main;
  // Opens the catalogue's bookshelf with `book` selected; null when it does not open.
  UIW_WINDOW* openCatalogOn(const char* book) {
    main->post(UI_EVENT(codes::kOpenCatalog));
    settle();
    UIW_WINDOW* shelf = UI_WINDOW_MANAGER::instance().findKind(codes::kKindCatalog);
    if (!shelf) return nullptr;
    auto* bookList = shelf->Get<UIW_VT_LIST>("BOOK_LIST");
    static_cast<QListWidget*>(bookList->widget())->setCurrentRow(bookList->findText(book));
    settle();
    return shelf;
  }

  long catalogRecipe = 0;
  TempFolder elsewhere;
};

TEST_F(CatalogJourneyTest, TheCatalogueExportsItsSelectedBookAsARecipeBook) {
  UIW_WINDOW* shelf = openCatalogOn("Breads");
  ASSERT_NE(shelf, nullptr);
  ASSERT_TRUE(shelf->Get("EXPORT_BUTTON")->isSelectable());

  user.answerFileDialog(elsewhere.str() + "breads");
  user.expectMessage("Finished!", book_export::kExportedText);
  shelf->Get<UIW_BUTTON>("EXPORT_BUTTON")->click();
  settle();
  EXPECT_EQ(user.dialogs().back(), "Export Data...");
  const std::string archive = elsewhere.str() + "breads.zel";
  ASSERT_TRUE(platform::fileExists(archive));
  EXPECT_EQ(std::system(("unzip -tq '" + archive + "' >/dev/null").c_str()), 0);
  // The catalogue's book, chapter, recipe and category, in the recipe bookshelf's tables.
  EXPECT_EQ(std::system(("unzip -l '" + archive +
                         "' | grep -c -e 'bookx.dbf' -e 'chapterx.dbf' -e 'recip65x.dbf' "
                         "-e 'categx.dbf' | grep -qx 4")
                            .c_str()),
            0);
  EXPECT_FALSE(platform::fileExists("recip65x.dbf"));
}

TEST_F(CatalogJourneyTest, TheMailCommandMailsTheCatalogueRecipeInFront) {
  TempFolder inbox;
  savora::testing::LoopbackServer smtp("smtp", inbox.path().string());
  settings.email = {"Pat Cook", "cook@example.org", "127.0.0.1:" + std::to_string(smtp.port())};
  registerOnline(*main, *tables, store, user, {state, settings, usage},
                 [](online::MailWindowServices& services) {
                   // The loopback server offers no STARTTLS, and no login is needed.
                   services.settings.login.security = online::MailSecurity::Plain;
                   services.tuneServer = [](online::MailServer& server) {
                     server.connectTimeoutSeconds = 2;
                     server.replyTimeoutSeconds = 3;
                   };
                 });
  UIW_WINDOW* recipe = main->openWindow(
      codes::kKindCatalogRecipe,
      UI_EVENT(codes::kOpenRecipe,
               tables->catalogChapters()->uidOf("Loaves", tables->catalogBooks()->uidOf("Breads")),
               catalogRecipe));
  ASSERT_NE(recipe, nullptr);
  settle();
  ASSERT_TRUE(recipe->Get("MAIL_BUTTON")->isSelectable());
  recipe->Get<UIW_BUTTON>("MAIL_BUTTON")->click();
  settle();

  auto* mail = shown<online::MailWindow>(codes::kKindMail);
  ASSERT_NE(mail, nullptr);
  const std::vector<ListEntry> listed = mail->Get<UIW_VT_LIST>("RECIPES")->entries();
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].text, "Rye Bread");
  mail->Get("TO")->setText("friend@example.org");
  user.expectMessage("Message Sent", "Your e-mail message has been sent.");
  mail->Get<UIW_BUTTON>("SEND_BUTTON")->click();
  settle();
  const std::string message = readFileBytes(inbox.path() / "msg-1.eml");
  EXPECT_NE(message.find("Rye Bread\r\n"), std::string::npos) << message;
  EXPECT_NE(message.find("Bake the rye."), std::string::npos) << message;
  EXPECT_EQ(message.find("soup"), std::string::npos) << message;

  // The same UID on the two shelves names two recipes; with the catalogue's bookshelf in front,
  // the command takes the catalogue recipe selected on it.
  main->post(UI_EVENT(codes::kSendMail, catalogRecipe));
  UIW_WINDOW* shelf = openCatalogOn("Breads");
  ASSERT_NE(shelf, nullptr);
  main->post(UI_EVENT(codes::kSendMail));
  settle();
  mail = shown<online::MailWindow>(codes::kKindMail);
  ASSERT_NE(mail, nullptr);
  std::vector<std::string> names;
  for (const ListEntry& entry : mail->Get<UIW_VT_LIST>("RECIPES")->entries())
    names.push_back(entry.text);
  EXPECT_EQ(names, (std::vector<std::string>{"My Soup", "Rye Bread"}));
}

}  // namespace
}  // namespace savora::app
