#include "core/files/recovery_copy.h"

#include "core/files/panel_levels.h"
#include "core/frames/frame_store.h"
#include "core/panel/panel_description.h"

#include <QDataStream>
#include <QDir>

#include <cstring>

namespace vantrel {
namespace {

constexpr char Magic[8] = {'V', 'T', 'R', 'E', 'C', 'O', 'V', 'R'};
constexpr quint16 Version = 1;
// Bytes each frame takes uncompressed: its colour pixels and its levels.
constexpr qint64 BytesPerDot = 3 + 1;

qint64 framesBytes(QSize panel, int frames)
{
    return qint64{panel.width()} * panel.height() * BytesPerDot * frames;
}

bool isFrameOf(const QImage& image, QSize panel)
{
    return !image.isNull() && image.size() == panel;
}

void appendRows(QByteArray& to, const QImage& image, int bytesPerPixel)
{
    for (int y = 0; y < image.height(); ++y)
        to.append(reinterpret_cast<const char*>(image.constScanLine(y)),
                  qsizetype(image.width()) * bytesPerPixel);
}

// Fills an image row by row from `from`, advancing it.
void takeRows(QImage& image, const char*& from, int bytesPerPixel)
{
    const auto rowBytes = std::size_t(image.width()) * std::size_t(bytesPerPixel);
    for (int y = 0; y < image.height(); ++y, from += rowBytes)
        std::memcpy(image.scanLine(y), from, rowBytes);
}

} // namespace

QByteArray writeRecoveryCopy(const RecoveryContents& contents)
{
    const QSize panel = contents.panelSize;
    const int frames = int(contents.colour.size());
    if (frames < 1 || frames > MaxFrames || contents.mono.size() != frames || panel.isEmpty() ||
        panel.width() > MaxPanelSide || panel.height() > MaxPanelSide)
        return {};
    QByteArray raw;
    raw.reserve(qsizetype(framesBytes(panel, frames)));
    for (int i = 0; i < frames; ++i) {
        if (!isFrameOf(contents.colour[i], panel) || !isFrameOf(contents.mono[i], panel))
            return {};
        appendRows(raw, contents.colour[i].convertToFormat(QImage::Format_RGB888), 3);
        appendRows(raw, toPanelLevels(contents.mono[i]), 1);
    }
    // The fastest level: the copy is written after every change.
    const QByteArray packed = qCompress(raw, 1);

    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.writeRawData(Magic, sizeof Magic);
    out << Version << quint16(panel.width()) << quint16(panel.height()) << quint8(contents.colorCode)
        << quint8(frames) << quint32(packed.size());
    out.writeRawData(packed.constData(), int(packed.size()));
    return bytes;
}

RecoveryResult readRecoveryCopy(const QByteArray& bytes, QSize largestPanel, RecoveryContents& out)
{
    QDataStream in(bytes);
    char magic[sizeof Magic] = {};
    quint16 version = 0, width = 0, height = 0;
    quint8 code = 0, frames = 0;
    quint32 packedSize = 0;
    if (in.readRawData(magic, sizeof magic) != int(sizeof magic) ||
        std::memcmp(magic, Magic, sizeof Magic) != 0)
        return RecoveryResult::NotACopy;
    in >> version >> width >> height >> code >> frames >> packedSize;
    if (in.status() != QDataStream::Ok)
        return RecoveryResult::Damaged;
    if (version != Version)
        return RecoveryResult::NotACopy;
    const QSize panel(width, height);
    if (panel.isEmpty() || frames < 1 || frames > MaxFrames || code > 0x3F)
        return RecoveryResult::Damaged;
    if (width > largestPanel.width() || height > largestPanel.height())
        return RecoveryResult::LargerPanel;
    const qsizetype headerSize = qsizetype(in.device()->pos());
    if (bytes.size() - headerSize != qsizetype(packedSize) || packedSize < 4)
        return RecoveryResult::Damaged;
    const QByteArray packed = bytes.sliced(headerSize);
    // qCompress leads with the size it packed: refuse a claim the header does not back before
    // anything is allocated for it.
    const qint64 expected = framesBytes(panel, frames);
    const qint64 claimed = qint64(quint32(uchar(packed[0])) << 24 | quint32(uchar(packed[1])) << 16 |
                                  quint32(uchar(packed[2])) << 8 | quint32(uchar(packed[3])));
    if (claimed != expected)
        return RecoveryResult::Damaged;
    const QByteArray raw = qUncompress(packed);
    if (raw.size() != expected)
        return RecoveryResult::Damaged;

    RecoveryContents read;
    read.panelSize = panel;
    read.colorCode = code;
    const QList<QRgb> table = monoColourTable();
    const char* from = raw.constData();
    for (int i = 0; i < frames; ++i) {
        QImage colour(panel, QImage::Format_RGB888);
        QImage mono(panel, QImage::Format_Indexed8);
        if (colour.isNull() || mono.isNull())
            return RecoveryResult::Damaged;
        takeRows(colour, from, 3);
        mono.setColorTable(table);
        takeRows(mono, from, 1);
        for (int y = 0; y < panel.height(); ++y) {
            const uchar* levels = mono.constScanLine(y);
            for (int x = 0; x < panel.width(); ++x)
                if (levels[x] > 3)
                    return RecoveryResult::Damaged;
        }
        read.colour.append(colour);
        read.mono.append(mono);
    }
    out = std::move(read);
    return RecoveryResult::Ok;
}

QString recoveryFolder(const QString& xdgStateHome, const QString& home)
{
    if (!xdgStateHome.isEmpty() && QDir::isAbsolutePath(xdgStateHome))
        return QDir(xdgStateHome).filePath(QStringLiteral("vantrel"));
    return QDir(home).filePath(QStringLiteral(".local/state/vantrel"));
}

} // namespace vantrel
