#pragma once
// The main window: banner with clock and picture buttons, the navigation bar, the MDI
// area with one full-screen screen at a time, the status bar; login at start-up,
// today's reminders once after it, and the exit with compaction.

#include <QDateTime>
#include <QMainWindow>

class QLabel;
class QMdiArea;
class QTimer;
class QFrame;
class QStatusBar;
class PictureButton;
class TFrm_Frame;

class TFrm_Main : public QMainWindow {
    Q_OBJECT
public:
    explicit TFrm_Main(QWidget *parent = nullptr);
    ~TFrm_Main() override;

    // Creation at start-up: the login dialog, then the reminder timer. False when no
    // operator logged in (the program is ending).
    bool StartupLogin();

    void ApplyRights();
    void OpenChild(const QString &className);
    void OpenModal(const QString &className);
    void CloseAllChildren();
    void ShowStatusHint(const QString &hint);
    // Opens today's reminders when something is due and the setting asks for it.
    void CheckTodayReminders();
    void UpdateClock(const QDateTime &now);

    TFrm_Frame *Frame() const { return Frm_Frame1; }
    QMdiArea *MdiArea() const { return m_mdi; }
    QString StatusText(int panel) const;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildBanner();
    void LayoutBanner();
    void NavigationClick(const QString &buttonName);
    void BannerClick(const QString &group, const QString &buttonName, const QString &right);

    QFrame *RzPanel1 = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *Image3 = nullptr;
    QLabel *RzLabel_Time = nullptr;
    QLabel *RzLabel_Date = nullptr;
    QList<PictureButton *> m_pictureButtons;
    TFrm_Frame *Frm_Frame1 = nullptr;
    QFrame *RzPanel_Left = nullptr;
    QMdiArea *m_mdi = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    QLabel *m_panels[3] = {};
    QTimer *Timer_date = nullptr;
    QTimer *Timer1 = nullptr;
    bool m_shownOnce = false;
};
