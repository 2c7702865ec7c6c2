// GBK conversion, byte widths, padding to printer columns and pinyin initials.

#include "core/Routines.h"
#include "platform/text/Gbk.h"

#include <gtest/gtest.h>

namespace {

QString u(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

TEST(Gbk, ConvertsBothWays)
{
    EXPECT_EQ(text::toGbk(u("会员")), QByteArray("\xBB\xE1\xD4\xB1"));
    EXPECT_EQ(text::toGbk(u("a王1")), QByteArray("a\xCD\xF5" "1"));
    EXPECT_EQ(text::fromGbk(QByteArray("\xCD\xF5\xD0\xA1\xC3\xF7 VIP")), u("王小明 VIP"));
    EXPECT_EQ(text::toGbk(QString()), QByteArray());
}

TEST(Gbk, UnencodableCharactersBecomeQuestionMarks)
{
    // An emoji (outside the BMP) and a Korean syllable have no GBK code.
    EXPECT_EQ(text::toGbk(u("王😀a한")), QByteArray("\xCD\xF5?a?"));
}

TEST(Gbk, InvalidBytesDecodeToReplacementCharacter)
{
    // 0xFF is never valid; a lead byte at the very end is cut.
    EXPECT_EQ(text::fromGbk(QByteArray("a\xFF" "b\xCD")), u("a\uFFFDb\uFFFD"));
}

TEST(Gbk, WidthCountsChineseAsTwo)
{
    const struct {
        const char *text;
        int width;
    } cases[] = {{"", 0}, {"abc", 3}, {"会员", 4}, {"VIP王", 5}, {"￥8.50", 6}};
    for (const auto &c : cases)
        EXPECT_EQ(text::gbkWidth(u(c.text)), c.width) << c.text;
}

TEST(PadText, MakesExactlyWidthBytes)
{
    const struct {
        const char *text;
        int width;
        bool padLeft;
        QByteArray expected;
    } cases[] = {
        {"ab", 5, true, "   ab"},
        {"ab", 5, false, "ab   "},
        {"abcdef", 4, true, "abcd"},
        {"abcdef", 4, false, "abcd"},
        {"会员", 4, false, "\xBB\xE1\xD4\xB1"},
        {"会员", 6, true, "  \xBB\xE1\xD4\xB1"},
        // The second character would be cut in half: a blank takes its place.
        {"会员", 3, false, "\xBB\xE1 "},
        {"a会员", 4, false, "a\xBB\xE1 "},
        {"", 3, false, "   "},
        {"abc", 0, false, ""},
        {"abc", -2, true, ""},
    };
    for (const auto &c : cases) {
        const QByteArray got = PadText(u(c.text), c.width, c.padLeft);
        EXPECT_EQ(got, c.expected) << c.text << " / " << c.width << " / " << c.padLeft;
        EXPECT_EQ(got.size(), std::max(c.width, 0)) << c.text;
    }
}

TEST(PadText, GoodsNameColumnIsSixteenBytes)
{
    EXPECT_EQ(PadText(u("特级龙井绿茶一斤礼盒"), 16, false), text::toGbk(u("特级龙井绿茶一斤")));
    EXPECT_EQ(PadText(u("可乐 330ml"), 16, false), text::toGbk(u("可乐 330ml      ")));
}

TEST(Spaces, GivesBlanksOrNothing)
{
    EXPECT_EQ(Spaces(3), QStringLiteral("   "));
    EXPECT_EQ(Spaces(0), QString());
    EXPECT_EQ(Spaces(-1), QString());
}

TEST(Pinyin, InitialFollowsTheRangeTable)
{
    const struct {
        int code;
        char letter;
    } cases[] = {
        {0xB0A1, 'A'}, {0xB0C4, 'A'}, {0xB0C5, 'B'}, {0xB2C0, 'B'}, {0xB9FE, 'H'}, {0xBBF6, 'H'},
        {0xBBF7, 'J'}, {0xC5B6, 'O'}, {0xC5BD, 'O'}, {0xC8F6, 'S'}, {0xCDDA, 'W'}, {0xD7F9, 'Z'},
        // Below the table (symbols), level-2 characters, and nothing at all.
        {0xB0A0, ' '}, {0xA1A1, ' '}, {0xD7FA, ' '}, {0xD8A1, ' '}, {0xF7FE, ' '}, {0x0000, ' '},
    };
    for (const auto &c : cases)
        EXPECT_EQ(PinyinInitial(uchar(c.code >> 8), uchar(c.code & 0xFF)), QLatin1Char(c.letter))
            << std::hex << c.code;
}

TEST(Pinyin, SpellCodeGivesOneInitialPerDoubleByteCharacter)
{
    const struct {
        const char *text;
        const char *expected;
    } cases[] = {
        {"abc", ""},
        {"", ""},
        {"王小明", "WXM"},
        {"VIP王", "W"},
        {"张三", "ZS"},
        {"欧阳 锋", "OYF"},
        {"亍", " "},          // level 2: a blank, kept
        {"张亍三", "Z S"},
        {"１号", " H"},        // full-width digit: a blank
        {"😀王", "W"},         // not in GBK: dropped like ASCII
        {"€王", "W"},          // the euro sign is a single GBK byte
        // 丂 has a trail byte below 0x80; it must not swallow the next character's lead byte.
        {"丂王", " W"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SpellCode(u(c.text)), QString::fromLatin1(c.expected)) << c.text;
}

} // namespace
