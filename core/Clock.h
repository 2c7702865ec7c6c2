#pragma once
// The program's notion of "now"; tests replace it to drive timers and serial numbers.

#include <QDateTime>
#include <functional>

namespace Clock {
QDateTime now();
// Replaces the clock (the database's now() follows it too); an empty function restores the real one.
void setNow(std::function<QDateTime()> source);
} // namespace Clock
