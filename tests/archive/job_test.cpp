#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>

#include "archive_fixture.h"

namespace savora::archive::testing {
namespace {

using savora::testing::readFileBytes;
namespace fs = std::filesystem;

class JobTest : public ArchiveTest {
 protected:
  // The backup's kind of folder: tables, indexes, memo files and a folder of extras.
  void writeTables() {
    dir.write("data/rc65.dbf", testBytes(5 * 1024 * 1024 + 17, 1, true));
    dir.write("data/recipe.cdx", testBytes(300 * 1024, 2, false));
    dir.write("data/recipe.fpt", std::string("\0\x01\xff\r\n\x1a", 6) + testBytes(999, 3, false));
    dir.write("data/empty.dbf", "");
    dir.write("data/cmm/tip1.txt", "a tip");
  }
};

TEST_F(JobTest, RoundTripIsByteIdenticalAndReadableByOtherTools) {
  writeTables();
  const std::string zip = path("backup.zip");
  Recorder recorder;
  ASSERT_EQ(
      addJob(zip, {"data\\*.cdx", "data\\*.dbf", "data\\*.fpt", "data\\rc65.dbf", "data\\cmm\\*.*"},
             kModeNew, &recorder),
      kOk);
  EXPECT_EQ(verifyArchive(zip), kOk);

  ASSERT_EQ(extractJob(zip, path("out")), kOk);
  const std::vector<std::string> expected = {"data/cmm/tip1.txt", "data/empty.dbf", "data/rc65.dbf",
                                             "data/recipe.cdx", "data/recipe.fpt"};
  EXPECT_EQ(filesUnder(path("out")), expected);
  for (const std::string& name : expected) {
    SCOPED_TRACE(name);
    EXPECT_EQ(readFileBytes(path("out/" + name)), readFileBytes(path(name)));
  }

  if (!toolAvailable("unzip")) {
    GTEST_SKIP() << "unzip is not installed; outside checks skipped";
  }
  EXPECT_EQ(runCommand("unzip -tq '" + zip + "' >/dev/null 2>&1"), 0);
  if (!toolAvailable("/usr/bin/python3")) GTEST_SKIP() << "python3 is not installed";
  dir.write("check.py",
            "import zipfile,sys,os\n"
            "z=zipfile.ZipFile(sys.argv[1])\n"
            "assert z.testzip() is None\n"
            "assert all(i.compress_type==zipfile.ZIP_DEFLATED for i in z.infolist())\n"
            "assert len(z.namelist())==5\n"
            "for n in z.namelist():\n"
            "  assert z.read(n)==open(os.path.join(sys.argv[2],n),'rb').read(), n\n");
  EXPECT_EQ(runCommand("/usr/bin/python3 '" + path("check.py") + "' '" + zip + "' '" +
                       dir.path().string() + "'"),
            0);
}

TEST_F(JobTest, StoresAndRestoresModificationTimes) {
  dir.write("old.dbf", "x");
  const time_t modified = 981173106;  // 2001-02-03, an even second (ZIP keeps two-second steps)
  const timespec times[2] = {{modified, 0}, {modified, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path("old.dbf").c_str(), times, 0), 0);
  ASSERT_EQ(addJob(path("t.zip"), {"old.dbf"}), kOk);
  ASSERT_EQ(extractJob(path("t.zip"), path("out")), kOk);
  struct stat st;
  ASSERT_EQ(::stat(path("out/old.dbf").c_str(), &st), 0);
  EXPECT_EQ(st.st_mtime, modified);
}

TEST_F(JobTest, MessagesOfASmallJobInOrder) {
  dir.write("b.dbf", "b");
  dir.write("a.dbf", "a");
  dir.write("x.cdx", "x");
  Recorder adding;
  ASSERT_EQ(addJob(path("t.zip"), {"*.cdx", "*.dbf"}, kModeNew, &adding), kOk);
  EXPECT_EQ(
      adding.messages,
      (std::vector<Message>{{1, 0, "x.cdx"}, {1, 0, "a.dbf"}, {1, 0, "b.dbf"}, {47, 0, "b.dbf"}}));
  Recorder extracting;
  ASSERT_EQ(extractJob(path("t.zip"), path("out"), kModeUpdate, &extracting), kOk);
  EXPECT_EQ(extracting.codes(), (std::vector<int>{7, 3, 3, 3, 47}));
  EXPECT_TRUE(extracting.has({3, 0, "a.dbf"}));
}

TEST_F(JobTest, UpdateModeReplacesAnEntryAndReportsIt) {
  dir.write("a.dbf", "old a");
  dir.write("b.dbf", "b");
  ASSERT_EQ(addJob(path("t.zip"), {"*.dbf"}), kOk);
  dir.write("a.dbf", "new, longer a");
  dir.write("c.dbf", "c");
  Recorder recorder;
  ASSERT_EQ(addJob(path("t.zip"), {"a.dbf", "c.dbf"}, kModeUpdate, &recorder), kOk);
  EXPECT_TRUE(recorder.has({4, 0, "a.dbf"}));
  EXPECT_FALSE(recorder.has({4, 0, "c.dbf"}));

  ASSERT_EQ(extractJob(path("t.zip"), path("out")), kOk);
  EXPECT_EQ(filesUnder(path("out")), (std::vector<std::string>{"a.dbf", "b.dbf", "c.dbf"}));
  EXPECT_EQ(readFileBytes(path("out/a.dbf")), "new, longer a");
  // Extraction replaces what the destination held.
  dir.write("a.dbf", "third");
  ASSERT_EQ(addJob(path("t.zip"), {"a.dbf"}, kModeUpdate), kOk);
  ASSERT_EQ(extractJob(path("t.zip"), path("out")), kOk);
  EXPECT_EQ(readFileBytes(path("out/a.dbf")), "third");
}

TEST_F(JobTest, AbortRequestStopsTheJobMidway) {
  for (const bool adding : {true, false}) {
    SCOPED_TRACE(adding ? "add" : "extract");
    savora::testing::TempFolder scratch;
    const std::string zip = (scratch.path() / "t.zip").string();
    for (const char* name : {"a.dbf", "b.dbf", "c.dbf"}) scratch.write(name, name);
    // The add starts from an archive holding a.dbf, so the rollback has something to keep.
    ASSERT_EQ(addJob(zip, {scratch.str() + (adding ? "a.dbf" : "*.dbf")}), kOk);
    const std::string archiveBefore = readFileBytes(zip);

    Recorder recorder;
    recorder.abortOn = adding ? kMessageCompressing : kMessageExtracting;
    recorder.abortFile = "b.dbf";
    const int rc = adding ? addJob(zip, {scratch.str() + "*.dbf"}, kModeUpdate, &recorder)
                          : extractJob(zip, scratch.str() + "out", kModeImport, &recorder);
    EXPECT_EQ(rc, kErrorCanceled);
    const std::vector<int> codes = recorder.codes();
    ASSERT_GE(codes.size(), 2u);
    EXPECT_EQ(std::vector<int>(codes.end() - 2, codes.end()), (std::vector<int>{30, 47}));
    EXPECT_FALSE(recorder.has({adding ? 1 : 3, 0, "c.dbf"}));
    if (adding) {
      // Nothing of a canceled add reaches the archive.
      EXPECT_EQ(readFileBytes(zip), archiveBefore);
    } else {
      EXPECT_EQ(filesUnder(scratch.path() / "out"), std::vector<std::string>{"a.dbf"});
    }
  }
}

TEST_F(JobTest, PatternsMatchingNothingAreReportedWithThePattern) {
  dir.write("a.dbf", "a");
  Recorder adding;
  EXPECT_EQ(addJob(path("t.zip"), {"*.cdx", "a.dbf"}, kModeNew, &adding), kErrorFileNotFound);
  EXPECT_TRUE(adding.has({-4, 0, "*.cdx"}));
  EXPECT_TRUE(adding.has({1, 0, "a.dbf"}));
  EXPECT_EQ(verifyArchive(path("t.zip")), kOk);

  Recorder extracting;
  EXPECT_EQ(extractJob(path("t.zip"), path("out"), kModeImport, &extracting, "*.fpt"),
            kErrorFileNotFound);
  EXPECT_TRUE(extracting.has({-4, 0, "*.fpt"}));
  EXPECT_EQ(extracting.codes().back(), 47);
}

TEST_F(JobTest, OperationsOutOfOrderAreRefused) {
  Job job;
  job.init();
  EXPECT_EQ(job.openArchive(path("missing.zip"), kModeImport), kErrorFileNotFound);
  EXPECT_EQ(job.extract("*.*", path("out")), kErrorFileNotFound);
  EXPECT_EQ(job.process(), kErrorFileNotFound);
  EXPECT_EQ(job.openArchive(path("t.zip"), 5), kErrorBadArgument);
  ASSERT_EQ(job.openArchive(path("t.zip"), kModeNew), kOk);
  EXPECT_EQ(job.openArchive(path("t.zip"), kModeNew), kErrorAlreadyOpen);
  EXPECT_EQ(job.registerFunction(7, {}), kErrorBadArgument);
  job.closeArchive();
  dir.write("a.dbf", "a");
  ASSERT_EQ(addJob(path("t.zip"), {"a.dbf"}), kOk);
  ASSERT_EQ(job.openArchive(path("t.zip"), kModeImport), kOk);
  EXPECT_EQ(job.add("a.dbf"), kErrorWriteProtected);
  job.cleanup();
}

}  // namespace
}  // namespace savora::archive::testing
