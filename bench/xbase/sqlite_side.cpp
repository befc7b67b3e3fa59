// xbase_bench's workloads through SQLite, for comparison in the same run, and the floor of an
// append: the bare writes one needs.
//   sqlite_append_reopen/N  open, insert one recipe, close (schema read on every open)
//   sqlite_append_reopen_first/100000  the same, the first 300 inserts only
//   sqlite_append_fresh/N   the same again (SQLite keeps nothing across a close), beside the
//                           library's appends with no kept files
//   sqlite_append_open/N    insert one recipe on a connection and statement kept open
//   sqlite_seek_uid/N       one row by UID through its index
//   sqlite_walk_chapname/N  every row in (CHAP_UID, NAME) order through that index
//   sqlite_scan/N           every row in rowid order
//   sqlite_scan_fields/N    the same, reading every column's value
//   floor_append            pwrite of one record, one memo block and three index pages on
//                           files kept open: what an append cannot do without
// Same fields, records and three indexes as the tables (UID; CHAP_UID, NAME; NAME without
// case). synchronous=OFF; journal_mode=PERSIST: a rollback journal, so a killed process
// leaves a consistent database as the library's update mark does, but without creating and
// deleting the journal file on every change; locking_mode=EXCLUSIVE, since the library too owns
// its files while they are open (no lock calls and no cache check per statement).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <random>
#include <stdexcept>
#include <string>

#include "bench_data.h"

namespace {

void check(int rc, sqlite3* db, const char* what) {
  if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
    throw std::runtime_error(std::string(what) + ": " + (db ? sqlite3_errmsg(db) : "?"));
}

void exec(sqlite3* db, const char* sql) {
  check(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), db, sql);
}

sqlite3* openDb(const std::string& path) {
  sqlite3* db = nullptr;
  check(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr), db,
        "open");
  exec(db, "PRAGMA synchronous=OFF; PRAGMA journal_mode=PERSIST; PRAGMA locking_mode=EXCLUSIVE;");
  return db;
}

void insertRecipe(sqlite3* db, sqlite3_stmt* insert, int uid) {
  const bench::Recipe r = bench::recipeOf(uid);
  sqlite3_bind_int(insert, 1, r.uid);
  sqlite3_bind_int(insert, 2, r.chapter);
  sqlite3_bind_text(insert, 3, r.name.c_str(), int(r.name.size()), SQLITE_TRANSIENT);
  sqlite3_bind_double(insert, 4, r.kcal);
  sqlite3_bind_int(insert, 5, r.serves);
  sqlite3_bind_int(insert, 6, r.minutes);
  sqlite3_bind_text(insert, 7, r.notes.c_str(), int(r.notes.size()), SQLITE_TRANSIENT);
  check(sqlite3_step(insert), db, "insert");
  sqlite3_reset(insert);
}

constexpr const char* kInsert = "INSERT INTO recipes VALUES (?, ?, ?, ?, ?, ?, ?)";

sqlite3_stmt* prepare(sqlite3* db, const char* sql) {
  sqlite3_stmt* stmt = nullptr;
  check(sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr), db, sql);
  return stmt;
}

// A database of n recipes, built once; returns its file name.
std::string databaseOf(int n) {
  static std::map<int, std::string> built;
  auto it = built.find(n);
  if (it != built.end()) return it->second;
  const std::string path =
      (bench::folder().path / ("recipes" + std::to_string(n) + ".db")).string();
  sqlite3* db = openDb(path);
  exec(db,
       "CREATE TABLE recipes (uid INTEGER, chap_uid INTEGER, name TEXT, kcal REAL, "
       "serves INTEGER, minutes INTEGER, notes TEXT);"
       "CREATE INDEX uid ON recipes (uid);"
       "CREATE INDEX chapname ON recipes (chap_uid, name);"
       "CREATE INDEX name ON recipes (name COLLATE NOCASE);"
       "BEGIN;");
  sqlite3_stmt* insert = prepare(db, kInsert);
  for (int uid = 1; uid <= n; ++uid) insertRecipe(db, insert, uid);
  sqlite3_finalize(insert);
  exec(db, "COMMIT;");
  sqlite3_close(db);
  return built[n] = path;
}

void sqliteAppendReopen(benchmark::State& state) {
  const int n = int(state.range(0));
  const std::string path = databaseOf(n) + "-append";
  std::filesystem::copy_file(databaseOf(n), path,
                             std::filesystem::copy_options::overwrite_existing);
  int uid = n;
  for (auto _ : state) {
    sqlite3* db = openDb(path);
    sqlite3_stmt* insert = prepare(db, kInsert);
    insertRecipe(db, insert, ++uid);
    sqlite3_finalize(insert);
    sqlite3_close(db);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(sqliteAppendReopen)
    ->Name("sqlite_append_reopen")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Iterations(3000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(sqliteAppendReopen)
    ->Name("sqlite_append_reopen_first")
    ->Arg(100000)
    ->Iterations(300)
    ->Unit(benchmark::kMicrosecond);

BENCHMARK(sqliteAppendReopen)
    ->Name("sqlite_append_fresh")
    ->Arg(100000)
    ->Iterations(3000)
    ->Unit(benchmark::kMicrosecond);

void sqliteAppendOpen(benchmark::State& state) {
  const int n = int(state.range(0));
  const std::string path = databaseOf(n) + "-open";
  std::filesystem::copy_file(databaseOf(n), path,
                             std::filesystem::copy_options::overwrite_existing);
  sqlite3* db = openDb(path);
  sqlite3_stmt* insert = prepare(db, kInsert);
  int uid = n;
  for (auto _ : state) insertRecipe(db, insert, ++uid);
  sqlite3_finalize(insert);
  sqlite3_close(db);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(sqliteAppendOpen)
    ->Name("sqlite_append_open")
    ->Arg(100000)
    ->Iterations(3000)
    ->Unit(benchmark::kMicrosecond);

void sqliteSeekUid(benchmark::State& state) {
  const int n = int(state.range(0));
  sqlite3* db = openDb(databaseOf(n));
  sqlite3_stmt* seek = prepare(db, "SELECT * FROM recipes WHERE uid = ?");
  std::mt19937 random(5);
  for (auto _ : state) {
    sqlite3_bind_int(seek, 1, int(1 + random() % n));
    benchmark::DoNotOptimize(sqlite3_step(seek));
    sqlite3_reset(seek);
  }
  sqlite3_finalize(seek);
  sqlite3_close(db);
}
BENCHMARK(sqliteSeekUid)
    ->Name("sqlite_seek_uid")
    ->Arg(10000)
    ->Arg(100000)
    ->Iterations(20000)
    ->Unit(benchmark::kMicrosecond);

void walkRows(benchmark::State& state, const char* sql) {
  const int n = int(state.range(0));
  sqlite3* db = openDb(databaseOf(n));
  sqlite3_stmt* walk = prepare(db, sql);
  int64_t records = 0;
  for (auto _ : state) {
    while (sqlite3_step(walk) == SQLITE_ROW) ++records;
    sqlite3_reset(walk);
  }
  sqlite3_finalize(walk);
  sqlite3_close(db);
  state.SetItemsProcessed(records);
}

void sqliteWalkChapName(benchmark::State& state) {
  walkRows(state, "SELECT * FROM recipes INDEXED BY chapname ORDER BY chap_uid, name");
}
BENCHMARK(sqliteWalkChapName)
    ->Name("sqlite_walk_chapname")
    ->Arg(10000)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

void sqliteScan(benchmark::State& state) {
  walkRows(state, "SELECT * FROM recipes");
}
BENCHMARK(sqliteScan)
    ->Name("sqlite_scan")
    ->Arg(100000)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

void sqliteScanFields(benchmark::State& state) {
  const int n = int(state.range(0));
  sqlite3* db = openDb(databaseOf(n));
  sqlite3_stmt* scan = prepare(db, "SELECT * FROM recipes");
  int64_t records = 0;
  double numbers = 0;
  size_t textBytes = 0;
  for (auto _ : state) {
    while (sqlite3_step(scan) == SQLITE_ROW) {
      numbers += sqlite3_column_int(scan, 0) + sqlite3_column_int(scan, 1) +
                 sqlite3_column_double(scan, 3) + sqlite3_column_int(scan, 4) +
                 sqlite3_column_int(scan, 5);
      sqlite3_column_text(scan, 2);
      sqlite3_column_text(scan, 6);
      textBytes += size_t(sqlite3_column_bytes(scan, 2) + sqlite3_column_bytes(scan, 6));
      ++records;
    }
    sqlite3_reset(scan);
  }
  benchmark::DoNotOptimize(numbers);
  benchmark::DoNotOptimize(textBytes);
  sqlite3_finalize(scan);
  sqlite3_close(db);
  state.SetItemsProcessed(records);
}
BENCHMARK(sqliteScanFields)
    ->Name("sqlite_scan_fields")
    ->Arg(100000)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

void floorAppend(benchmark::State& state) {
  const std::string base = (bench::folder().path / "floor").string();
  const int dbf = ::open((base + ".dbf").c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const int fpt = ::open((base + ".fpt").c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const int cdx = ::open((base + ".cdx").c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const std::string record(118, ' '), block(64, 'm'), page(512, 'p');
  off_t n = 0;
  for (auto _ : state) {
    ++n;
    benchmark::DoNotOptimize(::pwrite(dbf, record.data(), record.size(), 600 + n * 117));
    benchmark::DoNotOptimize(::pwrite(fpt, block.data(), block.size(), 512 + n * 64));
    for (off_t p = 0; p < 3; ++p)
      benchmark::DoNotOptimize(::pwrite(cdx, page.data(), page.size(), 1024 + p * 512));
  }
  ::close(dbf);
  ::close(fpt);
  ::close(cdx);
}
BENCHMARK(floorAppend)->Name("floor_append")->Iterations(3000)->Unit(benchmark::kMicrosecond);

}  // namespace
