#include <unistd.h>

#include "archive_fixture.h"
#include "platform/file.h"

namespace savora::archive::testing {
namespace {

using savora::testing::readFileBytes;
namespace fs = std::filesystem;

class ExtractSafetyTest : public ArchiveTest {
 protected:
  // A sound archive of one large, compressible entry; returns its path.
  std::string makeSoundArchive() {
    dir.write("src/big.dbf", testBytes(400 * 1024, 7, true));
    EXPECT_EQ(addJob(path("sound.zip"), {"src\\big.dbf"}), kOk);
    return path("sound.zip");
  }
};

TEST_F(ExtractSafetyTest, EntriesLeavingTheDestinationAreRefusedBeforeAnyWrite) {
  const std::string absolute = "/tmp/savora-evil-" + std::to_string(::getpid());
  const std::string names[] = {"../evil", absolute, "C:/x", "c:evil", "a/../../b", "..\\evil"};
  for (const std::string& evil : names) {
    SCOPED_TRACE(evil);
    for (const int mode : {kModeImport, kModeUpdate}) {
      savora::testing::TempFolder sandbox;
      const std::string zip = (sandbox.path() / "evil.zip").string();
      writeStoredZip(zip, {{"good.txt", "fine"}, {evil, "gotcha"}, {"later.txt", "x"}});
      EXPECT_EQ(verifyArchive(zip), kErrorCorruptHeader);

      Recorder recorder;
      EXPECT_EQ(extractJob(zip, (sandbox.path() / "in/out").string(), mode, &recorder),
                kErrorCorruptHeader);
      EXPECT_TRUE(recorder.has({-6, 0, evil}));
      EXPECT_FALSE(recorder.has({3, 0, "good.txt"}));
      EXPECT_EQ(recorder.codes().back(), 47);
      EXPECT_EQ(filesUnder(sandbox.path()), std::vector<std::string>{"evil.zip"});
      EXPECT_FALSE(fs::exists(absolute));
      EXPECT_FALSE(fs::exists(dir.path() / "evil"));
    }
  }
}

TEST_F(ExtractSafetyTest, DamagedArchivesFailAndWriteNothing) {
  const std::string sound = readFileBytes(makeSoundArchive());
  std::string flipped = sound;
  flipped[flipped.size() / 2] ^= 0x55;  // inside the compressed data of the one entry
  const struct {
    const char* label;
    std::string bytes;
    int verifyCode;
    int extractCode;
  } cases[] = {
      {"truncated", sound.substr(0, sound.size() / 2), kErrorNotArchive, kErrorNotArchive},
      {"truncated end record", sound.substr(0, sound.size() - 5), kErrorNotArchive,
       kErrorNotArchive},
      {"not an archive", "MANAGER table, not a ZIP file\r\n", kErrorNotArchive, kErrorNotArchive},
      {"flipped byte", flipped, kErrorCrc, kErrorCrc},
  };
  for (const auto& c : cases) {
    for (const int mode : {kModeImport, kModeUpdate}) {
      SCOPED_TRACE(std::string(c.label) + (mode == kModeImport ? " import" : " update"));
      dir.write("damaged.zip", c.bytes);
      EXPECT_EQ(verifyArchive(path("damaged.zip")), c.verifyCode);
      EXPECT_EQ(extractJob(path("damaged.zip"), path("out"), mode), c.extractCode);
      EXPECT_EQ(filesUnder(path("out")), std::vector<std::string>{});
      EXPECT_EQ(readFileBytes(path("damaged.zip")), c.bytes);  // never "repaired" or replaced
    }
  }
  EXPECT_EQ(verifyArchive(path("missing.zip")), kErrorFileNotFound);
}

TEST_F(ExtractSafetyTest, WriteFaultsNeverLeaveAPartialFileUnderItsName) {
  dir.write("src/a.dbf", testBytes(150 * 1024, 1, false));
  dir.write("src/b.fpt", testBytes(200 * 1024, 2, true));
  dir.write("src/c.cdx", "small");
  ASSERT_EQ(addJob(path("t.zip"), {"src\\*.*"}), kOk);
  const std::vector<std::string> names = {"src/a.dbf", "src/b.fpt", "src/c.cdx"};

  // Count the changes of the disk a clean extraction over older copies makes.
  auto prepare = [&](const fs::path& out) {
    for (const std::string& name : names) dir.write((out / name).string(), "older " + name);
  };
  prepare(dir.path() / "clean");
  platform::WriteFaults::arm(UINT64_MAX, platform::WriteFaults::Kind::Fail);
  ASSERT_EQ(extractJob(path("t.zip"), path("clean")), kOk);
  const uint64_t changes = platform::WriteFaults::writesSoFar();
  platform::WriteFaults::disarm();
  ASSERT_GT(changes, names.size());

  for (uint64_t nth = 1; nth <= changes; ++nth) {
    SCOPED_TRACE("fail from change " + std::to_string(nth));
    const fs::path out = dir.path() / ("out" + std::to_string(nth));
    prepare(out);
    platform::WriteFaults::arm(nth, platform::WriteFaults::Kind::Fail);
    Recorder recorder;
    const int rc = extractJob(path("t.zip"), out.string(), kModeImport, &recorder);
    platform::WriteFaults::disarm();
    EXPECT_NE(rc, kOk);
    EXPECT_EQ(recorder.codes().back(), 47);
    for (const std::string& name : names) {
      const std::string now = readFileBytes(out / name);
      EXPECT_TRUE(now == "older " + name || now == readFileBytes(dir.path() / name)) << name;
    }
  }
}

TEST_F(ExtractSafetyTest, EncryptedEntriesAreSkippedAndReported) {
  if (!toolAvailable("zip")) GTEST_SKIP() << "zip is not installed";
  dir.write("secret.txt", "hidden");
  dir.write("plain.txt", "open");
  ASSERT_EQ(runCommand("cd '" + dir.str() + "' && zip -q -P pw enc.zip secret.txt && " +
                       "zip -q enc.zip plain.txt"),
            0);
  EXPECT_EQ(verifyArchive(path("enc.zip")), kErrorEncrypted);
  Recorder recorder;
  EXPECT_EQ(extractJob(path("enc.zip"), path("out"), kModeImport, &recorder), kErrorEncrypted);
  EXPECT_TRUE(recorder.has({-29, 0, "secret.txt"}));
  EXPECT_EQ(filesUnder(path("out")), std::vector<std::string>{"plain.txt"});
}

TEST_F(ExtractSafetyTest, ReadOnlyTargetsAreReportedAndSkipped) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write anywhere; permissions cannot be tested";
  dir.write("a.dbf", "new a");
  dir.write("b.dbf", "new b");
  ASSERT_EQ(addJob(path("t.zip"), {"*.dbf"}), kOk);
  dir.write("out/a.dbf", "old a");
  fs::permissions(path("out/a.dbf"), fs::perms::owner_read);
  Recorder recorder;
  EXPECT_EQ(extractJob(path("t.zip"), path("out"), kModeImport, &recorder), kErrorWriteProtected);
  EXPECT_TRUE(recorder.has({48, 1, "a.dbf"}));
  EXPECT_EQ(readFileBytes(path("out/a.dbf")), "old a");
  EXPECT_EQ(readFileBytes(path("out/b.dbf")), "new b");
}

}  // namespace
}  // namespace savora::archive::testing

namespace savora::archive::testing {
namespace {

// An entry larger than the job allows is refused from the sizes the archive records, before
// any byte is inflated or written: a small archive cannot fill the disk.
TEST_F(ExtractSafetyTest, AnEntryOverTheLimitIsRefusedBeforeAnyWrite) {
  dir.write("src/zeros.dbf", std::string(8 << 20, '\0'));
  ASSERT_EQ(addJob(path("bomb.zip"), {"src\\zeros.dbf"}), kOk);
  ASSERT_LT(fs::file_size(path("bomb.zip")), 64u * 1024);  // 8 MB of zeros packs to a few KB

  EXPECT_EQ(verifyArchive(path("bomb.zip"), 1 << 20), kErrorEntryTooLarge);
  EXPECT_EQ(verifyArchive(path("bomb.zip")), kOk);
  Job job;
  job.init();
  job.setLargestEntry(1 << 20);
  ASSERT_EQ(job.openArchive(path("bomb.zip"), kModeImport), kOk);
  job.extract("*.*", path("out"));
  EXPECT_EQ(job.process(), kErrorEntryTooLarge);
  job.cleanup();
  EXPECT_TRUE(!fs::exists(dir.path() / "out") || filesUnder(dir.path() / "out").empty());
}

}  // namespace
}  // namespace savora::archive::testing
