#pragma once
// Pinyin initials of Chinese text, for the quick-search codes of members and goods.

#include <QChar>
#include <QString>

namespace text {

// Capital initial of the GB2312 level-1 character hi:lo, or a blank for anything
// else (level-2 characters, symbols, the gaps of the table).
QChar PinyinInitial(uchar hi, uchar lo);

// One initial (or blank) per double-byte GBK character; single-byte characters are
// dropped, so "VIP王" gives "W" and "abc" gives "".
QString SpellCode(const QString &s);

} // namespace text
