// MasterCook XML files written for the test, through the whole import.
#include "exchange/text_recipe_format.h"
#include "exchange_fixture.h"
#include "platform/text.h"

namespace savora::exchange {
namespace {

// Declared ISO-8859-1 as such files are, with a Windows-1252 byte in it (the e acute).
constexpr const char* kEveryField =
    "<?xml version=\"1.0\" standalone=\"yes\" encoding=\"ISO-8859-1\"?>\r\n"
    "<!DOCTYPE mx2 SYSTEM \"mx2.dtd\">\r\n"
    "<mx2 source=\"MasterCook 5.0\" date=\"March 3, 2004\">\r\n"
    "<Summ><Nam>Caf\xE9 Brownies</Nam></Summ>\r\n"
    "<RcpE name=\"Caf\xE9 Brownies\" author=\"Aunt May\">\r\n"
    "  <Serv qty=\"16\"/>\r\n"
    "  <PrpT elapsed=\"0:20\"/>\r\n"
    "  <CatS><CatT>Cookies</CatT><CatT>Chocolate</CatT></CatS>\r\n"
    "  <IngR name=\"butter\" unit=\"tablespoons\" qty=\"8\"><IPrp>melted</IPrp></IngR>\r\n"
    "  <IngR name=\"FOR THE TOP\" code=\"S\"/>\r\n"
    "  <IngR name=\"eggs\" unit=\"large\" qty=\"2\"></IngR>\r\n"
    "  <IngR name=\"walnuts &amp; pecans\" unit=\"cup\" qty=\"1/2\"/>\r\n"
    "  <DirS><DirT>Melt the butter.</DirT><DirT>Bake 25 minutes.</DirT></DirS>\r\n"
    "  <Desc>Fudgy.</Desc>\r\n"
    "  <Srce>The Village Fair</Srce>\r\n"
    "  <Note>Keeps a week.</Note>\r\n"
    "  <Yield unit=\"squares\" qty=\"16\"/>\r\n"
    "  <CTim elapsed=\"0:25\"/>\r\n"
    "  <TTim elapsed=\"1:05\"/>\r\n"
    "</RcpE>\r\n"
    "<RcpE name=\"Plain Cookies\"><Serv qty=\"24\"/></RcpE>\r\n"
    "</mx2>\r\n";

class MasterCookXmlTest : public ExchangeTest {
 protected:
  std::string write(const std::string& name, const std::string& text) {
    const std::string path = archivePath(name);
    EXPECT_TRUE(platform::writeWholeFile(path, text));
    return path;
  }
};

TEST_F(MasterCookXmlTest, AFileImportsWithEveryField) {
  expectFinished();
  importArchive(write("brownies.mx2", kEveryField));
  const long book = books.uidOf(kMasterCookBook);
  const long cookies = chapters.uidOf("Cookies", book);
  const store::Recipe brownies = load(recipeUid("Caf\xE9 Brownies", cookies));
  EXPECT_EQ(brownies.servings, 16);
  EXPECT_EQ(brownies.instructions, "Melt the butter.\r\n\r\nBake 25 minutes.");
  EXPECT_EQ(brownies.description,
            "Fudgy.\r\n\r\nKeeps a week.\r\n\r\nRecipe by: Aunt May\r\nSource: The Village "
            "Fair\r\nYield: 16 squares\r\nPreparation time: 20 minutes\r\nCooking time: 25 "
            "minutes\r\nTotal time: 1 hour 5 minutes");
  EXPECT_EQ(brownies.lines[0].quantity, "8");
  EXPECT_EQ(units.readRecord(brownies.lines[0].unit).name, "tablespoon");
  EXPECT_EQ(ingredients.read(brownies.lines[0].ingredient)->name, "butter");
  EXPECT_EQ(brownies.lines[0].info2, "-- melted");
  EXPECT_EQ(brownies.lines[1].info2, "FOR THE TOP");
  EXPECT_EQ(brownies.lines[1].ingredient, 0);
  EXPECT_EQ(brownies.lines[2].info1, "large");
  EXPECT_EQ(brownies.lines[2].unit, 0);
  EXPECT_EQ(ingredients.read(brownies.lines[3].ingredient)->name, "walnuts & pecans");
  EXPECT_EQ(categories.membersOf(categories.uidOf("Chocolate")),
            (std::vector<long>{recipeUid("Caf\xE9 Brownies", cookies)}));
  EXPECT_GT(recipeUid("Plain Cookies", chapters.uidOf("Miscellaneous", book)), 0);
}

TEST_F(MasterCookXmlTest, ABrokenFileIsToldAsSuchAndImportsNothing) {
  const std::string path = write("broken.mx2", std::string(kEveryField).substr(0, 400));
  user.expectMessage(kUnableToDownloadTitle, platform::formatText(kBrokenXmlText, path.c_str()));
  importArchive(path);
  EXPECT_LT(books.uidOf(kMasterCookBook), 0);
}

}  // namespace
}  // namespace savora::exchange
