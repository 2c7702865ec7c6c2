#include "ScreenRegistry.h"
#include "DialogUnit.h"

#include <QMap>

namespace Screens {

namespace {
struct Entry {
    Factory factory;
    ScreenshotSetup setup;
};
QMap<QString, Entry> &registry()
{
    static QMap<QString, Entry> map;
    return map;
}
std::function<void()> &applyRightsFn()
{
    static std::function<void()> fn;
    return fn;
}
} // namespace

void Register(const QString &className, Factory factory, ScreenshotSetup setup)
{
    registry().insert(className, Entry{std::move(factory), std::move(setup)});
}

bool Has(const QString &className)
{
    return registry().contains(className);
}

TfrmDialog *Create(const QString &className, QWidget *parent)
{
    auto it = registry().constFind(className);
    if (it == registry().constEnd())
        return nullptr;
    TfrmDialog *screen = it->factory(parent);
    if (screen && screen->objectName().isEmpty())
        screen->setObjectName(className);
    return screen;
}

ScreenshotSetup SetupFor(const QString &className)
{
    return registry().value(className).setup;
}

QStringList Names()
{
    return registry().keys();
}

void SetApplyRights(std::function<void()> fn)
{
    applyRightsFn() = std::move(fn);
}

void ApplyRights()
{
    if (applyRightsFn())
        applyRightsFn()();
}

} // namespace Screens
