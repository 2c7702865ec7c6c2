#include "Clock.h"
#include "platform/db/JetSql.h"

namespace Clock {
namespace {
std::function<QDateTime()> &source()
{
    static std::function<QDateTime()> fn;
    return fn;
}
} // namespace

QDateTime now()
{
    return source() ? source()() : QDateTime::currentDateTime();
}

void setNow(std::function<QDateTime()> fn)
{
    source() = std::move(fn);
    if (source())
        db::jet::setClock(source());
    else
        db::jet::setClock({});
}
} // namespace Clock
