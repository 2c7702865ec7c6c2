#include "Registration.h"
#include "core/DM.h"
#include "core/DialogUnit.h"
#include "core/Login.h"
#include "core/Messages.h"
#include "core/Register.h"
#include "core/ScreenRegistry.h"
#include "core/Ut_Main.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "goods/Register.h"
#include "members/Register.h"
#include "pos/Register.h"

void RegisterAllScreens()
{
    RegisterCoreScreens();
    RegisterMemberScreens();
    RegisterGoodsScreens();
    RegisterPosScreens();
}

int RunMainWindow()
{
    TFrm_Main main;
    if (!main.StartupLogin())
        return 0;
    main.showMaximized();
    return QApplication::exec();
}

namespace {

// While screenshots are taken nothing may wait for a person: boxes are answered
// "No"/"OK" and dialogs a screen opens are closed at once.
class ScreenshotMessages : public Messages::Handler {
public:
    int show(const QString &, const QString &, Messages::Icon, QMessageBox::StandardButtons buttons) override
    {
        return (buttons & QMessageBox::No) ? QMessageBox::No : QMessageBox::Ok;
    }
    int exec(QDialog *) override { return QDialog::Rejected; }
    void terminate(int) override {}
    void openDocument(const QString &) override {}
};

void settle()
{
    for (int i = 0; i < 3; ++i) {
        QEventLoop loop;
        QTimer::singleShot(60, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

bool save(QWidget *w, const QString &dir, const QString &className)
{
    const QString file = QDir(dir).filePath(className + QStringLiteral(".png"));
    if (!w->grab().save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    std::fflush(stdout);
    return true;
}

void loginAsAdmin()
{
    const db::Result r = Db().query(QStringLiteral("select * from D_UserManage where UserCode=?"), {QStringLiteral("admin")});
    CurUserCode = QStringLiteral("admin");
    if (!r.isEmpty()) {
        CurUserName = r.value(0, QStringLiteral("UserName")).asString().trimmed();
        CurUserPower = r.value(0, QStringLiteral("Power")).asString().trimmed();
        CurUserIsSys = r.value(0, QStringLiteral("IFSys")).asString().trimmed();
        CurUserPassword = r.value(0, QStringLiteral("PassWord")).asString().trimmed();
    }
    LoggedIn = true;
}

// The offscreen platform complains about every window it cannot size natively.
void quietOffscreen(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.contains(QLatin1String("propagateSizeHints")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

int TakeScreenshots(const QString &dir)
{
    if (!QDir().mkpath(dir)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(dir));
        return 1;
    }
    qInstallMessageHandler(quietOffscreen);
    // A program folder of its own, so the delivered database stays untouched.
    QTemporaryDir folder;
    const QString exeDir = QApplication::applicationDirPath();
    const QString dbFile = folder.path() + QStringLiteral("/Data/JQ_CardMgr.dat");
    for (const char *sub : {"Data", "Picture", "backupData"})
        QDir(folder.path()).mkpath(QString::fromLatin1(sub));
    if (!QFile::copy(exeDir + QStringLiteral("/Data/JQ_CardMgr.dat"), dbFile)) {
        std::fprintf(stderr, "no delivered database in %s/Data\n", qPrintable(exeDir));
        return 1;
    }
    QFile(dbFile).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    QFile::copy(exeDir + QStringLiteral("/default.jpg"), folder.path() + QStringLiteral("/default.jpg"));

    const QString admin = exeDir + QStringLiteral("/kelvo-admin");
    if (QFileInfo(admin).isExecutable()) {
        // Its progress would mix with the list of files written; only its errors pass.
        QProcess demo;
        demo.setStandardOutputFile(QProcess::nullDevice());
        demo.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        demo.start(admin, {QStringLiteral("demo"), dbFile, QStringLiteral("--members"), QStringLiteral("300"),
                           QStringLiteral("--sales"), QStringLiteral("3000")});
        demo.waitForFinished(-1);
        const int rc = demo.exitStatus() == QProcess::NormalExit ? demo.exitCode() : -1;
        if (rc != 0)
            std::fprintf(stderr, "kelvo-admin demo failed (%d); screens show the delivered data\n", rc);
    } else {
        std::fprintf(stderr, "kelvo-admin not found; screens show the delivered data\n");
    }

    std::unique_ptr<Tfrm_DM> dm;
    try {
        dm = std::make_unique<Tfrm_DM>(folder.path());
    } catch (const db::DbError &e) {
        std::fprintf(stderr, "cannot open the database: %s\n", qPrintable(e.text()));
        return 1;
    }
    ScreenshotMessages messages;
    Messages::SetHandler(&messages);
    RegisterAllScreens();
    loginAsAdmin();

    bool ok = true;
    {
        TFrm_Login login;
        login.IsStartLogin = true;
        login.show();
        settle();
        ok = save(&login, dir, QStringLiteral("TFrm_Login")) && ok;
        login.hide();
    }
    {
        TFrm_Main main;
        main.resize(1280, 800);
        main.show();
        settle();
        ok = save(&main, dir, QStringLiteral("TFrm_Main")) && ok;
        main.CloseAllChildren();
        settle();
    }
    for (const QString &name : Screens::Names()) {
        TfrmDialog *screen = Screens::Create(name, nullptr);
        if (!screen)
            continue;
        if (const Screens::ScreenshotSetup setup = Screens::SetupFor(name))
            setup(screen);
        if (screen->IsChildScreen())
            screen->resize(1280, 800);
        else
            screen->adjustSize();
        screen->show();
        settle();
        ok = save(screen, dir, name) && ok;
        screen->hide();
        delete screen;
        settle();
    }
    Messages::SetHandler(nullptr);
    return ok ? 0 : 1;
}
