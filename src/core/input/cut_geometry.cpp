#include "core/input/cut_geometry.h"

#include "core/imaging/bitmap.h"
#include "core/input/truncated_int.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace vantrel {

namespace {

constexpr int MinimumSide = 10;
constexpr int ViewBorder = 2;      // the view's frame, inside its size
constexpr int ScrollBarWidth = 15; // taken by the other axis' scroll bar when it shows

bool grabsLeft(int zone)
{
    return zone == ZoneTopLeft || zone == ZoneLeft || zone == ZoneBottomLeft;
}
bool grabsRight(int zone)
{
    return zone == ZoneTopRight || zone == ZoneRight || zone == ZoneBottomRight;
}
bool grabsTop(int zone)
{
    return zone == ZoneTopLeft || zone == ZoneTop || zone == ZoneTopRight;
}
bool grabsBottom(int zone)
{
    return zone == ZoneBottomLeft || zone == ZoneBottom || zone == ZoneBottomRight;
}

bool verticalScrollBarShows(const InputViewGeometry& view)
{
    return truncatedInt(view.dstTop + view.dstHeight) > view.viewHeight - ViewBorder;
}

bool horizontalScrollBarShows(const InputViewGeometry& view)
{
    return truncatedInt(view.dstLeft + view.dstWidth) > view.viewWidth - ViewBorder;
}

// How far the area's right edge lies beyond the visible part (positive when hidden).
int rightOverflow(const TCutArea& area, const InputViewGeometry& view)
{
    return truncatedInt(view.dstLeft + area.Right - view.viewWidth + double(ViewBorder)) +
           (verticalScrollBarShows(view) ? ScrollBarWidth : 0);
}

int bottomOverflow(const TCutArea& area, const InputViewGeometry& view)
{
    return truncatedInt(view.dstTop + area.Bottom - view.viewHeight + double(ViewBorder)) +
           (horizontalScrollBarShows(view) ? ScrollBarWidth : 0);
}

void revealLeft(const TCutArea& area, InputViewGeometry& view)
{
    const int v = truncatedInt(view.dstLeft + area.Left);
    if (v < 0)
        view.dstLeft -= v;
}

void revealTop(const TCutArea& area, InputViewGeometry& view)
{
    const int v = truncatedInt(view.dstTop + area.Top);
    if (v < 0)
        view.dstTop -= v;
}

void revealRight(const TCutArea& area, InputViewGeometry& view)
{
    const int v = rightOverflow(area, view);
    if (v > 0)
        view.dstLeft -= v;
}

void revealBottom(const TCutArea& area, InputViewGeometry& view)
{
    const int v = bottomOverflow(area, view);
    if (v > 0)
        view.dstTop -= v;
}

// Scrolls the edges a resize moved into sight; a corner takes its edges in this order.
void revealMovedEdges(const TCutArea& area, int zone, InputViewGeometry& view)
{
    switch (zone) {
    case ZoneTopLeft:
        revealLeft(area, view);
        revealTop(area, view);
        break;
    case ZoneTop:
        revealTop(area, view);
        break;
    case ZoneTopRight:
        revealTop(area, view);
        revealRight(area, view);
        break;
    case ZoneLeft:
        revealLeft(area, view);
        break;
    case ZoneRight:
        revealRight(area, view);
        break;
    case ZoneBottomLeft:
        revealLeft(area, view);
        revealBottom(area, view);
        break;
    case ZoneBottom:
        revealBottom(area, view);
        break;
    case ZoneBottomRight:
        revealRight(area, view);
        revealBottom(area, view);
        break;
    default:
        break;
    }
}

// The scroll steps can overshoot (a move drags the view by its whole step); never scroll
// before the picture's start nor past its end.
void keepPictureInView(InputViewGeometry& view, int W, int H)
{
    const int visibleWidth =
        view.viewWidth - ViewBorder - (verticalScrollBarShows(view) ? ScrollBarWidth : 0);
    const int visibleHeight =
        view.viewHeight - ViewBorder - (horizontalScrollBarShows(view) ? ScrollBarWidth : 0);
    view.dstLeft = std::clamp(view.dstLeft, std::min(0.0, double(visibleWidth) - W), 0.0);
    view.dstTop = std::clamp(view.dstTop, std::min(0.0, double(visibleHeight) - H), 0.0);
}

// False, changing nothing, when the area would be narrower or lower than the minimum. With the
// aspect locked, a corner's other side follows the size the area had before this step.
bool resizeArea(TCutArea& area, int zone, float aspect, int dx, int dy)
{
    const bool left = grabsLeft(zone), right = grabsRight(zone);
    const bool top = grabsTop(zone), bottom = grabsBottom(zone);
    const bool corner = (left || right) && (top || bottom);
    TCutArea next = area;
    auto moveX = [&] { (left ? next.Left : next.Right) += dx; };
    auto moveY = [&] { (top ? next.Top : next.Bottom) += dy; };

    if (!corner || aspect == 0.0f) {
        if (left || right)
            moveX();
        if (top || bottom)
            moveY();
    } else if (dx != 0) {
        moveX();
        const int height = truncatedInt(static_cast<float>(area.Right - area.Left) * aspect);
        if (top)
            next.Top = next.Bottom - height;
        else
            next.Bottom = next.Top + height;
    } else {
        moveY();
        const int width = truncatedInt(static_cast<float>(area.Bottom - area.Top) / aspect);
        if (left)
            next.Left = next.Right - width;
        else
            next.Right = next.Left + width;
    }
    if (next.Right - next.Left < MinimumSide || next.Bottom - next.Top < MinimumSide)
        return false;
    area = next;
    return true;
}

void moveArea(TCutArea& area, int dx, int dy, int W, int H, InputViewGeometry& view)
{
    if (area.Left + dx < 0)
        dx = -area.Left;
    else if (area.Right + dx > W)
        dx = W - area.Right;
    if (area.Top + dy < 0)
        dy = -area.Top;
    else if (area.Bottom + dy > H)
        dy = H - area.Bottom;
    area.Left += dx;
    area.Right += dx;
    area.Top += dy;
    area.Bottom += dy;

    // Once the area touches the visible border it drags the view along by its own step.
    if (dx < 0 && truncatedInt(view.dstLeft + area.Left) < 0)
        view.dstLeft -= dx;
    if (dx > 0 && rightOverflow(area, view) > 0)
        view.dstLeft -= dx;
    if (dy < 0 && truncatedInt(view.dstTop + area.Top) < 0)
        view.dstTop -= dy;
    if (dy > 0 && bottomOverflow(area, view) > 0)
        view.dstTop -= dy;
}

void keepInside(TCutArea& area, int W, int H)
{
    area.Left = std::max(area.Left, 0);
    area.Top = std::max(area.Top, 0);
    area.Right = std::min(area.Right, W);
    area.Bottom = std::min(area.Bottom, H);
}

} // namespace

int HitTestArea(const TCutArea& area, double dstLeft, double dstTop, int x, int y)
{
    const int dl = truncatedInt(dstLeft), dt = truncatedInt(dstTop);
    const int L = area.Left + dl, R = area.Right + dl;
    const int T = area.Top + dt, B = area.Bottom + dt;
    if (x < L - 2 || x > R + 2 || y < T - 2 || y > B + 2)
        return ZoneOutside;
    const int column = x < L + 3 ? 1 : x < R - 2 ? 2 : 3;
    const int rowOffset = y < T + 3 ? 0 : y < B - 2 ? 3 : 6;
    return rowOffset + column;
}

bool DragArea(TCutArea& area, int zone, float aspect, int dx, int dy, InputViewGeometry& view)
{
    if (dx == 0 && dy == 0)
        return false;
    const int W = truncatedInt(view.dstWidth), H = truncatedInt(view.dstHeight);
    if (zone == ZoneInside) {
        moveArea(area, dx, dy, W, H, view);
        keepPictureInView(view, W, H);
    } else if (resizeArea(area, zone, aspect, dx, dy)) {
        revealMovedEdges(area, zone, view);
        keepPictureInView(view, W, H);
    }
    keepInside(area, W, H);
    return true;
}

void ClampArea(TCutArea& area, double dstWidth, double dstHeight)
{
    if (area.Right > dstWidth) {
        const int width = area.Right - area.Left;
        area.Right = truncatedInt(dstWidth);
        area.Left = std::max(area.Right - width, 0);
    }
    if (area.Bottom > dstHeight) {
        const int height = area.Bottom - area.Top;
        area.Bottom = truncatedInt(dstHeight);
        area.Top = std::max(area.Bottom - height, 0);
    }
}

QPoint scrollToArea(const TCutArea& area, int viewWidth, int viewHeight)
{
    const int width = area.Right - area.Left, height = area.Bottom - area.Top;
    const int sx = std::max(area.Left - (viewWidth - width - 2) / 2, 0);
    const int sy = std::max(area.Top - (viewHeight - height - 2) / 2, 0);
    return {-sx, -sy};
}

QSize defaultAreaSize(double dstWidth, double dstHeight, int viewRectWidth, int viewRectHeight)
{
    if (viewRectWidth <= 0 || viewRectHeight <= 0)
        return {0, 0};
    const float s = std::min(static_cast<float>(dstWidth) / static_cast<float>(viewRectWidth),
                             static_cast<float>(dstHeight) / static_cast<float>(viewRectHeight));
    if (s >= 1.0f)
        return {viewRectWidth - 1, viewRectHeight - 1};
    const int dw = truncatedInt(static_cast<float>(viewRectWidth) * s) - 1;
    const int dh = truncatedInt(static_cast<float>(viewRectHeight) * s) - 1;
    return {std::max(dw, 0), std::max(dh, 0)};
}

QRect centredAreaOfShape(QSize picture, QSize shape)
{
    if (picture.isEmpty() || shape.isEmpty())
        return {};
    // Integer products: the fit is exact for any picture the decoders accept.
    const qint64 pw = picture.width(), ph = picture.height(), sw = shape.width(), sh = shape.height();
    const qint64 width = pw * sh <= ph * sw ? pw : std::max<qint64>(1, ph * sw / sh);
    const qint64 height = pw * sh <= ph * sw ? std::max<qint64>(1, pw * sh / sw) : ph;
    return QRect(static_cast<int>((pw - width) / 2), static_cast<int>((ph - height) / 2),
                 static_cast<int>(width), static_cast<int>(height));
}

namespace {

// What output cell i of n takes from a span of `length` source pixels starting at `origin`: each
// pixel it covers with the share of the cell it covers.
struct Tap
{
    std::int64_t index;
    float weight;
};

std::vector<std::vector<Tap>> boxTaps(std::int64_t origin, int length, int n)
{
    std::vector<std::vector<Tap>> cells(static_cast<std::size_t>(n));
    const double step = static_cast<double>(length) / n;
    for (int i = 0; i < n; ++i) {
        const double from = i * step, to = (i + 1) * step;
        for (auto p = static_cast<std::int64_t>(from); static_cast<double>(p) < to; ++p) {
            const double covered =
                std::min(to, static_cast<double>(p + 1)) - std::max(from, static_cast<double>(p));
            if (covered > 0)
                cells[static_cast<std::size_t>(i)].push_back(
                    {origin + p, static_cast<float>(covered / step)});
        }
    }
    return cells;
}

// The exact area average of the cut rectangle over each dot: rows first, then columns, so each
// picture pixel is read once. Pixels outside the picture count as black.
void averageInto(QImage& out, const QImage& source, std::int64_t left, std::int64_t top, int cutWidth,
                 int cutHeight)
{
    const int width = out.width();
    const auto columns = boxTaps(left, cutWidth, width);
    const auto rows = boxTaps(top, cutHeight, out.height());
    std::vector<float> rowSums(static_cast<std::size_t>(width) * 3);
    std::vector<float> sums(static_cast<std::size_t>(width) * 3);
    for (int y = 0; y < out.height(); ++y) {
        std::fill(sums.begin(), sums.end(), 0.0f);
        for (const Tap& row : rows[static_cast<std::size_t>(y)]) {
            if (row.index < 0 || row.index >= source.height())
                continue;
            const uchar* from = source.constScanLine(static_cast<int>(row.index));
            std::fill(rowSums.begin(), rowSums.end(), 0.0f);
            for (int x = 0; x < width; ++x) {
                for (const Tap& column : columns[static_cast<std::size_t>(x)]) {
                    if (column.index < 0 || column.index >= source.width())
                        continue;
                    const uchar* pixel = from + 3 * column.index;
                    for (int c = 0; c < 3; ++c)
                        rowSums[3 * static_cast<std::size_t>(x) + c] += column.weight * pixel[c];
                }
            }
            for (std::size_t i = 0; i < sums.size(); ++i)
                sums[i] += row.weight * rowSums[i];
        }
        uchar* to = out.scanLine(y);
        for (std::size_t i = 0; i < sums.size(); ++i)
            to[i] = static_cast<uchar>(std::clamp(std::lround(sums[i]), 0L, 255L));
    }
}

} // namespace

QImage CutArea(const InputPicture& picture, const TCutArea& area, int zoomPercent, QSize panelSize,
               CutScaling scaling)
{
    if (zoomPercent <= 0)
        return createBitmap(panelSize.width(), panelSize.height());
    // The area is in view pixels; single precision, as the area was measured in.
    const float z = static_cast<float>(zoomPercent) * 0.01f;
    const float l = static_cast<float>(area.Left) / z, t = static_cast<float>(area.Top) / z;
    const float r = static_cast<float>(area.Right) / z, b = static_cast<float>(area.Bottom) / z;
    const float w = r - l, h = b - t;

    const int cutWidth = truncatedInt(w);
    const int cutHeight = truncatedInt(h);
    if (cutWidth <= 0 || cutHeight <= 0 || picture.isNull() || panelSize.isEmpty())
        return createBitmap(panelSize.width(), panelSize.height());
    const std::int64_t left = static_cast<std::int64_t>(l); // toward zero, as a combine takes it
    const std::int64_t top = static_cast<std::int64_t>(t);
    if (scaling == CutScaling::Smooth) {
        QImage out = createBitmap(panelSize.width(), panelSize.height());
        QImage source = picture.toImage();
        if (!out.isNull() && !source.isNull()) {
            if (source.format() != QImage::Format_RGB888)
                source.convertTo(QImage::Format_RGB888);
            averageInto(out, source, left, top, cutWidth, cutHeight);
        }
        return out;
    }
    // Only the pixels the dots fall on are read (and, of a video frame, converted): the same
    // pixels as copying the area out and resizing the copy.
    std::vector<std::int64_t> columns(static_cast<std::size_t>(panelSize.width()));
    std::vector<std::int64_t> rows(static_cast<std::size_t>(panelSize.height()));
    for (int x = 0; x < panelSize.width(); ++x)
        columns[static_cast<std::size_t>(x)] = left + std::int64_t{x} * cutWidth / panelSize.width();
    for (int y = 0; y < panelSize.height(); ++y)
        rows[static_cast<std::size_t>(y)] = top + std::int64_t{y} * cutHeight / panelSize.height();
    QImage out = picture.sample(columns, rows);
    return out.isNull() ? createBitmap(panelSize.width(), panelSize.height()) : out;
}

QImage CutArea(const QImage& picture, const TCutArea& area, int zoomPercent, QSize panelSize,
               CutScaling scaling)
{
    return CutArea(InputPicture(picture), area, zoomPercent, panelSize, scaling);
}

void rezoomArea(TCutArea& area, MarkedRegion& memory, int fromPercent, int toPercent)
{
    if (memory.view != areaRect(area) || memory.picture.isNull()) {
        const double from = fromPercent / 100.0;
        memory.picture = QRectF(QPointF(area.Left / from, area.Top / from),
                                QPointF(area.Right / from, area.Bottom / from));
    }
    const double to = toPercent / 100.0;
    auto toView = [to](double at) { return static_cast<std::int32_t>(std::lround(at * to)); };
    area.Left = toView(memory.picture.left());
    area.Top = toView(memory.picture.top());
    area.Right = toView(memory.picture.right());
    area.Bottom = toView(memory.picture.bottom());
    memory.view = areaRect(area);
}

} // namespace vantrel
