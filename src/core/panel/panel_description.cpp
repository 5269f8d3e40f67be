#include "core/panel/panel_description.h"

#include "core/app/ini_profile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace vantrel {
namespace {

// The first two lines, split the way a text editor sees them (CR LF, LF or CR).
std::pair<QByteArrayView, QByteArrayView> firstTwoLines(QByteArrayView text)
{
    auto takeLine = [](QByteArrayView& rest) {
        qsizetype end = 0;
        while (end < rest.size() && rest[end] != '\r' && rest[end] != '\n')
            ++end;
        const QByteArrayView line = rest.first(end);
        const bool crLf = end + 1 < rest.size() && rest[end] == '\r' && rest[end + 1] == '\n';
        rest = rest.sliced(std::min(rest.size(), end + (crLf ? 2 : 1)));
        return line;
    };
    QByteArrayView rest = text;
    const QByteArrayView first = takeLine(rest);
    return {first, takeLine(rest)};
}

bool hasWrongType(const QByteArray& bytes)
{
    QByteArrayView text(bytes);
    // An editor's byte order mark is no part of the first line.
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    const auto [first, second] = firstTwoLines(text);
    return first == "[FileType]" && second != "Type=vantrel_PanelImage";
}

bool soundRect(const PanelRect& rect)
{
    // Differences in 64 bits: a file may hold any two ints.
    const qint64 width = qint64(rect[2]) - rect[0] + 1;
    const qint64 height = qint64(rect[3]) - rect[1] + 1;
    return width >= 1 && height >= 1 && width <= MaxPanelViewSide && height <= MaxPanelViewSide;
}

bool soundSide(int side)
{
    return side >= 1 && side <= MaxPanelSide;
}

// "Colors" levels from 0 up, each defaulting to the default level of its index; values of 5
// or more count as 4.
ChannelLevels readChannel(const IniProfile& ini, const QString& section)
{
    ChannelLevels channel;
    channel.count = std::clamp(ini.readInt(section, QStringLiteral("Colors"), 4), 0, 4);
    for (std::size_t k = 0; k < static_cast<std::size_t>(channel.count); ++k)
        channel.levels[k] = ini.readInt(section, QString::number(k), DefaultLevels[k]);
    return channel;
}

void applyChannel(const ChannelLevels& from, ChannelLevels& to)
{
    to.count = from.count;
    for (int k = 0; k < from.count; ++k)
        to.levels[static_cast<std::size_t>(k)] = from.levels[static_cast<std::size_t>(k)];
}

} // namespace

PanelResult readPanelDescription(QIODevice& device, PanelDescription& out)
{
    if (!device.isOpen() || !device.isReadable())
        return PanelCantOpen;
    if (device.isSequential() || device.size() < 0)
        return PanelSizeUnknown;
    // A description is a few hundred bytes; far larger is something else.
    if (device.size() - device.pos() > IniProfile::MaxFileBytes)
        return PanelNotDescription;
    const QByteArray bytes = device.readAll();
    if (hasWrongType(bytes))
        return PanelNotDescription;

    const IniProfile ini = IniProfile::fromBytes(bytes);
    PanelDescription description;
    readPanelModel(ini, description);
    description.levels.red = readChannel(ini, QStringLiteral("Red"));
    description.levels.green = readChannel(ini, QStringLiteral("Green"));
    description.levels.blue = readChannel(ini, QStringLiteral("Blue"));

    if (!soundSide(description.panelWidth) || !soundSide(description.panelHeight) ||
        !soundRect(description.infoRect) || !soundRect(description.viewRect))
        return PanelNotDescription;
    out = description;
    return PanelOk;
}

PanelResult readPanelDescription(const QByteArray& bytes, PanelDescription& out)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return readPanelDescription(buffer, out);
}

PanelResult readPanelDescriptionFile(const QString& path, PanelDescription& out)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isDir())
        return PanelCantOpen;
    if (!info.isFile())
        return PanelSizeUnknown;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return PanelCantOpen;
    return readPanelDescription(file, out);
}

void applyPanelDescription(const PanelDescription& description, AppSettings& settings)
{
    static_cast<PanelModel&>(settings) = description;
    applyChannel(description.levels.red, settings.levels.red);
    applyChannel(description.levels.green, settings.levels.green);
    applyChannel(description.levels.blue, settings.levels.blue);
}

ErrorItem panelErrorItem(PanelResult result)
{
    return static_cast<ErrorItem>(result);
}

} // namespace vantrel
