#pragma once
// The Jet SQL dialect on SQLite: a translator for what functions cannot express, and
// the scalar functions that Jet statements call.
//
// Choices where Jet and SQLite differ:
// - Text comparison ignores case: columns are declared COLLATE NOCASE, and a comparison
//   in which neither side is a plain column gets COLLATE NOCASE (ASCII letters fold;
//   letters without case, such as Chinese, compare as they are). LIKE, InStr fold all
//   Unicode letters.
// - "+" concatenates two texts and adds two numbers; a date text plus a number moves
//   the date by days; a numeric text plus a number adds; any other text plus a number
//   concatenates. Null on either side gives Null. "&" concatenates, Null counting as "".
// - Division is never integer division (7/2 = 3.5); a division by zero gives Null.
// - Date texts whose day overflows its month ("2026-02-29") roll into the next month
//   (2026-03-01), as Jet's DateSerial does; a text that is not a date at all gives Null
//   in the date functions and is returned unchanged by format().
// - TOP n becomes LIMIT n: rows tied with the n-th are not added.
// - CDbl(Null) gives Null instead of failing the whole statement.

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <functional>

struct sqlite3;

namespace db::jet {

// SQLite text of one Jet statement. Throws db::DbError with a clear text when the
// statement uses a construct that has no faithful translation.
QString translate(const QString &jetSql);

// Registers iif, isnull (as jet_isnull), cdbl, format, now, datediff, dateadd, weekday,
// day, month, year, hour, minute, second, instr, jet_add and Jet's LIKE on a connection.
void registerFunctions(sqlite3 *db);

// The clock behind now() and date(); an empty function restores the system clock.
void setClock(std::function<QDateTime()> clock);

// Jet's format(value, pattern) for display code (grid columns, labels): the same
// patterns as the SQL function. A Null value gives an empty text.
QString formatValue(const QVariant &value, const QString &pattern);

// The Jet select with one more column put first in its select list (after DISTINCT /
// TOP), for example the row key of an editable data set. Throws db::DbError when the
// text is not a select.
QString withLeadingColumn(const QString &jetSelect, const QString &jetColumn);

} // namespace db::jet
