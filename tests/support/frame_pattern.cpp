#include "support/frame_pattern.h"

#include <QColor>
#include <QPainter>

#include <array>

namespace vantrel::test {

namespace {

constexpr int GridSide = 4;
constexpr int NumberBits = 12;
const std::array<QColor, 4> MarkerColours{Qt::red, Qt::green, Qt::blue, Qt::white};

QRect cellRect(QSize size, int cell)
{
    const int column = cell % GridSide;
    const int row = cell / GridSide;
    const int left = column * size.width() / GridSide;
    const int top = row * size.height() / GridSide;
    const int right = (column + 1) * size.width() / GridSide;
    const int bottom = (row + 1) * size.height() / GridSide;
    return QRect(left, top, right - left, bottom - top);
}

// Average colour of the middle half of a cell, away from edges that lossy coding smears.
QColor cellColour(const QImage& picture, int cell)
{
    const QRect rect = cellRect(picture.size(), cell);
    const QRect middle =
        rect.adjusted(rect.width() / 4, rect.height() / 4, -rect.width() / 4, -rect.height() / 4);
    long red = 0, green = 0, blue = 0, pixels = 0;
    for (int y = middle.top(); y <= middle.bottom(); ++y) {
        for (int x = middle.left(); x <= middle.right(); ++x) {
            const QRgb pixel = picture.pixel(x, y);
            red += qRed(pixel);
            green += qGreen(pixel);
            blue += qBlue(pixel);
            ++pixels;
        }
    }
    if (pixels == 0)
        return {};
    return QColor(int(red / pixels), int(green / pixels), int(blue / pixels));
}

bool near(const QColor& measured, const QColor& wanted)
{
    constexpr int Tolerance = 64;
    return std::abs(measured.red() - wanted.red()) < Tolerance &&
           std::abs(measured.green() - wanted.green()) < Tolerance &&
           std::abs(measured.blue() - wanted.blue()) < Tolerance;
}

} // namespace

QImage makeNumberedPicture(int number, QSize size)
{
    QImage picture(size, QImage::Format_RGB888);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    for (int bit = 0; bit < NumberBits; ++bit) {
        if (number & (1 << bit))
            painter.fillRect(cellRect(size, bit), Qt::white);
    }
    for (int i = 0; i < int(MarkerColours.size()); ++i)
        painter.fillRect(cellRect(size, NumberBits + i), MarkerColours[i]);
    return picture;
}

int pictureNumber(const QImage& picture)
{
    if (picture.width() < GridSide || picture.height() < GridSide)
        return -1;
    for (int i = 0; i < int(MarkerColours.size()); ++i) {
        if (!near(cellColour(picture, NumberBits + i), MarkerColours[i]))
            return -1;
    }
    int number = 0;
    for (int bit = 0; bit < NumberBits; ++bit) {
        const QColor colour = cellColour(picture, bit);
        if (near(colour, Qt::white))
            number |= 1 << bit;
        else if (!near(colour, Qt::black))
            return -1;
    }
    return number;
}

QList<int> pictureNumbers(const QList<QImage>& pictures)
{
    QList<int> numbers;
    for (const QImage& picture : pictures)
        numbers.append(pictureNumber(picture));
    return numbers;
}

} // namespace vantrel::test
