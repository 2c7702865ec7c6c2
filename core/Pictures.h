#pragma once
// The program's own pictures, drawn in code: the banner of the main window, its
// picture buttons, the 24x24 icons of the navigation bar and the login background.

#include <QAbstractButton>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace Pictures {

// Glyph names: "cart", "members", "report", "bell", "bellList", "user", "card",
// "goods", "gear", "data", "money", "log", "key", "swap", "power".
QIcon BarIcon(const QString &glyph);                       // 24x24
QPixmap Glyph(const QString &glyph, int size, const QColor &colour);
QPixmap Banner(int width, int height);                     // left part of the top band
QPixmap BannerFill(int width, int height);                 // stretched rest of the band
QPixmap BannerButton(const QString &glyph, const QString &caption, bool hot);   // 85x64
QPixmap LoginBackground(int width, int height);

} // namespace Pictures

// A button that shows a normal and a hot picture, with a hand cursor.
class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    PictureButton(const QString &glyph, const QString &caption, QWidget *parent = nullptr);
    QSize sizeHint() const override { return {85, 64}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QPixmap m_normal;
    QPixmap m_hot;
    bool m_hover = false;
};
