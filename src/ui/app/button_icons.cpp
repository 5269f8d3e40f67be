#include "ui/app/button_icons.h"

#include <QStyle>
#include <QToolButton>

#include <optional>

namespace {

struct ButtonPicture
{
    const char* button;
    std::optional<QStyle::StandardPixmap> standard;
    const char* drawing = nullptr;
};

QIcon pictureIcon(const QWidget& root, const ButtonPicture& picture)
{
    if (picture.standard)
        return root.style()->standardIcon(*picture.standard);
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(picture.drawing)));
}

} // namespace

void applyButtonIcons(QWidget& root)
{
    // The drawings live in a static library, whose resources the linker keeps only when named.
    static const bool drawingsRegistered = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    Q_UNUSED(drawingsRegistered);

    using SP = QStyle::StandardPixmap;
    static const ButtonPicture pictures[] = {
        {"abbInPic", {}, "picture-add"},
        {"abbDelPic", {}, "picture-remove"},
        {"abbInClr", {}, "picture-clear"},
        {"abbFLoad", {}, "animation-load"},
        {"abbFSave", {}, "animation-save"},
        {"abbHelp", {}, "help"},
        {"abbHPAccess", {}, "web-animations"},
        {"abbEnd", {}, "exit"},
        {"abbInFrameStop", SP::SP_MediaStop},
        {"abbInFramePlay", SP::SP_MediaPlay},
        {"abbInFramePause", SP::SP_MediaPause},
        {"abbInFrameTop", SP::SP_MediaSkipBackward},
        {"abbInFrameBack", SP::SP_MediaSeekBackward},
        {"abbInFrameNext", SP::SP_MediaSeekForward},
        {"abbInFrameEnd", SP::SP_MediaSkipForward},
        {"abbCutS", {}, "cut-start"},
        {"abbCutE", {}, "cut-end"},
        {"abbAreaResize", {}, "area-reset"},
        {"abbExecute", {}, "create-animation"},
        {"abbOutPreStop", SP::SP_MediaStop},
        {"abbOutPrePlay", SP::SP_MediaPlay},
        {"abbOutPrePause", SP::SP_MediaPause},
        {"abbOutPreRep", {}, "repeat"},
        {"abbOutPreBack", SP::SP_MediaSeekBackward},
        {"abbOutPreNext", SP::SP_MediaSeekForward},
        {"abbOutPreDel", {}, "frame-delete"},
        {"abbOutPreClr", {}, "frames-clear"},
        {"sbDesideEf", {}, "effect-frame"},
        {"abbDesideEfA", {}, "effect-all"},
        {"abbUndo", {}, "undo"},
        {"abbInsFont", {}, "text-insert"},
        {"abbInsFontA", {}, "text-insert-all"},
        {"abbUndo2", {}, "undo"},
        {"abbPStop", SP::SP_MediaStop},
        {"abbPPlay", SP::SP_MediaPlay},
        {"abbPPause", SP::SP_MediaPause},
        {"abbPRep", {}, "repeat"},
        {"abbGetPImage", {}, "web-panels"},
        {"abbSelPanel", {}, "panel-select"},
    };
    for (const ButtonPicture& picture : pictures) {
        auto* button = root.findChild<QToolButton*>(QLatin1String(picture.button));
        if (!button)
            continue;
        button->setIcon(pictureIcon(root, picture));
        const int side = std::min(button->width(), button->height()) - 8;
        button->setIconSize(QSize(side, side));
    }
}
