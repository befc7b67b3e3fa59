#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "backup/backup.h"
#include "backup/backup_schedule.h"
#include "backup/restore_staging.h"
#include "backup/table_swap.h"
#include "platform/file.h"
#include "platform/file_ops.h"
#include "platform/program_dirs.h"
#include "scripted_user.h"
#include "store/recipe_table.h"
#include "temp_folder.h"

namespace savora::backup {
namespace {

using savora::testing::readFileBytes;
using savora::testing::ScriptedUser;
using savora::testing::TempFolder;
using toolkit::Button;

const char* const kRestoreQuestion =
    "Any changes made since the last time you backed up\r\nwill be lost. Are you sure you want to "
    "continue?";

store::TableDefinition bookDefinition() {
  store::TableDefinition def;
  def.name = "book";
  def.fields = {{"UID", 'N', 5, 0}, {"NAME", 'C', 80, 0}, {"DESCRIP", 'M', 4, 0}};
  def.tags = {{store::kUidTag, "UID", store::kNotDeleted, false, false},
              {"NAME_TAG", "NAME", store::kNotDeleted, false, false}};
  return def;
}

bool runs(const std::string& command) {
  return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

// Writes a ZIP archive at `out`: the entries of `base` (all, or those named after a colon:
// "good.ck9:rc65.dbf"; "-" for none), then each "name=text" (replacing an entry of that name),
// "name=->target" as a symbolic link, "name=!drop" leaving the entry out.
const char* const kMakeZip = R"(
import sys, zipfile
out, base = sys.argv[1], sys.argv[2]
changes = dict(a.split('=', 1) for a in sys.argv[3:])
z = zipfile.ZipFile(out, 'w')
if base != '-':
    path, _, only = base.partition(':')
    b = zipfile.ZipFile(path)
    for n in b.namelist():
        if n not in changes and (not only or n in only.split(',')):
            z.writestr(n, b.read(n))
for n, v in changes.items():
    if v == '!drop':
        continue
    if v.startswith('->'):
        i = zipfile.ZipInfo(n)
        i.create_system = 3
        i.external_attr = 0o120777 << 16
        z.writestr(i, v[2:])
    else:
        z.writestr(n, v)
z.close()
)";

bool makeZip(const std::string& out, const std::string& base,
             const std::vector<std::string>& changes) {
  std::string command = "/usr/bin/python3 -c \"$(cat <<'PY'\n" + std::string(kMakeZip) +
                        "\nPY\n)\" '" + out + "' '" + base + "'";
  for (const std::string& change : changes) command += " '" + change + "'";
  return runs(command);
}

// The bytes of every table file in the folder, by name.
std::map<std::string, std::string> tableFiles(const TempFolder& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    const std::string name = entry.path().filename().string();
    if (isTableFileName(name)) files[name] = readFileBytes(entry.path());
  }
  return files;
}

class BackupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform::setProgramDirectory(data.str()));
    ::setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    recipes.open();
    books.open();
    tables.add(books);
    tables.add(recipes);
    for (int i = 1; i <= 30; ++i) {
      store::Recipe r;
      r.name = "Recipe " + std::to_string(i);
      r.instructions = std::string(size_t(i) * 40, 'i');
      r.lines[0].info1 = "note " + std::to_string(i);
      recipes.save(0, 1 + i % 3, r, false);
    }
    books.appendStart(1);
    books.setText("NAME", "Family Favorites");
    books.setMemo("DESCRIP", "Recipes from home");
    books.append();
  }

  std::string recipeName(long uid) { return recipes.nameOf(uid); }

  TempFolder data, config, elsewhere;
  ScriptedUser user;
  store::TableStore store{user};
  store::RecipeTable recipes{store, "rc65"};
  store::TableModule books{store, bookDefinition()};
  store::OpenTables tables;
  BackupService service{store, tables, user};
};

TEST_F(BackupTest, BackupAndRestoreRoundTripEveryTable) {
  const std::string chosen = elsewhere.str() + "sunday.bak";
  const std::string archive = elsewhere.str() + "sunday.ck9";
  user.expectMessage("Backup Complete", "Your data was backed up to\r\n" + archive);
  ASSERT_TRUE(service.backup(chosen));
  EXPECT_TRUE(platform::fileExists(archive));
  EXPECT_FALSE(platform::fileExists(chosen));
  EXPECT_FALSE(platform::fileExists(archive + ".part"));
  EXPECT_EQ(service.lastLocation(), elsewhere.str());
  EXPECT_EQ(readFileBytes(data.path() / "backup.cnt"), backupCounterText(todayDayOfMonth(), 0));
  EXPECT_TRUE(recipes.isOpen());
  EXPECT_TRUE(books.isOpen());
  EXPECT_EQ(user.statusHistory().front().title, "Auto Back-Up");
  EXPECT_FALSE(user.statusShown());
  if (runs("command -v unzip")) {
    EXPECT_TRUE(runs("unzip -t '" + archive + "'"));
  }

  // Change everything, then restore.
  for (long uid = 1; uid <= 20; ++uid) recipes.remove(uid);
  store::Recipe extra;
  extra.name = "Added later";
  recipes.save(0, 1, extra, true);
  books.seekUid(1);
  books.setText("NAME", "Renamed");
  books.table().flush();

  user.expectMessage("Restore Data?", kRestoreQuestion, Button::Yes);
  user.expectMessage("Restore Complete", "Your data was restored from\r\n" + archive);
  ASSERT_TRUE(service.restore(archive));
  ASSERT_TRUE(recipes.isOpen());
  ASSERT_TRUE(books.isOpen());
  EXPECT_EQ(recipes.table().recordCount(), 30u);
  store::Recipe r;
  ASSERT_EQ(recipes.load(7, r), 1 + 7 % 3);
  EXPECT_EQ(r.name, "Recipe 7");
  EXPECT_EQ(r.instructions.size(), 280u);
  EXPECT_EQ(r.lines[0].info1, "note 7");
  EXPECT_EQ(recipes.find("Added later", 1), 0);
  EXPECT_TRUE(recipes.table().checkIndex().empty());
  ASSERT_TRUE(books.seekUid(1));
  EXPECT_EQ(books.text("NAME"), "Family Favorites");
  EXPECT_EQ(books.memo("DESCRIP"), "Recipes from home");
  EXPECT_FALSE(platform::fileExists("restore.tmp"));
}

TEST_F(BackupTest, ANameWithoutExtensionGetsOneAndAnInvalidNameIsRefused) {
  EXPECT_EQ(backupFileName("C:\\backups\\week.bak"), "C:\\backups\\week.ck9");
  EXPECT_EQ(backupFileName("/home/cook/my.data/backup"), "/home/cook/my.data/backup.ck9");
  EXPECT_EQ(backupFileName("savora"), "savora.ck9");

  user.expectMessage("Invalid File Name", "Please enter a valid file name.");
  EXPECT_FALSE(service.backup(elsewhere.str() + "no/such/folder/x.bak"));
  EXPECT_TRUE(recipes.isOpen());
  EXPECT_TRUE(user.statusHistory().empty());
}

TEST(BackupName, TheSuggestedNameCarriesTheDayWithLeadingZeros) {
  EXPECT_EQ(suggestedBackupName(2026, 3, 7), "savora-backup-2026-03-07.ck9");
  EXPECT_EQ(suggestedBackupName(2026, 12, 31), "savora-backup-2026-12-31.ck9");
}

TEST_F(BackupTest, AFailedBackupKeepsTheLastGoodArchive) {
  const std::string archive = elsewhere.str() + "good.ck9";
  user.expectMessage("Backup Complete", "Your data was backed up to\r\n" + archive);
  ASSERT_TRUE(service.backup(archive));
  const std::string good = readFileBytes(archive);
  // A table file that cannot be read (a link to nothing) makes the next backup fail.
  std::filesystem::create_symlink(data.path() / "nowhere", data.path() / "broken.dbf");
  user.answerNextMessage(Button::Ok);
  EXPECT_FALSE(service.backup(archive));
  EXPECT_EQ(user.messages().back().title, "Error!");
  EXPECT_EQ(readFileBytes(archive), good);
  EXPECT_FALSE(platform::fileExists(archive + ".part"));
  EXPECT_TRUE(recipes.isOpen());
}

TEST_F(BackupTest, RestoreRefusesMissingHostileAndDamagedArchivesLeavingTablesAlone) {
  user.expectMessage("File Not Found", "The backup file was not found.");
  EXPECT_FALSE(service.restore(elsewhere.str() + "missing.ck9"));
  EXPECT_EQ(user.messages().back().icon, "ERROR");

  user.expectMessage("Restore Data?", kRestoreQuestion, Button::No);
  EXPECT_FALSE(service.restore(data.str() + "rc65.dbf"));  // declined: nothing happens

  const std::string before = readFileBytes(data.path() / "rc65.dbf");
  if (!runs("command -v /usr/bin/python3"))
    GTEST_SKIP() << "python3 is needed to build hostile archives";
  const std::string slip = elsewhere.str() + "slip.ck9";
  ASSERT_TRUE(
      runs("/usr/bin/python3 -c \"import zipfile; z=zipfile.ZipFile('" + slip +
           "','w'); z.writestr('rc65.dbf','x'); z.writestr('../evil.dbf','x'); z.close()\""));
  user.expectMessage("Restore Data?", kRestoreQuestion, Button::Yes);
  user.expectMessage("Error!", "Your data could not be restored.\r\nCorrupt header");
  EXPECT_FALSE(service.restore(slip));
  EXPECT_FALSE(std::filesystem::exists(data.path().parent_path() / "evil.dbf"));

  // A truncated copy of a real backup.
  user.expectMessage("Backup Complete",
                     "Your data was backed up to\r\n" + elsewhere.str() + "full.ck9");
  ASSERT_TRUE(service.backup(elsewhere.str() + "full.ck9"));
  const std::string full = readFileBytes(elsewhere.path() / "full.ck9");
  const auto cut = elsewhere.write("cut.ck9", full.substr(0, full.size() / 2));
  user.expectMessage("Restore Data?", kRestoreQuestion, Button::Yes);
  user.expectMessage("Error!", "Your data could not be restored.\r\nNot an archive or corrupt");
  EXPECT_FALSE(service.restore(cut.string()));

  EXPECT_EQ(readFileBytes(data.path() / "rc65.dbf"), before);
  EXPECT_TRUE(recipes.isOpen());
  EXPECT_EQ(recipes.nameOf(5), "Recipe 5");
  EXPECT_FALSE(platform::fileExists("restore.tmp"));
}

TEST_F(BackupTest, ProgressRoutineShowsEachMessageAsAStatusLine) {
  struct Case {
    int message;
    int parameter;
    const char* file;
    const char* title;
    const char* text;
  } cases[] = {
      {1, 0, "rc65.dbf", "Automatically Backing Up Data", "Compressing rc65.dbf"},
      {3, 0, "rc65.cdx", "Restoring Data", "Extracting rc65.cdx"},
      {4, 0, "book.dbf", "Automatically Backing Up Data", "Updating book.dbf"},
      {7, 0, "", "Restoring Data", "Extracting"},
      {15, 0, "", "Automatically Backing Up Data", "Translating, "},
      {30, 0, "", "Automatically Backing Up Data", "Operation canceled."},
      {48, 1, "rc65.fpt", "Automatically Backing Up Data", "No write permission for rc65.fpt"},
      {-4, 0, "*.fpt", "Automatically Backing Up Data", "No file matches found for *.fpt\n"},
      {-29, 0, "x.dbf", "Automatically Backing Up Data", "x.dbf is encrypted - Skipping."},
      {-7, 0, "", "Automatically Backing Up Data", "CRC-32 error"},
      {-31, 0, "", "Automatically Backing Up Data", "Disk full"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    archive::JobStatus status{c.file, 0};
    EXPECT_EQ(service.progress(status, c.message, c.parameter), 0);
    ASSERT_FALSE(user.statusHistory().empty());
    EXPECT_EQ(user.statusHistory().back().title, c.title);
    EXPECT_EQ(user.statusHistory().back().text, c.text);
  }
  const size_t shown = user.statusHistory().size();
  archive::JobStatus quiet{"rc65.dbf", 0};
  service.progress(quiet, 1, 1);   // compressing, not at the start of the file
  service.progress(quiet, 47, 0);  // the end of the job shows nothing by itself
  service.progress(quiet, 99, 0);
  EXPECT_EQ(user.statusHistory().size(), shown);

  user.expectMessage("Insert Disk", "Please insert diskette number 2");
  archive::JobStatus disk{"", 0};
  service.progress(disk, 40, 2);
  EXPECT_EQ(disk.abortRequest, archive::kAbortRequest);
}

}  // namespace
}  // namespace savora::backup

namespace savora::backup {
namespace {

TEST_F(BackupTest, HostileBackupsAreRefusedAndLeaveEveryTableAsItWas) {
  if (!runs("command -v /usr/bin/python3"))
    GTEST_SKIP() << "python3 is needed to build hostile archives";
  const std::string good = elsewhere.str() + "good.ck9";
  user.answerNextMessage(Button::Ok);
  ASSERT_TRUE(service.backup(good));
  recipes.remove(3);  // the live tables now differ from the backup
  tables.closeAll();
  const auto before = tableFiles(data);
  tables.openAll();

  struct Case {
    const char* name;
    std::string base;
    std::vector<std::string> changes;
    const char* says;
  };
  const std::vector<Case> cases = {
      {"junk table", good, {"rc65.dbf=not a table at all!"}, "rc65: "},
      {"lone table without its memo file", good + ":rc65.dbf", {}, "rc65: "},
      {"symbolic link", good, {"rc65.dbf=->/etc/passwd"}, "rc65: "},
      {"memo file without its table", good, {"rc65.dbf=!drop"}, "rc65: its data file"},
      {"no tables", "-", {"readme.txt=hello"}, "The backup holds no data files."},
      {"empty archive", "-", {}, "The backup holds no data files."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = elsewhere.str() + "hostile.ck9";
    ASSERT_TRUE(makeZip(path, c.base, c.changes));
    user.expectMessage("Restore Data?", kRestoreQuestion, Button::Yes);
    user.answerNextMessage(Button::Ok);
    EXPECT_FALSE(service.restore(path));
    const std::string& said = user.messages().back().text;
    EXPECT_TRUE(said.starts_with("Your data could not be restored.\r\n")) << said;
    EXPECT_NE(said.find(c.says), std::string::npos) << said;
    EXPECT_TRUE(recipes.isOpen());
    EXPECT_EQ(recipes.nameOf(5), "Recipe 5");
    tables.closeAll();
    EXPECT_EQ(tableFiles(data), before);
    tables.openAll();
    EXPECT_FALSE(platform::fileExists("restore.tmp"));
    EXPECT_FALSE(platform::fileExists(kReplacedTablesFolder));
  }
}

// A restore cut short at any change of the disk, by a failing write or by the process dying
// there, leaves the tables as they were, or (once committed) as the backup had them; never a
// mix. A dead process's restore is undone by the next start.
TEST_F(BackupTest, ARestoreCutShortAtAnyChangeLeavesTheOldTablesOrTheRestoredOnes) {
  const std::string backupOfA = elsewhere.str() + "a.ck9", backupOfB = elsewhere.str() + "b.ck9";
  user.answerNextMessage(Button::Ok);
  ASSERT_TRUE(service.backup(backupOfA));
  store::Recipe later;
  later.name = "Later";
  recipes.save(0, 1, later, true);
  user.answerNextMessage(Button::Ok);
  ASSERT_TRUE(service.backup(backupOfB));

  for (const auto kind :
       {platform::WriteFaults::Kind::FailOnce, platform::WriteFaults::Kind::Crash}) {
    bool faultFired = true;
    for (uint64_t n = 1; faultFired; ++n) {
      SCOPED_TRACE(::testing::Message()
                   << (kind == platform::WriteFaults::Kind::Crash ? "crash" : "fail")
                   << " at change " << n);
      tables.closeAll();
      const auto before = tableFiles(data);
      ASSERT_TRUE(tables.openAll().empty());

      user.expectMessage("Restore Data?", kRestoreQuestion, Button::Yes);
      const bool crash = kind == platform::WriteFaults::Kind::Crash;
      if (crash) {
        user.answerUnforeseen(Button::Ok);  // a dying process shows what it shows
      } else {
        user.answerNextMessage(Button::Ok);
      }
      platform::WriteFaults::arm(n, kind);
      const bool restored = service.restore(backupOfA);
      user.answerUnforeseen(std::nullopt);
      faultFired = platform::WriteFaults::writesSoFar() >= n;
      if (platform::WriteFaults::crashed()) tables.closeAll();  // the process is gone
      platform::WriteFaults::disarm();
      tables.closeAll();
      recoverInterruptedRestore();  // what the next start does

      const bool stillB = tableFiles(data) == before;
      ASSERT_TRUE(tables.openAll().empty());
      if (!stillB) {
        // Not one byte left of the old set: it is the backup's, whole.
        EXPECT_EQ(recipes.find("Later", 1), 0);
        EXPECT_EQ(recipes.nameOf(7), "Recipe 7");
        EXPECT_TRUE(recipes.table().checkIndex().empty());
        user.expectMessage("Restore Data?", kRestoreQuestion, Button::Yes);
        user.answerNextMessage(Button::Ok);
        ASSERT_TRUE(service.restore(backupOfB));
      } else {
        EXPECT_FALSE(restored && !crash);
      }
      EXPECT_FALSE(platform::fileExists(kReplacedTablesFolder));
    }
  }
}

}  // namespace
}  // namespace savora::backup
