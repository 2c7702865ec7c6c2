#pragma once
// The generated "large shop" database the benchmarks run on, made once by kelvo-admin
// and reused between runs.

#include "platform/db/Database.h"

#include <benchmark/benchmark.h>

// Path of the large demo database (100,000 members, 1,000,000 consumptions, ~3,000,000
// goods lines, 10,000 goods); empty when kelvo-admin cannot make it.
QString LargeShopDatabase();

// The shared connection on the large database, opened once; nullptr when unavailable.
db::Database *LargeShop();

// Hand-written SQLite on a second, plain connection to the same file (SQLite's own
// LIKE, no Jet functions): RunRawSqlite steps all rows of a select and reads every
// column, ExecRawSqlite runs a script.
int RunRawSqlite(const char *sql);
void ExecRawSqlite(const char *sql);

// Skips a benchmark with a message when the large database is missing.
#define REQUIRE_LARGE_SHOP(state)                                             \
    db::Database *shop = LargeShop();                                         \
    if (!shop) {                                                              \
        state.SkipWithError("large demo database unavailable (kelvo-admin)"); \
        return;                                                               \
    }
