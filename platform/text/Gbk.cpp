#include "Gbk.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace text {

namespace {

// One converter per direction and thread; iconv_open is far dearer than a conversion.
class Converter {
public:
    Converter(const char *to, const char *from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (m_cd != iconv_t(-1))
            iconv_close(m_cd);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    // Converts everything; `skip` tells how many input bytes an unconvertible sequence
    // occupies and `bad` is written in its place.
    template <typename Skip>
    QByteArray run(const QByteArray &in, const QByteArray &bad, Skip skip) const
    {
        QByteArray out;
        if (m_cd == iconv_t(-1))
            return out;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        out.resize(in.size() * 2 + 16);
        char *src = const_cast<char *>(in.constData());
        size_t srcLeft = size_t(in.size());
        char *dst = out.data();
        size_t dstLeft = size_t(out.size());
        while (srcLeft > 0) {
            if (iconv(m_cd, &src, &srcLeft, &dst, &dstLeft) != size_t(-1))
                break;
            if (errno == E2BIG || dstLeft < size_t(bad.size())) {
                const qsizetype used = dst - out.data();
                out.resize(out.size() * 2);
                dst = out.data() + used;
                dstLeft = size_t(out.size() - used);
                continue;
            }
            // EILSEQ or EINVAL (a sequence cut at the end)
            const size_t n = std::min(srcLeft, skip(reinterpret_cast<const unsigned char *>(src), srcLeft));
            src += n;
            srcLeft -= n;
            memcpy(dst, bad.constData(), size_t(bad.size()));
            dst += bad.size();
            dstLeft -= size_t(bad.size());
        }
        out.resize(dst - out.data());
        return out;
    }

private:
    iconv_t m_cd;
};

size_t utf8SequenceLength(const unsigned char *p, size_t left)
{
    size_t n = 1;
    if (p[0] >= 0xF0)
        n = 4;
    else if (p[0] >= 0xE0)
        n = 3;
    else if (p[0] >= 0xC0)
        n = 2;
    return std::min(n, left);
}

size_t oneByte(const unsigned char *, size_t)
{
    return 1;
}

} // namespace

QByteArray toGbk(const QString &s)
{
    if (s.isEmpty())
        return {};
    thread_local const Converter conv("GBK", "UTF-8");
    return conv.run(s.toUtf8(), QByteArrayLiteral("?"), utf8SequenceLength);
}

QString fromGbk(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return {};
    thread_local const Converter conv("UTF-8", "GBK");
    return QString::fromUtf8(conv.run(bytes, QByteArrayLiteral("\xEF\xBF\xBD"), oneByte));
}

int gbkWidth(const QString &s)
{
    return int(toGbk(s).size());
}

} // namespace text
