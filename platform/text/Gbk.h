#pragma once
// GBK, the code page of receipts and byte-counted widths. Storage and the screens
// stay Unicode; only printing and width arithmetic go through bytes.

#include <QByteArray>
#include <QString>

namespace text {

// Characters GBK cannot encode become '?' (a receipt prints something rather than nothing).
QByteArray toGbk(const QString &s);
// Invalid or truncated sequences become U+FFFD.
QString fromGbk(const QByteArray &bytes);
// Printer columns: bytes in GBK, a Chinese character counting two.
int gbkWidth(const QString &s);

} // namespace text
