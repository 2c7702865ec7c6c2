#pragma once
// Shared fixture: a fresh program folder holding a copy of the delivered database, the
// data module opened on it, and the message seam answered by the test.

#include "core/DM.h"
#include "core/Messages.h"

#include <QDialog>
#include <QMap>
#include <QTemporaryDir>
#include <QWidget>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

struct ShownMessage {
    QString text;
    QString caption;
    Messages::Icon icon;
};

class TestMessages : public Messages::Handler {
public:
    int show(const QString &text, const QString &caption, Messages::Icon icon,
             QMessageBox::StandardButtons buttons) override;
    int exec(QDialog *dialog) override;
    void terminate(int exitCode) override;
    void openDocument(const QString &path) override;

    // Answers for the next questions (Yes/No boxes); when empty a question gets Yes.
    std::deque<int> answers;
    QList<ShownMessage> shown;
    // Drives a modal dialog of the given class (objectName or class name); returns its result.
    QMap<QString, std::function<int(QDialog *)>> dialogs;
    QStringList executedDialogs;
    bool terminated = false;
    QStringList openedDocuments;

    QString lastText() const { return shown.isEmpty() ? QString() : shown.last().text; }
    bool wasShown(const QString &text) const;
    void clear();
};

class KelvoTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Re-creates the data module (as a restart of the program would).
    void Restart();
    db::Database &db() { return Db(); }
    QString appPath() const { return m_dir->path() + QLatin1Char('/'); }
    // Logs in as the given operator without the dialog.
    void LoginAs(const QString &code);
    // First value of a query, as text.
    QString Scalar(const QString &sql);

    TestMessages messages;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Tfrm_DM> m_dm;
};

// Makes sure a QApplication exists (offscreen in tests).
void EnsureApplication();

// Finds a control by objectName below root; fails the test when absent.
template <class T>
T *Find(QWidget *root, const QString &name)
{
    T *w = root->findChild<T *>(name);
    EXPECT_NE(w, nullptr) << "control not found: " << name.toStdString();
    return w;
}
