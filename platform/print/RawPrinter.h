#pragma once
// Raw printing through CUPS: the bytes reach the printer unchanged, as one job.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace print {

// Sends data as one raw job to the named queue. Returns false, without any message,
// when the queue cannot be opened or the job is not accepted.
bool printRaw(const QString &printer, const QByteArray &data);

// Names of the queues the user can print to.
QStringList printerNames();

} // namespace print
