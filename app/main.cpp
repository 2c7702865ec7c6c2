// Kelvo membership desk: start-up.

#include "Registration.h"
#include "core/DM.h"
#include "core/DialogUnit.h"
#include "core/Messages.h"

#include <QApplication>
#include <cstring>
#include <memory>

int main(int argc, char *argv[])
{
    // The screenshot mode renders without a desktop.
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--screenshots") == 0 && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvo会员管理"));
    QApplication::setApplicationDisplayName(QStringLiteral("Kelvo会员管理"));
    InstallFontSubstitutions();

    const QStringList args = QApplication::arguments();
    const int shotsAt = args.indexOf(QStringLiteral("--screenshots"));
    if (shotsAt >= 0)
        return shotsAt + 1 < args.size() ? TakeScreenshots(args.at(shotsAt + 1)) : 2;

    std::unique_ptr<Tfrm_DM> dm;
    try {
        dm = std::make_unique<Tfrm_DM>(QApplication::applicationDirPath());
    } catch (const db::DbError &) {
        Messages::Show(QStringLiteral("数据库连接失败,请检查配置文件！"), QStringLiteral("提示"), Messages::Icon::None);
        return 1;
    }
    RegisterAllScreens();
    return RunMainWindow();
}
