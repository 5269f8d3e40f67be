#include "sample_pictures.h"

#include <QFontDatabase>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <initializer_list>
#include <numbers>

namespace vantrel::samples {

namespace {

constexpr QSize PanelSize{160, 54};

// A ridge through the given heights, spread evenly over the width, closed along the bottom.
QPainterPath ridge(QSize size, std::initializer_list<double> heights)
{
    const QList<double> ys(heights);
    const double step = double(size.width()) / double(ys.size() - 1);
    QPainterPath path(QPointF(0, size.height()));
    path.lineTo(0, ys.first());
    for (qsizetype i = 1; i < ys.size(); ++i) {
        const double x0 = step * double(i - 1);
        const double x1 = step * double(i);
        path.cubicTo(x0 + step / 2, ys[i - 1], x1 - step / 2, ys[i], x1, ys[i]);
    }
    path.lineTo(size.width(), size.height());
    path.closeSubpath();
    return path;
}

void drawCloud(QPainter& painter, QPointF centre, double scale)
{
    painter.setBrush(QColor(248, 250, 255));
    painter.drawEllipse(centre, 46 * scale, 16 * scale);
    painter.drawEllipse(centre + QPointF(-22 * scale, -8 * scale), 22 * scale, 16 * scale);
    painter.drawEllipse(centre + QPointF(14 * scale, -13 * scale), 26 * scale, 19 * scale);
}

void drawTree(QPainter& painter, QPointF foot, double height)
{
    painter.setBrush(QColor(60, 40, 25));
    painter.drawRect(QRectF(foot.x() - height / 20, foot.y() - height / 5, height / 10, height / 5));
    painter.setBrush(QColor(18, 70, 32));
    const QPolygonF crown{foot + QPointF(-height / 4, -height / 6), foot + QPointF(height / 4, -height / 6),
                          foot + QPointF(0, -height)};
    painter.drawPolygon(crown);
}

QFont bannerFont(int pixelSize)
{
    // The project installs IPA P Gothic; elsewhere the default face stands in.
    const QString family = QStringLiteral("IPAPGothic");
    QFont font = QFontDatabase::hasFamily(family) ? QFont(family) : QFont();
    font.setPixelSize(pixelSize);
    return font;
}

QPainterPath centredText(const QRectF& box, const QString& text, const QFont& font)
{
    QPainterPath path;
    path.addText(0, 0, font, text);
    path.translate(box.center() - path.boundingRect().center());
    return path;
}

} // namespace

QImage drawLandscape()
{
    const QSize size(640, 480);
    QImage picture(size, QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);

    QLinearGradient sky(0, 0, 0, 330);
    sky.setColorAt(0, QColor(24, 54, 128));
    sky.setColorAt(0.6, QColor(110, 160, 215));
    sky.setColorAt(1, QColor(250, 205, 150));
    painter.fillRect(picture.rect(), sky);

    QRadialGradient glow(QPointF(455, 175), 140);
    glow.setColorAt(0, QColor(255, 250, 220, 230));
    glow.setColorAt(0.3, QColor(255, 230, 160, 120));
    glow.setColorAt(1, QColor(255, 230, 160, 0));
    painter.setBrush(glow);
    painter.drawEllipse(QPointF(455, 175), 140, 140);
    painter.setBrush(QColor(255, 246, 205));
    painter.drawEllipse(QPointF(455, 175), 44, 44);

    drawCloud(painter, QPointF(150, 95), 1.2);
    drawCloud(painter, QPointF(330, 60), 0.8);
    drawCloud(painter, QPointF(580, 120), 0.7);

    painter.setBrush(QColor(105, 130, 160));
    painter.drawPath(ridge(size, {250, 205, 240, 190, 230, 215}));
    painter.setBrush(QColor(70, 125, 80));
    painter.drawPath(ridge(size, {310, 285, 300, 260, 290, 280}));
    QLinearGradient meadow(0, 330, 0, 480);
    meadow.setColorAt(0, QColor(95, 160, 70));
    meadow.setColorAt(1, QColor(35, 90, 40));
    painter.setBrush(meadow);
    painter.drawPath(ridge(size, {400, 350, 370, 330, 380}));

    drawTree(painter, QPointF(90, 392), 90);
    drawTree(painter, QPointF(130, 400), 70);
    drawTree(painter, QPointF(520, 372), 100);
    return picture;
}

QImage drawBanner()
{
    const QSize size = PanelSize * 3;
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    painter.setPen(QPen(Qt::white, 6));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(QPointF(6, 6), size - QSizeF(12, 12)), 18, 18);

    // The emblem: a play triangle in a ring.
    const QPointF centre(81, size.height() / 2.0);
    painter.setPen(QPen(Qt::white, 8));
    painter.drawEllipse(centre, 48, 48);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawPolygon(
        QPolygonF{centre + QPointF(-16, -26), centre + QPointF(-16, 26), centre + QPointF(28, 0)});

    // Outlined as well as filled: the letters keep a stroke of a dot or more at the panel's size.
    painter.setPen(QPen(Qt::white, 3));
    painter.drawPath(centredText(QRectF(150, 18, 310, 80), QStringLiteral("VANTREL"), bannerFont(64)));
    painter.setPen(QPen(Qt::white, 1.5));
    painter.drawPath(
        centredText(QRectF(150, 98, 310, 40), QStringLiteral("dot-matrix panel"), bannerFont(26)));
    return picture;
}

QImage drawGreyRamp()
{
    QImage picture(PanelSize, QImage::Format_RGB32);
    const int half = PanelSize.height() / 2;
    QPainter painter(&picture);
    QLinearGradient ramp(0, 0, PanelSize.width(), 0);
    ramp.setColorAt(0, Qt::black);
    ramp.setColorAt(1, Qt::white);
    painter.fillRect(QRect(0, 0, PanelSize.width(), half), ramp);
    const int steps = 4;
    for (int step = 0; step < steps; ++step) {
        const int left = step * PanelSize.width() / steps;
        const int right = (step + 1) * PanelSize.width() / steps;
        const int grey = step * 255 / (steps - 1);
        painter.fillRect(QRect(left, half, right - left, PanelSize.height() - half),
                         QColor(grey, grey, grey));
    }
    return picture;
}

QImage drawBouncingBall(int frame, int frames, QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);

    QLinearGradient background(0, 0, size.width(), size.height());
    background.setColorAt(0, QColor(20, 30, 90));
    background.setColorAt(1, QColor(150, 60, 140));
    painter.fillRect(picture.rect(), background);
    const double floor = size.height() * 0.85;
    painter.fillRect(QRectF(0, floor, size.width(), size.height() - floor), QColor(30, 20, 40));

    const double t = frames > 1 ? double(frame - 1) / double(frames - 1) : 0.0;
    const double radius = size.height() / 10.0;
    const double x = radius + t * (size.width() - 2 * radius);
    const int bounces = 3;
    const double lift = std::abs(std::cos(t * bounces * std::numbers::pi));
    // The ball's top stays below the star.
    const double highest = size.height() * 0.4;
    const double y = floor - radius - lift * (floor - radius - highest);

    painter.setBrush(QColor(0, 0, 0, 110));
    painter.drawEllipse(QPointF(x, floor + 4), radius * (1.2 - 0.5 * lift), radius * 0.25);
    QRadialGradient shade(QPointF(x - radius / 3, y - radius / 3), radius * 1.3);
    shade.setColorAt(0, QColor(255, 250, 220));
    shade.setColorAt(0.5, QColor(240, 170, 40));
    shade.setColorAt(1, QColor(140, 60, 10));
    painter.setBrush(shade);
    painter.drawEllipse(QPointF(x, y), radius, radius);

    // A five-pointed star at the top, half a turn over the clip.
    const QPointF centre(size.width() * 0.5, size.height() * 0.18);
    const double outer = size.height() / 9.0;
    QPolygonF star;
    for (int point = 0; point < 10; ++point) {
        const double angle = 2 * std::numbers::pi * (point / 10.0 + t / 2);
        const double reach = point % 2 == 0 ? outer : outer * 0.45;
        star << centre + QPointF(reach * std::sin(angle), -reach * std::cos(angle));
    }
    painter.setBrush(Qt::white);
    painter.drawPolygon(star);
    return picture;
}

} // namespace vantrel::samples
