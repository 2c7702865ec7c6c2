#include "Pictures.h"

#include <QEnterEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace Pictures {

namespace {

// The blue of the banner, top to bottom.
void fillBannerBackground(QPainter &p, const QRect &rect)
{
    QLinearGradient bg(0, 0, 0, rect.height());
    bg.setColorAt(0, QColor(40, 104, 160));
    bg.setColorAt(1, QColor(120, 178, 214));
    p.fillRect(rect, bg);
}

QFont cjkFont(int pixelSize, bool bold)
{
    QFont f(QStringLiteral("宋体"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

// Every glyph is drawn in a 100x100 box; the painter is scaled to the wanted size.
void drawGlyph(QPainter &p, const QString &g, const QColor &c)
{
    const QColor light = c.lighter(160);
    QPen pen(c, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);

    if (g == QLatin1String("cart")) {
        QPainterPath path;
        path.moveTo(6, 18);
        path.lineTo(20, 18);
        path.lineTo(32, 66);
        path.lineTo(80, 66);
        path.lineTo(90, 30);
        path.lineTo(25, 30);
        p.drawPath(path);
        p.setBrush(c);
        p.drawEllipse(QPointF(38, 82), 7, 7);
        p.drawEllipse(QPointF(74, 82), 7, 7);
    } else if (g == QLatin1String("members") || g == QLatin1String("user")) {
        p.setBrush(light);
        if (g == QLatin1String("members")) {
            p.drawEllipse(QPointF(68, 32), 12, 12);
            p.drawChord(QRectF(46, 50, 44, 50), 0, 180 * 16);
        }
        p.drawEllipse(QPointF(38, 32), 16, 16);
        p.drawChord(QRectF(8, 54, 60, 60), 0, 180 * 16);
    } else if (g == QLatin1String("report")) {
        p.drawLine(12, 88, 92, 88);
        p.drawLine(12, 88, 12, 10);
        p.setBrush(light);
        p.drawRect(24, 56, 14, 32);
        p.drawRect(46, 30, 14, 58);
        p.drawRect(68, 44, 14, 44);
    } else if (g == QLatin1String("bell") || g == QLatin1String("bellList")) {
        QPainterPath path;
        path.moveTo(20, 74);
        path.cubicTo(30, 64, 26, 24, 50, 20);
        path.cubicTo(74, 24, 70, 64, 80, 74);
        path.closeSubpath();
        p.setBrush(light);
        p.drawPath(path);
        p.setBrush(c);
        p.drawEllipse(QPointF(50, 84), 8, 8);
        p.drawLine(50, 10, 50, 20);
        if (g == QLatin1String("bellList")) {
            p.setPen(QPen(QColor(200, 40, 40), 7, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(QColor(230, 60, 60));
            p.drawEllipse(QPointF(80, 22), 12, 12);
        }
    } else if (g == QLatin1String("card")) {
        p.setBrush(light);
        p.drawRoundedRect(QRectF(8, 22, 84, 56), 8, 8);
        p.drawLine(8, 40, 92, 40);
        p.drawLine(20, 62, 46, 62);
    } else if (g == QLatin1String("goods")) {
        p.setBrush(light);
        QPolygonF box{{50, 8}, {90, 28}, {90, 72}, {50, 92}, {10, 72}, {10, 28}};
        p.drawPolygon(box);
        p.drawLine(10, 28, 50, 48);
        p.drawLine(90, 28, 50, 48);
        p.drawLine(50, 48, 50, 92);
    } else if (g == QLatin1String("gear")) {
        p.save();
        p.translate(50, 50);
        p.setBrush(c);
        for (int i = 0; i < 8; ++i) {
            p.drawRect(QRectF(-7, -46, 14, 18));
            p.rotate(45);
        }
        p.restore();
        p.setBrush(light);
        p.drawEllipse(QPointF(50, 50), 30, 30);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(50, 50), 11, 11);
    } else if (g == QLatin1String("data")) {
        p.setBrush(light);
        p.drawRect(QRectF(16, 22, 68, 56));
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(19, 24, 62, 52));
        p.setPen(pen);
        p.drawEllipse(QRectF(16, 10, 68, 24));
        p.drawArc(QRectF(16, 40, 68, 24), 180 * 16, 180 * 16);
        p.drawArc(QRectF(16, 66, 68, 24), 180 * 16, 180 * 16);
        p.drawLine(16, 22, 16, 78);
        p.drawLine(84, 22, 84, 78);
    } else if (g == QLatin1String("money")) {
        p.setBrush(QColor(250, 210, 89));
        p.drawEllipse(QPointF(50, 50), 40, 40);
        p.setFont(cjkFont(54, true));
        p.drawText(QRectF(0, 0, 100, 100), Qt::AlignCenter, QStringLiteral("¥"));
    } else if (g == QLatin1String("log")) {
        p.setBrush(Qt::white);
        QPolygonF page{{18, 8}, {64, 8}, {84, 28}, {84, 92}, {18, 92}};
        p.drawPolygon(page);
        p.drawLine(30, 40, 72, 40);
        p.drawLine(30, 56, 72, 56);
        p.drawLine(30, 72, 60, 72);
    } else if (g == QLatin1String("key")) {
        p.setBrush(QColor(250, 210, 89));
        p.drawEllipse(QPointF(30, 50), 20, 20);
        p.drawLine(50, 50, 92, 50);
        p.drawLine(80, 50, 80, 68);
        p.drawLine(68, 50, 68, 62);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(26, 50), 6, 6);
    } else if (g == QLatin1String("swap")) {
        p.drawLine(12, 34, 82, 34);
        p.drawLine(66, 18, 84, 34);
        p.drawLine(66, 50, 84, 34);
        p.drawLine(88, 66, 18, 66);
        p.drawLine(34, 50, 16, 66);
        p.drawLine(34, 82, 16, 66);
    } else if (g == QLatin1String("power")) {
        p.setPen(QPen(QColor(200, 40, 40), 9, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(14, 16, 72, 72), 120 * 16, 300 * 16);
        p.drawLine(50, 8, 50, 48);
    } else {
        p.drawEllipse(QPointF(50, 50), 36, 36);
    }
}

} // namespace

QPixmap Glyph(const QString &glyph, int size, const QColor &colour)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 100.0, size / 100.0);
    drawGlyph(p, glyph, colour);
    return pm;
}

QIcon BarIcon(const QString &glyph)
{
    QIcon icon;
    icon.addPixmap(Glyph(glyph, 24, QColor(30, 80, 140)));
    icon.addPixmap(Glyph(glyph, 48, QColor(30, 80, 140)));
    return icon;
}

QPixmap Banner(int width, int height)
{
    QPixmap pm(width, height);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    fillBannerBackground(p, pm.rect());

    // Soft circles behind the title.
    for (int i = 0; i < 5; ++i) {
        QRadialGradient rg(QPointF(60 + i * 190, height * 0.2), 120);
        rg.setColorAt(0, QColor(255, 255, 255, 50));
        rg.setColorAt(1, QColor(255, 255, 255, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(rg);
        p.drawEllipse(QPointF(60 + i * 190, height * 0.2), 120, 120);
    }

    // Two stacked membership cards.
    auto card = [&](qreal x, qreal y, const QColor &a, const QColor &b) {
        QLinearGradient cg(x, y, x + 96, y + 60);
        cg.setColorAt(0, a);
        cg.setColorAt(1, b);
        p.setBrush(cg);
        p.setPen(QPen(QColor(255, 255, 255, 180), 1.5));
        p.drawRoundedRect(QRectF(x, y, 96, 60), 8, 8);
        p.fillRect(QRectF(x + 10, y + 16, 18, 13), QColor(240, 200, 90));
        p.setPen(Qt::white);
        p.setFont(cjkFont(11, true));
        p.drawText(QRectF(x + 34, y + 38, 60, 16), Qt::AlignLeft, QStringLiteral("VIP"));
    };
    card(24, 24, QColor(250, 170, 60), QColor(220, 90, 40));
    card(44, 46, QColor(80, 170, 230), QColor(30, 90, 170));

    p.setPen(Qt::white);
    p.setFont(cjkFont(30, true));
    p.drawText(QRectF(170, 22, 600, 44), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Kelvo 会员管理系统"));
    p.setFont(cjkFont(13, false));
    p.setPen(QColor(230, 242, 250));
    p.drawText(QRectF(172, 66, 600, 22), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("会员卡 · 充值 · 消费 · 积分 · 商品 · 报表"));
    return pm;
}

QPixmap BannerFill(int width, int height)
{
    QPixmap pm(width, height);
    QPainter p(&pm);
    fillBannerBackground(p, pm.rect());
    return pm;
}

QPixmap BannerButton(const QString &glyph, const QString &caption, bool hot)
{
    QPixmap pm(85, 64);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (hot) {
        QLinearGradient g(0, 0, 0, 64);
        g.setColorAt(0, QColor(255, 255, 255, 150));
        g.setColorAt(1, QColor(250, 210, 89, 170));
        p.setBrush(g);
        p.setPen(QPen(QColor(255, 255, 255, 200), 1));
        p.drawRoundedRect(QRectF(1, 1, 83, 62), 6, 6);
    }
    const QPixmap icon = Glyph(glyph, 34, hot ? QColor(20, 60, 110) : QColor(255, 255, 255));
    p.drawPixmap((85 - 34) / 2, 5, icon);
    p.setFont(cjkFont(12, true));
    p.setPen(hot ? QColor(20, 60, 110) : QColor(255, 255, 255));
    p.drawText(QRectF(0, 42, 85, 18), Qt::AlignCenter, caption);
    return pm;
}

QPixmap LoginBackground(int width, int height)
{
    QPixmap pm(width, height);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, width, height);
    bg.setColorAt(0, QColor(38, 98, 152));
    bg.setColorAt(1, QColor(150, 196, 222));
    p.fillRect(pm.rect(), bg);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 30));
    p.drawEllipse(QPointF(width * 0.85, height * 0.1), 140, 140);
    p.drawEllipse(QPointF(width * 0.1, height * 1.0), 120, 120);
    p.setPen(QPen(QColor(255, 255, 255, 160), 1));
    p.drawLine(30, 92, width - 30, 92);
    p.setPen(Qt::white);
    p.setFont(cjkFont(26, true));
    p.drawText(QRectF(30, 28, width - 60, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Kelvo 会员管理系统"));
    p.setFont(cjkFont(12, false));
    p.drawText(QRectF(32, 66, width - 60, 20), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("V1.5  操作员登录"));
    p.drawPixmap(width - 90, 22, Glyph(QStringLiteral("card"), 56, QColor(250, 210, 89)));
    return pm;
}

} // namespace Pictures

PictureButton::PictureButton(const QString &glyph, const QString &caption, QWidget *parent)
    : QAbstractButton(parent),
      m_normal(Pictures::BannerButton(glyph, caption, false)),
      m_hot(Pictures::BannerButton(glyph, caption, true))
{
    setFixedSize(85, 64);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    setText(caption);
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawPixmap(isDown() ? QPoint(1, 1) : QPoint(0, 0), m_hover ? m_hot : m_normal);
}

void PictureButton::enterEvent(QEnterEvent *event)
{
    m_hover = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent *event)
{
    m_hover = false;
    update();
    QAbstractButton::leaveEvent(event);
}
