#pragma once
// Shared routines used by every screen. The SQL routines report failure through
// their results and never throw; texts are Unicode, GBK only where bytes are counted.

#include "platform/text/Pinyin.h"

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>

class QComboBox;
class QLineEdit;

namespace db {
class Database;
}

// Sends the bytes unchanged to the named printer as one raw job; silent when the
// printer cannot be opened.
void PrintRaw(const QString &printer, const QByteArray &data);

// Key filter of numeric edits. Mode 1: anything; 2: digits; 3: digits and one
// decimal point, at most `decimals` places when decimals > 0. Escape, Backspace and
// Enter always pass. Returns whether `key` typed into `text` (selection selStart,
// selLen) is allowed.
bool KeyFilter(const QString &text, int selStart, int selLen, QChar key, int mode, int decimals);
// Applies KeyFilter to every character typed into the edit (installing again replaces).
void InstallKeyFilter(QLineEdit *edit, int mode, int decimals);

// The text with every single quote doubled, for a literal between single quotes.
QString QuotedSql(const QString &text);

// A Jet LIKE pattern that finds the text literally anywhere (%text%): the wildcards
// % _ and the class bracket [ stand for themselves. Bind it, or pass it through QuotedSql.
QString LikeContains(const QString &text);

// Runs the statement on the given connection; errors are ignored.
void RunSql(db::Database *db, const QString &sql, const QVariantList &params = {});

// Fills the combo box from a two-column statement: items are the second column,
// values (Qt::UserRole) the first, both trimmed; the first item is selected.
// A failing statement leaves the box empty.
void FillCombo(const QString &connStr, const QString &sql, QComboBox *combo,
               const QVariantList &params = {});
// Value of the selected item; empty when nothing is selected.
QString ComboValue(const QComboBox *combo);
// Selects the item with this value; false (selection unchanged) when there is none.
bool SelectComboValue(QComboBox *combo, const QString &value);

// n blanks; empty when n <= 0.
QString Spaces(int n);
// The text in GBK, exactly `width` bytes: cut when longer (a double-byte character
// that does not fit whole is replaced by a blank), padded with blanks on the left
// (padLeft) or on the right when shorter.
QByteArray PadText(const QString &text, int width, bool padLeft);

// Current local time as yyyyMMddHHmmss.
QString NewSerialNo();

using text::PinyinInitial;
using text::SpellCode;

// Items of a delimited text: an item in double quotes may hold the delimiter (a
// doubled quote inside is one quote), unquoted blanks also end an item. Without
// keepDuplicates only the first of items equal regardless of case remains.
QStringList SplitText(QChar delimiter, const QString &text, bool keepDuplicates);

// Plain INI files in UTF-8; section and key names compare regardless of case.
QString IniRead(const QString &section, const QString &key, const QString &def, const QString &file);
// Creates file, section and key as needed and keeps everything else; false when the
// file cannot be written.
bool IniWrite(const QString &section, const QString &key, const QString &value, const QString &file);

// First column of every row, trimmed, joined by CR LF; empty on failure or no row.
QString QueryLines(const QString &connStr, const QString &sql, const QVariantList &params = {});
// Rows returned; 0 on failure.
int QueryCount(const QString &connStr, const QString &sql, const QVariantList &params = {});
// True when the statement ran without error.
bool ExecSql(const QString &connStr, const QString &sql, const QVariantList &params = {});
// True when the statement returns at least one row.
bool QueryExists(const QString &connStr, const QString &sql, const QVariantList &params = {});

// a mod b = 0; false when b is 0.
bool IsMultiple(int a, int b);

// A fresh, unused file name in the temporary folder, prefix "~SM"; the file itself
// does not exist.
QString TempFileName();

// Rewrites an encrypted database file compactly, keeping its password. The file must
// not be open elsewhere. On failure the file is left as it was and false is returned.
// A large file takes seconds: onProgress, when given, is called every few milliseconds
// of work so that the caller can keep a progress display alive.
bool CompactDatabase(const QString &file, const QString &password,
                     const std::function<void()> &onProgress = {});

// Converts an image file (normally a bitmap) to a JPEG at quality 90; throws
// std::runtime_error when the image cannot be read or the JPEG cannot be written.
void BmpToJpeg(const QString &bmpFile, const QString &jpgFile);

// Check character of an 18-digit identity-card number from its first 17 digits;
// throws std::invalid_argument when one of them is not a digit.
QChar IdCardCheckChar(const QString &id);
// "OK" or the reason why the identity-card number is invalid.
QString CheckIdCard(const QString &id);
