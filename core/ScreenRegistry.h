#pragma once
// The main window opens the screens of other subsystems by class name; each subsystem
// registers its creators at start-up. Core also exposes the main window's services
// (rights re-gating) to screens that need them.

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;
class TfrmDialog;

namespace Screens {

using Factory = std::function<TfrmDialog *(QWidget *parent)>;
// Puts a freshly created screen into a state worth a screenshot (demo data loaded).
using ScreenshotSetup = std::function<void(TfrmDialog *)>;

void Register(const QString &className, Factory factory, ScreenshotSetup setup = {});
bool Has(const QString &className);
TfrmDialog *Create(const QString &className, QWidget *parent = nullptr);
ScreenshotSetup SetupFor(const QString &className);
QStringList Names();

// Services of the main window, set while it exists.
void SetApplyRights(std::function<void()> fn);
void ApplyRights();   // no-op without a main window

} // namespace Screens
