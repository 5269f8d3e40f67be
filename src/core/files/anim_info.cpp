#include "core/files/anim_info.h"

#include "core/files/anim_reader.h"
#include "core/files/anim_result.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace vantrel {

namespace {

QString kindName(AnimKind kind)
{
    switch (kind) {
    case AnimKind::Frame:
        return QStringLiteral("nml");
    case AnimKind::Animation:
        return QStringLiteral("nma");
    case AnimKind::Other:
        break;
    }
    return {};
}

} // namespace

AnimFileInfo inspectAnimFile(const QString& path)
{
    AnimFileInfo info;
    info.file = path;
    info.kind = animKindOf(path);
    AnimContents contents;
    info.result = readAnimationFile(path, info.kind, contents, 0);
    info.trailingBytes = contents.trailingBytes;
    if (info.result != AnimOk || contents.records.isEmpty())
        return info;
    info.frames = contents.frameCount();
    info.width = contents.records.first().width;
    info.height = contents.records.first().height;
    info.bits = contents.records.first().bits;
    info.colorCode = contents.lastColorCode();
    return info;
}

QString infoLine(const AnimFileInfo& info)
{
    if (info.result != AnimOk)
        return QStringLiteral("%1: error %2: %3")
            .arg(info.file)
            .arg(info.result)
            .arg(animResultMessage(info.result));
    QString line = QStringLiteral("%1: %2, %3 frame%4")
                       .arg(info.file, kindName(info.kind))
                       .arg(info.frames)
                       .arg(info.frames == 1 ? QString() : QStringLiteral("s"));
    if (info.frames > 0) {
        const int code = info.colorCode;
        line += QStringLiteral(", %1x%2, %3 bit%4, colour code %5 (red %6, green %7, blue %8)")
                    .arg(info.width)
                    .arg(info.height)
                    .arg(info.bits)
                    .arg(info.bits == 1 ? QString() : QStringLiteral("s"))
                    .arg(code)
                    .arg((code >> 4) & 3)
                    .arg((code >> 2) & 3)
                    .arg(code & 3);
        if (code > 63)
            line += QStringLiteral(" [unused bits set]");
    }
    line += QStringLiteral(", check ok");
    if (info.trailingBytes > 0)
        line += QStringLiteral(", %1 byte%2 after the last record (ignored)")
                    .arg(info.trailingBytes)
                    .arg(info.trailingBytes == 1 ? QString() : QStringLiteral("s"));
    return line;
}

QByteArray infoJson(const AnimFileInfo& info)
{
    const bool read = info.result == AnimOk;
    const bool hasFrame = read && info.frames > 0;
    auto number = [](bool valid, int value) { return valid ? QJsonValue(value) : QJsonValue(); };
    const QString kind = kindName(info.kind);

    QJsonObject object;
    object.insert(QStringLiteral("file"), info.file);
    object.insert(QStringLiteral("kind"), kind.isEmpty() ? QJsonValue() : QJsonValue(kind));
    object.insert(QStringLiteral("frames"), number(read, info.frames));
    object.insert(QStringLiteral("width"), number(hasFrame, info.width));
    object.insert(QStringLiteral("height"), number(hasFrame, info.height));
    object.insert(QStringLiteral("bits"), number(hasFrame, info.bits));
    object.insert(QStringLiteral("colorCode"), number(hasFrame, info.colorCode));
    object.insert(QStringLiteral("trailingBytes"),
                  read ? QJsonValue(static_cast<double>(info.trailingBytes)) : QJsonValue());
    object.insert(QStringLiteral("result"), info.result);
    object.insert(QStringLiteral("message"), animResultMessage(info.result));
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

} // namespace vantrel
