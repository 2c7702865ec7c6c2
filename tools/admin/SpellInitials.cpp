#include "SpellInitials.h"

#include <iconv.h>

#include <QByteArray>

namespace admin {

namespace {

struct Range {
    unsigned from;
    char letter;
};

// First code of each initial's block; a code belongs to the last block that starts at
// or below it, up to 0xD7F9.
constexpr Range kRanges[] = {
    {0xB0A1, 'A'}, {0xB0C5, 'B'}, {0xB2C1, 'C'}, {0xB4EE, 'D'}, {0xB6EA, 'E'}, {0xB7A2, 'F'},
    {0xB8C1, 'G'}, {0xB9FE, 'H'}, {0xBBF7, 'J'}, {0xBFA6, 'K'}, {0xC0AC, 'L'}, {0xC2E8, 'M'},
    {0xC4C3, 'N'}, {0xC5B6, 'O'}, {0xC5BE, 'P'}, {0xC6DA, 'Q'}, {0xC8BB, 'R'}, {0xC8F6, 'S'},
    {0xCBFA, 'T'}, {0xCDDA, 'W'}, {0xCEF4, 'X'}, {0xD1B9, 'Y'}, {0xD4D1, 'Z'},
};
constexpr unsigned kLastCode = 0xD7F9;

char initialOf(unsigned code)
{
    if (code < kRanges[0].from || code > kLastCode)
        return ' ';
    char letter = ' ';
    for (const Range &r : kRanges) {
        if (code < r.from)
            break;
        letter = r.letter;
    }
    return letter;
}

// GBK bytes of one character; empty when GBK has no such character.
QByteArray toGbk(iconv_t cd, const QString &ch)
{
    QByteArray in = ch.toUtf8();
    char out[8];
    char *inPtr = in.data();
    size_t inLeft = size_t(in.size());
    char *outPtr = out;
    size_t outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == size_t(-1))
        return {};
    return QByteArray(out, int(outPtr - out));
}

} // namespace

QString spellInitials(const QString &text)
{
    static const iconv_t cd = iconv_open("GBK", "UTF-8");
    if (cd == iconv_t(-1))
        return {};
    // Collect the bytes above 127 and take them in pairs, as SpellCode does.
    QByteArray high;
    for (int i = 0; i < text.size(); ++i) {
        const int len = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString ch = text.mid(i, len);
        i += len - 1;
        if (ch.at(0).unicode() < 0x80)
            continue;
        for (char b : toGbk(cd, ch)) {
            if (static_cast<unsigned char>(b) > 127)
                high.append(b);
        }
    }
    QString result;
    for (int i = 0; i < high.size(); i += 2) {
        const unsigned hi = static_cast<unsigned char>(high.at(i));
        const unsigned lo = i + 1 < high.size() ? static_cast<unsigned char>(high.at(i + 1)) : 0;
        result.append(QLatin1Char(initialOf(hi * 256 + lo)));
    }
    return result;
}

} // namespace admin
