#include "TestEnv.h"
#include "core/Clock.h"
#include "core/DialogUnit.h"

#include <QApplication>
#include <QDir>
#include <QFile>

void EnsureApplication()
{
    if (QApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "kelvo-tests";
    static char *argv[] = {name, nullptr};
    new QApplication(argc, argv);
    InstallFontSubstitutions();
}

int TestMessages::show(const QString &text, const QString &caption, Messages::Icon icon,
                       QMessageBox::StandardButtons buttons)
{
    shown.append({text, caption, icon});
    if (buttons & QMessageBox::Yes) {
        if (answers.empty())
            return QMessageBox::Yes;
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
    return QMessageBox::Ok;
}

int TestMessages::exec(QDialog *dialog)
{
    const QString key = dialogs.contains(dialog->objectName()) ? dialog->objectName()
                                                               : QString::fromLatin1(dialog->metaObject()->className());
    executedDialogs << key;
    auto it = dialogs.constFind(key);
    if (it == dialogs.constEnd()) {
        ADD_FAILURE() << "unexpected modal dialog " << key.toStdString();
        return QDialog::Rejected;
    }
    dialog->show();
    return (*it)(dialog);
}

void TestMessages::terminate(int)
{
    terminated = true;
}

void TestMessages::openDocument(const QString &path)
{
    openedDocuments << path;
}

bool TestMessages::wasShown(const QString &text) const
{
    for (const ShownMessage &m : shown)
        if (m.text == text)
            return true;
    return false;
}

void TestMessages::clear()
{
    shown.clear();
    answers.clear();
    executedDialogs.clear();
    terminated = false;
}

void KelvoTest::SetUp()
{
    EnsureApplication();
    m_dir = std::make_unique<QTemporaryDir>();
    ASSERT_TRUE(m_dir->isValid());
    QDir(m_dir->path()).mkpath(QStringLiteral("Data"));
    QDir(m_dir->path()).mkpath(QStringLiteral("Picture"));
    QDir(m_dir->path()).mkpath(QStringLiteral("backupData"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(KELVO_TEMPLATE_DB), m_dir->path() + QStringLiteral("/Data/JQ_CardMgr.dat")));
    QFile(m_dir->path() + QStringLiteral("/Data/JQ_CardMgr.dat")).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    Messages::SetHandler(&messages);
    m_dm = std::make_unique<Tfrm_DM>(m_dir->path());
}

void KelvoTest::TearDown()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        w->deleteLater();
    QApplication::processEvents();
    m_dm.reset();
    Messages::SetHandler(nullptr);
    Clock::setNow({});
}

void KelvoTest::Restart()
{
    m_dm.reset();
    m_dm = std::make_unique<Tfrm_DM>(m_dir->path());
}

void KelvoTest::LoginAs(const QString &code)
{
    const db::Result r = db().query(QStringLiteral("select * from D_UserManage where UserCode=?"), {code});
    ASSERT_FALSE(r.isEmpty()) << code.toStdString();
    CurUserCode = code;
    CurUserName = r.value(0, QStringLiteral("UserName")).asString().trimmed();
    CurUserPower = r.value(0, QStringLiteral("Power")).asString().trimmed();
    CurUserIsSys = r.value(0, QStringLiteral("IFSys")).asString().trimmed();
    CurUserPassword = r.value(0, QStringLiteral("PassWord")).asString().trimmed();
    LoggedIn = true;
}

QString KelvoTest::Scalar(const QString &sql)
{
    const db::Result r = db().query(sql);
    return r.isEmpty() ? QString() : r.value(0, 0).asString();
}
