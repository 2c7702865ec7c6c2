#include "Messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QUrl>
#include <cstdlib>

namespace Messages {

namespace {
Handler *g_handler = nullptr;
bool g_terminating = false;

QMessageBox::Icon boxIcon(Icon icon)
{
    switch (icon) {
    case Icon::Information: return QMessageBox::Information;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Warning: return QMessageBox::Warning;
    case Icon::Error: return QMessageBox::Critical;
    case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

void SetHandler(Handler *handler)
{
    g_handler = handler;
}

int Show(const QString &text, const QString &caption, Icon icon, QMessageBox::StandardButtons buttons,
         QMessageBox::StandardButton defaultButton)
{
    if (g_handler)
        return g_handler->show(text, caption, icon, buttons);
    QMessageBox box(boxIcon(icon), caption, text, buttons, QApplication::activeWindow());
    const std::pair<QMessageBox::StandardButton, QString> texts[] = {
        {QMessageBox::Yes, QStringLiteral("是(&Y)")},
        {QMessageBox::No, QStringLiteral("否(&N)")},
        {QMessageBox::Ok, QStringLiteral("确定")},
    };
    for (const auto &[button, text] : texts)
        if (QAbstractButton *b = box.button(button))
            b->setText(text);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return box.exec();
}

void Info(const QString &text)
{
    Show(text, QStringLiteral("提示"), Icon::Information);
}

void Warn(const QString &text)
{
    Show(text, QStringLiteral("警告"), Icon::Warning);
}

void Error(const QString &text)
{
    Show(text, QStringLiteral("错误"), Icon::Error);
}

bool Ask(const QString &text, Icon icon, QMessageBox::StandardButton defaultButton)
{
    return Show(text, QStringLiteral("提示"), icon, QMessageBox::Yes | QMessageBox::No, defaultButton)
           == QMessageBox::Yes;
}

int Exec(QDialog *dialog)
{
    if (g_handler)
        return g_handler->exec(dialog);
    return dialog->exec();
}

bool Terminating()
{
    return g_terminating;
}

void Terminate(int exitCode)
{
    if (g_handler) {
        g_handler->terminate(exitCode);
        return;
    }
    g_terminating = true;
    QApplication::closeAllWindows();
    std::exit(exitCode);
}

void OpenDocument(const QString &path)
{
    if (g_handler) {
        g_handler->openDocument(path);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace Messages
