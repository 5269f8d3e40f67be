#pragma once

#include <QImage>
#include <QList>
#include <QSize>

namespace vantrel::test {

// A 24-bit picture that carries its number: a 4 × 4 grid whose first 12 cells are the number's
// bits (white for 1, black for 0, lowest bit first) and whose last four are red, green, blue and
// white, so lossy coding, a swapped channel order or a flip are all told apart.
QImage makeNumberedPicture(int number, QSize size);

// The number in such a picture, or -1 when the picture is not one (or is mirrored, flipped or
// has its colours swapped). Each cell is judged by the average of its middle.
int pictureNumber(const QImage& picture);

// pictureNumber of each, in order.
QList<int> pictureNumbers(const QList<QImage>& pictures);

inline constexpr int MaxPictureNumber = (1 << 12) - 1;

} // namespace vantrel::test
