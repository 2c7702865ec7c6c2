#pragma once
// The navigation frame of the main window: an explorer-style bar of collapsible groups
// with large buttons, and the timer of the daily automatic backup.

#include <QDateTime>
#include <QFrame>
#include <QList>

class QTimer;
class QToolButton;
class QVBoxLayout;

// One collapsible group of the bar: a header and its buttons.
class NavGroup : public QFrame {
    Q_OBJECT
public:
    NavGroup(const QString &name, const QString &caption, QWidget *parent);
    QToolButton *AddButton(const QString &name, const QString &caption, const QString &hint, const QString &glyph);
    bool IsOpen() const;
    void SetOpen(bool open);
    void SetActive(bool active);
    bool IsActive() const { return m_active; }
    QToolButton *Header() const { return m_header; }

signals:
    void headerClicked(NavGroup *group);

private:
    QString m_caption;
    QToolButton *m_header = nullptr;
    QWidget *m_content = nullptr;
    QVBoxLayout *m_buttons = nullptr;
    bool m_active = false;
};

class TFrm_Frame : public QFrame {
    Q_OBJECT
public:
    explicit TFrm_Frame(QWidget *parent = nullptr);

    NavGroup *Group(const QString &name) const;
    QToolButton *Button(const QString &name) const;
    QList<QToolButton *> Buttons() const;
    // Makes the group active and opens it.
    void SetActiveGroup(const QString &name);

    // Makes the daily automatic backup when `now` is the configured hour.
    void CheckAutoBackup(const QDateTime &now);
    QTimer *BackupTimer() const { return Timer1; }

public slots:
    void Timer1Timer();   // one tick of the backup timer, at Clock::now()

private:
    QWidget *mxOutlookBarPro1 = nullptr;
    QList<NavGroup *> m_groups;
    QTimer *Timer1 = nullptr;
    QDateTime m_lastCheck;
};

// Writes a consistent, password-keyed copy of the open database to `target` through
// the shared connection; the copy appears under its name only when complete.
bool BackupDatabase(const QString &target);
