#include "RawPrinter.h"

#include <cups/cups.h>

namespace print {

namespace {
const char kDocumentName[] = "正在处理打印...";
}

bool printRaw(const QString &printer, const QByteArray &data)
{
    if (printer.isEmpty())
        return false;
    const QByteArray name = printer.toUtf8();
    const int job = cupsCreateJob(CUPS_HTTP_DEFAULT, name.constData(), kDocumentName, 0, nullptr);
    if (job <= 0)
        return false;
    if (cupsStartDocument(CUPS_HTTP_DEFAULT, name.constData(), job, kDocumentName, CUPS_FORMAT_RAW, 1)
        != HTTP_STATUS_CONTINUE) {
        // Do not leave an empty job held in the queue.
        cupsCancelJob2(CUPS_HTTP_DEFAULT, name.constData(), job, 0);
        return false;
    }
    bool ok = true;
    if (!data.isEmpty())
        ok = cupsWriteRequestData(CUPS_HTTP_DEFAULT, data.constData(), size_t(data.size()))
             == HTTP_STATUS_CONTINUE;
    ok = cupsFinishDocument(CUPS_HTTP_DEFAULT, name.constData()) == IPP_STATUS_OK && ok;
    return ok;
}

QStringList printerNames()
{
    QStringList names;
    cups_dest_t *dests = nullptr;
    const int n = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    for (int i = 0; i < n; ++i) {
        // Instances share their queue; a job goes to the queue.
        const QString name = QString::fromUtf8(dests[i].name);
        if (!names.contains(name))
            names << name;
    }
    cupsFreeDests(n, dests);
    return names;
}

} // namespace print
