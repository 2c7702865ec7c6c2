#include "ReceiptFrame.h"
#include "DM.h"
#include "Routines.h"
#include "platform/text/Gbk.h"

namespace receipt {

Frame Frame::FromSettings()
{
    Frame f;
    f.unitName = SysSet.UnitName;
    f.footNote1 = SysSet.FootNote1;
    f.footNote2 = SysSet.footNote2;
    f.footNote3 = SysSet.FootNote3;
    if (SysSet.IfUse_Oper == QLatin1String("1"))
        f.operatorText = QStringLiteral("操作员：") + CurUserName;
    return f;
}

Builder &Builder::Head()
{
    m_bytes += QByteArray("\x1b\x40\x0a\x1b\x21\x14", 6);
    Blanks(6);
    Text(m_frame.unitName);
    Blanks(7);
    m_bytes += QByteArray("\x1b\x21\x00\x0a", 4);
    return *this;
}

Builder &Builder::Text(const QString &text)
{
    m_bytes += text::toGbk(text);
    return *this;
}

Builder &Builder::Cell(const QString &text, int width, bool alignRight)
{
    m_bytes += PadText(text, width, alignRight);
    return *this;
}

Builder &Builder::Blanks(int n)
{
    if (n > 0)
        m_bytes += QByteArray(n, ' ');
    return *this;
}

Builder &Builder::Lf(int n)
{
    if (n > 0)
        m_bytes += QByteArray(n, '\n');
    return *this;
}

Builder &Builder::CrLf()
{
    m_bytes += "\r\n";
    return *this;
}

Builder &Builder::Separator()
{
    m_bytes += QByteArray(32, '=');
    return *this;
}

Builder &Builder::DateLine(const QDateTime &when)
{
    m_bytes += QByteArray(6, '=');
    Text(when.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")));
    m_bytes += QByteArray(7, '=');
    return Lf();
}

Builder &Builder::Foot()
{
    Text(m_frame.footNote1).CrLf();
    Text(m_frame.footNote2).CrLf();
    Text(m_frame.footNote3).CrLf();
    Text(m_frame.operatorText);
    return Lf(5);
}

void Print(const QByteArray &bytes)
{
    PrintRaw(SysSet.PrintName, bytes);
}

} // namespace receipt
