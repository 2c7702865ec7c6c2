#include "Routines.h"
#include "Clock.h"

#include "platform/db/Database.h"
#include "platform/print/RawPrinter.h"
#include "platform/text/Gbk.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSaveFile>
#include <QScopeGuard>
#include <QSet>
#include <QTemporaryFile>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

#include <jpeglib.h>
#include <sqlcipher/sqlite3.h>

// ---- printing -----------------------------------------------------------------

void PrintRaw(const QString &printer, const QByteArray &data)
{
    print::printRaw(printer, data);
}

// ---- key filter -----------------------------------------------------------------

bool KeyFilter(const QString &text, int selStart, int selLen, QChar key, int mode, int decimals)
{
    const char16_t k = key.unicode();
    if (k == 27 || k == 8 || k == 13 || mode == 1)
        return true;
    const bool digit = k >= u'0' && k <= u'9';
    if (mode == 2)
        return digit;
    if (mode != 3)
        return true;
    if (!digit && k != u'.')
        return false;
    if (k == u'.' && (text.contains(u'.') || selStart == 0))
        return false;
    if (decimals > 0 && selStart + selLen > 0) {
        const qsizetype p = text.indexOf(u'.') + 1;   // counted from 1; 0 when absent
        if (p > 0 && selStart >= p && text.size() - p >= decimals)
            return false;
    }
    return true;
}

namespace {

class KeyFilterObject : public QObject {
public:
    KeyFilterObject(QLineEdit *edit, int mode, int decimals)
        : QObject(edit), m_edit(edit), m_mode(mode), m_decimals(decimals)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_edit || event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        // Shortcuts (copy, paste, select all) and keys without a character pass.
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        const QString typed = key->text();
        if (typed.isEmpty() || typed.at(0).unicode() < 0x20 || typed.at(0).unicode() == 0x7F)
            return false;
        const bool sel = m_edit->hasSelectedText();
        const int start = sel ? m_edit->selectionStart() : m_edit->cursorPosition();
        const int length = sel ? int(m_edit->selectedText().size()) : 0;
        for (QChar c : typed) {
            if (!KeyFilter(m_edit->text(), start, length, c, m_mode, m_decimals))
                return true;
        }
        return false;
    }

private:
    QLineEdit *m_edit;
    int m_mode;
    int m_decimals;
};

} // namespace

void InstallKeyFilter(QLineEdit *edit, int mode, int decimals)
{
    for (QObject *child : edit->children()) {
        if (auto *old = dynamic_cast<KeyFilterObject *>(child)) {
            edit->removeEventFilter(old);
            delete old;
        }
    }
    edit->installEventFilter(new KeyFilterObject(edit, mode, decimals));
    // An input method would bypass the key events; numbers need none.
    edit->setAttribute(Qt::WA_InputMethodEnabled, mode != 2 && mode != 3);
}

// ---- SQL ------------------------------------------------------------------------

QString QuotedSql(const QString &text)
{
    QString s = text;
    return s.replace(u'\'', QStringLiteral("''"));
}

QString LikeContains(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size() + 8);
    for (const QChar c : text) {
        if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('['))
            escaped += QLatin1Char('[') + c + QLatin1Char(']');
        else
            escaped += c;
    }
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

void RunSql(db::Database *db, const QString &sql, const QVariantList &params)
{
    if (!db)
        return;
    try {
        db->exec(sql, params);
    } catch (...) {
    }
}

namespace {

// Removes blanks and control characters (up to U+0020) at both ends; other white
// space, such as the ideographic space, is part of the value.
QString trimBlanks(const QString &s)
{
    qsizetype from = 0, to = s.size();
    while (from < to && s[from].unicode() <= u' ')
        ++from;
    while (to > from && s[to - 1].unicode() <= u' ')
        --to;
    return s.mid(from, to - from);
}

// Runs `work` on the named connection; false when there is none or the work fails.
template <class Work>
bool onConnection(const QString &connStr, Work &&work)
{
    db::Database *db = db::connectionFor(connStr);
    if (!db)
        return false;
    try {
        work(*db);
        return true;
    } catch (...) {
        return false;
    }
}

// The rows of a statement on the named connection; false when it cannot run.
bool runQuery(const QString &connStr, const QString &sql, const QVariantList &params, db::Result &out)
{
    return onConnection(connStr, [&](db::Database &db) { out = db.query(sql, params); });
}

} // namespace

void FillCombo(const QString &connStr, const QString &sql, QComboBox *combo, const QVariantList &params)
{
    combo->clear();
    db::Result r;
    if (!runQuery(connStr, sql, params, r) || r.columnCount() < 2)
        return;
    for (int i = 0; i < r.rowCount(); ++i)
        combo->addItem(trimBlanks(r.value(i, 1).asString()), trimBlanks(r.value(i, 0).asString()));
    if (combo->count() > 0)
        combo->setCurrentIndex(0);
}

QString ComboValue(const QComboBox *combo)
{
    const int i = combo->currentIndex();
    return i < 0 ? QString() : combo->itemData(i, Qt::UserRole).toString();
}

bool SelectComboValue(QComboBox *combo, const QString &value)
{
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemData(i, Qt::UserRole).toString() == value) {
            combo->setCurrentIndex(i);
            return true;
        }
    }
    return false;
}

QString QueryLines(const QString &connStr, const QString &sql, const QVariantList &params)
{
    db::Result r;
    if (!runQuery(connStr, sql, params, r) || r.columnCount() < 1)
        return {};
    QString lines;
    for (int i = 0; i < r.rowCount(); ++i)
        lines += trimBlanks(r.value(i, 0).asString()) + QStringLiteral("\r\n");
    return trimBlanks(lines);
}

int QueryCount(const QString &connStr, const QString &sql, const QVariantList &params)
{
    db::Result r;
    return runQuery(connStr, sql, params, r) ? r.rowCount() : 0;
}

bool ExecSql(const QString &connStr, const QString &sql, const QVariantList &params)
{
    return onConnection(connStr, [&](db::Database &db) { db.exec(sql, params); });
}

bool QueryExists(const QString &connStr, const QString &sql, const QVariantList &params)
{
    return QueryCount(connStr, sql, params) > 0;
}

// ---- text -----------------------------------------------------------------------

QString Spaces(int n)
{
    return n > 0 ? QString(n, u' ') : QString();
}

QByteArray PadText(const QString &text, int width, bool padLeft)
{
    if (width <= 0)
        return {};
    QByteArray bytes = text::toGbk(text);
    if (bytes.size() > width) {
        // Walk whole characters so that a cut never leaves half of a double-byte one.
        qsizetype cut = 0;
        while (cut < bytes.size()) {
            const qsizetype w = uchar(bytes[cut]) >= 0x81 ? 2 : 1;
            if (cut + w > width)
                break;
            cut += w;
        }
        bytes.truncate(cut);
        return bytes + QByteArray(width - cut, ' ');
    }
    const QByteArray pad(width - bytes.size(), ' ');
    return padLeft ? pad + bytes : bytes + pad;
}

QString NewSerialNo()
{
    return Clock::now().toString(QStringLiteral("yyyyMMddHHmmss"));
}

QStringList SplitText(QChar delimiter, const QString &text, bool keepDuplicates)
{
    const auto isBlank = [](QChar c) { return c.unicode() >= 1 && c.unicode() <= u' '; };
    // A NUL ends the text.
    const qsizetype nul = text.indexOf(QChar(0));
    const qsizetype n = nul < 0 ? text.size() : nul;

    QStringList items;
    qsizetype i = 0;
    while (i < n && isBlank(text[i]))
        ++i;
    while (i < n) {
        QString item;
        if (text[i] == u'"') {
            ++i;
            while (i < n) {
                if (text[i] == u'"') {
                    if (i + 1 < n && text[i + 1] == u'"') {
                        item += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text[i++];
            }
        } else {
            const qsizetype start = i;
            while (i < n && text[i].unicode() > u' ' && text[i] != delimiter)
                ++i;
            item = text.mid(start, i - start);
        }
        items << item;
        while (i < n && isBlank(text[i]))
            ++i;
        if (i < n && text[i] == delimiter) {
            if (i + 1 == n)
                items << QString();   // a trailing delimiter ends an empty item
            do
                ++i;
            while (i < n && isBlank(text[i]));
        }
    }
    if (keepDuplicates)
        return items;
    QStringList unique;
    QSet<QString> seen;
    for (const QString &item : std::as_const(items)) {
        const QString folded = item.toCaseFolded();
        if (!seen.contains(folded)) {
            seen.insert(folded);
            unique << item;
        }
    }
    return unique;
}

// ---- INI files ------------------------------------------------------------------

namespace {

struct IniText {
    QStringList lines;
    QString eol = QStringLiteral("\n");
};

enum class IniLoad { Ok, Missing, Unreadable };

IniLoad loadIni(const QString &file, IniText &ini)
{
    QFile f(file);
    if (!f.exists())
        return IniLoad::Missing;
    if (!f.open(QIODevice::ReadOnly))
        return IniLoad::Unreadable;
    QByteArray data = f.readAll();
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    const QString text = QString::fromUtf8(data);
    if (text.contains(QStringLiteral("\r\n")))
        ini.eol = QStringLiteral("\r\n");
    ini.lines = text.split(u'\n');
    for (QString &line : ini.lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    if (!ini.lines.isEmpty() && ini.lines.last().isEmpty())
        ini.lines.removeLast();
    return IniLoad::Ok;
}

// The section a header line opens; a null string for other lines.
QString sectionOf(const QString &line)
{
    const QString t = trimBlanks(line);
    if (!t.startsWith(u'['))
        return {};
    const qsizetype close = t.indexOf(u']');
    return close < 0 ? QString() : trimBlanks(t.mid(1, close - 1));
}

// The key of a "key=value" line; a null string for comments and other lines.
QString keyOf(const QString &line)
{
    const QString t = trimBlanks(line);
    if (t.startsWith(u';'))
        return {};
    const qsizetype eq = t.indexOf(u'=');
    return eq <= 0 ? QString() : trimBlanks(t.left(eq));
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

QString IniRead(const QString &section, const QString &key, const QString &def, const QString &file)
{
    IniText ini;
    if (loadIni(file, ini) != IniLoad::Ok)
        return def;
    bool inSection = false;
    for (const QString &line : std::as_const(ini.lines)) {
        const QString sec = sectionOf(line);
        if (!sec.isNull()) {
            inSection = sameName(sec, section);
            continue;
        }
        if (inSection && sameName(keyOf(line), key))
            return trimBlanks(line.mid(line.indexOf(u'=') + 1));
    }
    return def;
}

bool IniWrite(const QString &section, const QString &key, const QString &value, const QString &file)
{
    IniText ini;
    if (loadIni(file, ini) == IniLoad::Unreadable)
        return false;
    // A line break in the value would open new lines of its own.
    QString v = value;
    v.replace(u'\r', u' ').replace(u'\n', u' ');
    const QString entry = key + u'=' + v;

    qsizetype header = -1;
    for (qsizetype i = 0; i < ini.lines.size(); ++i) {
        if (sameName(sectionOf(ini.lines[i]), section)) {
            header = i;
            break;
        }
    }
    if (header < 0) {
        if (!ini.lines.isEmpty() && !trimBlanks(ini.lines.last()).isEmpty())
            ini.lines << QString();
        ini.lines << u'[' + section + u']' << entry;
    } else {
        qsizetype lastEntry = header;
        bool replaced = false;
        for (qsizetype i = header + 1; i < ini.lines.size() && sectionOf(ini.lines[i]).isNull(); ++i) {
            if (sameName(keyOf(ini.lines[i]), key)) {
                ini.lines[i] = entry;
                replaced = true;
                break;
            }
            if (!trimBlanks(ini.lines[i]).isEmpty())
                lastEntry = i;
        }
        if (!replaced)
            ini.lines.insert(lastEntry + 1, entry);
    }

    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write((ini.lines.join(ini.eol) + ini.eol).toUtf8());
    return out.commit();
}

// ---- numbers and files ----------------------------------------------------------

bool IsMultiple(int a, int b)
{
    if (b == 0)
        return false;
    if (b == -1)   // INT_MIN % -1 overflows
        return true;
    return a % b == 0;
}

QString TempFileName()
{
    QTemporaryFile f(QDir::tempPath() + QStringLiteral("/~SMXXXXXX.tmp"));
    if (!f.open())
        return {};
    return f.fileName();   // removed when f goes out of scope
}

namespace {

bool execSqlite(sqlite3 *handle, const char *sql)
{
    return sqlite3_exec(handle, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool syncFile(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

} // namespace

bool CompactDatabase(const QString &file, const QString &password, const std::function<void()> &onProgress)
{
    const QFileInfo info(file);
    if (!info.isFile())
        return false;
    // The copy is made beside the original so that the final rename is atomic. It is
    // left in place empty: ATTACH on a connection opened without CREATE needs the file.
    QString copy;
    {
        QTemporaryFile t(info.absolutePath() + QStringLiteral("/~SMXXXXXX.tmp"));
        t.setAutoRemove(false);
        if (!t.open())
            return false;
        copy = t.fileName();
    }
    bool renamed = false;
    const auto cleanup = qScopeGuard([&] {
        if (!renamed)
            QFile::remove(copy);
        QFile::remove(copy + QStringLiteral("-journal"));
    });

    try {
        db::Database source;
        source.open(info.absoluteFilePath(), password);
        sqlite3 *h = source.handle();

        // Bound, so no quote in the password or the path can break the statement.
        sqlite3_stmt *attach = nullptr;
        if (sqlite3_prepare_v2(h, "ATTACH DATABASE ?1 AS bak KEY ?2", -1, &attach, nullptr) != SQLITE_OK)
            return false;
        const QByteArray copyName = copy.toUtf8();
        const QByteArray key = password.toUtf8();
        sqlite3_bind_text(attach, 1, copyName.constData(), int(copyName.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(attach, 2, key.constData(), int(key.size()), SQLITE_TRANSIENT);
        const int rc = sqlite3_step(attach);
        sqlite3_finalize(attach);
        if (rc != SQLITE_DONE)
            return false;

        int userVersion = 0;
        sqlite3_stmt *version = nullptr;
        if (sqlite3_prepare_v2(h, "PRAGMA main.user_version", -1, &version, nullptr) == SQLITE_OK
            && sqlite3_step(version) == SQLITE_ROW)
            userVersion = sqlite3_column_int(version, 0);
        sqlite3_finalize(version);

        if (onProgress) {
            sqlite3_progress_handler(
                h, 100000,
                [](void *fn) {
                    (*static_cast<const std::function<void()> *>(fn))();
                    return 0;
                },
                const_cast<std::function<void()> *>(&onProgress));
        }
        const bool exported = execSqlite(h, "SELECT sqlcipher_export('bak')")
                              && execSqlite(h, QByteArray("PRAGMA bak.user_version = ")
                                                   .append(QByteArray::number(userVersion))
                                                   .constData());
        sqlite3_progress_handler(h, 0, nullptr, nullptr);
        const bool detached = execSqlite(h, "DETACH DATABASE bak");
        source.close();
        if (!exported || !detached)
            return false;

        // The copy must open with the same password before it replaces anything.
        db::Database check;
        check.open(copy, password);
        check.close();
    } catch (...) {
        return false;
    }

    QFile::setPermissions(copy, QFile::permissions(info.absoluteFilePath()));
    if (!syncFile(copy))
        return false;
    if (::rename(QFile::encodeName(copy).constData(), QFile::encodeName(info.absoluteFilePath()).constData()) != 0)
        return false;
    renamed = true;
    syncFile(info.absolutePath());
    return true;
}

// ---- images ---------------------------------------------------------------------

namespace {

struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void jpegFail(j_common_ptr cinfo)
{
    auto *err = reinterpret_cast<JpegError *>(cinfo->err);
    cinfo->err->format_message(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Encodes an RGB888 image; libjpeg reports errors by longjmp, so nothing with a
// destructor lives in this frame. The buffer is malloc'ed by libjpeg.
bool encodeJpeg(const QImage &image, int quality, unsigned char **buffer, unsigned long *size, JpegError &err)
{
    jpeg_compress_struct cinfo;
    cinfo.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = jpegFail;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, buffer, size);
    cinfo.image_width = JDIMENSION(image.width());
    cinfo.image_height = JDIMENSION(image.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.constScanLine(int(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

[[noreturn]] void imageError(const QString &text)
{
    throw std::runtime_error(text.toStdString());
}

} // namespace

void BmpToJpeg(const QString &bmpFile, const QString &jpgFile)
{
    QImage image;
    if (!image.load(bmpFile) || image.isNull())
        imageError(QStringLiteral("无法读取图片文件: %1").arg(bmpFile));
    image = image.convertToFormat(QImage::Format_RGB888);

    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    JpegError err{};
    const bool encoded = encodeJpeg(image, 90, &buffer, &size, err);
    const QByteArray jpeg = encoded ? QByteArray(reinterpret_cast<const char *>(buffer), qsizetype(size))
                                    : QByteArray();
    std::free(buffer);
    if (!encoded)
        imageError(QStringLiteral("JPEG 编码失败: %1").arg(QString::fromLocal8Bit(err.message)));

    QSaveFile out(jpgFile);
    if (!out.open(QIODevice::WriteOnly) || out.write(jpeg) != jpeg.size() || !out.commit())
        imageError(QStringLiteral("无法保存图片文件: %1").arg(jpgFile));
}

// ---- identity cards -------------------------------------------------------------

QChar IdCardCheckChar(const QString &id)
{
    static constexpr int kWeights[17] = {7, 9, 10, 5, 8, 4, 2, 1, 6, 3, 7, 9, 10, 5, 8, 4, 2};
    static constexpr char kChars[] = "10X98765432";
    if (id.size() < 17)
        throw std::invalid_argument("identity-card number shorter than 17 characters");
    int sum = 0;
    for (int i = 0; i < 17; ++i) {
        const char16_t c = id[i].unicode();
        if (c < u'0' || c > u'9')
            throw std::invalid_argument("identity-card number with a non-digit");
        sum += (c - u'0') * kWeights[i];
    }
    return QLatin1Char(kChars[sum % 11]);
}

namespace {

bool allDigits(const QByteArray &s)
{
    for (char c : s) {
        if (c < '0' || c > '9')
            return false;
    }
    return !s.isEmpty();
}

int digitsValue(const QByteArray &s)
{
    if (!allDigits(s))
        throw std::invalid_argument("not a number");
    return s.toInt();
}

} // namespace

QString CheckIdCard(const QString &id)
{
    // Positions and the length count GBK bytes.
    const QByteArray b = text::toGbk(id);
    const int n = int(b.size());
    if (n != 15 && n != 18)
        return QStringLiteral("身份证号不是15位或18位(%1, 实际位数:%2)").arg(id, QString::number(n));
    try {
        int century = 19;
        QByteArray yearText, monthText, dayText;
        if (n == 18) {
            const QByteArray c = b.mid(6, 2);
            if (c != "18" && c != "19" && c != "20")
                return QStringLiteral("身份证号码无效:18位证号的年份前两位必须在18-20之间(%1)")
                    .arg(QString::fromLatin1(c));
            century = digitsValue(c);
            yearText = b.mid(8, 2);
            monthText = b.mid(10, 2);
            dayText = b.mid(12, 2);
        } else {
            // A 15-digit number has no check character; every position must be a digit.
            if (!allDigits(b))
                return QStringLiteral("身份证无效");
            yearText = b.mid(6, 2);
            monthText = b.mid(8, 2);
            dayText = b.mid(10, 2);
        }
        const int year = century * 100 + digitsValue(yearText);
        const int month = digitsValue(monthText);
        if (month < 1 || month > 12)
            return QStringLiteral("身份证号码无效:月份必须在01-12之间(%1)").arg(QString::fromLatin1(monthText));
        const int day = digitsValue(dayText);
        const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        const int maxDay = month == 2 && leap ? 29 : kDays[month - 1];
        if (day < 1 || day > maxDay)
            return QStringLiteral("身份证号码无效:日期无效,不能为零或超出当月最大值(%1)")
                .arg(QString::fromLatin1(dayText));
        if (n == 18 && QLatin1Char(b[17]) != IdCardCheckChar(QString::fromLatin1(b)))
            return QStringLiteral("身份证号码无效:校验位(第18位)错:(%1)").arg(id);
        return QStringLiteral("OK");
    } catch (...) {
        return QStringLiteral("身份证无效");
    }
}
