#pragma once
// Generated data of a realistic shop, for screenshots, trials and the benchmarks.

#include <QString>

namespace admin {

struct DemoSize {
    qint64 members = 1000;
    qint64 sales = 5000;
    qint64 goods = 10000;
};

// Fills the database at path (created first when missing) with members, goods,
// recharges, consumptions with their goods lines, exchanges, reminders, stock
// movements, operators and log lines. Deterministic for a given size and day. Refuses
// a database that already holds members or goods. Returns the exit code.
int fillDemo(const QString &path, const QString &password, const DemoSize &size);

} // namespace admin
