// Raw receipt printing end to end: the bytes go through CUPS to the raw queue
// "receipt", whose capture backend writes them to a file (scripts/cups-test-setup.sh).

#include "core/Routines.h"
#include "platform/print/RawPrinter.h"
#include "platform/text/Gbk.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <gtest/gtest.h>

namespace {

const QString kQueue = QStringLiteral("receipt");
const QString kCapture = QStringLiteral("/tmp/kelvo-receipt.bin");

QByteArray waitForCapture(qsizetype expectedSize)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 10000) {
        QFile f(kCapture);
        if (f.open(QIODevice::ReadOnly)) {
            const QByteArray data = f.readAll();
            if (data.size() >= expectedSize)
                return data;
        }
        QThread::msleep(50);
    }
    QFile f(kCapture);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(PrintRaw, BytesReachTheQueueUnchanged)
{
    if (!print::printerNames().contains(kQueue))
        GTEST_SKIP() << "no CUPS queue \"receipt\"; run scripts/cups-test-setup.sh as root to create it";
    QFile::remove(kCapture);

    QByteArray receipt("\x1B\x40\x0A\x1B\x21\x14      ", 12);
    receipt += text::toGbk(QStringLiteral("凯沃会员店")) + QByteArray(7, ' ') + QByteArray("\x1B\x21\x00\x0A", 4);
    receipt += text::toGbk(QStringLiteral("流水号：20081123162034")) + '\n';
    receipt += PadText(QStringLiteral("特级龙井绿茶一斤礼盒"), 16, false) + "\r\n";
    // Every byte value, so that nothing on the way may translate, drop or add one.
    for (int b = 0; b < 256; ++b)
        receipt += char(b);
    receipt += QByteArray(5, '\n');

    PrintRaw(kQueue, receipt);
    const QByteArray got = waitForCapture(receipt.size());
    ASSERT_EQ(got.size(), receipt.size());
    EXPECT_EQ(got, receipt);
}

TEST(PrintRaw, UnknownPrinterIsSilent)
{
    EXPECT_FALSE(print::printRaw(QStringLiteral("no-such-printer-kelvo"), "x"));
    EXPECT_FALSE(print::printRaw(QString(), "x"));
    PrintRaw(QStringLiteral("no-such-printer-kelvo"), "x");
}

} // namespace
