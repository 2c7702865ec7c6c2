// kelvo-admin: builds the delivered database and looks after database files.
//
//   kelvo-admin initdb FILE
//   kelvo-admin sql FILE STATEMENT
//   kelvo-admin check FILE
//   kelvo-admin demo FILE [--members N] [--sales M] [--goods G]
//
// Every command takes --password P (default: the password compiled into the program).

#include "AdminCommands.h"
#include "DemoData.h"

#include "BuildConfig.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

const char kUsage[] =
    "usage: kelvo-admin [--password P] COMMAND ...\n"
    "  initdb FILE                 create a delivered database (never overwrites)\n"
    "  sql FILE STATEMENT          run one Jet SQL statement\n"
    "  check FILE                  run the integrity check\n"
    "  demo FILE [--members N] [--sales M] [--goods G]\n"
    "                              fill FILE with generated shop data\n"
    "                              (defaults: 1000 members, 5000 sales, 10000 goods)\n";

struct Options {
    QString password = QString::fromUtf8(KELVO_DB_PASSWORD);
    QStringList positional;
    admin::DemoSize demo;
};

bool parseCount(const QString &text, qint64 &out)
{
    bool ok = false;
    const qint64 v = text.toLongLong(&ok);
    if (!ok || v < 0)
        return false;
    out = v;
    return true;
}

// Returns an error text, or an empty text when the arguments are fine.
QString parse(const QStringList &args, Options &o)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        auto value = [&](QString &out) {
            if (i + 1 >= args.size())
                return false;
            out = args.at(++i);
            return true;
        };
        QString v;
        if (a == QLatin1String("--password")) {
            if (!value(o.password))
                return QStringLiteral("--password needs a value");
        } else if (a.startsWith(QLatin1String("--password="))) {
            o.password = a.mid(11);
        } else if (a == QLatin1String("--members") || a == QLatin1String("--sales")
                   || a == QLatin1String("--goods")) {
            qint64 n = 0;
            if (!value(v) || !parseCount(v, n))
                return QStringLiteral("%1 needs a whole number").arg(a);
            (a == QLatin1String("--members") ? o.demo.members
             : a == QLatin1String("--sales") ? o.demo.sales
                                             : o.demo.goods) = n;
        } else if (a.startsWith(QLatin1String("--"))) {
            return QStringLiteral("unknown option %1").arg(a);
        } else {
            o.positional << a;
        }
    }
    return {};
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Options o;
    const QString error = parse(app.arguments().mid(1), o);
    if (!error.isEmpty()) {
        admin::printErr(error);
        return 2;
    }
    const QStringList &p = o.positional;
    const QString command = p.value(0);
    if (command == QLatin1String("initdb") && p.size() == 2)
        return admin::initDb(p[1], o.password);
    if (command == QLatin1String("sql") && p.size() == 3)
        return admin::runSql(p[1], o.password, p[2]);
    if (command == QLatin1String("check") && p.size() == 2)
        return admin::checkDb(p[1], o.password);
    if (command == QLatin1String("demo") && p.size() == 2)
        return admin::fillDemo(p[1], o.password, o.demo);
    std::fputs(kUsage, stderr);
    return 2;
}
