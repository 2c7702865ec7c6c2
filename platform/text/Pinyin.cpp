#include "Pinyin.h"
#include "Gbk.h"

namespace text {

namespace {

struct Range {
    quint16 from;
    quint16 to;
    char letter;
};

// Level-1 GB2312 characters are ordered by pinyin; these are the bounds of each initial.
constexpr Range kRanges[] = {
    {0xB0A1, 0xB0C4, 'A'}, {0xB0C5, 0xB2C0, 'B'}, {0xB2C1, 0xB4ED, 'C'}, {0xB4EE, 0xB6E9, 'D'},
    {0xB6EA, 0xB7A1, 'E'}, {0xB7A2, 0xB8C0, 'F'}, {0xB8C1, 0xB9FD, 'G'}, {0xB9FE, 0xBBF6, 'H'},
    {0xBBF7, 0xBFA5, 'J'}, {0xBFA6, 0xC0AB, 'K'}, {0xC0AC, 0xC2E7, 'L'}, {0xC2E8, 0xC4C2, 'M'},
    {0xC4C3, 0xC5B5, 'N'}, {0xC5B6, 0xC5BD, 'O'}, {0xC5BE, 0xC6D9, 'P'}, {0xC6DA, 0xC8BA, 'Q'},
    {0xC8BB, 0xC8F5, 'R'}, {0xC8F6, 0xCBF9, 'S'}, {0xCBFA, 0xCDD9, 'T'}, {0xCDDA, 0xCEF3, 'W'},
    {0xCEF4, 0xD1B8, 'X'}, {0xD1B9, 0xD4D0, 'Y'}, {0xD4D1, 0xD7F9, 'Z'},
};

} // namespace

QChar PinyinInitial(uchar hi, uchar lo)
{
    const int code = hi * 256 + lo;
    for (const Range &r : kRanges) {
        if (code >= r.from && code <= r.to)
            return QChar::fromLatin1(r.letter);
    }
    return QLatin1Char(' ');
}

QString SpellCode(const QString &s)
{
    const QByteArray bytes = toGbk(s);
    QString out;
    for (qsizetype i = 0; i < bytes.size();) {
        const uchar b = uchar(bytes[i]);
        if (b < 0x81) {   // ASCII, and 0x80 (the euro sign) which is a single byte too
            ++i;
            continue;
        }
        // A GBK trail byte may be below 0x80; taking it with its lead keeps the
        // following characters paired correctly.
        const uchar trail = i + 1 < bytes.size() ? uchar(bytes[i + 1]) : 0;
        out += PinyinInitial(b, trail);
        i += 2;
    }
    return out;
}

} // namespace text
