#pragma once
// Pinyin initials of a text, computed the way the program's SpellCode does it (GBK
// code ranges of the GB2312 level-1 characters). The demo generator needs them for
// Spell and GoodsSimple and may not link the program's own routine.

#include <QString>

namespace admin {

// One capital letter per double-byte GBK character: its initial when it lies in the
// level-1 range, else a blank. Single-byte characters are dropped; characters outside
// GBK are skipped.
QString spellInitials(const QString &text);

} // namespace admin
