#include "core/files/anim_kind.h"

namespace vantrel {

namespace {

// Index of the extension's dot inside the file name part, or -1.
qsizetype extensionDot(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot > slash ? dot : -1;
}

} // namespace

AnimKind animKindOf(const QString& path)
{
    const qsizetype dot = extensionDot(path);
    if (dot < 0)
        return AnimKind::Other;
    const QStringView extension = QStringView(path).mid(dot);
    if (extension.compare(QLatin1String(".nml"), Qt::CaseInsensitive) == 0)
        return AnimKind::Frame;
    if (extension.compare(QLatin1String(".nma"), Qt::CaseInsensitive) == 0)
        return AnimKind::Animation;
    return AnimKind::Other;
}

QString defaultAnimExtension(int frameCount)
{
    return frameCount == 1 ? QStringLiteral("nml") : QStringLiteral("nma");
}

QString withDefaultExtension(const QString& path, const QString& extension)
{
    if (path.isEmpty() || path.endsWith(QLatin1Char('/')) || extensionDot(path) >= 0 || extension.isEmpty())
        return path;
    return extension.startsWith(QLatin1Char('.')) ? path + extension : path + QLatin1Char('.') + extension;
}

} // namespace vantrel
