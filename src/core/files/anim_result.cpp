#include "core/files/anim_result.h"

namespace vantrel {

QString animResultMessage(int code)
{
    switch (code) {
    case AnimOk:
        return QStringLiteral("ok");
    case AnimCantOpen:
        return QStringLiteral("not a .nml or .nma name, or the file can't be opened or created");
    case AnimSizeUnknown:
        return QStringLiteral("the size of the file can't be determined");
    case AnimCheckFailed:
        return QStringLiteral("a frame record fails its check");
    case AnimDamaged:
        return QStringLiteral("the file is truncated or a header is damaged");
    case AnimWriteFailed:
        return QStringLiteral("the file could not be written completely");
    case AnimBadDepth:
        return QStringLiteral("bits per pixel other than 1, 2, 4 or 8");
    case AnimNoFrames:
        return QStringLiteral("the file does not exist, is not a panel animation, or holds no frame");
    case AnimFrameGeometry:
        return QStringLiteral("a frame is larger than 256 x 256 or the frames differ in size or depth");
    default:
        return QStringLiteral("error %1").arg(code);
    }
}

ErrorItem animErrorItem(int code)
{
    return static_cast<ErrorItem>(code);
}

} // namespace vantrel
