#pragma once
// The frame every receipt shares: shop name in double height, separator lines, the
// date line, the foot notes and the operator, as ESC/POS bytes in GBK. A receipt is
// built piece by piece and handed to PrintRaw as one byte string.

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace receipt {

// What the frame prints besides the body; taken from the settings at print time.
struct Frame {
    QString unitName;
    QString footNote1;
    QString footNote2;
    QString footNote3;
    QString operatorText;   // "操作员：<name>" or empty

    // From SysSet and the logged-in operator.
    static Frame FromSettings();
};

class Builder {
public:
    explicit Builder(Frame frame) : m_frame(std::move(frame)) {}

    // ESC @, LF, ESC ! 0x14, 6 blanks, shop name, 7 blanks, ESC ! 0, LF.
    Builder &Head();
    // Text in GBK; characters GBK lacks print as '?'.
    Builder &Text(const QString &text);
    // Exactly `width` bytes: cut without splitting a double-byte character, or padded
    // with blanks (on the left when alignRight).
    Builder &Cell(const QString &text, int width, bool alignRight = false);
    Builder &Blanks(int n);
    Builder &Lf(int n = 1);
    Builder &CrLf();
    // 32 '=' without a line ending (receipts end it with LF or CR LF).
    Builder &Separator();
    // "======" yyyy/MM/dd HH:mm:ss "=======" LF.
    Builder &DateLine(const QDateTime &when);
    // Foot notes each with CR LF, the operator text, 5 LF.
    Builder &Foot();

    const QByteArray &Bytes() const { return m_bytes; }

private:
    Frame m_frame;
    QByteArray m_bytes;
};

// Sends a receipt to the printer named by the PrintName setting; silent on failure.
void Print(const QByteArray &bytes);

} // namespace receipt
